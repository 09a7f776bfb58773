#include "WatermarkDialog.h"

#include "LanguageManager.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
constexpr int kPreviewWidth = 400;
constexpr int kPreviewHeight = 250;
const QRect kSamplePage(20, 20, 360, 210);

const char* const kPositionNames[] = {
    QT_TRANSLATE_NOOP("WatermarkDialog", "Top Left"),    QT_TRANSLATE_NOOP("WatermarkDialog", "Top Center"),
    QT_TRANSLATE_NOOP("WatermarkDialog", "Top Right"),   QT_TRANSLATE_NOOP("WatermarkDialog", "Middle Left"),
    QT_TRANSLATE_NOOP("WatermarkDialog", "Center"),      QT_TRANSLATE_NOOP("WatermarkDialog", "Middle Right"),
    QT_TRANSLATE_NOOP("WatermarkDialog", "Bottom Left"), QT_TRANSLATE_NOOP("WatermarkDialog", "Bottom Center"),
    QT_TRANSLATE_NOOP("WatermarkDialog", "Bottom Right"),
};

QSlider* percentSlider(QWidget* parent)
{
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(0, 100);
    return slider;
}

QWidget* row(QWidget* parent, std::initializer_list<QWidget*> widgets)
{
    auto* holder = new QWidget(parent);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : widgets)
        layout->addWidget(w);
    return holder;
}

} // namespace

WatermarkDialog::WatermarkDialog(QWidget* parent, StoreFactory store)
    : QDialog(parent), m_storeFactory(std::move(store))
{
    buildUi();
    retranslateUi();
    loadSettings();
    connect(LanguageManager::instance(), &LanguageManager::languageChanged, this,
            &WatermarkDialog::onLanguageChanged);
}

WatermarkDialog::~WatermarkDialog() = default;

