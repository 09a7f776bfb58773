#pragma once
// The right-hand dock: camera choice, rotation, tools, image processing switches, zoom and the large
// capture button. It only holds and labels the controls; MainWindow wires them.

#include <QDockWidget>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QVBoxLayout;
class QSpinBox;

class CameraDock : public QDockWidget
{
    Q_OBJECT
public:
    explicit CameraDock(QWidget* parent = nullptr);
    void retranslateUi();

    // Camera Device
    QComboBox* deviceCombo = nullptr;
    QComboBox* resolutionCombo = nullptr;
    // Camera Control
    QPushButton* rotateLeftButton = nullptr;
    QPushButton* rotateRightButton = nullptr;
    // Advanced Tools
    QPushButton* scanCodeButton = nullptr;
    QPushButton* ocrButton = nullptr;
    // Image Processing
    QCheckBox* autoCropCheck = nullptr;
    QPushButton* cropDocumentButton = nullptr;
    QCheckBox* autoCaptureCheck = nullptr;
    QCheckBox* timerCaptureCheck = nullptr;
    QSpinBox* timerCaptureSpin = nullptr;
    QPushButton* recordButton = nullptr;
    QLabel* recordTimeLabel = nullptr;
    QWidget* idPhotoContainer = nullptr;  // the ID-photo check box and its colour buttons
    QCheckBox* idPhotoCheck = nullptr;
    QPushButton* idRedButton = nullptr;
    QPushButton* idBlueButton = nullptr;
    QPushButton* idWhiteButton = nullptr;
    QPushButton* idCustomButton = nullptr;
    QCheckBox* removeBackgroundCheck = nullptr;
    QComboBox* backgroundModeCombo = nullptr;
    QWidget* thresholdContainer = nullptr;
    QSlider* thresholdSlider = nullptr;
    QLabel* thresholdValueLabel = nullptr;
    QSpinBox* frameSpin = nullptr;
    QCheckBox* watermarkCheck = nullptr;
    QPushButton* watermarkSettingsButton = nullptr;
    QCheckBox* compositeCheck = nullptr;
    QComboBox* compositeDirectionCombo = nullptr;
    // Zoom Control
    QPushButton* zoomInButton = nullptr;
    QPushButton* zoomOutButton = nullptr;
    QPushButton* zoomResetButton = nullptr;
    QPushButton* fitButton = nullptr;
    // Capture
    QPushButton* captureButton = nullptr;

    // Recording state only changes the button's text; the recorder comes with recording.
    void setRecording(bool recording);
    // Puts `panel` into the dock's column of groups at `position` (0 is the top).
    void insertPanel(int position, QWidget* panel);
    // Puts the camera and resolution boxes back into their group after book mode has borrowed them.
    void takeBackCameraBoxes();

private:
    QVBoxLayout* m_column = nullptr;
    QGroupBox* m_deviceGroup = nullptr;
    QFormLayout* m_deviceForm = nullptr;
    QGroupBox* m_controlGroup = nullptr;
    QGroupBox* m_toolsGroup = nullptr;
    QGroupBox* m_processingGroup = nullptr;
    QGroupBox* m_zoomGroup = nullptr;
    QLabel* m_deviceLabel = nullptr;
    QLabel* m_resolutionLabel = nullptr;
    QLabel* m_thresholdLabel = nullptr;
    QLabel* m_frameLabel = nullptr;
    bool m_recording = false;
};
