#include "ImagePreviewDialog.h"

#include "AnnotationOverlay.h"
#include "VideoWidget.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QColorDialog>
#include <QDateTime>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char* const kToolNames[] = {QT_TRANSLATE_NOOP("ImagePreviewDialog", "Select"),
                                  QT_TRANSLATE_NOOP("ImagePreviewDialog", "Pen"),
                                  QT_TRANSLATE_NOOP("ImagePreviewDialog", "Line"),
                                  QT_TRANSLATE_NOOP("ImagePreviewDialog", "Rectangle"),
                                  QT_TRANSLATE_NOOP("ImagePreviewDialog", "Ellipse"),
                                  QT_TRANSLATE_NOOP("ImagePreviewDialog", "Eraser")};
const char* const kToolTips[] = {QT_TRANSLATE_NOOP("ImagePreviewDialog", "Selection tool"),
                                 QT_TRANSLATE_NOOP("ImagePreviewDialog", "Pen tool"),
                                 QT_TRANSLATE_NOOP("ImagePreviewDialog", "Line tool"),
                                 QT_TRANSLATE_NOOP("ImagePreviewDialog", "Rectangle tool"),
                                 QT_TRANSLATE_NOOP("ImagePreviewDialog", "Ellipse tool"),
                                 QT_TRANSLATE_NOOP("ImagePreviewDialog", "Eraser tool")};
constexpr int kToolCount = 6;

const char* const kDialogStyle =
    "QDialog { background-color: #1e1e1e; color: #e0e0e0; }"
    "QToolBar { background-color: #252525; border-bottom: 1px solid #3d3d3d; spacing: 4px; padding: 4px; }"
    "QToolButton { background-color: #2d2d2d; color: #e0e0e0; border: 1px solid #3d3d3d; border-radius: 4px;"
    " padding: 4px 8px; }"
    "QToolButton:hover { background-color: #3d3d3d; }"
    "QToolButton:checked { background-color: #5a6ea5; border: 1px solid #6a8fd5; }"
    "QToolButton:disabled { color: #6d6d6d; }"
    "QWidget#toolsPanel { background-color: #252525; border-left: 1px solid #3d3d3d; }"
    "QGroupBox { background-color: #2d2d2d; color: #e0e0e0; border: 1px solid #3d3d3d; border-radius: 4px;"
    " margin-top: 12px; padding-top: 8px; }"
    "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 4px; }"
    "QLabel { color: #e0e0e0; }"
    "QStatusBar { background-color: #252525; color: #e0e0e0; border-top: 1px solid #3d3d3d; }";

const char* const kColorButtonStyle =
    "QPushButton { background-color: %1; border: 2px solid #ffffff; border-radius: 3px; }"
    "QPushButton:hover { border: 2px solid #4a6fa5; }";

QString formatName(QImage::Format format)
{
    switch (format) {
    case QImage::Format_ARGB32:
        return QStringLiteral("ARGB32");
    case QImage::Format_RGB888:
        return QStringLiteral("RGB888");
    case QImage::Format_Grayscale8:
        return ImagePreviewDialog::tr("Grayscale 8-bit");
    case QImage::Format_Invalid:
        return ImagePreviewDialog::tr("Unknown");
    default:
        return ImagePreviewDialog::tr("Format %1").arg(int(format));
    }
}

} // namespace

ImagePreviewDialog::ImagePreviewDialog(QWidget* parent) : QDialog(parent)
{
    buildUi();
    retranslateUi();
    updateActions();
    updateStatusBar();
}

ImagePreviewDialog::~ImagePreviewDialog() = default;

