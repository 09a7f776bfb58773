#include "SettingsDialog.h"

#include "LanguageManager.h"
#include "MainSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <climits>

namespace {

struct ComboItem
{
    const char* text;
    int value;
};

const ComboItem kFormatItems[] = {
    {QT_TRANSLATE_NOOP("SettingsDialog", "JPG"), static_cast<int>(SaveFormat::Jpeg)},
    {QT_TRANSLATE_NOOP("SettingsDialog", "PNG"), static_cast<int>(SaveFormat::Png)},
    {QT_TRANSLATE_NOOP("SettingsDialog", "BMP"), static_cast<int>(SaveFormat::Bmp)},
    {QT_TRANSLATE_NOOP("SettingsDialog", "TIF"), static_cast<int>(SaveFormat::Tiff)},
    {QT_TRANSLATE_NOOP("SettingsDialog", "PDF (single page)"), static_cast<int>(SaveFormat::Pdf)},
    {QT_TRANSLATE_NOOP("SettingsDialog", "OFD"), static_cast<int>(SaveFormat::Ofd)},
};

const ComboItem kNamingItems[] = {
    {QT_TRANSLATE_NOOP("SettingsDialog", "Date/Time"), static_cast<int>(NamingMethod::DateTime)},
    {QT_TRANSLATE_NOOP("SettingsDialog", "Prefix + Number"), static_cast<int>(NamingMethod::PrefixNumber)},
    {QT_TRANSLATE_NOOP("SettingsDialog", "Barcode Recognition"), static_cast<int>(NamingMethod::Barcode)},
    {QT_TRANSLATE_NOOP("SettingsDialog", "Scanner Gun Mode"), static_cast<int>(NamingMethod::ScannerGun)},
};

const ComboItem kOcrItems[] = {
    {QT_TRANSLATE_NOOP("SettingsDialog", "TXT"), static_cast<int>(OcrOutputType::Txt)},
    {QT_TRANSLATE_NOOP("SettingsDialog", "Word"), static_cast<int>(OcrOutputType::Word)},
    {QT_TRANSLATE_NOOP("SettingsDialog", "Double-layer PDF"), static_cast<int>(OcrOutputType::SearchablePdf)},
};

// Refills `combo` in the current language. The index, and with it the value, stays what it was, and no
// change signal fires: nothing about the user's choice has changed.
template <std::size_t N> void refill(QComboBox* combo, const ComboItem (&items)[N])
{
    const QSignalBlocker blocker(combo);
    const int index = combo->currentIndex();
    combo->clear();
    for (const ComboItem& item : items)
        combo->addItem(SettingsDialog::tr(item.text), item.value);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : 0);
}

// One labelled row. Rows are widgets of their own so that a naming method can hide a whole row at once.
QWidget* makeRow(QWidget* parent, const char* objectName, std::initializer_list<QWidget*> widgets,
                 bool trailingStretch = true)
{
    auto* row = new QWidget(parent);
    row->setObjectName(QLatin1String(objectName));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    if (trailingStretch)
        layout->addStretch(1);
    return row;
}

QString systemDirectoryPrompter(QWidget* parent, const QString& title, const QString& start)
{
    return QFileDialog::getExistingDirectory(parent, title, start, QFileDialog::ShowDirsOnly);
}

QString boolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

} // namespace

SettingsDialog::SettingsDialog(QWidget* parent, DirectoryPrompter prompter) : QDialog(parent)
{
    setObjectName(QStringLiteral("settingsDialog"));
    setDirectoryPrompter(std::move(prompter));
    setMinimumWidth(500);
    buildUi();
    retranslateUi();

    setAutoSave(true);
    setSaveFormat(static_cast<int>(SaveFormat::Jpeg));
    setSavePath(MainSettings::defaultSavePath());
    setFilePrefix(QStringLiteral("IMG"));
    setStartNumber(1);
    setScannerGunDelay(MainSettings::kDefaultScannerGunDelayMs);
    setNamingMethod(static_cast<int>(NamingMethod::DateTime));

    connect(LanguageManager::instance(), &LanguageManager::languageChanged, this,
            &SettingsDialog::onLanguageChanged);
}

