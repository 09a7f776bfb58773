#pragma once
// Multi-page PDF of captures: one image per page, each page exactly its image's size at 300 dpi, no
// margins. The document appears under its name only when every page was written; a failed or stopped
// export leaves no file and keeps an older file of that name as it was.

#include "PageSource.h"
#include "TextLayer.h"

#include <QList>
#include <QStringList>

namespace pdfexport {
// Longer image side, in pixels, above which a page is scaled down before it reaches the writer.
constexpr int kMaxPageSidePx = 2400;
constexpr int kPageResolutionDpi = 300;
} // namespace pdfexport

// The page of `source` scaled so that its longer side is at most `maxSide` pixels (aspect kept), in
// RGB888; null when the file does not read or the inline image is null. A file's EXIF orientation is
// applied, so a phone picture comes out as its owner sees it.
QImage loadPageImage(const PageSource& source, int maxSide);

// Reads the text of one page (as loaded: capped and RGB888) into boxes in that page's pixels. Runs on
// the export's thread, one page at a time.
using PageTextReader = std::function<QList<TextBox>(const QImage& page)>;

// Writes all `sources` as pages of the PDF at `path`. True only when every page was written and the
// file is in place. `report` (optional) tells which page failed and which pages came from a thumbnail;
// `progress` (optional) is called after each page and can stop the export. With `readText` the document
// is searchable: each page gets its recognised words as an invisible text layer over the picture.
bool writePdf(const QVector<PageSource>& sources, const QString& path, ExportReport* report = nullptr,
              const ExportProgress& progress = {}, const PageTextReader& readText = {});

// The one-call export of a saved capture: each path is one page.
bool savePdfFromFiles(const QStringList& paths, const QString& path);