void WatermarkDialog::buildUi()
{
    auto* layout = new QVBoxLayout(this);

    m_textGroup = new QGroupBox(this);
    auto* textForm = new QFormLayout(m_textGroup);
    m_textEnabled = new QCheckBox(m_textGroup);
    m_textEnabled->setObjectName(QStringLiteral("textEnabledCheckBox"));
    textForm->addRow(m_textEnabled);
    m_textLabel = new QLabel(m_textGroup);
    m_text = new QLineEdit(m_textGroup);
    m_text->setObjectName(QStringLiteral("textLineEdit"));
    textForm->addRow(m_textLabel, m_text);
    m_fontSizeLabel = new QLabel(m_textGroup);
    m_fontSize = new QSpinBox(m_textGroup);
    m_fontSize->setObjectName(QStringLiteral("fontSizeSpinBox"));
    m_fontSize->setRange(8, 200);
    textForm->addRow(m_fontSizeLabel, m_fontSize);
    m_fontLabel = new QLabel(m_textGroup);
    m_font = new QComboBox(m_textGroup);
    m_font->setObjectName(QStringLiteral("fontComboBox"));
    m_font->addItems(QFontDatabase().families());
    textForm->addRow(m_fontLabel, m_font);
    m_colorLabel = new QLabel(m_textGroup);
    m_colorButton = new QPushButton(m_textGroup);
    m_colorButton->setObjectName(QStringLiteral("textColorButton"));
    textForm->addRow(m_colorLabel, m_colorButton);
    m_textOpacityLabel = new QLabel(m_textGroup);
    m_textOpacity = percentSlider(m_textGroup);
    m_textOpacity->setObjectName(QStringLiteral("textOpacitySlider"));
    m_textOpacityValue = new QLabel(m_textGroup);
    textForm->addRow(m_textOpacityLabel, row(m_textGroup, {m_textOpacity, m_textOpacityValue}));
    m_textPositionLabel = new QLabel(m_textGroup);
    m_textPosition = new QComboBox(m_textGroup);
    m_textPosition->setObjectName(QStringLiteral("textPositionComboBox"));
    textForm->addRow(m_textPositionLabel, m_textPosition);
    m_rotationLabel = new QLabel(m_textGroup);
    m_rotation = new QSlider(Qt::Horizontal, m_textGroup);
    m_rotation->setObjectName(QStringLiteral("rotationSlider"));
    m_rotation->setRange(-180, 180);
    m_rotationValue = new QLabel(m_textGroup);
    textForm->addRow(m_rotationLabel, row(m_textGroup, {m_rotation, m_rotationValue}));
    m_modeLabel = new QLabel(m_textGroup);
    m_single = new QRadioButton(m_textGroup);
    m_single->setObjectName(QStringLiteral("singleRadioButton"));
    m_tiled = new QRadioButton(m_textGroup);
    m_tiled->setObjectName(QStringLiteral("tiledRadioButton"));
    m_modeGroup = new QButtonGroup(this);
    m_modeGroup->addButton(m_single, 0);
    m_modeGroup->addButton(m_tiled, 1);
    textForm->addRow(m_modeLabel, row(m_textGroup, {m_single, m_tiled}));
    layout->addWidget(m_textGroup);

    m_imageGroup = new QGroupBox(this);
    auto* imageForm = new QFormLayout(m_imageGroup);
    m_imageEnabled = new QCheckBox(m_imageGroup);
    m_imageEnabled->setObjectName(QStringLiteral("imageEnabledCheckBox"));
    imageForm->addRow(m_imageEnabled);
    m_imageLabel = new QLabel(m_imageGroup);
    m_imagePath = new QLineEdit(m_imageGroup);
    m_imagePath->setObjectName(QStringLiteral("imagePathLineEdit"));
    m_browse = new QPushButton(m_imageGroup);
    m_browse->setObjectName(QStringLiteral("browseButton"));
    imageForm->addRow(m_imageLabel, row(m_imageGroup, {m_imagePath, m_browse}));
    m_widthLabel = new QLabel(m_imageGroup);
    m_imageWidth = new QSpinBox(m_imageGroup);
    m_imageWidth->setObjectName(QStringLiteral("imageWidthSpinBox"));
    m_imageWidth->setRange(10, 2000);
    imageForm->addRow(m_widthLabel, m_imageWidth);
    m_heightLabel = new QLabel(m_imageGroup);
    m_imageHeight = new QSpinBox(m_imageGroup);
    m_imageHeight->setObjectName(QStringLiteral("imageHeightSpinBox"));
    m_imageHeight->setRange(10, 2000);
    imageForm->addRow(m_heightLabel, m_imageHeight);
    m_imageOpacityLabel = new QLabel(m_imageGroup);
    m_imageOpacity = percentSlider(m_imageGroup);
    m_imageOpacity->setObjectName(QStringLiteral("imageOpacitySlider"));
    m_imageOpacityValue = new QLabel(m_imageGroup);
    imageForm->addRow(m_imageOpacityLabel, row(m_imageGroup, {m_imageOpacity, m_imageOpacityValue}));
    m_imagePositionLabel = new QLabel(m_imageGroup);
    m_imagePosition = new QComboBox(m_imageGroup);
    m_imagePosition->setObjectName(QStringLiteral("imagePositionComboBox"));
    imageForm->addRow(m_imagePositionLabel, m_imagePosition);
    layout->addWidget(m_imageGroup);

    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("previewLabel"));
    m_preview->setFixedSize(kPreviewWidth, kPreviewHeight);
    layout->addWidget(m_preview, 0, Qt::AlignHCenter);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &WatermarkDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &WatermarkDialog::reject);

    const auto refresh = [this] { updatePreview(); };
    connect(m_textEnabled, &QCheckBox::toggled, this, refresh);
    connect(m_text, &QLineEdit::textChanged, this, refresh);
    connect(m_fontSize, qOverload<int>(&QSpinBox::valueChanged), this, refresh);
    connect(m_font, qOverload<int>(&QComboBox::currentIndexChanged), this, refresh);
    connect(m_colorButton, &QPushButton::clicked, this, &WatermarkDialog::onTextColorClicked);
    connect(m_textOpacity, &QSlider::valueChanged, this, [this](int value) {
        m_textOpacityValue->setText(QStringLiteral("%1%").arg(value));
        updatePreview();
    });
    connect(m_textPosition, qOverload<int>(&QComboBox::currentIndexChanged), this, refresh);
    connect(m_rotation, &QSlider::valueChanged, this, &WatermarkDialog::onRotationSliderChanged);
    connect(m_modeGroup, &QButtonGroup::idToggled, this, refresh);
    connect(m_imageEnabled, &QCheckBox::toggled, this, refresh);
    connect(m_imagePath, &QLineEdit::textChanged, this, refresh);
    connect(m_browse, &QPushButton::clicked, this, &WatermarkDialog::onSelectImageFile);
    connect(m_imageWidth, qOverload<int>(&QSpinBox::valueChanged), this, &WatermarkDialog::onImageWidthChanged);
    connect(m_imageHeight, qOverload<int>(&QSpinBox::valueChanged), this, &WatermarkDialog::onImageHeightChanged);
    connect(m_imageOpacity, &QSlider::valueChanged, this, [this](int value) {
        m_imageOpacityValue->setText(QStringLiteral("%1%").arg(value));
        updatePreview();
    });
    connect(m_imagePosition, qOverload<int>(&QComboBox::currentIndexChanged), this, refresh);
}

