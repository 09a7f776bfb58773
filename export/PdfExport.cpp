#include "PdfExport.h"

#include "PageLoading.h"

#include <QDebug>
#include <QFileInfo>
#include <QImageReader>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

QPageSize pageSizeFor(const QImage& image)
{
    const double mmPerPixel = 25.4 / pdfexport::kPageResolutionDpi;
    return QPageSize(QSizeF(image.width() * mmPerPixel, image.height() * mmPerPixel), QPageSize::Millimeter,
                     QString(), QPageSize::FuzzyMatch);
}

// Loads page `index`, noting a stand-in page in the report.
QImage loadPage(const PageSource& source, int index, ExportReport* report)
{
    bool standIn = false;
    QString fileError;
    QImage image = pageloading::readPage(source, &standIn, &fileError);
    if (!source.path.isEmpty() && (image.isNull() || standIn)) {
        const QFileInfo info(source.path);
        qWarning().noquote() << "[PDF-Export] page load null, file:" << source.path
                             << "exists=" << info.exists() << "size=" << info.size() << "bytes";
    }
    if (image.isNull())
        return image;
    if (standIn)
        report->standInPages << index;
    return pageloading::capLongerSide(image, pdfexport::kMaxPageSidePx)
        .convertToFormat(QImage::Format_RGB888);
}

bool fail(ExportReport* report, const QString& error)
{
    report->error = error;
    report->pagesWritten = 0;
    return false;
}

} // namespace

QImage loadPageImage(const PageSource& source, int maxSide)
{
    QImage page = source.image;
    if (!source.path.isEmpty()) {
        QImageReader reader(source.path);
        reader.setAutoTransform(true);
        page = reader.read();
        if (page.isNull()) {
            const QFileInfo info(source.path);
            qWarning().noquote() << "[PDF-Export] page load null, file:" << source.path
                                 << "exists=" << info.exists() << "size=" << info.size() << "bytes";
            return QImage();
        }
    }
    if (page.isNull())
        return QImage();
    return pageloading::capLongerSide(page, maxSide).convertToFormat(QImage::Format_RGB888);
}

bool writePdf(const QVector<PageSource>& sources, const QString& path, ExportReport* reportOut,
              const ExportProgress& progress, const PageTextReader& readText)
{
    ExportReport local;
    ExportReport* report = reportOut ? reportOut : &local;
    *report = ExportReport();
    report->pageCount = sources.size();
    if (sources.isEmpty())
        return fail(report, QStringLiteral("no pages to write"));

    QImage page = loadPage(sources[0], 0, report);
    if (page.isNull()) {
        qWarning() << "[PDF-Export] first page failed to load, abort";
        report->failedPage = 0;
        return fail(report, QStringLiteral("cannot read page 1: %1").arg(sources[0].path));
    }

    // The document grows in a temporary file beside the target and replaces it only when complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning().noquote() << "[PDF-Export] cannot open" << path << file.errorString();
        return fail(report, QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    }
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("Lumadoc"));
    writer.setResolution(pdfexport::kPageResolutionDpi);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setPageSize(pageSizeFor(page));

    QPainter painter;
    if (!painter.begin(&writer)) {
        qWarning() << "[PDF-Export] painter.begin failed, abort";
        file.cancelWriting();
        return fail(report, QStringLiteral("cannot start the PDF writer"));
    }
    const int total = sources.size();
    int written = 0;
    const TextLayerWriter textLayer(&writer);
    for (int i = 0; i < total; ++i) {
        if (i > 0) {
            page = loadPage(sources[i], i, report);
            if (page.isNull()) {
                // A document missing a page the user chose is no success: nothing is published.
                qWarning() << "[PDF-Export] page" << i << "load null, abort";
                painter.end();
                file.cancelWriting();
                report->failedPage = i;
                return fail(report,
                            QStringLiteral("cannot read page %1: %2").arg(i + 1).arg(sources[i].path));
            }
            writer.setPageSize(pageSizeFor(page));
            if (!writer.newPage()) {
                qWarning() << "[PDF-Export] newPage() failed at page" << i << ", abort";
                painter.end();
                file.cancelWriting();
                return fail(report, QStringLiteral("cannot start page %1").arg(i + 1));
            }
        }
        painter.drawImage(QRect(0, 0, writer.width(), writer.height()), page);
        if (readText) {
            const QList<TextBox> boxes = readText(page);
            // The page may have taken a standard paper size a hair off the picture's: boxes follow the
            // picture as drawn.
            painter.save();
            painter.scale(double(writer.width()) / page.width(), double(writer.height()) / page.height());
            painter.setPen(QColor(0, 0, 0, 0));
            for (const TextBox& box : boxes)
                textLayer.draw(painter, box);
            painter.restore();
            qDebug() << "[PDF-Export] page" << i + 1 << "text boxes:" << boxes.size();
        }
        page = QImage(); // the writer has encoded it; keep at most one page in memory
        ++written;
        qDebug() << "[PDF-Export] page" << written << "of" << total << "pageSize:" << writer.width() << "x"
                 << writer.height();
        if (progress && !progress(written, total)) {
            painter.end();
            file.cancelWriting();
            report->cancelled = true;
            return fail(report, QStringLiteral("export stopped"));
        }
    }
    painter.end();
    if (!file.commit()) {
        qWarning().noquote() << "[PDF-Export] cannot finish" << path << file.errorString();
        return fail(report, QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    }
    report->pagesWritten = written;
    qInfo().noquote() << "[PDF-Export] done pages=" << written << "requested=" << total << "output:" << path;
    return true;
}

bool savePdfFromFiles(const QStringList& paths, const QString& path)
{
    QVector<PageSource> sources;
    sources.reserve(paths.size());
    for (const QString& file : paths)
        sources << PageSource::fromFile(file);
    return writePdf(sources, path);
}
