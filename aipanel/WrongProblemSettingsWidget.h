#pragma once
// The exercise-capture strip under the chat page: switches for automatic document detection and the
// manual crop selection, and a button that reads the current picture's text. It only reports the
// user's choices; the window acts on them.

#include <QWidget>

class QCheckBox;
class QPushButton;

class WrongProblemSettingsWidget : public QWidget
{
    Q_OBJECT
public:
    explicit WrongProblemSettingsWidget(QWidget* parent = nullptr);

    // Show a state the window set elsewhere, without emitting the signals below.
    void setAutoCropChecked(bool checked);
    void setManualCropChecked(bool checked);
    bool isAutoCropChecked() const;
    bool isManualCropChecked() const;

signals:
    void autoCropToggled(bool enabled);
    void manualCropToggled(bool enabled);
    void ocrRequested();

private slots:
    void onLanguageChanged();

private:
    void retranslateUi();

    QCheckBox* m_autoCrop;
    QCheckBox* m_manualCrop;
    QPushButton* m_ocrButton;
};
