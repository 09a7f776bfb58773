#pragma once
// Reading one page of an export: shared by the PDF and the OFD writer.

#include "PageSource.h"

namespace pageloading {

// The page as stored: the file (EXIF orientation applied) or the inline image. When the file does not
// read and an inline image is given, that image stands in and `*standIn` is set. Null when there is
// nothing to show; `*fileError` then says why the file did not read.
QImage readPage(const PageSource& source, bool* standIn, QString* fileError);

// `image` scaled so that its longer side is `maxSide` when it is longer (smooth, aspect kept, the other
// side by integer division); unchanged otherwise or when maxSide <= 0.
QImage capLongerSide(const QImage& image, int maxSide);

} // namespace pageloading
