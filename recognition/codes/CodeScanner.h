#pragma once
// Finds every barcode and QR code in a picture with ZBar, all symbologies enabled.
//
// The first pass reads the picture at full resolution, as the scanner sees it. Photographs of small,
// blurred, faint, shaded or tilted codes often give that pass nothing, so only then a few further
// passes look at prepared copies (half size, locally thresholded, sharpened, and for small pictures
// doubled) and their finds are merged in pass order without duplicates.

#include "ScannedCode.h"

#include <QImage>

#include <cstdint>

struct CodeScanOptions
{
    // Run the further passes when the first finds nothing.
    bool extraPasses = true;
    // A further pass starts only when its estimated time (from the first pass's time and the copy's
    // size) still fits into this many milliseconds from the start of the decode. Kept below the 500 ms
    // a scan may take, since a pass can take longer than its estimate.
    int budgetMs = 400;
};

class CodeScanner
{
public:
    // The codes in `image` in the order ZBar reports them; empty for a null image or none found.
    static ScannedCodes decode(const QImage& image, const CodeScanOptions& options = {});

    // One ZBar pass over `width` x `height` grey bytes, rows packed one after another without padding.
    static ScannedCodes scanGrey(const uint8_t* pixels, int width, int height);

    // `image` as 8-bit grey with packed rows (width x height bytes); empty for a null image.
    static QByteArray packedGrey(const QImage& image);
};
