#include "VoiceTrainDialog.h"

#include "CustomWordsFile.h"
#include "VoiceCommandThread.h"
#include "VoicePhrases.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtDebug>

namespace {

const char* const kRedButton = "QPushButton { background-color: #e74c3c; color: white; border: none; "
                               "border-radius: 25px; padding: 12px 30px;"
                               " font-weight: bold; } QPushButton:hover { background-color: #c0392b; }";
const char* const kOrangeButton = "QPushButton { background-color: #f39c12; color: white; border: none; "
                                  "border-radius: 25px; padding: 12px 30px;"
                                  " font-weight: bold; } QPushButton:hover { background-color: #d68910; }";
const char* const kIdleLabel =
    "color: #5dade2; font-size: 16px; padding: 10px; background-color: #2c3e50; border-radius: 4px;";
const char* const kHeardLabel =
    "color: #2ecc71; font-size: 16px; padding: 10px; background-color: #2c3e50; border-radius: 4px;";

} // namespace

VoiceTrainDialog::VoiceTrainDialog(VoiceCommandThread* recognizer, const QString& iniFilePath,
                                   QWidget* parent)
    : QDialog(parent), m_recognizer(recognizer), m_iniPath(iniFilePath)
{
    if (m_recognizer) {
        m_wasListening = m_recognizer->isListening();
        m_wasSuppressed = m_recognizer->commandsSuppressed();
        m_recognizer->setCommandsSuppressed(true);
        connect(m_recognizer, &VoiceCommandThread::textRecognized, this, &VoiceTrainDialog::onTextRecognized);
    }
    buildUi();
    loadEntries();
    m_commandCombo->setCurrentIndex(0);
    onCommandChanged(m_commandCombo->currentIndex());
    connect(m_commandCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &VoiceTrainDialog::onCommandChanged);
}

VoiceTrainDialog::~VoiceTrainDialog()
{
    if (!m_recognizer)
        return;
    // Leave the recognizer as it was found: the window's toggle still shows that state.
    if (m_recognizer->isListening() && !m_wasListening)
        m_recognizer->stopListening();
    else if (!m_recognizer->isListening() && m_wasListening)
        m_recognizer->startListening();
    m_recognizer->setCommandsSuppressed(m_wasSuppressed);
}

