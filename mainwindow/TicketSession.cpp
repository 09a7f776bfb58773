#include "TicketSession.h"

#include "IdCardFace.h"
#include "IdCardSession.h"
#include "TicketDatabase.h"
#include "TicketEditDialog.h"
#include "TicketParsers.h"
#include "TicketResultView.h"
#include "TicketPrompter.h"
#include "TicketQueryDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFutureWatcher>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QTimer>
#include <QtConcurrent>

TicketSession::TicketSession(Environment env, std::unique_ptr<IdCardSession> reader, QObject* parent)
    : QObject(parent), m_env(std::move(env)), m_reader(std::move(reader))
{
    if (!m_env.prompter)
        m_env.prompter = std::make_shared<TicketPrompter>();
    if (!m_env.speak)
        m_env.speak = [](const QString&) {};
    if (!m_env.recognizeBlocks)
        m_env.recognizeBlocks = [](const QImage& image, const QString& languages) {
            return OCRProcessor::instance()->performOCRAdvanced(image, 0, languages);
        };
}

TicketSession::~TicketSession()
{
    if (m_watcher)
        m_watcher->waitForFinished();
}

bool TicketSession::ensureDatabase(QWidget* parent)
{
    const TicketStoreConfig settings = m_env.storeConfig ? m_env.storeConfig() : TicketStoreConfig();
    QString error;
    std::optional<TicketStoreConfig> config = TicketStoreConfig::resolve(settings, &error);
    if (!config) {
        qWarning().noquote() << "[TicketDatabase] LUMADOC_TICKET_DB:" << error;
        if (parent)
            m_env.prompter->warning(parent, tr("Shared database"),
                                    tr("LUMADOC_TICKET_DB cannot be used: %1\nRecords are kept in the local "
                                       "database.")
                                        .arg(error));
        config = settings;
        config->host.clear(); // the local file: an address that was refused must not be half-used
    }
    const bool same = m_database && m_database->isShared() == config->isShared() &&
                      (!config->isShared() || m_database->storeConfig().url() == config->url());
    if (same)
        return false;
    m_database = std::make_unique<TicketDatabase>();
    m_database->setSharedStore(*config);
    m_lastRecordId = -1; // an id of the other store means nothing here
    m_lastUuid.clear();
    return true;
}

bool TicketSession::openDatabase(QWidget* parent)
{
    const bool fresh = ensureDatabase(parent);
    if (m_database->initialize()) {
        if (fresh && m_database->isShared())
            startSharedStore();
        return true;
    }
    m_env.prompter->warning(parent, tr("数据库错误"),
                            tr("无法创建或打开数据库文件：\n%1\n\n请检查磁盘空间和目录权限。")
                                .arg(QDir::toNativeSeparators(m_database->databasePath())));
    return false;
}

void TicketSession::startSharedStore()
{
    const TicketStoreConfig settings = m_env.storeConfig ? m_env.storeConfig() : TicketStoreConfig();
    QString error;
    const std::optional<TicketStoreConfig> config = TicketStoreConfig::resolve(settings, &error);
    if (!config || !config->isShared())
        return; // the local file opens when ticket mode is entered, as it always did
    ensureDatabase(nullptr);
    if (!m_database->isShared() || !m_database->initialize())
        return;
    if (!m_sendTimer) {
        m_sendTimer = new QTimer(this);
        m_sendTimer->setInterval(kSendIntervalMs);
        connect(m_sendTimer, &QTimer::timeout, this, &TicketSession::sendPending);
    }
    m_sendTimer->start();
    sendPending();
}

void TicketSession::sendPending()
{
    if (!m_database || !m_database->isShared() || m_sending)
        return;
    m_sending = true;
    auto* watcher = new QFutureWatcher<SendReport>(this);
    TicketDatabase* database = m_database.get();
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, database] {
        const SendReport report = watcher->result();
        watcher->deleteLater();
        m_sending = false;
        if (database != m_database.get())
            return; // the store was changed meanwhile
        // The panel follows its record by uuid: once the server has it, it has an id to edit by.
        if (m_lastRecordId < 1 && !m_lastUuid.isEmpty() && report.ids.contains(m_lastUuid))
            m_lastRecordId = report.ids.value(m_lastUuid);
        if (report.pending >= 0)
            setPendingRecords(report.pending);
    });
    watcher->setFuture(m_database->sendPendingAsync());
}

void TicketSession::setPendingRecords(int count)
{
    if (count == m_pendingRecords)
        return;
    m_pendingRecords = count;
    emit pendingRecordsChanged(count);
}

bool TicketSession::refuseOffline(QWidget* parent)
{
    if (!m_database || !m_database->isShared() || !m_database->lastFailedOffline())
        return false;
    m_env.prompter->warning(parent, tr("Shared database"),
                            tr("The shared database cannot be reached, so records cannot be changed or "
                               "deleted now. Try again when it answers.\n\n%1")
                                .arg(m_database->lastErrorText()));
    return true;
}

