#pragma once
// Small fakes and helpers shared by the saving tests.

#include "TestSupport.h"
#include "CodeDecoder.h"
#include "SinglePageExporter.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <functional>

namespace savingtest {

using testsupport::LogCapture;


class FakeDecoder : public ICodeDecoder
{
public:
    explicit FakeDecoder(QStringList codes = {}) : m_codes(std::move(codes)) {}
    QStringList decodeAll(const QImage& image) override
    {
        ++calls;
        lastSize = image.size();
        return m_codes;
    }
    int calls = 0;
    QSize lastSize;

private:
    QStringList m_codes;
};

// Writes a recognisable body into the output path, or fails, and records what it was given.
class FakeExporter : public ISinglePageExporter
{
public:
    bool exportPages(const QStringList& imagePaths, const QString& outputPath) override
    {
        receivedImages = imagePaths;
        receivedOutput = outputPath;
        pageImageExistedDuringCall = !imagePaths.isEmpty() && QFile::exists(imagePaths.first());
        if (!succeed)
            return false;
        QFile out(outputPath);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        out.write(body);
        return true;
    }
    bool succeed = true;
    QByteArray body = "%PDF-1.4 fake one page";
    QStringList receivedImages;
    QString receivedOutput;
    bool pageImageExistedDuringCall = false;
};

inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

inline void writeFile(const QString& path, const QByteArray& body)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(body);
}

// Every entry of `dir`, hidden ones included: temporary files start with ".".
inline QStringList allEntries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                               QDir::Name);
}

} // namespace savingtest
