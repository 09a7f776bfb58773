#pragma once
// Book mode's side panel: it holds and labels the controls; the window wires them. The camera and
// resolution boxes are the camera dock's own, lent while book mode is shown.

#include <QWidget>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

class BookPanel : public QWidget
{
    Q_OBJECT
public:
    explicit BookPanel(QWidget* parent = nullptr);
    void retranslateUi();

    // Takes the boxes into the panel (restyled for its dark background); the lender takes them back.
    void borrowCameraBoxes(QComboBox* device, QComboBox* resolution);

    QCheckBox* timerCaptureCheck = nullptr;
    QSpinBox* timerCaptureSpin = nullptr;  // seconds, 1 to 60; enabled only while timer capture is on
    QCheckBox* autoCaptureCheck = nullptr;
    QCheckBox* singlePageCheck = nullptr;
    QCheckBox* doublePageCheck = nullptr;
    QCheckBox* removeFingersCheck = nullptr;
    QCheckBox* removeBackgroundCheck = nullptr;
    QComboBox* backgroundModeCombo = nullptr;
    QWidget* thresholdContainer = nullptr;
    QSlider* thresholdSlider = nullptr;
    QLabel* thresholdValueLabel = nullptr;
    QPushButton* captureButton = nullptr;

    // Background controls: the combo shows while removal is on, the threshold only for mode 2.
    void updateBackgroundControls();

protected:
    void changeEvent(QEvent* event) override;

private:
    QLabel* m_title = nullptr;
    QFormLayout* m_cameraForm = nullptr;
    QLabel* m_cameraLabel = nullptr;
    QLabel* m_resolutionLabel = nullptr;
    QLabel* m_doublePageHint = nullptr;
    QLabel* m_thresholdLabel = nullptr;
};