void TicketSession::recognize(const QImage& picture, const QString& type)
{
    if (m_watcher || picture.isNull())
        return;
    m_pendingPicture = picture;
    m_pendingType = type.isEmpty() ? QStringLiteral("idcard") : type;
    m_env.addToGallery(picture);
    emit statusMessage(tr("正在识别..."), 0);
    m_watcher = new QFutureWatcher<Reading>(this);
    connect(m_watcher, &QFutureWatcherBase::finished, this, [this] {
        const Reading reading = m_watcher->result();
        m_watcher->deleteLater();
        m_watcher = nullptr;
        finishRecognition(reading);
        emit recognitionFinished();
    });
    // Each kind is read with the languages that serve it; Latin-letter fields (a VIN) get a second read.
    const auto recognizeBlocks = m_env.recognizeBlocks;
    const QString languages = ticketOcrLanguages(m_pendingType);
    const bool latinPass = !ticketLatinFields(m_pendingType).isEmpty();
    m_watcher->setFuture(QtConcurrent::run([recognizeBlocks, picture, languages, latinPass] {
        Reading reading;
        reading.blocks = recognizeBlocks(picture, languages);
        if (latinPass && !reading.blocks.isEmpty())
            reading.latinBlocks = recognizeBlocks(picture, ticketLatinLanguages());
        return reading;
    }));
}

QString TicketSession::parse(const QList<OcrTextBlockEx>& blocks) const
{
    QString text;
    for (const OcrTextBlockEx& block : blocks)
        text += block.text + QLatin1Char('\n');
    text = text.trimmed();
    qInfo().noquote() << "[TicketRecognition] Raw OCR text:" << text;
    if (m_pendingType == QLatin1String("idcard"))
        return parseIDCard(text, blocks);
    if (m_pendingType == QLatin1String("driver_license"))
        return parseDriverLicense(text, blocks);
    if (m_pendingType == QLatin1String("vat_invoice"))
        return parseVATInvoice(text, blocks);
    if (m_pendingType == QLatin1String("vehicle_license"))
        return parseVehicleLicense(text, blocks);
    return QString::fromUtf8(
        QJsonDocument(QJsonObject{{"type", m_pendingType}, {"raw_ocr", text}}).toJson(QJsonDocument::Compact));
}

void TicketSession::finishRecognition(const Reading& reading)
{
    const QList<OcrTextBlockEx>& blocks = reading.blocks;
    if (blocks.isEmpty()) {
        emit resultHtmlChanged(QStringLiteral("<div style='color:#ff6b6b;padding:10px;'>") +
                               tr("图片中未检测到文字，请调整位置后重试。") + QStringLiteral("</div>"));
        emit statusMessage(QString(), 0);
        m_env.speak(tr("未检测到文字"));
        return;
    }
    qInfo() << "[TicketRecognition] OCR blocks count:" << blocks.size();
    QString json = parse(blocks);
    if (!reading.latinBlocks.isEmpty())
        json = mergeTicketFields(json, parse(reading.latinBlocks), ticketLatinFields(m_pendingType));
    storeAndShow(m_pendingType, json, m_pendingPicture);
    emit statusMessage(tr("识别完成"), 3000);
    m_env.speak(tr("识别完成"));
}

void TicketSession::storeAndShow(const QString& type, const QString& json, const QImage& picture)
{
    m_lastJson = json;
    m_lastImage = picture;
    m_lastRecordId = -1;
    m_lastUuid.clear();
    if (m_database && m_database->isShared()) {
        storeShared(type, json, picture);
        emit resultHtmlChanged(ticketResultHtml(json));
        return;
    }
    const int id = m_database ? m_database->insertRecord(type, json, picture) : -1;
    if (id >= 1) {
        m_lastRecordId = id;
        qInfo() << "[TicketRecognition] Saved to database, record id:" << id;
    } else {
        qWarning() << "[TicketRecognition] Failed to save to database";
    }
    emit resultHtmlChanged(ticketResultHtml(json));
}

// The server may take its connect timeout: the record is stored on the store's worker while the
// result is already on screen.
void TicketSession::storeShared(const QString& type, const QString& json, const QImage& picture)
{
    const int generation = ++m_storeGeneration;
    auto* watcher = new QFutureWatcher<TicketDatabase::StoreOutcome>(this);
    TicketDatabase* database = m_database.get();
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, database, generation] {
        const TicketDatabase::StoreOutcome outcome = watcher->result();
        watcher->deleteLater();
        if (database != m_database.get())
            return;
        setPendingRecords(outcome.pending);
        if (outcome.id >= 1)
            qInfo() << "[TicketRecognition] Saved to database, record id:" << outcome.id;
        else if (outcome.queued)
            emit statusMessage(tr("The shared database cannot be reached: the record waits to be sent."), 3000);
        else
            qWarning() << "[TicketRecognition] Failed to save to database";
        if (generation == m_storeGeneration) {
            m_lastUuid = outcome.uuid;
            m_lastRecordId = outcome.id >= 1 ? outcome.id : -1;
        }
        emit recordStored();
    });
    watcher->setFuture(m_database->storeRecordAsync(type, json, picture));
}