void SettingsDialog::buildUi()
{
    auto* layout = new QVBoxLayout(this);

    m_autoSaveCheck = new QCheckBox(this);
    m_autoSaveCheck->setObjectName(QStringLiteral("autoSaveCheckBox"));
    layout->addWidget(m_autoSaveCheck);

    m_formatLabel = new QLabel(this);
    m_formatCombo = new QComboBox(this);
    m_formatCombo->setObjectName(QStringLiteral("formatComboBox"));
    m_formatCombo->setFixedWidth(180);
    layout->addWidget(makeRow(this, "formatRow", {m_formatLabel, m_formatCombo}));

    m_pathLabel = new QLabel(this);
    m_pathEdit = new QLineEdit(this);
    m_pathEdit->setObjectName(QStringLiteral("pathLineEdit"));
    m_browseButton = new QPushButton(this);
    m_browseButton->setObjectName(QStringLiteral("browseButton"));
    m_browseButton->setMinimumWidth(100);
    // The path takes the room the row has; the other rows keep their controls at their own width.
    layout->addWidget(makeRow(this, "pathRow", {m_pathLabel, m_pathEdit, m_browseButton}, false));

    m_namingLabel = new QLabel(this);
    m_namingCombo = new QComboBox(this);
    m_namingCombo->setObjectName(QStringLiteral("namingComboBox"));
    m_namingCombo->setMinimumWidth(200);
    layout->addWidget(makeRow(this, "namingRow", {m_namingLabel, m_namingCombo}));

    m_delayLabel = new QLabel(this);
    m_delaySpin = new QSpinBox(this);
    m_delaySpin->setObjectName(QStringLiteral("captureDelaySpinBox"));
    m_delaySpin->setRange(MainSettings::kMinScannerGunDelayMs, MainSettings::kMaxScannerGunDelayMs);
    m_delaySpin->setSingleStep(100);
    m_delaySpin->setMinimumWidth(100);
    m_delayRow = makeRow(this, "captureDelayRow", {m_delayLabel, m_delaySpin});
    layout->addWidget(m_delayRow);

    m_prefixLabel = new QLabel(this);
    m_prefixEdit = new QLineEdit(this);
    m_prefixEdit->setObjectName(QStringLiteral("prefixLineEdit"));
    m_prefixEdit->setMinimumWidth(150);
    // Refuse at the keyboard what filePrefix() would drop anyway, so the user sees what will be used.
    m_prefixEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[^/\\\\:*?\"<>|\\x00-\\x1f\\x7f]*")), m_prefixEdit));
    m_prefixRow = makeRow(this, "prefixRow", {m_prefixLabel, m_prefixEdit});
    layout->addWidget(m_prefixRow);

    m_startNumberLabel = new QLabel(this);
    m_startNumberSpin = new QSpinBox(this);
    m_startNumberSpin->setObjectName(QStringLiteral("startNumberSpinBox"));
    // The counter keeps counting past 9999; a smaller maximum would silently lower it on OK.
    m_startNumberSpin->setRange(1, INT_MAX);
    m_startNumberSpin->setMinimumWidth(100);
    m_startNumberRow = makeRow(this, "startNumberRow", {m_startNumberLabel, m_startNumberSpin});
    layout->addWidget(m_startNumberRow);

    m_voiceTrainButton = new QPushButton(this);
    m_voiceTrainButton->setObjectName(QStringLiteral("voiceTrainButton"));
    m_voiceTrainButton->setMinimumWidth(150);
    layout->addWidget(makeRow(this, "voiceTrainRow", {m_voiceTrainButton}));

    m_ocrLabel = new QLabel(this);
    m_ocrCombo = new QComboBox(this);
    m_ocrCombo->setObjectName(QStringLiteral("ocrOutputComboBox"));
    m_ocrCombo->setMinimumWidth(200);
    layout->addWidget(makeRow(this, "ocrRow", {m_ocrLabel, m_ocrCombo}));

    m_autoStraightenCheck = new QCheckBox(this);
    m_autoStraightenCheck->setObjectName(QStringLiteral("autoStraightenCheckBox"));
    layout->addWidget(m_autoStraightenCheck);

    m_sharedGroup = new QGroupBox(this);
    m_sharedGroup->setObjectName(QStringLiteral("sharedDatabaseGroup"));
    auto* shared = new QFormLayout(m_sharedGroup);
    m_sharedHostLabel = new QLabel(this);
    m_sharedHostEdit = new QLineEdit(this);
    m_sharedHostEdit->setObjectName(QStringLiteral("sharedHostLineEdit"));
    m_sharedPortLabel = new QLabel(this);
    m_sharedPortSpin = new QSpinBox(this);
    m_sharedPortSpin->setObjectName(QStringLiteral("sharedPortSpinBox"));
    m_sharedPortSpin->setRange(1, 65535);
    m_sharedPortSpin->setValue(TicketStoreConfig::kDefaultPort);
    m_sharedDatabaseLabel = new QLabel(this);
    m_sharedDatabaseEdit = new QLineEdit(this);
    m_sharedDatabaseEdit->setObjectName(QStringLiteral("sharedDatabaseLineEdit"));
    m_sharedUserLabel = new QLabel(this);
    m_sharedUserEdit = new QLineEdit(this);
    m_sharedUserEdit->setObjectName(QStringLiteral("sharedUserLineEdit"));
    m_sharedTlsLabel = new QLabel(this);
    m_sharedTlsCombo = new QComboBox(this);
    m_sharedTlsCombo->setObjectName(QStringLiteral("sharedTlsComboBox"));
    for (const QString& mode : TicketStoreConfig::sslModes())
        m_sharedTlsCombo->addItem(QString(), mode);
    m_counterLabel = new QLabel(this);
    m_counterEdit = new QLineEdit(this);
    m_counterEdit->setObjectName(QStringLiteral("counterNameLineEdit"));
    m_sharedHint = new QLabel(this);
    m_sharedHint->setWordWrap(true);
    shared->addRow(m_sharedHostLabel, m_sharedHostEdit);
    shared->addRow(m_sharedPortLabel, m_sharedPortSpin);
    shared->addRow(m_sharedDatabaseLabel, m_sharedDatabaseEdit);
    shared->addRow(m_sharedUserLabel, m_sharedUserEdit);
    shared->addRow(m_sharedTlsLabel, m_sharedTlsCombo);
    shared->addRow(m_counterLabel, m_counterEdit);
    shared->addRow(m_sharedHint);
    layout->addWidget(m_sharedGroup);
    setSharedStore(TicketStoreConfig());

    layout->addStretch(1);

    m_okButton = new QPushButton(this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setMinimumWidth(100);
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setMinimumWidth(100);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    layout->addLayout(buttons);

    connect(m_browseButton, &QPushButton::clicked, this, &SettingsDialog::onBrowsePath);
    connect(m_voiceTrainButton, &QPushButton::clicked, this, &SettingsDialog::onVoiceTrainClicked);
    connect(m_okButton, &QPushButton::clicked, this, &SettingsDialog::onOk);
    connect(m_cancelButton, &QPushButton::clicked, this, &SettingsDialog::onCancel);
    connect(m_namingCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &SettingsDialog::onNamingMethodChanged);
}