void ImagePreviewDialog::buildUi()
{
    setStyleSheet(QString::fromLatin1(kDialogStyle));
    resize(1000, 700);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    m_toolBar = new QToolBar(this);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto addAction = [this](const char* icon, auto slot, const QList<QKeySequence>& keys) {
        QAction* action = m_toolBar->addAction(QIcon(QString::fromLatin1(icon)), QString());
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    m_saveAction = addAction(":/icons/save.png", &ImagePreviewDialog::onSave, {QKeySequence(Qt::CTRL + Qt::Key_S)});
    m_saveAsAction = addAction(":/icons/save.png", &ImagePreviewDialog::onSaveAs,
                               {QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_S)});
    m_copyAction = addAction(":/icons/composite.png", &ImagePreviewDialog::onCopyToClipboard,
                             {QKeySequence(Qt::CTRL + Qt::Key_C)});
    m_toolBar->addSeparator();
    m_zoomInAction = addAction(":/icons/zoom_in.png", &ImagePreviewDialog::onZoomIn,
                               {QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Equal)});
    m_zoomOutAction = addAction(":/icons/zoom_out.png", &ImagePreviewDialog::onZoomOut, {QKeySequence(Qt::Key_Minus)});
    m_zoomResetAction = addAction(":/icons/zoom_reset.png", &ImagePreviewDialog::onZoomReset, {QKeySequence(Qt::Key_0)});
    m_fitAction = addAction(":/icons/fit.png", &ImagePreviewDialog::onFitToView, {QKeySequence(Qt::Key_F)});
    m_zoomLabel = new QLabel(this);
    m_zoomLabel->setMinimumWidth(50);
    m_zoomLabel->setAlignment(Qt::AlignCenter);
    m_toolBar->addWidget(m_zoomLabel);
    m_toolBar->addSeparator();
    m_rotateLeftAction = addAction(":/icons/rotate_left.png", &ImagePreviewDialog::onRotateLeft,
                                   {QKeySequence(Qt::CTRL + Qt::Key_L)});
    m_rotateRightAction = addAction(":/icons/rotate_right.png", &ImagePreviewDialog::onRotateRight,
                                    {QKeySequence(Qt::CTRL + Qt::Key_R)});
    m_toolBar->addSeparator();
    m_undoAction = addAction(":/icons/undo.png", &ImagePreviewDialog::onUndo, {QKeySequence(Qt::CTRL + Qt::Key_Z)});
    m_redoAction = addAction(":/icons/redo.png", &ImagePreviewDialog::onRedo, {QKeySequence(Qt::CTRL + Qt::Key_Y)});
    m_clearAction = addAction(":/icons/clear.png", &ImagePreviewDialog::onClear, {QKeySequence(Qt::Key_Delete)});
    m_toolBar->addSeparator();
    m_toolsAction = addAction(":/icons/color.png", &ImagePreviewDialog::toggleToolsPanel, {QKeySequence(Qt::Key_T)});
    m_toolsAction->setCheckable(true);
    m_toolsAction->setChecked(true);
    m_closeAction = addAction(":/icons/exit.png", &ImagePreviewDialog::reject, {QKeySequence(Qt::Key_Escape)});
    root->addWidget(m_toolBar);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    m_canvas = new VideoWidget(this);
    m_canvas->setAutoFit(true);
    // The dialog owns every key: the canvas handles some of the same keys itself, and letting both
    // act would undo twice or clear without asking.
    m_canvas->setFocusPolicy(Qt::NoFocus);
    m_canvas->installEventFilter(this);
    body->addWidget(m_canvas, 1);

    m_toolsPanel = new QWidget(this);
    m_toolsPanel->setObjectName("toolsPanel");
    m_toolsPanel->setFixedWidth(240);
    auto* panel = new QVBoxLayout(m_toolsPanel);
    m_infoGroup = new QGroupBox(m_toolsPanel);
    auto* infoLayout = new QVBoxLayout(m_infoGroup);
    m_infoLabel = new QLabel(m_infoGroup);
    m_infoLabel->setWordWrap(true);
    infoLayout->addWidget(m_infoLabel);
    panel->addWidget(m_infoGroup);

    m_annotationGroup = new QGroupBox(m_toolsPanel);
    auto* grid = new QGridLayout(m_annotationGroup);
    m_toolButtons = new QButtonGroup(this);
    m_toolButtons->setExclusive(true);
    const char* const icons[kToolCount] = {":/icons/select.png", ":/icons/pen.png", ":/icons/line.png",
                                           ":/icons/rectangle.png", ":/icons/ellipse.png", ":/icons/eraser.png"};
    for (int id = 0; id < kToolCount; ++id) {
        auto* button = new QToolButton(m_annotationGroup);
        button->setCheckable(true);
        button->setIcon(QIcon(QString::fromLatin1(icons[id])));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        button->setChecked(id == AnnotationOverlay::SelectTool);
        m_toolButtons->addButton(button, id);
        grid->addWidget(button, id / 3, id % 3);
    }
    connect(m_toolButtons, &QButtonGroup::idClicked, this, &ImagePreviewDialog::onToolChanged);

    m_colorLabel = new QLabel(m_annotationGroup);
    m_colorButton = new QPushButton(m_annotationGroup);
    m_colorButton->setFixedSize(40, 22);
    connect(m_colorButton, &QPushButton::clicked, this, &ImagePreviewDialog::onSelectColor);
    grid->addWidget(m_colorLabel, 2, 0);
    grid->addWidget(m_colorButton, 2, 1);

    m_widthLabel = new QLabel(m_annotationGroup);
    m_widthSlider = new QSlider(Qt::Horizontal, m_annotationGroup);
    m_widthSlider->setRange(1, 50);
    m_widthSlider->setValue(3);
    m_widthValueLabel = new QLabel(QString::number(m_widthSlider->value()), m_annotationGroup);
    connect(m_widthSlider, &QSlider::valueChanged, this, &ImagePreviewDialog::onPenWidthChanged);
    grid->addWidget(m_widthLabel, 3, 0);
    grid->addWidget(m_widthSlider, 3, 1);
    grid->addWidget(m_widthValueLabel, 3, 2);

    m_eraserLabel = new QLabel(m_annotationGroup);
    m_eraserSlider = new QSlider(Qt::Horizontal, m_annotationGroup);
    m_eraserSlider->setRange(5, 100);
    m_eraserSlider->setValue(20);
    m_eraserValueLabel = new QLabel(QString::number(m_eraserSlider->value()), m_annotationGroup);
    connect(m_eraserSlider, &QSlider::valueChanged, this, &ImagePreviewDialog::onEraserSizeChanged);
    grid->addWidget(m_eraserLabel, 4, 0);
    grid->addWidget(m_eraserSlider, 4, 1);
    grid->addWidget(m_eraserValueLabel, 4, 2);
    panel->addWidget(m_annotationGroup);
    panel->addStretch();
    body->addWidget(m_toolsPanel);
    root->addLayout(body, 1);

    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    m_toolStatus = new QLabel(status);
    m_zoomStatus = new QLabel(status);
    m_sizeStatus = new QLabel(status);
    status->addWidget(m_toolStatus, 1);
    status->addWidget(m_zoomStatus);
    status->addWidget(m_sizeStatus);
    root->addWidget(status);

    // Every committed stroke or erasure is one undo step of the canvas; the dialog's buttons follow it.
    connect(m_canvas, &VideoWidget::annotationAdded, this, &ImagePreviewDialog::updateActions);
    connect(m_canvas, &VideoWidget::annotationModified, this, &ImagePreviewDialog::updateActions);
    connect(m_canvas, &VideoWidget::zoomChanged, this, &ImagePreviewDialog::updateZoomLabel);
    connect(m_canvas, &VideoWidget::zoomChanged, this, &ImagePreviewDialog::updateStatusBar);

    m_canvas->setPenColor(m_penColor);
    m_canvas->setPenWidth(m_widthSlider->value());
    m_canvas->setEraserSize(m_eraserSlider->value());
    updateColorButton();
}