void TicketSession::readIdCard(QWidget* parent)
{
    const QDateTime now = QDateTime::currentDateTime();
    const IdCardReadResult read = m_reader->read(now, loadIdCardTemplate(m_env.appDir));
    if (!read.ok()) {
        m_env.prompter->warning(parent, read.errorTitle, read.errorText);
        return;
    }
    const QString folder = m_env.saveDirectory ? m_env.saveDirectory() : QString();
    if (!read.cardFace.isNull() && !folder.isEmpty())
        saveIdCardFace(read.cardFace, folder, read.record.value(QStringLiteral("id_number")).toString(), now);
    const QImage picture = read.picture();
    if (!picture.isNull())
        m_env.addToGallery(picture);
    storeAndShow(QStringLiteral("硬件读取"), read.json, picture);
}

void TicketSession::editResult(QWidget* parent)
{
    if (m_lastJson.isEmpty()) {
        m_env.prompter->information(parent, tr("提示"), tr("没有可编辑的识别结果。\n请先进行识别。"));
        return;
    }
    const QJsonObject record = QJsonDocument::fromJson(m_lastJson.toUtf8()).object();
    if (record.isEmpty())
        return;
    if (m_database && m_database->isShared() && m_lastRecordId < 1) {
        // Changing a record the server does not have yet would change nothing anyone else sees.
        m_env.prompter->warning(parent, tr("Shared database"),
                                tr("This record has not reached the shared database yet; it can be edited "
                                   "once it has been sent."));
        return;
    }
    QImage picture = m_lastImage;
    if (m_lastRecordId > 0 && m_database) {
        const QImage stored = m_database->getImage(m_lastRecordId);
        if (!stored.isNull())
            picture = stored;
    }
    TicketEditDialog dialog(record, picture, parent);
    if (!m_env.prompter->runDialog(dialog))
        return;
    const QString edited = QString::fromUtf8(QJsonDocument(dialog.editedRecord()).toJson(QJsonDocument::Compact));
    if (m_lastRecordId > 0 && m_database && !m_database->updateRecord(m_lastRecordId, edited) &&
        refuseOffline(parent))
        return;
    m_lastJson = edited;
    emit resultHtmlChanged(ticketResultHtml(m_lastJson));
    emit statusMessage(tr("结果已更新"), 3000);
    m_env.speak(tr("已保存"));
}

void TicketSession::exportJson(QWidget* parent, const QString& type)
{
    if (m_lastJson.isEmpty()) {
        m_env.prompter->information(parent, tr("提示"), tr("没有可导出的识别结果。\n请先进行识别。"));
        return;
    }
    const QString proposal =
        QDir::homePath() + QLatin1Char('/') +
        (type.isEmpty() ? QStringLiteral("ticket_result.json")
                        : type + QLatin1Char('_') +
                              QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_hhmmss")) +
                              QStringLiteral(".json"));
    const QString path =
        m_env.prompter->saveFileName(parent, tr("导出JSON"), proposal, tr("JSON 文件 (*.json);;所有文件 (*)"));
    if (path.isEmpty())
        return;
    const QJsonDocument parsed = QJsonDocument::fromJson(m_lastJson.toUtf8());
    const QByteArray bytes = parsed.isNull() ? m_lastJson.toUtf8() : parsed.toJson(QJsonDocument::Indented);
    // Written whole or not at all: an export that fails half-way leaves an older file untouched.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        m_env.prompter->warning(parent, tr("错误"), tr("创建文件失败：\n%1").arg(path));
        return;
    }
    m_env.prompter->information(parent, tr("成功"),
                                tr("JSON导出成功！\n%1\n\n文件大小：%2 字节").arg(path).arg(bytes.size()));
    m_env.speak(tr("导出成功"));
}

void TicketSession::copyResult()
{
    if (m_lastJson.isEmpty())
        return;
    QApplication::clipboard()->setText(m_lastJson);
    emit statusMessage(tr("JSON已复制到剪贴板"), 2000);
    m_env.speak(tr("已复制"));
}

void TicketSession::queryRecords(QWidget* parent)
{
    if (!m_database)
        return;
    sendPending(); // what waits may be on the server by the time the list is read
    TicketQueryDialog dialog(m_database.get(), parent);
    dialog.setPrompter(m_env.prompter);
    connect(&dialog, &TicketQueryDialog::recordEdited, this, [this](int id, const QString& json) {
        if (id != m_lastRecordId)
            return;
        m_lastJson = json;
        emit resultHtmlChanged(ticketResultHtml(json));
    });
    m_env.prompter->runDialog(dialog);
}
