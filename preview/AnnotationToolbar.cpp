#include "AnnotationToolbar.h"

#include <QAction>
#include <QButtonGroup>
#include <QColorDialog>
#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

namespace {

struct ToolEntry {
    const char* icon;
    const char* text;
    const char* tip;
};

// Indexed by AnnotationOverlay::Tool.
const ToolEntry kTools[] = {
    {":/icons/select.png", QT_TRANSLATE_NOOP("AnnotationToolbar", "Select"), QT_TRANSLATE_NOOP("AnnotationToolbar", "Select Tool")},
    {":/icons/pen.png", QT_TRANSLATE_NOOP("AnnotationToolbar", "Pen"), QT_TRANSLATE_NOOP("AnnotationToolbar", "Pen Tool")},
    {":/icons/line.png", QT_TRANSLATE_NOOP("AnnotationToolbar", "Line"), QT_TRANSLATE_NOOP("AnnotationToolbar", "Line Tool")},
    {":/icons/rectangle.png", QT_TRANSLATE_NOOP("AnnotationToolbar", "Rectangle"), QT_TRANSLATE_NOOP("AnnotationToolbar", "Rectangle Tool")},
    {":/icons/ellipse.png", QT_TRANSLATE_NOOP("AnnotationToolbar", "Ellipse"), QT_TRANSLATE_NOOP("AnnotationToolbar", "Ellipse Tool")},
    {":/icons/eraser.png", QT_TRANSLATE_NOOP("AnnotationToolbar", "Eraser"), QT_TRANSLATE_NOOP("AnnotationToolbar", "Eraser Tool")},
};
constexpr int kToolCount = int(sizeof(kTools) / sizeof(kTools[0]));

const char* const kToolBarStyle =
    "QToolBar {   background-color: #2b2b2b;   border-top: 1px solid #3c3c3c;   spacing: 5px;   padding: 5px;}"
    "QToolButton {   background-color: #3c3c3c;   border: 1px solid #4c4c4c;   border-radius: 4px;   padding: 5px;"
    "   min-width: 80px;}"
    "QToolButton:hover {   background-color: #4c4c4c;}"
    "QToolButton:checked {   background-color: #5a6ea5;   border: 1px solid #6a8fd5;}";

const char* const kColorButtonStyle =
    "QPushButton {   background-color: %1;   border: 2px solid #ffffff;   border-radius: 3px;}"
    "QPushButton:hover {   border: 2px solid #4a6fa5;}";

} // namespace

AnnotationToolbar::AnnotationToolbar(QWidget* parent) : QToolBar(parent)
{
    setOrientation(Qt::Horizontal);
    setIconSize(QSize(24, 24));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setStyleSheet(QString::fromLatin1(kToolBarStyle));

    m_tools = new QButtonGroup(this);
    m_tools->setExclusive(true);
    for (int id = 0; id < kToolCount; ++id) {
        auto* button = new QToolButton(this);
        button->setIcon(QIcon(QString::fromLatin1(kTools[id].icon)));
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setChecked(id == 0);
        m_tools->addButton(button, id);
        addWidget(button);
    }
    connect(m_tools, &QButtonGroup::idClicked, this, &AnnotationToolbar::toolChanged);

    addSeparator();
    auto* strip = new QWidget(this);
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(5, 0, 5, 0);
    layout->setSpacing(10);

    m_colorButton = new QPushButton(strip);
    m_colorButton->setObjectName("colorButton");
    m_colorButton->setFixedSize(30, 24);
    connect(m_colorButton, &QPushButton::clicked, this, &AnnotationToolbar::chooseColor);
    layout->addWidget(m_colorButton);

    m_widthLabel = new QLabel(strip);
    m_widthLabel->setObjectName("widthLabel");
    m_widthLabel->setFixedWidth(40);
    layout->addWidget(m_widthLabel);
    m_widthSlider = new QSlider(Qt::Horizontal, strip);
    m_widthSlider->setRange(1, 50);
    m_widthSlider->setValue(3);
    m_widthSlider->setFixedWidth(80);
    layout->addWidget(m_widthSlider);
    m_widthValueLabel = new QLabel(QString::number(m_widthSlider->value()), strip);
    m_widthValueLabel->setFixedWidth(25);
    m_widthValueLabel->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_widthValueLabel);

    m_eraserLabel = new QLabel(strip);
    m_eraserLabel->setObjectName("eraserLabel");
    m_eraserLabel->setFixedWidth(50);
    layout->addWidget(m_eraserLabel);
    m_eraserSlider = new QSlider(Qt::Horizontal, strip);
    m_eraserSlider->setRange(5, 100);
    m_eraserSlider->setValue(20);
    m_eraserSlider->setFixedWidth(80);
    layout->addWidget(m_eraserSlider);
    m_eraserValueLabel = new QLabel(QString::number(m_eraserSlider->value()), strip);
    m_eraserValueLabel->setObjectName("eraserValueLabel");
    m_eraserValueLabel->setFixedWidth(25);
    m_eraserValueLabel->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_eraserValueLabel);
    layout->addStretch();
    addWidget(strip);

    connect(m_widthSlider, &QSlider::valueChanged, this, [this](int value) {
        m_widthValueLabel->setText(QString::number(value));
        emit penWidthChanged(value);
    });
    connect(m_eraserSlider, &QSlider::valueChanged, this, [this](int value) {
        m_eraserValueLabel->setText(QString::number(value));
        emit eraserSizeChanged(value);
    });

    addSeparator();
    m_undoAction = addAction(QIcon(QStringLiteral(":/icons/undo.png")), QString());
    connect(m_undoAction, &QAction::triggered, this, &AnnotationToolbar::undoRequested);
    m_clearAction = addAction(QIcon(QStringLiteral(":/icons/clear.png")), QString());
    connect(m_clearAction, &QAction::triggered, this, &AnnotationToolbar::clearRequested);

    updateColorButton();
    retranslateUi();
}