void WatermarkDialog::fillPositions(QComboBox* combo)
{
    const int current = combo->currentIndex();
    const QSignalBlocker block(combo);
    combo->clear();
    for (const char* name : kPositionNames)
        combo->addItem(tr(name));
    combo->setCurrentIndex(current);
}

void WatermarkDialog::retranslateUi()
{
    setWindowTitle(tr("Watermark Settings"));
    m_textGroup->setTitle(tr("Text Watermark"));
    m_textEnabled->setText(tr("Enable Text Watermark"));
    m_textLabel->setText(tr("Text:"));
    m_fontSizeLabel->setText(tr("Font Size:"));
    m_fontLabel->setText(tr("Font:"));
    m_colorLabel->setText(tr("Color:"));
    m_colorButton->setText(tr("Select Color"));
    m_textOpacityLabel->setText(tr("Opacity:"));
    m_textPositionLabel->setText(tr("Position:"));
    m_rotationLabel->setText(tr("Rotation:"));
    m_modeLabel->setText(tr("Mode:"));
    m_single->setText(tr("Single"));
    m_tiled->setText(tr("Tiled"));
    m_imageGroup->setTitle(tr("Image Watermark"));
    m_imageEnabled->setText(tr("Enable Image Watermark"));
    m_imageLabel->setText(tr("Image:"));
    m_browse->setText(tr("Browse..."));
    m_widthLabel->setText(tr("Width:"));
    m_heightLabel->setText(tr("Height:"));
    m_imageOpacityLabel->setText(tr("Opacity:"));
    m_imagePositionLabel->setText(tr("Position:"));
    fillPositions(m_textPosition);
    fillPositions(m_imagePosition);
    translateButtons();
}

// Qt's own texts for the standard buttons come from a catalogue the program does not ship.
void WatermarkDialog::translateButtons()
{
    m_buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    m_buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
}

void WatermarkDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    // The button box answers the same event after this one and puts Qt's English texts back.
    if (event->type() == QEvent::LanguageChange)
        QMetaObject::invokeMethod(this, &WatermarkDialog::translateButtons, Qt::QueuedConnection);
}

void WatermarkDialog::onLanguageChanged() { retranslateUi(); }

std::unique_ptr<QSettings> WatermarkDialog::openStore() const
{
    if (m_storeFactory)
        return m_storeFactory();
    return std::make_unique<QSettings>(QString::fromLatin1(kWatermarkSettingsOrganization),
                                       QString::fromLatin1(kWatermarkSettingsApplication));
}

void WatermarkDialog::loadSettings()
{
    const std::unique_ptr<QSettings> store = openStore();
    showSettings(loadWatermarkSettings(*store));
}

void WatermarkDialog::saveSettings()
{
    const std::unique_ptr<QSettings> store = openStore();
    saveWatermarkSettings(*store, settings());
}

void WatermarkDialog::accept()
{
    saveSettings();
    QDialog::accept();
}

void WatermarkDialog::reject()
{
    loadSettings();
    QDialog::reject();
}