void ImagePreviewDialog::retranslateUi()
{
    m_saveAction->setText(tr("Save"));
    m_saveAction->setToolTip(tr("Save image (Ctrl+S)"));
    m_saveAsAction->setText(tr("Save As"));
    m_saveAsAction->setToolTip(tr("Save as..."));
    m_copyAction->setText(tr("Copy"));
    m_copyAction->setToolTip(tr("Copy to clipboard (Ctrl+C)"));
    m_zoomInAction->setText(tr("Zoom In"));
    m_zoomInAction->setToolTip(tr("Zoom in (+)"));
    m_zoomOutAction->setText(tr("Zoom Out"));
    m_zoomOutAction->setToolTip(tr("Zoom out (-)"));
    m_zoomResetAction->setText(tr("100%"));
    m_zoomResetAction->setToolTip(tr("Reset zoom (0)"));
    m_fitAction->setText(tr("Fit"));
    m_fitAction->setToolTip(tr("Fit to window (F)"));
    m_rotateLeftAction->setText(tr("Rotate Left"));
    m_rotateLeftAction->setToolTip(tr("Rotate left (Ctrl+L)"));
    m_rotateRightAction->setText(tr("Rotate Right"));
    m_rotateRightAction->setToolTip(tr("Rotate right (Ctrl+R)"));
    m_undoAction->setText(tr("Undo"));
    m_undoAction->setToolTip(tr("Undo (Ctrl+Z)"));
    m_redoAction->setText(tr("Redo"));
    m_redoAction->setToolTip(tr("Redo (Ctrl+Y)"));
    m_clearAction->setText(tr("Clear"));
    m_clearAction->setToolTip(tr("Clear annotations (Del)"));
    m_toolsAction->setText(tr("Tools"));
    m_toolsAction->setToolTip(tr("Toggle tools panel (T)"));
    m_closeAction->setText(tr("Close"));
    m_closeAction->setToolTip(tr("Close window (Esc)"));

    m_infoGroup->setTitle(tr("Image Information"));
    m_annotationGroup->setTitle(tr("Annotation Tools"));
    for (int id = 0; id < kToolCount; ++id) {
        QAbstractButton* button = m_toolButtons->button(id);
        button->setText(tr(kToolNames[id]));
        button->setToolTip(tr(kToolTips[id]));
    }
    m_colorButton->setToolTip(tr("Select pen color"));
    m_colorLabel->setText(tr("Color:"));
    m_widthLabel->setText(tr("Width:"));
    m_eraserLabel->setText(tr("Eraser size:"));
    if (m_image.isNull())
        setWindowTitle(tr("Image Preview"));
    else
        setWindowTitle(tr("Image Preview - %1x%2").arg(m_image.width()).arg(m_image.height()));
    updateImageInfo();
    updateZoomLabel();
    updateStatusBar();
}

void ImagePreviewDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange && m_saveAction)
        retranslateUi();
    QDialog::changeEvent(event);
}

bool ImagePreviewDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Left unaccepted, the override goes back to the dialog's shortcuts, so each key acts once.
    if (watched == m_canvas && event->type() == QEvent::ShortcutOverride)
        return true;
    return QDialog::eventFilter(watched, event);
}

void ImagePreviewDialog::setFilePrompter(FilePrompter prompter) { m_filePrompter = std::move(prompter); }

void ImagePreviewDialog::setMessageFunction(MessageFunction function) { m_messageFunction = std::move(function); }

void ImagePreviewDialog::setColorChooser(ColorChooser chooser) { m_colorChooser = std::move(chooser); }

QMessageBox::StandardButton ImagePreviewDialog::message(QMessageBox::Icon icon, const QString& title,
                                                        const QString& text, QMessageBox::StandardButtons buttons)
{
    if (m_messageFunction)
        return m_messageFunction(icon, title, text, buttons);
    QMessageBox box(icon, title, text, buttons, this);
    return QMessageBox::StandardButton(box.exec());
}

void ImagePreviewDialog::setImage(const QImage& image)
{
    if (image.isNull()) {
        message(QMessageBox::Warning, tr("Error"), tr("Invalid image"));
        return;
    }
    m_image = image;
    m_canvas->clearAnnotations();
    m_canvas->setFrame(image);
    m_canvas->setOpening(false);
    m_canvas->fitToView();
    setWindowTitle(tr("Image Preview - %1x%2").arg(image.width()).arg(image.height()));
    updateImageInfo();
    updateActions();
    updateZoomLabel();
    updateStatusBar();
}

QImage ImagePreviewDialog::annotatedImage() const
{
    if (m_image.isNull())
        return QImage();
    const QImage annotated = m_canvas->annotatedImage();
    // The canvas takes the frame at its next paint; until then the picture itself is what is shown.
    return annotated.isNull() ? m_image : annotated;
}

QString ImagePreviewDialog::imageInfoText() const { return m_infoLabel->text(); }

QString ImagePreviewDialog::statusText() const
{
    return m_toolStatus->text() + " | " + m_zoomStatus->text() + " | " + m_sizeStatus->text();
}

void ImagePreviewDialog::updateImageInfo()
{
    if (m_image.isNull()) {
        m_infoLabel->clear();
        return;
    }
    m_infoLabel->setText(tr("Size: %1 x %2\nFormat: %3\nSize: %4 KB")
                             .arg(m_image.width())
                             .arg(m_image.height())
                             .arg(formatName(m_image.format()))
                             .arg(m_image.sizeInBytes() / 1024));
}

void ImagePreviewDialog::updateActions()
{
    const bool hasImage = !m_image.isNull();
    m_saveAction->setEnabled(hasImage);
    m_saveAsAction->setEnabled(hasImage);
    m_copyAction->setEnabled(hasImage);
    m_undoAction->setEnabled(m_canvas->annotations()->canUndo());
    m_redoAction->setEnabled(m_canvas->annotations()->canRedo());
}

void ImagePreviewDialog::updateColorButton()
{
    m_colorButton->setStyleSheet(QString::fromLatin1(kColorButtonStyle).arg(m_penColor.name()));
}

void ImagePreviewDialog::onSave() { saveTo(QDateTime::currentDateTime().toString("yyyyMMdd_hhmmss") + ".png"); }

void ImagePreviewDialog::onSaveAs() { onSave(); }