void VoiceTrainDialog::buildUi()
{
    setWindowTitle(tr("Voice Training"));
    setModal(true);
    setMinimumSize(650, 500);
    setStyleSheet(QStringLiteral(
        "QDialog { background-color: #2d2d2d; color: #ffffff; font-size: 14px; }"
        " QLabel { color: #ffffff; font-size: 14px; }"
        " QComboBox, QListWidget { background-color: #3c3c3c; color: #ffffff; border: 1px solid #4c4c4c;"
        " border-radius: 4px; }"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(15);

    auto* intro = new QLabel(
        tr("Train voice commands by speaking. The recognized text will be added as a trigger word."), this);
    intro->setStyleSheet(QStringLiteral("color: #aaaaaa; font-size: 12px;"));
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* commandRow = new QHBoxLayout;
    commandRow->addWidget(new QLabel(tr("Select Command:"), this));
    m_commandCombo = new QComboBox(this);
    commandRow->addWidget(m_commandCombo, 1);
    layout->addLayout(commandRow);

    auto* frame = new QFrame(this);
    frame->setStyleSheet(QStringLiteral("QFrame { background-color: #363636; border: 1px solid #4c4c4c; "
                                        "border-radius: 8px; padding: 15px; }"));
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setSpacing(10);
    auto* title = new QLabel(tr("Voice Training"), frame);
    title->setStyleSheet(QStringLiteral("font-size: 16px; font-weight: bold; color: #ffffff;"));
    frameLayout->addWidget(title);
    m_recordButton = new QPushButton(frame);
    setRecordLook(false);
    frameLayout->addWidget(m_recordButton);
    m_recognizedLabel = new QLabel(tr("Recognized: -"), frame);
    m_recognizedLabel->setStyleSheet(QLatin1String(kIdleLabel));
    m_recognizedLabel->setAlignment(Qt::AlignCenter);
    m_recognizedLabel->setMinimumHeight(45);
    frameLayout->addWidget(m_recognizedLabel);
    m_addButton = new QPushButton(tr("Add to Keywords"), frame);
    m_addButton->setStyleSheet(
        QStringLiteral("QPushButton { background-color: #27ae60; color: white; border: none; border-radius: "
                       "4px; padding: 8px 20px; }"
                       " QPushButton:hover { background-color: #229954; }"
                       " QPushButton:disabled { background-color: #555555; color: #888888; }"));
    m_addButton->setEnabled(false);
    frameLayout->addWidget(m_addButton);
    layout->addWidget(frame);

    layout->addWidget(new QLabel(tr("Default Keywords:"), this));
    m_defaultList = new QListWidget(this);
    m_defaultList->setEnabled(false);
    m_defaultList->setSelectionMode(QAbstractItemView::NoSelection);
    m_defaultList->setMaximumHeight(80);
    m_defaultList->setStyleSheet(QStringLiteral("QListWidget { background-color: #363636; }"));
    layout->addWidget(m_defaultList);

    layout->addWidget(new QLabel(tr("Custom Keywords (Your Training):"), this));
    m_customList = new QListWidget(this);
    layout->addWidget(m_customList);

    auto* buttons = new QHBoxLayout;
    m_resetButton = new QPushButton(tr("Reset All"), this);
    m_removeButton = new QPushButton(tr("Remove Selected"), this);
    m_removeButton->setEnabled(false);
    m_saveButton = new QPushButton(tr("Save"), this);
    m_closeButton = new QPushButton(tr("Close"), this);
    buttons->addWidget(m_resetButton);
    buttons->addWidget(m_removeButton);
    buttons->addStretch();
    buttons->addWidget(m_saveButton);
    buttons->addWidget(m_closeButton);
    layout->addLayout(buttons);

    connect(m_recordButton, &QPushButton::clicked, this, [this] {
        if (m_recording)
            onStopRecording();
        else
            onStartRecording();
    });
    connect(m_addButton, &QPushButton::clicked, this, &VoiceTrainDialog::onAddRecognized);
    connect(m_removeButton, &QPushButton::clicked, this, &VoiceTrainDialog::onRemoveWord);
    connect(m_resetButton, &QPushButton::clicked, this, &VoiceTrainDialog::onReset);
    connect(m_saveButton, &QPushButton::clicked, this, &VoiceTrainDialog::onSave);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_customList, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* current) { m_removeButton->setEnabled(current != nullptr); });
}

void VoiceTrainDialog::loadEntries()
{
    // Only commands that have phrases of their own are offered: the recognizer loads trained words for
    // those alone, so a word trained for another command would be saved and never heard.
    const voice::CommandMap& builtIn = voice::builtInPhrases();
    QMap<QString, QString> stored;
    if (!voice::readCustomWordsFile(m_iniPath, &stored))
        qWarning().noquote() << "[VoiceTrain] Cannot read custom words from:" << m_iniPath;
    for (int c = CmdTakePhoto; c <= CmdGeneralMode; ++c) {
        if (!builtIn.contains(c))
            continue;
        Entry e;
        e.command = VoiceCommand(c);
        e.defaultWords = builtIn.value(c);
        e.customWords = voice::splitCustomWords(stored.value(QString::number(c)));
        m_entries << e;
        m_commandCombo->addItem(voice::commandDisplayName(c), c);
    }
}

void VoiceTrainDialog::onCommandChanged(int row)
{
    m_defaultList->clear();
    m_customList->clear();
    if (row >= 0 && row < m_entries.size()) {
        m_defaultList->addItems(m_entries[row].defaultWords);
        m_customList->addItems(m_entries[row].customWords);
    }
    m_removeButton->setEnabled(false);
    clearPending();
}

void VoiceTrainDialog::setRecordLook(bool recording)
{
    m_recordButton->setText(recording ? tr("Stop Recording") : tr("Start Recording"));
    m_recordButton->setStyleSheet(QLatin1String(recording ? kOrangeButton : kRedButton));
}

