#pragma once
// The annotation dock: drawing tools, pen properties and the undo/clear actions.

#include <QColor>
#include <QDockWidget>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QToolButton;

class AnnotationDock : public QDockWidget
{
    Q_OBJECT
public:
    // Tool ids, shared with the preview's drawing tools.
    enum Tool { Select = 0, Pen = 1, Line = 2, Rectangle = 3, Ellipse = 4, Eraser = 5 };

    explicit AnnotationDock(QWidget* parent = nullptr);
    void retranslateUi();

    QColor penColor() const { return m_penColor; }
    void setPenColor(const QColor& colour);
    int penWidth() const;
    void setPenWidth(int width);
    int eraserSize() const;
    void setEraserSize(int size);
    int currentTool() const;

    QPushButton* colorButton() const { return m_colorButton; }
    QSlider* widthSlider() const { return m_widthSlider; }
    QSlider* eraserSlider() const { return m_eraserSlider; }
    QToolButton* toolButton(int tool) const;

signals:
    void toolChanged(int tool);
    void colorButtonClicked();
    void penWidthChanged(int width);
    void eraserSizeChanged(int size);
    void undoRequested();
    void clearRequested();

private:
    QButtonGroup* m_tools = nullptr;
    QGroupBox* m_toolsGroup = nullptr;
    QGroupBox* m_propertiesGroup = nullptr;
    QGroupBox* m_actionsGroup = nullptr;
    QLabel* m_colorLabel = nullptr;
    QLabel* m_widthLabel = nullptr;
    QLabel* m_widthValue = nullptr;
    QLabel* m_eraserLabel = nullptr;
    QLabel* m_eraserValue = nullptr;
    QPushButton* m_colorButton = nullptr;
    QSlider* m_widthSlider = nullptr;
    QSlider* m_eraserSlider = nullptr;
    QPushButton* m_undoButton = nullptr;
    QPushButton* m_clearButton = nullptr;
    QColor m_penColor = Qt::red;
};