void ImagePreviewDialog::saveTo(const QString& proposal)
{
    if (m_image.isNull()) {
        message(QMessageBox::Warning, tr("Error"), tr("No image to save"));
        return;
    }
    const QString path = m_filePrompter
        ? m_filePrompter(proposal)
        : QFileDialog::getSaveFileName(this, tr("Save Image"), proposal, tr("Image files (*.png *.jpg *.bmp *.tiff)"));
    if (path.isEmpty())
        return;
    if (!annotatedImage().save(path)) {
        message(QMessageBox::Warning, tr("Error"), tr("Failed to save image"));
        return;
    }
    message(QMessageBox::Information, tr("Save Successful"), tr("Image saved to: %1").arg(path));
    emit imageSaved(path);
}

void ImagePreviewDialog::onCopyToClipboard()
{
    if (m_image.isNull()) {
        message(QMessageBox::Warning, tr("Error"), tr("No image to copy"));
        return;
    }
    QApplication::clipboard()->setImage(annotatedImage());
    message(QMessageBox::Information, tr("Copy Successful"), tr("Image copied to clipboard"));
}

void ImagePreviewDialog::onZoomIn() { m_canvas->zoomIn(); }

void ImagePreviewDialog::onZoomOut() { m_canvas->zoomOut(); }

void ImagePreviewDialog::onZoomReset() { m_canvas->resetZoom(); }

void ImagePreviewDialog::onFitToView() { m_canvas->fitToView(); }

void ImagePreviewDialog::onRotateLeft() { m_canvas->rotateLeft(); }

void ImagePreviewDialog::onRotateRight() { m_canvas->rotateRight(); }

void ImagePreviewDialog::onSelectColor()
{
    const QColor chosen = m_colorChooser
        ? m_colorChooser(m_penColor)
        : QColorDialog::getColor(m_penColor, this, tr("Select Pen Color"), QColorDialog::ShowAlphaChannel);
    if (!chosen.isValid())
        return;
    m_penColor = chosen;
    m_canvas->setPenColor(chosen);
    updateColorButton();
}

void ImagePreviewDialog::onPenWidthChanged(int width)
{
    m_widthValueLabel->setText(QString::number(width));
    m_canvas->setPenWidth(width);
}

void ImagePreviewDialog::onEraserSizeChanged(int size)
{
    m_eraserValueLabel->setText(QString::number(size));
    m_canvas->setEraserSize(size);
}

void ImagePreviewDialog::onUndo()
{
    // The canvas takes back its newest action exactly, strokes and erasures alike; the picture is
    // burnt from the strokes left whenever it is saved or copied.
    m_canvas->undo();
    updateActions();
}

void ImagePreviewDialog::onRedo()
{
    m_canvas->redo();
    updateActions();
}

void ImagePreviewDialog::onClear()
{
    if (m_image.isNull())
        return;
    if (message(QMessageBox::Question, tr("Clear Annotations"), tr("Are you sure you want to clear all annotations?"),
                QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    m_canvas->clearAnnotations();
    updateActions();
}

void ImagePreviewDialog::onToolChanged(int tool)
{
    if (tool < 0 || tool >= kToolCount)
        return;
    if (QAbstractButton* button = m_toolButtons->button(tool))
        button->setChecked(true);
    m_canvas->setTool(tool);
    updateStatusBar();
}

void ImagePreviewDialog::updateZoomLabel() { m_zoomLabel->setText(QString("%1%").arg(m_canvas->zoomPercent())); }

void ImagePreviewDialog::updateStatusBar()
{
    const int tool = m_canvas->annotations()->tool();
    m_toolStatus->setText(tr("Current tool: %1").arg(tr(kToolNames[qBound(0, tool, kToolCount - 1)])));
    m_zoomStatus->setText(tr("Zoom: %1%").arg(m_canvas->zoomPercent()));
    m_sizeStatus->setText(tr("Size: %1 x %2").arg(m_image.width()).arg(m_image.height()));
}

void ImagePreviewDialog::toggleToolsPanel()
{
    // isHidden, not isVisible: the panel's own state, also before the dialog is shown.
    m_toolsPanel->setHidden(!m_toolsPanel->isHidden());
    m_toolsAction->setChecked(!m_toolsPanel->isHidden());
}

void ImagePreviewDialog::toggleAnnotations()
{
    // Hiding the annotation tools also puts the pen down, so a hidden tool cannot draw.
    const bool show = m_annotationGroup->isHidden();
    m_annotationGroup->setHidden(!show);
    if (!show)
        onToolChanged(AnnotationOverlay::SelectTool);
}
