#pragma once
// "Watermark Settings": every setting of the stamp (text and logo), a live sample, and the
// watermark's own settings store. The window keeps one dialog and stamps with settings().
#include "Watermark.h"

#include <QDialog>

#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSettings;
class QSlider;
class QSpinBox;

class WatermarkDialog : public QDialog
{
    Q_OBJECT
public:
    // Opens the store to read or write; the default is QSettings("LumadocApp", "WatermarkSettings").
    using StoreFactory = std::function<std::unique_ptr<QSettings>()>;
    // Asks for a colour; an invalid colour means cancelled.
    using ColorChooser = std::function<QColor(const QColor& initial)>;
    // Asks for an image file starting at `current`; empty means cancelled.
    using FilePrompter = std::function<QString(const QString& current)>;

    // Loads the stored settings into the controls.
    explicit WatermarkDialog(QWidget* parent = nullptr, StoreFactory store = {});
    ~WatermarkDialog() override;

    // What the controls show now.
    WatermarkSettings settings() const;

    // Replace the modal dialogs (tests, or callers with their own).
    void setColorChooser(ColorChooser chooser) { m_colorChooser = std::move(chooser); }
    void setFilePrompter(FilePrompter prompter) { m_filePrompter = std::move(prompter); }

    // The sample drawn by updatePreview(), 400 x 250.
    QPixmap previewPixmap() const;

public slots:
    void onTextColorClicked();
    void onSelectImageFile();
    void onImageWidthChanged(int width);
    void onImageHeightChanged(int height);
    void updatePreview();
    void onRotationSliderChanged(int value);
    void onLanguageChanged();
    void loadSettings();
    void saveSettings();

    // OK stores every key; Cancel brings the controls back to what is stored, so a stamp taken
    // afterwards does not use values the user threw away.
    void accept() override;
    void reject() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void buildUi();
    void retranslateUi();
    void showSettings(const WatermarkSettings& s);
    void setTextColor(const QColor& colour);
    void fillPositions(QComboBox* combo);
    void translateButtons();
    std::unique_ptr<QSettings> openStore() const;

    StoreFactory m_storeFactory;
    ColorChooser m_colorChooser;
    FilePrompter m_filePrompter;
    QColor m_textColor;
    bool m_loading = false;

    QGroupBox* m_textGroup = nullptr;
    QCheckBox* m_textEnabled = nullptr;
    QLabel* m_textLabel = nullptr;
    QLineEdit* m_text = nullptr;
    QLabel* m_fontSizeLabel = nullptr;
    QSpinBox* m_fontSize = nullptr;
    QLabel* m_fontLabel = nullptr;
    QComboBox* m_font = nullptr;
    QLabel* m_colorLabel = nullptr;
    QPushButton* m_colorButton = nullptr;
    QLabel* m_textOpacityLabel = nullptr;
    QSlider* m_textOpacity = nullptr;
    QLabel* m_textOpacityValue = nullptr;
    QLabel* m_textPositionLabel = nullptr;
    QComboBox* m_textPosition = nullptr;
    QLabel* m_rotationLabel = nullptr;
    QSlider* m_rotation = nullptr;
    QLabel* m_rotationValue = nullptr;
    QLabel* m_modeLabel = nullptr;
    QRadioButton* m_single = nullptr;
    QRadioButton* m_tiled = nullptr;
    QButtonGroup* m_modeGroup = nullptr;

    QGroupBox* m_imageGroup = nullptr;
    QCheckBox* m_imageEnabled = nullptr;
    QLabel* m_imageLabel = nullptr;
    QLineEdit* m_imagePath = nullptr;
    QPushButton* m_browse = nullptr;
    QLabel* m_widthLabel = nullptr;
    QSpinBox* m_imageWidth = nullptr;
    QLabel* m_heightLabel = nullptr;
    QSpinBox* m_imageHeight = nullptr;
    QLabel* m_imageOpacityLabel = nullptr;
    QSlider* m_imageOpacity = nullptr;
    QLabel* m_imageOpacityValue = nullptr;
    QLabel* m_imagePositionLabel = nullptr;
    QComboBox* m_imagePosition = nullptr;

    QLabel* m_preview = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};
