#pragma once
// What a document export is given, one entry per page, and what it reports back. Pages are loaded one
// at a time while the document is written, so a long selection never sits in memory as a whole.

#include <QImage>
#include <QString>
#include <QVector>

#include <functional>

// One page of an export.
struct PageSource
{
    // The page is read from this file when it is not empty.
    QString path;
    // The page when `path` is empty. With a path as well, it stands in for a file that cannot be read
    // any more (deleted while the export waited or ran); the page is then reported in
    // ExportReport::standInPages.
    QImage image;
    // `image` is only the gallery's thumbnail of a capture whose file has gone: the page is written
    // from it and reported in ExportReport::standInPages, so the user learns that it is small.
    bool imageIsThumbnail = false;

    static PageSource fromFile(const QString& filePath) { return PageSource{filePath, QImage(), false}; }
    static PageSource fromImage(const QImage& page) { return PageSource{QString(), page, false}; }
};

// Called after each written page with the count written so far and the total; returning false stops
// the export, which then leaves no file behind.
using ExportProgress = std::function<bool(int pagesDone, int pageCount)>;

struct ExportReport
{
    int pageCount = 0;         // pages requested
    int pagesWritten = 0;      // pages in the finished document (0 when nothing was published)
    int failedPage = -1;       // index of the page that could not be read, -1 when none
    bool cancelled = false;    // the progress callback stopped the export
    QVector<int> standInPages; // pages written from a thumbnail or from the stand-in image
    QString error;             // why the export failed, for the log and the user; empty on success
};