void VoiceTrainDialog::clearPending()
{
    m_lastRecognized.clear();
    m_recognizedLabel->setText(tr("Recognized: -"));
    m_recognizedLabel->setStyleSheet(QLatin1String(kIdleLabel));
    m_addButton->setEnabled(false);
}

void VoiceTrainDialog::onStartRecording()
{
    m_recording = true;
    setRecordLook(true);
    m_recognizedLabel->setText(tr("Listening... Please speak now"));
    m_addButton->setEnabled(false);
    if (m_recognizer && !m_recognizer->isListening())
        m_recognizer->startListening();
}

void VoiceTrainDialog::onStopRecording()
{
    m_recording = false;
    setRecordLook(false);
    // Stop only a recognizer this dialog started; the window's own listening goes on.
    if (m_recognizer && m_recognizer->isListening() && !m_wasListening)
        m_recognizer->stopListening();
}

void VoiceTrainDialog::onTextRecognized(const QString& text)
{
    if (!m_recording || text.trimmed().isEmpty())
        return;
    m_lastRecognized = text;
    m_recognizedLabel->setText(tr("Recognized: %1").arg(text));
    m_recognizedLabel->setStyleSheet(QLatin1String(kHeardLabel));
    m_addButton->setEnabled(true);
}

void VoiceTrainDialog::onAddRecognized()
{
    // Blanks between Chinese words are dropped, as the recognizer drops them before matching.
    const QString word = VoiceCommandThread::removeWordBlanks(m_lastRecognized);
    if (word.isEmpty())
        return;
    const int row = m_commandCombo->currentIndex();
    if (row >= 0 && row < m_entries.size() && !m_entries[row].customWords.contains(word, Qt::CaseSensitive)) {
        m_entries[row].customWords << word;
        m_customList->addItem(word);
        qInfo().noquote() << "[VoiceTrain] Added:" << word << "to command" << row;
    }
    clearPending();
}

void VoiceTrainDialog::onRemoveWord()
{
    QListWidgetItem* item = m_customList->currentItem();
    const int row = m_commandCombo->currentIndex();
    if (!item || row < 0 || row >= m_entries.size())
        return;
    m_entries[row].customWords.removeAll(item->text());
    delete item;
    m_removeButton->setEnabled(m_customList->currentItem() != nullptr);
}

void VoiceTrainDialog::onReset()
{
    if (!askYesNo(tr("Reset"), tr("Reset all custom words to default?")))
        return;
    for (Entry& e : m_entries)
        e.customWords.clear();
    onCommandChanged(m_commandCombo->currentIndex());
}

bool VoiceTrainDialog::onSave()
{
    // Keys this dialog does not show (words stored by hand for other commands) are kept.
    QMap<QString, QString> values;
    voice::readCustomWordsFile(m_iniPath, &values);
    for (const Entry& e : m_entries) {
        const QString key = QString::number(int(e.command));
        if (e.customWords.isEmpty())
            values.remove(key);
        else
            values.insert(key, e.customWords.join(QLatin1Char(';')));
    }
    QString error;
    if (!voice::writeCustomWordsFile(m_iniPath, values, &error)) {
        qWarning().noquote() << "[VoiceTrain] Failed to save custom words to:" << m_iniPath << error;
        warn(tr("Error"), tr("Could not save the custom words to %1.").arg(m_iniPath));
        return false;
    }
    qInfo().noquote() << "[VoiceTrain] Custom words saved to:" << m_iniPath;
    emit customWordsChanged(m_iniPath);
    inform(tr("Success"),
           tr("Custom words saved successfully!\nPlease restart voice recognition to apply changes."));
    return true;
}

bool VoiceTrainDialog::askYesNo(const QString& title, const QString& text)
{
    return QMessageBox::question(this, title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void VoiceTrainDialog::inform(const QString& title, const QString& text)
{
    QMessageBox::information(this, title, text);
}

void VoiceTrainDialog::warn(const QString& title, const QString& text)
{
    QMessageBox::warning(this, title, text);
}