void SettingsDialog::retranslateUi()
{
    setWindowTitle(tr("Save Settings"));
    m_autoSaveCheck->setText(tr("Auto save captured images"));
    m_formatLabel->setText(tr("Save format:"));
    m_pathLabel->setText(tr("Save path:"));
    m_browseButton->setText(tr("Browse"));
    m_namingLabel->setText(tr("Naming method:"));
    m_delayLabel->setText(tr("Capture delay (ms):"));
    m_prefixLabel->setText(tr("File prefix:"));
    m_startNumberLabel->setText(tr("Start number:"));
    m_voiceTrainButton->setText(tr("Voice Training..."));
    m_ocrLabel->setText(tr("OCR output type:"));
    m_autoStraightenCheck->setText(tr("Auto straighten after capture"));
    m_sharedGroup->setTitle(tr("Shared database"));
    m_sharedHostLabel->setText(tr("Host:"));
    m_sharedPortLabel->setText(tr("Port:"));
    m_sharedDatabaseLabel->setText(tr("Database:"));
    m_sharedUserLabel->setText(tr("User:"));
    m_sharedTlsLabel->setText(tr("TLS mode:"));
    // The client library's own word for each mode stays visible: it is what its manual and the
    // server's administrator use.
    const QHash<QString, QString> tlsTexts = {
        {QStringLiteral("disable"), tr("No TLS (disable)")},
        {QStringLiteral("allow"), tr("TLS when the server insists (allow)")},
        {QStringLiteral("prefer"), tr("TLS when the server offers it (prefer)")},
        {QStringLiteral("require"), tr("TLS always (require)")},
        {QStringLiteral("verify-ca"), tr("TLS with a checked certificate (verify-ca)")},
        {QStringLiteral("verify-full"), tr("TLS with a checked certificate and host name (verify-full)")},
    };
    for (int i = 0; i < m_sharedTlsCombo->count(); ++i)
        m_sharedTlsCombo->setItemText(i, tlsTexts.value(m_sharedTlsCombo->itemData(i).toString()));
    m_counterLabel->setText(tr("Counter name:"));
    m_counterEdit->setPlaceholderText(tr("This computer's name: %1").arg(TicketStoreConfig().counterName()));
    m_sharedHint->setText(tr("Leave the host empty to keep records on this computer only. The password is "
                             "read from ~/.pgpass. Takes effect when ticket mode is next opened."));
    m_okButton->setText(tr("OK"));
    m_cancelButton->setText(tr("Cancel"));
    fillComboBoxes();
    alignLabels();
}