void WatermarkDialog::showSettings(const WatermarkSettings& s)
{
    m_loading = true;
    m_textEnabled->setChecked(s.textEnabled);
    m_text->setText(s.text);
    m_fontSize->setValue(s.fontSize);
    // A family stored on another machine stays what it was, even if not installed here.
    if (m_font->findText(s.fontFamily) < 0)
        m_font->addItem(s.fontFamily);
    m_font->setCurrentIndex(m_font->findText(s.fontFamily));
    setTextColor(s.textColor);
    m_textOpacity->setValue(s.textOpacity);
    m_textOpacityValue->setText(QStringLiteral("%1%").arg(m_textOpacity->value()));
    m_textPosition->setCurrentIndex(s.textPosition >= 0 && s.textPosition <= 8 ? s.textPosition : 4);
    m_rotation->setValue(s.textRotation);
    m_rotationValue->setText(QString::number(m_rotation->value()));
    (s.textTiledMode ? m_tiled : m_single)->setChecked(true);
    m_imageEnabled->setChecked(s.imageEnabled);
    m_imagePath->setText(s.imagePath);
    m_imageWidth->setValue(s.imageWidth);
    m_imageHeight->setValue(s.imageHeight);
    m_imageOpacity->setValue(s.imageOpacity);
    m_imageOpacityValue->setText(QStringLiteral("%1%").arg(m_imageOpacity->value()));
    m_imagePosition->setCurrentIndex(s.imagePosition >= 0 && s.imagePosition <= 8 ? s.imagePosition : 4);
    m_loading = false;
    updatePreview();
}

WatermarkSettings WatermarkDialog::settings() const
{
    WatermarkSettings s;
    s.textEnabled = m_textEnabled->isChecked();
    s.text = m_text->text();
    s.fontSize = m_fontSize->value();
    s.fontFamily = m_font->currentText();
    s.textColor = m_textColor;
    s.textOpacity = m_textOpacity->value();
    s.textPosition = m_textPosition->currentIndex();
    s.textRotation = m_rotation->value();
    s.textTiledMode = m_tiled->isChecked();
    s.imageEnabled = m_imageEnabled->isChecked();
    s.imagePath = m_imagePath->text();
    s.imageWidth = m_imageWidth->value();
    s.imageHeight = m_imageHeight->value();
    s.imageOpacity = m_imageOpacity->value();
    s.imagePosition = m_imagePosition->currentIndex();
    return s;
}

void WatermarkDialog::setTextColor(const QColor& colour)
{
    m_textColor = colour;
    m_colorButton->setStyleSheet(QStringLiteral("background-color: %1;").arg(colour.name()));
}

void WatermarkDialog::onTextColorClicked()
{
    const QColor chosen = m_colorChooser ? m_colorChooser(m_textColor)
                                         : QColorDialog::getColor(m_textColor, this, tr("Select Text Color"));
    if (!chosen.isValid())
        return;
    setTextColor(chosen);
    updatePreview();
}

void WatermarkDialog::onSelectImageFile()
{
    const QString path = m_filePrompter
                             ? m_filePrompter(m_imagePath->text())
                             : QFileDialog::getOpenFileName(this, tr("Select Watermark Image"), m_imagePath->text(),
                                                            tr("Image Files (*.png *.jpg *.jpeg *.bmp)"));
    if (path.isEmpty())
        return;
    m_imagePath->setText(path);
}

void WatermarkDialog::onImageWidthChanged(int width)
{
    Q_UNUSED(width)
    updatePreview();
}

void WatermarkDialog::onImageHeightChanged(int height)
{
    Q_UNUSED(height)
    updatePreview();
}

void WatermarkDialog::onRotationSliderChanged(int value)
{
    m_rotationValue->setText(QString::number(value));
    updatePreview();
}

QPixmap WatermarkDialog::previewPixmap() const
{
    return m_preview->pixmap(Qt::ReturnByValue);
}

void WatermarkDialog::updatePreview()
{
    if (m_loading)
        return;
    QPixmap pixmap(kPreviewWidth, kPreviewHeight);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.fillRect(kSamplePage, QColor(200, 220, 240));
    // The sample page is the canvas: the stamp keeps its margins from the page's edges.
    painter.setClipRect(kSamplePage);
    painter.translate(kSamplePage.topLeft());
    paintWatermark(painter, kSamplePage.size(), settings());
    painter.end();
    m_preview->setPixmap(pixmap);
}
