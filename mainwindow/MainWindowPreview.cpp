// The window's side of the live preview: view commands, annotation tools and the crop selection.
#include "AnnotationDock.h"
#include "AnnotationToolbar.h"
#include "CameraDock.h"
#include "MainWindow.h"
#include "MainWindowActions.h"
#include "VideoWidget.h"

#include <QCheckBox>
#include <QDebug>
#include <QMenu>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolButton>

void MainWindow::wirePreview()
{
    VideoWidget* view = m_videoWidget;
    view->setAutoFit(true);
    connect(view, &VideoWidget::rotationChanged, this, [this] { saveSettings(); });
    connect(view, &VideoWidget::zoomChanged, this, &MainWindow::updateStatusBar);
    connect(view, &VideoWidget::glInitFailed, this, &MainWindow::onPreviewGlFailed);
    connect(view, &VideoWidget::imageDragged, this, &MainWindow::onImageDragged);
    connect(view, &VideoWidget::cropRectChanged, this, [](const QRect& rect) {
        qDebug().noquote() << "[Crop] selection in frame pixels:" << rect;
    });
    connect(m_annotationDock, &AnnotationDock::toolChanged, this, &MainWindow::onToolChanged);

    // The drawing tool bar at the bottom offers the same tools as the annotation dock; both drive
    // the preview and show the same choice. Hidden until the user asks for it in the View menu.
    m_annotationToolbar = new AnnotationToolbar(this);
    m_annotationToolbar->setObjectName(QStringLiteral("annotationToolbar"));
    addToolBar(Qt::BottomToolBarArea, m_annotationToolbar);
    m_annotationToolbar->hide();
    m_viewMenu->addSeparator();
    m_viewMenu->addAction(m_annotationToolbar->toggleViewAction());
    connect(m_annotationToolbar, &AnnotationToolbar::toolChanged, this, &MainWindow::onToolChanged);
    connect(m_annotationToolbar, &AnnotationToolbar::penColorChanged, this, &MainWindow::applyPenColor);
    connect(m_annotationToolbar, &AnnotationToolbar::penWidthChanged, this, &MainWindow::onPenWidthChanged);
    connect(m_annotationToolbar, &AnnotationToolbar::eraserSizeChanged, this, &MainWindow::onEraserSizeChanged);
    connect(m_annotationToolbar, &AnnotationToolbar::undoRequested, this, &MainWindow::onUndoAnnotation);
    connect(m_annotationToolbar, &AnnotationToolbar::clearRequested, this, &MainWindow::onClearAnnotations);
}

void MainWindow::applyPenColor(const QColor& colour)
{
    m_settings.penColor = colour;
    m_videoWidget->setPenColor(colour);
    m_annotationDock->setPenColor(colour);
    m_annotationToolbar->setPenColor(colour);
}

void MainWindow::onToolChanged(int tool)
{
    static const char* const kActivated[] = {
        QT_TR_NOOP("Select tool activated"),    QT_TR_NOOP("Pen tool activated"),
        QT_TR_NOOP("Line tool activated"),      QT_TR_NOOP("Rectangle tool activated"),
        QT_TR_NOOP("Ellipse tool activated"),   QT_TR_NOOP("Eraser tool activated")};
    if (tool < 0 || tool > 5)
        return;
    m_videoWidget->setTool(tool);
    for (QToolButton* button : {m_annotationDock->toolButton(tool), m_annotationToolbar->toolButton(tool)}) {
        const QSignalBlocker quiet(button);
        if (button)
            button->setChecked(true);
    }
    showStatus(tr(kActivated[tool]), 1000);
}

void MainWindow::onEraserSizeChanged(int size)
{
    m_settings.eraserSize = size;
    m_videoWidget->setEraserSize(size);
    m_annotationDock->setEraserSize(size);
    m_annotationToolbar->setEraserSize(size);
    showStatus(tr("Eraser size changed to %1").arg(size), 1000);
}

void MainWindow::onPenWidthChanged(int width)
{
    m_settings.penWidth = width;
    m_videoWidget->setPenWidth(width);
    m_annotationDock->setPenWidth(width);
    m_annotationToolbar->setPenWidth(width);
}

void MainWindow::onUndoAnnotation() { m_videoWidget->undo(); }
void MainWindow::onRedoAnnotation() { m_videoWidget->redo(); }
void MainWindow::onClearAnnotations() { m_videoWidget->clearAnnotations(); }

void MainWindow::onToggleCrop(bool checked)
{
    if (checked) {
        // A hand-drawn rectangle and the automatic outline would fight over the same picture.
        if (m_cameraDock->autoCropCheck->isChecked())
            m_cameraDock->autoCropCheck->setChecked(false);
        m_videoWidget->clearDocumentPolygon();
        m_videoWidget->setCropMode(true);
        showStatus(tr("Crop mode: Click and drag to select area"), 3000);
    } else {
        m_videoWidget->setCropMode(false);
        showStatus(tr("Crop mode disabled"), 2000);
    }
}

void MainWindow::onPreviewGlFailed(const QString& reason)
{
    // The rest of the window keeps working; only the live picture is missing.
    qWarning().noquote() << "[MAIN] live preview unavailable:" << reason;
    showStatus(tr("The live preview needs OpenGL 3.3, which this system does not offer (%1)").arg(reason), 0);
}

void MainWindow::onImageDragged(const QImage& image)
{
    // Its consumer, the AI panel, picks it up once it exists.
    qInfo().noquote() << "[Preview] picture dragged out:" << image.width() << "x" << image.height();
}
