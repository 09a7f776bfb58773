#pragma once
// Ticket mode's work behind its panel: recognising the document in a corrected picture (OCR on a pool
// thread, the parser of its type, the record stored and shown), reading an identity card through the
// reader, and the last record's edit, export, copy and query. The window corrects the picture and wires
// the buttons; what is decided here runs without a window.

#include "OCRProcessor.h"
#include "TicketStoreConfig.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class IdCardSession;
class TicketDatabase;
class TicketPrompter;
class QTimer;
class QWidget;
template <typename T>
class QFutureWatcher;

class TicketSession : public QObject
{
    Q_OBJECT
public:
    struct Environment
    {
        std::function<void(const QString&)> speak;
        // The OCR call with a Tesseract language list, on a pool thread; default: the OCR adapter.
        std::function<QList<OcrTextBlockEx>(const QImage&, const QString& languages)> recognizeBlocks;
        // Adds a picture to the capture gallery like a capture.
        std::function<void(const QImage&)> addToGallery;
        QString appDir;                        // where "idcard_template.bmp" may override the artwork
        std::function<QString()> saveDirectory;  // where the card face is kept; empty: not kept
        std::shared_ptr<TicketPrompter> prompter;  // message boxes, file chooser, modal dialogs
        // The "Shared database" settings; LUMADOC_TICKET_DB overrides them. Empty: the local file.
        std::function<TicketStoreConfig()> storeConfig;
    };

    // Milliseconds between two rounds of sending the records that wait for the shared server.
    static constexpr int kSendIntervalMs = 60000;

    TicketSession(Environment env, std::unique_ptr<IdCardSession> reader, QObject* parent = nullptr);
    ~TicketSession() override;

    // On entering ticket mode. False (after the error box) when the database cannot be opened.
    // Follows a changed store setting: a new address gives a new database object.
    bool openDatabase(QWidget* parent);
    // At start-up: with a shared store, opens it and sends what waits from earlier sessions, then
    // every kSendIntervalMs. Nothing is shown; openDatabase() reports problems when the mode is entered.
    void startSharedStore();
    // One round of sending the waiting records on the store's worker thread; ignored while one runs.
    void sendPending();
    int pendingRecords() const { return m_pendingRecords; }
    TicketDatabase* database() const { return m_database.get(); }

    // OCR, parse as `type` ("idcard", "driver_license", "vat_invoice", "vehicle_license"), store, show.
    // Ignored while a recognition runs.
    void recognize(const QImage& picture, const QString& type);
    bool isRecognizing() const { return m_watcher != nullptr; }
    void readIdCard(QWidget* parent);
    void editResult(QWidget* parent);
    void exportJson(QWidget* parent, const QString& type);
    void copyResult();
    void queryRecords(QWidget* parent);

    QString lastJson() const { return m_lastJson; }
    int lastRecordId() const { return m_lastRecordId; }
    // The shared store's uuid of the last record; empty before it is known or for the local file.
    QString lastRecordUuid() const { return m_lastUuid; }

signals:
    void resultHtmlChanged(const QString& html);
    void statusMessage(const QString& text, int durationMs);
    void recognitionFinished();
    // Records waiting in the outbox for the shared server.
    void pendingRecordsChanged(int count);
    // A record of the shared store was stored or queued (after the result was shown).
    void recordStored();

private:
    struct Reading
    {
        QList<OcrTextBlockEx> blocks;       // read with the document's own languages
        QList<OcrTextBlockEx> latinBlocks;  // a second read for its Latin-letter fields, when it has any
    };
    void finishRecognition(const Reading& reading);
    QString parse(const QList<OcrTextBlockEx>& blocks) const;
    void storeAndShow(const QString& type, const QString& json, const QImage& picture);
    void storeShared(const QString& type, const QString& json, const QImage& picture);
    bool ensureDatabase(QWidget* parent);
    void setPendingRecords(int count);
    // False (after telling the user) when the shared store refused a change because it is away.
    bool refuseOffline(QWidget* parent);

    Environment m_env;
    std::unique_ptr<IdCardSession> m_reader;
    std::unique_ptr<TicketDatabase> m_database;
    QString m_lastJson;
    QImage m_lastImage;
    int m_lastRecordId = -1;
    QImage m_pendingPicture;
    QString m_pendingType;
    QFutureWatcher<Reading>* m_watcher = nullptr;

    QString m_lastUuid;
    int m_storeGeneration = 0; // which store result still belongs to the last record
    int m_pendingRecords = 0;
    bool m_sending = false;
    QTimer* m_sendTimer = nullptr;
};