void SettingsDialog::alignLabels()
{
    // The controls start in one column whatever the language makes of the labels.
    const QList<QLabel*> labels{m_formatLabel, m_pathLabel,        m_namingLabel, m_delayLabel,
                                m_prefixLabel, m_startNumberLabel, m_ocrLabel};
    int widthPx = 0;
    for (QLabel* label : labels) {
        label->setMinimumWidth(0);
        widthPx = qMax(widthPx, label->sizeHint().width());
    }
    for (QLabel* label : labels)
        label->setMinimumWidth(widthPx);
}

void SettingsDialog::onLanguageChanged()
{
    retranslateUi();
}

void SettingsDialog::fillComboBoxes()
{
    refill(m_formatCombo, kFormatItems);
    refill(m_namingCombo, kNamingItems);
    refill(m_ocrCombo, kOcrItems);
}

void SettingsDialog::selectByData(QComboBox* combo, int value)
{
    int index = combo->findData(value);
    if (index < 0)
        index = (value >= 0 && value < combo->count()) ? value : 0;
    combo->setCurrentIndex(index);
}

int SettingsDialog::currentData(const QComboBox* combo, int fallback)
{
    bool ok = false;
    const int value = combo->currentData().toInt(&ok);
    return ok ? value : fallback;
}

void SettingsDialog::setAutoSave(bool enabled)
{
    m_autoSaveCheck->setChecked(enabled);
}

bool SettingsDialog::autoSave() const
{
    return m_autoSaveCheck->isChecked();
}

void SettingsDialog::setSaveFormat(int format)
{
    selectByData(m_formatCombo, format);
}

int SettingsDialog::saveFormat() const
{
    return currentData(m_formatCombo, static_cast<int>(SaveFormat::Jpeg));
}

void SettingsDialog::setSavePath(const QString& path)
{
    m_pathEdit->setText(path);
}

QString SettingsDialog::savePath() const
{
    // An empty path would make captures land in whatever the working directory happens to be.
    const QString path = m_pathEdit->text().trimmed();
    return path.isEmpty() ? MainSettings::defaultSavePath() : path;
}

void SettingsDialog::setNamingMethod(int method)
{
    int targetIndex = m_namingCombo->findData(method);
    if (targetIndex < 0)
        targetIndex = (method >= 0 && method < m_namingCombo->count()) ? method : 0;
    {
        const QSignalBlocker blocker(m_namingCombo);
        m_namingCombo->setCurrentIndex(targetIndex);
    }
    const int selected = currentData(m_namingCombo, static_cast<int>(NamingMethod::DateTime));
    const bool showScannerGun = selected == static_cast<int>(NamingMethod::ScannerGun);
    qDebug().noquote() << QStringLiteral(
                              "SettingsDialog::setNamingMethod m_savedNamingMethod = %1 method = %2 "
                              "targetIndex = %3 showScannerGun = %4")
                              .arg(m_savedNamingMethod)
                              .arg(method)
                              .arg(targetIndex)
                              .arg(boolText(showScannerGun));
    m_savedNamingMethod = selected;
    updateNamingRows();
}

int SettingsDialog::namingMethod() const
{
    return currentData(m_namingCombo, static_cast<int>(NamingMethod::DateTime));
}

