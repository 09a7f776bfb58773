#pragma once
// A still picture (a capture or a gallery image) shown on the preview canvas, with zoom, rotation and
// the annotation tools, to be saved or copied with the annotations burnt in.
#include <QColor>
#include <QDialog>
#include <QImage>
#include <QMessageBox>

#include <functional>

class QAction;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QToolBar;
class VideoWidget;

// Undo and redo step through the canvas's own strokes, every one of them back to the first; no copy
// of the picture is kept per step, so a long session on a large capture costs only its strokes.
class ImagePreviewDialog : public QDialog {
    Q_OBJECT
public:
    // Asks for a file to save to, starting at `proposal`; empty means cancelled.
    using FilePrompter = std::function<QString(const QString& proposal)>;
    // Shows a message; returns the button chosen (only questions have a choice).
    using MessageFunction = std::function<QMessageBox::StandardButton(
        QMessageBox::Icon icon, const QString& title, const QString& text, QMessageBox::StandardButtons buttons)>;
    // Asks for a pen colour; an invalid colour means cancelled.
    using ColorChooser = std::function<QColor(const QColor& initial)>;

    explicit ImagePreviewDialog(QWidget* parent = nullptr);
    ~ImagePreviewDialog() override;

    void setImage(const QImage& image);
    QImage image() const { return m_image; }
    // The picture as shown (rotated) with the annotations burnt in, at the picture's own resolution.
    QImage annotatedImage() const;

    // Replace the modal dialogs (tests, or callers with their own).
    void setFilePrompter(FilePrompter prompter);
    void setMessageFunction(MessageFunction function);
    void setColorChooser(ColorChooser chooser);

    VideoWidget* canvas() const { return m_canvas; }
    QAction* saveAction() const { return m_saveAction; }
    QAction* undoAction() const { return m_undoAction; }
    QAction* redoAction() const { return m_redoAction; }
    QString imageInfoText() const;
    QString statusText() const;
    QColor penColor() const { return m_penColor; }

signals:
    void imageSaved(QString filePath);

public slots:
    void onSave();
    void onSaveAs();
    void onCopyToClipboard();
    void onZoomIn();
    void onZoomOut();
    void onZoomReset();
    void onFitToView();
    void onRotateLeft();
    void onRotateRight();
    void onSelectColor();
    void onPenWidthChanged(int width);
    void onEraserSizeChanged(int size);
    void onUndo();
    void onRedo();
    void onClear();
    void onToolChanged(int tool);
    void updateZoomLabel();
    void updateStatusBar();
    void toggleToolsPanel();
    void toggleAnnotations();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildUi();
    void retranslateUi();
    void saveTo(const QString& proposal);
    void updateActions();
    void updateImageInfo();
    void updateColorButton();
    QMessageBox::StandardButton message(QMessageBox::Icon icon, const QString& title, const QString& text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok);

    QImage m_image;
    QColor m_penColor = Qt::red;

    FilePrompter m_filePrompter;
    MessageFunction m_messageFunction;
    ColorChooser m_colorChooser;

    VideoWidget* m_canvas = nullptr;
    QToolBar* m_toolBar = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_saveAsAction = nullptr;
    QAction* m_copyAction = nullptr;
    QAction* m_zoomInAction = nullptr;
    QAction* m_zoomOutAction = nullptr;
    QAction* m_zoomResetAction = nullptr;
    QAction* m_fitAction = nullptr;
    QAction* m_rotateLeftAction = nullptr;
    QAction* m_rotateRightAction = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    QAction* m_clearAction = nullptr;
    QAction* m_toolsAction = nullptr;
    QAction* m_closeAction = nullptr;
    QLabel* m_zoomLabel = nullptr;

    QWidget* m_toolsPanel = nullptr;
    QGroupBox* m_infoGroup = nullptr;
    QLabel* m_infoLabel = nullptr;
    QGroupBox* m_annotationGroup = nullptr;
    QButtonGroup* m_toolButtons = nullptr;
    QLabel* m_colorLabel = nullptr;
    QPushButton* m_colorButton = nullptr;
    QLabel* m_widthLabel = nullptr;
    QSlider* m_widthSlider = nullptr;
    QLabel* m_widthValueLabel = nullptr;
    QLabel* m_eraserLabel = nullptr;
    QSlider* m_eraserSlider = nullptr;
    QLabel* m_eraserValueLabel = nullptr;

    QLabel* m_toolStatus = nullptr;
    QLabel* m_zoomStatus = nullptr;
    QLabel* m_sizeStatus = nullptr;
};
