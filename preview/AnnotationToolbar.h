#pragma once
// The annotation tool bar: six drawing tools, pen colour and width, eraser size, undo and clear.
// It only reports what the user picked; whoever owns the overlay connects the signals.
#include <QColor>
#include <QToolBar>

#include <functional>

class QAction;
class QButtonGroup;
class QEvent;
class QLabel;
class QPushButton;
class QSlider;
class QToolButton;

class AnnotationToolbar : public QToolBar {
    Q_OBJECT
public:
    // Asks the user for a colour starting at `initial`; an invalid colour means cancelled.
    using ColorChooser = std::function<QColor(const QColor& initial)>;

    explicit AnnotationToolbar(QWidget* parent = nullptr);

    // Initial values from the settings; none of them emits.
    void setPenColor(const QColor& color);
    void setPenWidth(int width);
    void setEraserSize(int size);
    QColor penColor() const { return m_penColor; }
    int penWidth() const;
    int eraserSize() const;
    int currentTool() const;

    // Replaces the modal colour dialog (tests, or a caller with its own picker).
    void setColorChooser(ColorChooser chooser);

    QToolButton* toolButton(int tool) const;
    QPushButton* colorButton() const { return m_colorButton; }
    QSlider* widthSlider() const { return m_widthSlider; }
    QSlider* eraserSlider() const { return m_eraserSlider; }
    QAction* undoAction() const { return m_undoAction; }
    QAction* clearAction() const { return m_clearAction; }

    void retranslateUi();

signals:
    void toolChanged(int tool);
    void penColorChanged(QColor color);
    void penWidthChanged(int width);
    void eraserSizeChanged(int size);
    void undoRequested();
    void clearRequested();

protected:
    void changeEvent(QEvent* event) override;

private:
    void chooseColor();
    void updateColorButton();

    QButtonGroup* m_tools = nullptr;
    QPushButton* m_colorButton = nullptr;
    QLabel* m_widthLabel = nullptr;
    QSlider* m_widthSlider = nullptr;
    QLabel* m_widthValueLabel = nullptr;
    QLabel* m_eraserLabel = nullptr;
    QSlider* m_eraserSlider = nullptr;
    QLabel* m_eraserValueLabel = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_clearAction = nullptr;
    QColor m_penColor = Qt::red;
    ColorChooser m_chooser;
};
