#include "PrintedCodes.h"

#include <qrencode.h>
#include <zint.h>

#include <cmath>
#include <memory>
#include <stdexcept>

namespace MediaCapture {

namespace {

struct QrCodeDeleter
{
    void operator()(QRcode* code) const { QRcode_free(code); }
};
using QrCodePtr = std::unique_ptr<QRcode, QrCodeDeleter>;

struct ZintSymbolDeleter
{
    void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};
using ZintSymbolPtr = std::unique_ptr<zint_symbol, ZintSymbolDeleter>;

} // namespace

QrMatrix encodeQrCode(const std::string& text)
{
    // Byte mode: the URL's lower-case letters rule out the alphanumeric mode anyway.
    QrCodePtr code(QRcode_encodeString8bit(text.c_str(), 0, QR_ECLEVEL_M));
    if (!code)
        throw std::runtime_error("QR encoding failed for \"" + text + "\"");
    QrMatrix matrix;
    matrix.size = code->width;
    matrix.modules.resize(static_cast<size_t>(code->width) * code->width);
    for (size_t i = 0; i < matrix.modules.size(); ++i)
        matrix.modules[i] = code->data[i] & 1; // bit 0 is the module colour; the others are libqrencode's
    return matrix;
}

BarPattern encodeCode128(const std::string& text)
{
    ZintSymbolPtr symbol(ZBarcode_Create());
    if (!symbol)
        throw std::bad_alloc();
    symbol->symbology = BARCODE_CODE128;
    symbol->show_hrt = 0; // the page prints its own human-readable line
    symbol->whitespace_width = 0;
    symbol->scale = 1.0f;
    const int rc = ZBarcode_Encode_and_Buffer_Vector(
        symbol.get(), reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()), 0);
    if (rc >= ZINT_ERROR || !symbol->vector || symbol->width <= 0)
        throw std::runtime_error("Code 128 encoding failed for \"" + text + "\": " + symbol->errtxt);

    // The vector output is scaled (two units per module at scale 1); bring it back to whole modules.
    const double unitsPerModule = symbol->vector->width / symbol->width;
    BarPattern pattern;
    pattern.modules = symbol->width;
    for (const zint_vector_rect* r = symbol->vector->rectangles; r; r = r->next) {
        const int first = static_cast<int>(std::lround(r->x / unitsPerModule));
        const int width = static_cast<int>(std::lround(r->width / unitsPerModule));
        if (width > 0)
            pattern.bars.emplace_back(first, width);
    }
    if (pattern.bars.empty())
        throw std::runtime_error("Code 128 encoding produced no bars for \"" + text + "\"");
    return pattern;
}

} // namespace MediaCapture
