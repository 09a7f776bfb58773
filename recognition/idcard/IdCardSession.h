#pragma once
// Reading a resident identity card through the reader: connects on demand, reads the fields and the
// photo into the compact ticket record and paints the card face. The reader stays connected once found
// and is closed when the session ends. Runs on the GUI thread.

#include "IdCardReader.h"

#include <QDateTime>
#include <QImage>
#include <QJsonObject>
#include <QString>

#include <memory>

enum class IdCardReadStatus
{
    Ok,
    NoReader,   // open found no reader
    ReadFailed, // no readable card on the reader
};

struct IdCardReadResult
{
    IdCardReadStatus status = IdCardReadStatus::NoReader;
    QJsonObject record;
    QString json;    // the record, compact
    QImage photo;    // null when the reader produced none
    QImage cardFace; // null when the template did not load
    // For the warning box when status is not Ok (shown untranslated, as the reader texts are Chinese).
    QString errorTitle;
    QString errorText;

    bool ok() const { return status == IdCardReadStatus::Ok; }
    // The picture kept with the record: the card face, else the photo, else null.
    QImage picture() const { return cardFace.isNull() ? photo : cardFace; }
};

class IdCardSession
{
public:
    explicit IdCardSession(std::unique_ptr<IdCardReader> reader = makeIdCardReader());
    ~IdCardSession(); // closes a connected reader
    IdCardSession(const IdCardSession&) = delete;
    IdCardSession& operator=(const IdCardSession&) = delete;

    bool isConnected() const { return m_connected; }
    // Opens the reader unless connected; true when connected afterwards.
    bool connectReader();
    // One card read. `now` stamps "recognize_time"; the face is painted on `cardTemplate` (a null
    // template gives no face).
    IdCardReadResult read(const QDateTime& now, const QImage& cardTemplate);

private:
    std::unique_ptr<IdCardReader> m_reader;
    bool m_connected = false;
};

// The card's type name for reader card types 1, 2 and 3; empty otherwise.
QString idCardTypeName(int cardType);
// GBK text of a NUL-terminated buffer of `size` bytes (the local 8-bit code page without a GBK codec);
// never reads past the buffer even when the terminator is missing.
QString decodeIdCardText(const char* buffer, int size);
