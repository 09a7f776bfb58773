#pragma once
// The "Save Settings" dialog: how captures are saved and named, the OCR output and automatic
// straightening. It only shows and collects values; the main window fills it, runs it and takes the
// values back when the user presses OK.

#include "TicketStoreConfig.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// Asks the user for a directory: (parent, title, start directory) → the chosen directory, or an empty
// string when the user cancels. Tests give a fake so that no real file dialog opens.
using DirectoryPrompter = std::function<QString(QWidget* parent, const QString& title, const QString& start)>;

class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    // An empty `prompter` uses the system's directory chooser.
    explicit SettingsDialog(QWidget* parent = nullptr, DirectoryPrompter prompter = {});

    void setAutoSave(bool enabled);
    bool autoSave() const;

    // save/format value (0 JPEG … 5 OFD); selected by item data.
    void setSaveFormat(int format);
    int saveFormat() const;

    // An empty or blank field means the default folder (MainSettings::defaultSavePath()).
    void setSavePath(const QString& path);
    QString savePath() const;

    // save/namingMethod value (0 date/time … 3 scanner gun). Selects the item whose data equals `method`
    // without emitting the combo box's signals, and shows the rows that method uses.
    void setNamingMethod(int method);
    int namingMethod() const;
    // Selects the scanner-gun method when true; when false and the scanner gun is selected, falls back to
    // date/time naming.
    void setScannerGunEnabled(bool enabled);
    bool scannerGunEnabled() const;

    // Milliseconds between a complete scanner-gun code and the capture; 100 … 5000.
    void setScannerGunDelay(int delayMs);
    int scannerGunDelay() const;

    // Characters that cannot be part of a file name are dropped by filePrefix().
    void setFilePrefix(const QString& prefix);
    QString filePrefix() const;

    // The next file number; 1 … INT_MAX so the dialog can show every number the counter reaches.
    void setStartNumber(int number);
    int startNumber() const;

    // ocr/outputType value (0 TXT, 1 Word, 2 searchable PDF); selected by item data.
    void setOcrOutputType(int type);
    int ocrOutputType() const;

    void setAutoStraighten(bool enabled);
    bool autoStraighten() const;

    void setDirectoryPrompter(DirectoryPrompter prompter);

    // The "Shared database" group: host, port, database, user, TLS mode and the counter's name. An
    // empty host or database means the local file. There is no password field: the client library
    // reads it from ~/.pgpass.
    void setSharedStore(const TicketStoreConfig& config);
    TicketStoreConfig sharedStore() const;

signals:
    void voiceTrainRequested();

public slots:
    void onBrowsePath();
    void onOk();
    void onCancel();
    void retranslateUi();
    void onLanguageChanged();
    void onNamingMethodChanged(int index);
    void onVoiceTrainClicked();

private:
    void buildUi();
    void fillComboBoxes();
    void alignLabels();
    void updateNamingRows();
    static void selectByData(QComboBox* combo, int value);
    static int currentData(const QComboBox* combo, int fallback);

    DirectoryPrompter m_prompter;
    int m_savedNamingMethod = 0;

    QCheckBox* m_autoSaveCheck = nullptr;
    QLabel* m_formatLabel = nullptr;
    QComboBox* m_formatCombo = nullptr;
    QLabel* m_pathLabel = nullptr;
    QLineEdit* m_pathEdit = nullptr;
    QPushButton* m_browseButton = nullptr;
    QLabel* m_namingLabel = nullptr;
    QComboBox* m_namingCombo = nullptr;
    QWidget* m_delayRow = nullptr;
    QLabel* m_delayLabel = nullptr;
    QSpinBox* m_delaySpin = nullptr;
    QWidget* m_prefixRow = nullptr;
    QLabel* m_prefixLabel = nullptr;
    QLineEdit* m_prefixEdit = nullptr;
    QWidget* m_startNumberRow = nullptr;
    QLabel* m_startNumberLabel = nullptr;
    QSpinBox* m_startNumberSpin = nullptr;
    QPushButton* m_voiceTrainButton = nullptr;
    QLabel* m_ocrLabel = nullptr;
    QComboBox* m_ocrCombo = nullptr;
    QCheckBox* m_autoStraightenCheck = nullptr;
    QGroupBox* m_sharedGroup = nullptr;
    QLabel* m_sharedHostLabel = nullptr;
    QLineEdit* m_sharedHostEdit = nullptr;
    QLabel* m_sharedPortLabel = nullptr;
    QSpinBox* m_sharedPortSpin = nullptr;
    QLabel* m_sharedDatabaseLabel = nullptr;
    QLineEdit* m_sharedDatabaseEdit = nullptr;
    QLabel* m_sharedUserLabel = nullptr;
    QLineEdit* m_sharedUserEdit = nullptr;
    QLabel* m_sharedTlsLabel = nullptr;
    QComboBox* m_sharedTlsCombo = nullptr;
    QLabel* m_counterLabel = nullptr;
    QLineEdit* m_counterEdit = nullptr;
    QLabel* m_sharedHint = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