void SettingsDialog::setScannerGunEnabled(bool enabled)
{
    qDebug().noquote() << QStringLiteral(
                              "SettingsDialog::setScannerGunEnabled enabled = %1 (namingComboBox index = %2, "
                              "userData = %3)")
                              .arg(boolText(enabled))
                              .arg(m_namingCombo->currentIndex())
                              .arg(m_namingCombo->currentData().toString());
    if (enabled)
        setNamingMethod(static_cast<int>(NamingMethod::ScannerGun));
    else if (scannerGunEnabled())
        setNamingMethod(static_cast<int>(NamingMethod::DateTime));
}

bool SettingsDialog::scannerGunEnabled() const
{
    return namingMethod() == static_cast<int>(NamingMethod::ScannerGun);
}

void SettingsDialog::setScannerGunDelay(int delayMs)
{
    m_delaySpin->setValue(delayMs);
}

int SettingsDialog::scannerGunDelay() const
{
    return m_delaySpin->value();
}

void SettingsDialog::setFilePrefix(const QString& prefix)
{
    m_prefixEdit->setText(MainSettings::sanitizeFilePrefix(prefix));
}

QString SettingsDialog::filePrefix() const
{
    return MainSettings::sanitizeFilePrefix(m_prefixEdit->text());
}

void SettingsDialog::setStartNumber(int number)
{
    m_startNumberSpin->setValue(number);
}

int SettingsDialog::startNumber() const
{
    return m_startNumberSpin->value();
}

void SettingsDialog::setOcrOutputType(int type)
{
    selectByData(m_ocrCombo, type);
}

int SettingsDialog::ocrOutputType() const
{
    return currentData(m_ocrCombo, static_cast<int>(OcrOutputType::Txt));
}

void SettingsDialog::setAutoStraighten(bool enabled)
{
    m_autoStraightenCheck->setChecked(enabled);
}

bool SettingsDialog::autoStraighten() const
{
    return m_autoStraightenCheck->isChecked();
}

void SettingsDialog::setDirectoryPrompter(DirectoryPrompter prompter)
{
    m_prompter = prompter ? std::move(prompter) : DirectoryPrompter(&systemDirectoryPrompter);
}

void SettingsDialog::onNamingMethodChanged(int index)
{
    Q_UNUSED(index);
    updateNamingRows();
}

void SettingsDialog::updateNamingRows()
{
    const int method = namingMethod();
    m_prefixRow->setVisible(method == static_cast<int>(NamingMethod::PrefixNumber));
    m_startNumberRow->setVisible(method == static_cast<int>(NamingMethod::PrefixNumber));
    m_delayRow->setVisible(method == static_cast<int>(NamingMethod::ScannerGun));
}

void SettingsDialog::onBrowsePath()
{
    const QString chosen = m_prompter(this, tr("Select Save Directory"), m_pathEdit->text());
    // Cancelling the chooser answers with nothing; the path the user had stays.
    if (chosen.trimmed().isEmpty())
        return;
    m_pathEdit->setText(QDir::fromNativeSeparators(chosen));
}

void SettingsDialog::onOk()
{
    accept();
}

void SettingsDialog::onCancel()
{
    reject();
}

void SettingsDialog::onVoiceTrainClicked()
{
    emit voiceTrainRequested();
}

void SettingsDialog::setSharedStore(const TicketStoreConfig& config)
{
    m_sharedHostEdit->setText(config.host);
    m_sharedPortSpin->setValue(config.port);
    m_sharedDatabaseEdit->setText(config.database);
    m_sharedUserEdit->setText(config.user);
    const int mode = m_sharedTlsCombo->findData(config.sslMode);
    m_sharedTlsCombo->setCurrentIndex(mode >= 0 ? mode : m_sharedTlsCombo->findData(QStringLiteral("prefer")));
    m_counterEdit->setText(config.counter);
}

TicketStoreConfig SettingsDialog::sharedStore() const
{
    TicketStoreConfig config;
    config.host = m_sharedHostEdit->text().trimmed();
    config.port = m_sharedPortSpin->value();
    config.database = m_sharedDatabaseEdit->text().trimmed();
    config.user = m_sharedUserEdit->text().trimmed();
    config.sslMode = m_sharedTlsCombo->currentData().toString();
    config.counter = m_counterEdit->text().trimmed();
    return config;
}