void AnnotationToolbar::retranslateUi()
{
    setWindowTitle(tr("Annotation Tools"));
    for (int id = 0; id < kToolCount; ++id) {
        QAbstractButton* button = m_tools->button(id);
        button->setText(tr(kTools[id].text));
        button->setToolTip(tr(kTools[id].tip));
    }
    m_colorButton->setToolTip(tr("Pen Color"));
    m_widthLabel->setText(tr("Width:"));
    m_widthSlider->setToolTip(tr("Pen Width"));
    m_eraserLabel->setText(tr("Eraser:"));
    m_eraserSlider->setToolTip(tr("Eraser Size"));
    m_undoAction->setText(tr("Undo"));
    m_clearAction->setText(tr("Clear"));
}

void AnnotationToolbar::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QToolBar::changeEvent(event);
}

void AnnotationToolbar::setPenColor(const QColor& color)
{
    if (!color.isValid())
        return;
    m_penColor = color;
    updateColorButton();
}

void AnnotationToolbar::setPenWidth(int width)
{
    const QSignalBlocker block(m_widthSlider);
    m_widthSlider->setValue(width);
    m_widthValueLabel->setText(QString::number(m_widthSlider->value()));
}

void AnnotationToolbar::setEraserSize(int size)
{
    const QSignalBlocker block(m_eraserSlider);
    m_eraserSlider->setValue(size);
    m_eraserValueLabel->setText(QString::number(m_eraserSlider->value()));
}

int AnnotationToolbar::penWidth() const { return m_widthSlider->value(); }

int AnnotationToolbar::eraserSize() const { return m_eraserSlider->value(); }

int AnnotationToolbar::currentTool() const { return m_tools->checkedId(); }

void AnnotationToolbar::setColorChooser(ColorChooser chooser) { m_chooser = std::move(chooser); }

QToolButton* AnnotationToolbar::toolButton(int tool) const
{
    return qobject_cast<QToolButton*>(m_tools->button(tool));
}

void AnnotationToolbar::chooseColor()
{
    const QColor chosen = m_chooser
        ? m_chooser(m_penColor)
        : QColorDialog::getColor(m_penColor, this, tr("Select Pen Color"), QColorDialog::ShowAlphaChannel);
    if (!chosen.isValid())
        return;
    m_penColor = chosen;
    updateColorButton();
    emit penColorChanged(chosen);
}

void AnnotationToolbar::updateColorButton()
{
    m_colorButton->setStyleSheet(QString::fromLatin1(kColorButtonStyle).arg(m_penColor.name()));
}
