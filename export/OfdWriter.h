#pragma once
// Image-only OFD documents (GB/T 33190): a ZIP package of fixed XML texts and one JPEG per page, each
// page exactly its image's size at 96 dpi. The package is streamed into a temporary file beside the
// target page by page and takes the target's name only when complete; a failure leaves no file and an
// older file of that name untouched.

#include "PageSource.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

// One page of the package. Sizes in millimetres.
struct OfdPageItem
{
    QByteArray jpegData; // the page image, JPEG quality 85
    double pageWidth = 0;
    double pageHeight = 0;
    double boundaryX = 0; // image position, always 0, 0
    double boundaryY = 0;
    double boundaryWidth = 0; // image size, equal to the page size
    double boundaryHeight = 0;
    double ctmA = 0; // image scale factors of the transformation matrix: the image size in mm
    double ctmD = 0;
};

namespace ofd {
// The namespace of the 2016 schema of the standard.
extern const char* const kNamespaceUri;
constexpr double kMmPerPixel = 25.4 / 96;
constexpr int kJpegQuality = 85;
constexpr int kMaxPageSidePx = 2400; // the gallery export's cap
} // namespace ofd

// Encodes `image` into `item` (JPEG quality 85, sizes by the 96 dpi rule). False for a null or empty
// image or when encoding fails.
bool encodePageItem(const QImage& image, OfdPageItem& item);

// Writes the package of `items` to `path` (its folder is created when missing).
bool writeOfd(const QString& path, const QVector<OfdPageItem>& items);

// Each image as it is becomes one page.
bool writeOfdFromImages(const QString& path, const QList<QImage>& images);

// The gallery export: pages loaded, capped to `maxSide` on the longer side (0: no cap), encoded and
// written one at a time. Any page that cannot be read fails the export. `report` and `progress` as
// for writePdf.
bool writeOfdFromSources(const QString& path, const QVector<PageSource>& sources, int maxSide,
                         ExportReport* report = nullptr, const ExportProgress& progress = {});

// The single-capture save: each file is one page; a file that does not read fails the save.
bool saveOfdFromFiles(const QStringList& paths, const QString& path);
