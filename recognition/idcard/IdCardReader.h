#pragma once
// The ID-card reader as the program drives it: open, photo folder, prepare, read, one text field per
// call, photo file, close. A back-end honours the reader library's contract: open returns a port (> 0)
// or <= 0 when there is no reader; readCard returns the card type 1, 2 or 3 (anything else is a
// failure); a field call fills a caller-zeroed buffer of `size` bytes with NUL-terminated GBK text; the
// photo call writes "zp.bmp" into the photo folder and returns 1.

#include <QByteArray>
#include <QProcessEnvironment>

#include <memory>

enum class IdCardField
{
    Name,
    Gender,
    Ethnicity,
    BirthDate,
    Address, // card types 1 and 3 only
    IdNumber,
    Issuer,
    ValidFrom,
    ValidTo,
};

class IdCardReader
{
public:
    virtual ~IdCardReader() = default;
    virtual int open() = 0;
    // The folder in the local 8-bit encoding.
    virtual void setPhotoDirectory(const QByteArray& localPath) = 0;
    virtual void prepare() = 0;
    virtual int readCard(int mode) = 0;
    virtual void readField(IdCardField field, char* buffer, int size) = 0;
    virtual int writePhoto() = 0;
    virtual void close() = 0;
};

// No reader attached: open always returns 0.
class NoIdCardReader : public IdCardReader
{
public:
    int open() override { return 0; }
    void setPhotoDirectory(const QByteArray&) override {}
    void prepare() override {}
    int readCard(int) override { return 0; }
    void readField(IdCardField, char*, int) override {}
    int writePhoto() override { return 0; }
    void close() override {}
};

// A reader with a made-up card on it (never a real person). `cardType` 1, 2 or 3 selects the card;
// any other value makes readCard fail as with no card on the reader.
class SimulatedIdCardReader : public IdCardReader
{
public:
    static constexpr int kPort = 1001;
    explicit SimulatedIdCardReader(int cardType = 1, bool withPhoto = true);
    int open() override;
    void setPhotoDirectory(const QByteArray& localPath) override;
    void prepare() override {}
    int readCard(int mode) override;
    void readField(IdCardField field, char* buffer, int size) override;
    int writePhoto() override;
    void close() override { m_open = false; }

    // The made-up card's field as UTF-16 text; empty where the card type has no such field.
    static QString fieldText(int cardType, IdCardField field);

private:
    int m_cardType;
    bool m_withPhoto;
    bool m_open = false;
    bool m_cardRead = false;
    QByteArray m_photoDir;
};

// The back-end named by LUMADOC_IDCARD_READER ("simulated"; anything else means no reader), with the
// simulated card type from LUMADOC_IDCARD_SIM_TYPE (1 when unset) and no photo when
// LUMADOC_IDCARD_SIM_PHOTO is "0".
std::unique_ptr<IdCardReader>
makeIdCardReader(const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());
