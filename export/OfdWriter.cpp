#include "OfdWriter.h"

#include "PageLoading.h"
#include "ZipWriter.h"

#include <QBuffer>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <QUuid>

#include <functional>

namespace ofd {
const char* const kNamespaceUri = "http://www.ofdspec.org/2016";
}

namespace {

const char* const kCreator = "Lumadoc";

// The reader's schema wants DocInfo ahead of DocRoot in DocBody.
const char* const kOfdTemplate = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<ofd:OFD xmlns:ofd=\"%1\" DocType=\"OFD\" Version=\"1.0\">\n"
                                 "  <ofd:DocBody>\n"
                                 "    <ofd:DocInfo>\n"
                                 "      <ofd:DocID>Lumadoc-%2</ofd:DocID>\n"
                                 "      <ofd:Creator>%3</ofd:Creator>\n"
                                 "    </ofd:DocInfo>\n"
                                 "    <ofd:DocRoot>Doc_0/Document.xml</ofd:DocRoot>\n"
                                 "  </ofd:DocBody>\n"
                                 "</ofd:OFD>\n";

const char* const kDocumentTemplate = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                      "<ofd:Document xmlns:ofd=\"%1\">\n"
                                      "  <ofd:CommonData>\n"
                                      "    <ofd:MaxUnitID>%2</ofd:MaxUnitID>\n"
                                      "    <ofd:PageArea>\n"
                                      "      <ofd:PhysicalBox>0 0 %3 %4</ofd:PhysicalBox>\n"
                                      "    </ofd:PageArea>\n"
                                      "    <ofd:PublicRes>PublicRes.xml</ofd:PublicRes>\n"
                                      "    <ofd:DocumentRes>DocumentRes.xml</ofd:DocumentRes>\n"
                                      "  </ofd:CommonData>\n"
                                      "  <ofd:Pages>\n"
                                      "%5  </ofd:Pages>\n"
                                      "</ofd:Document>\n";

// No Fonts element: the schema wants at least one Font in it, and image pages use none.
const char* const kPublicResTemplate = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                       "<ofd:Res xmlns:ofd=\"%1\" BaseLoc=\"Res\">\n"
                                       "</ofd:Res>\n";

const char* const kDocumentResTemplate = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                         "<ofd:Res xmlns:ofd=\"%1\" BaseLoc=\"Res\">\n"
                                         "  <ofd:MultiMedias>\n"
                                         "%2  </ofd:MultiMedias>\n"
                                         "</ofd:Res>\n";

const char* const kPageTemplate = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                  "<ofd:Page xmlns:ofd=\"%1\">\n"
                                  "  <ofd:Area>\n"
                                  "    <ofd:PhysicalBox>0 0 %2 %3</ofd:PhysicalBox>\n"
                                  "  </ofd:Area>\n"
                                  "  <ofd:Content>\n"
                                  "    <ofd:Layer ID=\"%4\" Type=\"Background\">\n"
                                  "      <ofd:ImageObject ID=\"%5\" ResourceID=\"%6\" Boundary=\"%7 %8 %9 "
                                  "%10\" CTM=\"%11 0 0 %12 %13 %14\"/>\n"
                                  "    </ofd:Layer>\n"
                                  "  </ofd:Content>\n"
                                  "</ofd:Page>\n";

QString number(double value)
{
    return QString::number(value, 'f', 6);
}

QString xmlEscape(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        case '\'':
            out += QLatin1String("&apos;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

int pageId(int i)
{
    return 10 * i + 1;
}
int resourceId(int i)
{
    return 10 * i + 2;
}
int layerId(int i)
{
    return 10 * i + 3;
}
int imageObjectId(int i)
{
    return 10 * i + 4;
}

QByteArray pageContent(int i, const OfdPageItem& item)
{
    return QString::fromLatin1(kPageTemplate)
        .arg(QLatin1String(ofd::kNamespaceUri))
        .arg(number(item.pageWidth))
        .arg(number(item.pageHeight))
        .arg(layerId(i))
        .arg(imageObjectId(i))
        .arg(resourceId(i))
        .arg(number(item.boundaryX))
        .arg(number(item.boundaryY))
        .arg(number(item.boundaryWidth))
        .arg(number(item.boundaryHeight))
        .arg(number(item.ctmA))
        .arg(number(item.ctmD))
        .arg(number(item.boundaryX))
        .arg(number(item.boundaryY))
        .toUtf8();
}

// The package as it streams out: the document-wide entries once the first page's size is known, then
// image and content of each page.
class OfdPackageStream
{
public:
    explicit OfdPackageStream(const QString& path) : m_path(path), m_file(path), m_zip(&m_file) {}

    bool open(int pageCount, const OfdPageItem& firstPage)
    {
        const QString dir = QFileInfo(m_path).absolutePath();
        if (!QDir().mkpath(dir)) {
            qWarning().noquote() << "[OFD] cannot create dir" << dir;
            m_error = QStringLiteral("cannot create the folder %1").arg(dir);
            return false;
        }
        if (!m_file.open(QIODevice::WriteOnly)) {
            qWarning().noquote() << "[OFD] cannot open" << m_path << m_file.errorString();
            m_error = QStringLiteral("cannot write %1: %2").arg(m_path, m_file.errorString());
            return false;
        }
        const QString ns = QLatin1String(ofd::kNamespaceUri);
        const QString ofdXml = QString::fromLatin1(kOfdTemplate)
                                   .arg(ns, QUuid::createUuid().toString(QUuid::WithoutBraces),
                                        xmlEscape(QLatin1String(kCreator)));
        QString pageList;
        QString mediaList;
        for (int i = 0; i < pageCount; ++i) {
            pageList += QStringLiteral("    <ofd:Page ID=\"%1\" BaseLoc=\"Pages/Page_%2/Content.xml\"/>\n")
                            .arg(pageId(i))
                            .arg(i);
            mediaList += QStringLiteral("    <ofd:MultiMedia Type=\"Image\" ID=\"%1\">\n"
                                        "      <ofd:MediaFile>image_%2.jpg</ofd:MediaFile>\n"
                                        "    </ofd:MultiMedia>\n")
                             .arg(resourceId(i))
                             .arg(i);
        }
        const QString documentXml =
            QString::fromLatin1(kDocumentTemplate)
                .arg(ns, QString::number(10 * pageCount - 5), number(firstPage.pageWidth),
                     number(firstPage.pageHeight), pageList);
        return add(QStringLiteral("MimeType"), QByteArrayLiteral("application/ofd")) &&
               add(QStringLiteral("OFD.xml"), ofdXml.toUtf8()) &&
               add(QStringLiteral("Doc_0/Document.xml"), documentXml.toUtf8()) &&
               add(QStringLiteral("Doc_0/PublicRes.xml"),
                   QString::fromLatin1(kPublicResTemplate).arg(ns).toUtf8()) &&
               add(QStringLiteral("Doc_0/DocumentRes.xml"),
                   QString::fromLatin1(kDocumentResTemplate).arg(ns, mediaList).toUtf8());
    }

    bool addPage(int i, const OfdPageItem& item)
    {
        return add(QStringLiteral("Doc_0/Res/image_%1.jpg").arg(i), item.jpegData) &&
               add(QStringLiteral("Doc_0/Pages/Page_%1/Content.xml").arg(i), pageContent(i, item));
    }

    bool commit(int pageCount)
    {
        if (!m_zip.finish()) {
            fail();
            return false;
        }
        const qint64 bytes = m_zip.bytesWritten();
        if (!m_file.commit()) {
            qWarning().noquote() << "[OFD] write incomplete" << m_path << m_file.errorString();
            m_error = QStringLiteral("cannot write %1: %2").arg(m_path, m_file.errorString());
            return false;
        }
        qInfo().noquote() << "[OFD] written:" << m_path << "pages=" << pageCount << "bytes=" << bytes;
        return true;
    }

    void cancel()
    {
        if (m_file.isOpen())
            m_file.cancelWriting();
    }
    QString errorString() const { return m_error; }

private:
    bool add(const QString& name, const QByteArray& data)
    {
        if (m_zip.addEntry(name, data))
            return true;
        fail();
        return false;
    }
    void fail()
    {
        qWarning().noquote() << "[OFD] cannot write the package" << m_path << ":" << m_zip.errorString();
        m_error = m_zip.errorString();
    }

    QString m_path;
    QSaveFile m_file;
    ZipWriter m_zip;
    QString m_error;
};

// Streams `pageCount` pages that `nextPage` produces one by one (false: the export stops).
bool writePackage(const QString& path, int pageCount, const std::function<bool(int, OfdPageItem*)>& nextPage,
                  ExportReport* report, const ExportProgress& progress)
{
    OfdPackageStream stream(path);
    for (int i = 0; i < pageCount; ++i) {
        OfdPageItem item;
        if (!nextPage(i, &item)) {
            stream.cancel();
            return false;
        }
        if (i == 0 && !stream.open(pageCount, item)) {
            stream.cancel();
            report->error = stream.errorString();
            return false;
        }
        if (!stream.addPage(i, item)) {
            stream.cancel();
            report->error = stream.errorString();
            return false;
        }
        if (progress && !progress(i + 1, pageCount)) {
            stream.cancel();
            report->cancelled = true;
            report->error = QStringLiteral("export stopped");
            return false;
        }
    }
    if (!stream.commit(pageCount)) {
        report->error = stream.errorString();
        return false;
    }
    report->pagesWritten = pageCount;
    return true;
}

} // namespace

bool encodePageItem(const QImage& image, OfdPageItem& item)
{
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) {
        qWarning() << "[OFD] null image, abort";
        return false;
    }
    QImage page = image;
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_RGB888:
    case QImage::Format_Indexed8:
    case QImage::Format_Grayscale8:
        break;
    default:
        page = image.convertToFormat(QImage::Format_RGB32);
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPEG");
    writer.setQuality(ofd::kJpegQuality);
    if (!writer.write(page)) {
        qWarning() << "[OFD] JPEG encode failed";
        return false;
    }
    const bool empty = page.width() == 0 || page.height() == 0;
    item.jpegData = jpeg;
    item.pageWidth = empty ? 210.0 : page.width() * ofd::kMmPerPixel;
    item.pageHeight = empty ? 297.0 : page.height() * ofd::kMmPerPixel;
    item.boundaryX = 0;
    item.boundaryY = 0;
    item.boundaryWidth = item.pageWidth;
    item.boundaryHeight = item.pageHeight;
    item.ctmA = item.pageWidth;
    item.ctmD = item.pageHeight;
    return true;
}

bool writeOfd(const QString& path, const QVector<OfdPageItem>& items)
{
    if (items.isEmpty()) {
        qWarning() << "[OFD] no items to write";
        return false;
    }
    ExportReport report;
    return writePackage(path, items.size(),
                        [&items](int i, OfdPageItem* item) {
                            *item = items[i];
                            return true;
                        },
                        &report, {});
}

bool writeOfdFromImages(const QString& path, const QList<QImage>& images)
{
    if (images.isEmpty()) {
        qWarning() << "[OFD] no images to write";
        return false;
    }
    ExportReport report;
    return writePackage(path, images.size(),
                        [&images](int i, OfdPageItem* item) { return encodePageItem(images[i], *item); },
                        &report, {});
}

bool writeOfdFromSources(const QString& path, const QVector<PageSource>& sources, int maxSide,
                         ExportReport* reportOut, const ExportProgress& progress)
{
    ExportReport local;
    ExportReport* report = reportOut ? reportOut : &local;
    *report = ExportReport();
    report->pageCount = sources.size();
    if (sources.isEmpty()) {
        qWarning() << "[OFD] no sources to write";
        report->error = QStringLiteral("no pages to write");
        return false;
    }
    const auto nextPage = [&](int i, OfdPageItem* item) {
        const PageSource& source = sources[i];
        bool standIn = false;
        QString fileError;
        QImage page = pageloading::readPage(source, &standIn, &fileError);
        if (!source.path.isEmpty() && (page.isNull() || standIn))
            qWarning().noquote() << "[OFD] source load failed, file:" << source.path;
        if (page.isNull()) {
            if (source.path.isEmpty())
                qWarning() << "[OFD] source is empty, index:" << i;
            report->failedPage = i;
            report->error = QStringLiteral("cannot read page %1: %2").arg(i + 1).arg(source.path);
            return false;
        }
        if (standIn)
            report->standInPages << i;
        page = pageloading::capLongerSide(page, maxSide);
        if (!encodePageItem(page, *item)) {
            report->error = QStringLiteral("cannot encode page %1").arg(i + 1);
            return false;
        }
        return true;
    };
    return writePackage(path, sources.size(), nextPage, report, progress);
}

bool saveOfdFromFiles(const QStringList& paths, const QString& path)
{
    QVector<PageSource> sources;
    for (const QString& file : paths)
        sources << PageSource::fromFile(file);
    ExportReport report;
    const bool ok = !paths.isEmpty() && writeOfdFromSources(path, sources, 0, &report);
    if (report.failedPage >= 0)
        qWarning().noquote() << "[OFD-Export] image load null, file:" << paths.value(report.failedPage);
    qInfo().noquote() << "[OFD-Export] done:" << path << "pages=" << paths.size() << "ok=" << ok;
    return ok;
}
