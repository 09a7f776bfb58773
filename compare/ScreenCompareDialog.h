#pragma once
// "Screen Comparison": two to sixteen pictures side by side, each an image file or the live camera
// picture, zoomed and panned on their own or together, annotated and saved. The main window creates it
// on demand, shows it non-modal and deletes it on closed().
#include "ComparePrompts.h"
#include "CompareStroke.h"

#include <QDialog>
#include <QVector>

#include <functional>
#include <memory>

class CompareCellWidget;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;
class QSplitter;
class QTimer;
class QToolButton;
class QVBoxLayout;

class ScreenCompareDialog : public QDialog
{
    Q_OBJECT
public:
    // The current preview frame; a null image when there is none.
    using FrameProvider = std::function<QImage()>;
    static constexpr int kLiveIntervalMs = 33; // about 30 frames per second
    static constexpr int kDefaultLayoutMode = 2;

    struct GridShape
    {
        int rows;
        int columns;
    };
    // The grid of a layout mode (2, 3, 4, 6, 9, 12, 16); any other mode is taken as 2.
    static GridShape gridShape(int mode);

    // Without prompts the dialog asks through Qt's own dialogs and message boxes.
    explicit ScreenCompareDialog(FrameProvider frameProvider, QWidget* parent = nullptr,
                                 std::unique_ptr<ComparePrompts> prompts = nullptr);
    ~ScreenCompareDialog() override;

    void setPrompts(std::unique_ptr<ComparePrompts> prompts);

    int layoutMode() const { return m_layoutMode; }
    // In reading order.
    QVector<CompareCellWidget*> cells() const { return m_cells; }
    CompareCellWidget* cell(int index) const;
    int selectedIndex() const { return m_selectedIndex; }
    bool isLinkedZoom() const { return m_linkedZoom; }
    bool isAnnotating() const { return m_annotate; }
    QColor penColor() const { return m_penColor; }
    int penWidth() const { return m_penWidth; }
    CompareTool tool() const { return m_tool; }
    bool isLiveTimerActive() const;

    // Loads a file into a cell; a file that does not load leaves the cell as it was and says so in an
    // "Error" box.
    bool loadImageIntoCell(int index, const QString& path);

signals:
    void closed();

public slots:
    void onLayoutChanged(int mode);
    void onCellClicked(int index);
    void onCellRequestLoadImage(int index);
    void onCellRequestToggleLiveVideo(int index);
    void onCellZoomChanged(int index, int zoom);
    void onCellPanOffsetChanged(int index, QPoint offset);
    void onLoadImages();
    void onClearAll();
    void onToggleAnnotation();
    void onClearAnnotations();
    void onPenWidthChanged(int width);
    void onToolSelectColor();
    void onToolPen();
    void onToolLine();
    void onToolRect();
    void onToolEllipse();
    void onToolEraser();
    void onUndo();
    void onLinkedZoomToggled(bool linked);
    void onSaveCurrentCell();
    void onExportAll();
    void onZoomSliderChanged(int zoom);
    // One live-video tick: the provider's frame into every live cell.
    void onLiveTimerTick();

    void done(int result) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildUi();
    void retranslateUi();
    void rebuildGrid(const GridShape& shape);
    void setTool(CompareTool tool);
    void updateLiveTimer();
    void showZoomOnSlider(int zoom);
    void updateColorButton();
    void finish();

    FrameProvider m_frameProvider;
    std::unique_ptr<ComparePrompts> m_prompts;

    QVector<CompareCellWidget*> m_cells;
    int m_layoutMode = kDefaultLayoutMode;
    int m_selectedIndex = 0;
    bool m_linkedZoom = false;
    bool m_annotate = false;
    QColor m_penColor = Qt::red;
    int m_penWidth = 3;
    CompareTool m_tool = CompareTool::Pen;
    QString m_lastFolder;
    bool m_closedEmitted = false;
    QTimer* m_liveTimer = nullptr;

    QVBoxLayout* m_gridHolder = nullptr;
    QSplitter* m_grid = nullptr;
    QLabel* m_layoutLabel = nullptr;
    QComboBox* m_layoutCombo = nullptr;
    QPushButton* m_loadImagesButton = nullptr;
    QPushButton* m_clearAllButton = nullptr;
    QCheckBox* m_linkedZoomCheck = nullptr;
    QSlider* m_zoomSlider = nullptr;
    QLabel* m_zoomLabel = nullptr;
    QPushButton* m_annotateButton = nullptr;
    QPushButton* m_colorButton = nullptr;
    QSpinBox* m_penWidthSpin = nullptr;
    QButtonGroup* m_toolGroup = nullptr;
    QToolButton* m_penButton = nullptr;
    QToolButton* m_lineButton = nullptr;
    QToolButton* m_rectButton = nullptr;
    QToolButton* m_ellipseButton = nullptr;
    QToolButton* m_eraserButton = nullptr;
    QToolButton* m_undoButton = nullptr;
    QPushButton* m_clearAnnoButton = nullptr;
    QPushButton* m_saveCellButton = nullptr;
    QPushButton* m_exportAllButton = nullptr;
    QLabel* m_tipLabel = nullptr;
};
