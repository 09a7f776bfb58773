#pragma once
// Module patterns of the two codes printed on the virtual camera's test page, encoded by libqrencode
// and libzint so that what a decoder later reads back was really produced by a standard encoder.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace MediaCapture {

// A QR code symbol without its quiet zone: size x size modules, row by row.
struct QrMatrix
{
    int size = 0;
    std::vector<uint8_t> modules; // 1 = dark
    bool isDark(int x, int y) const { return modules[static_cast<size_t>(y) * size + x] != 0; }
};

// A 1-D symbol without its quiet zones: the bars as (first module, width in modules).
struct BarPattern
{
    int modules = 0;
    std::vector<std::pair<int, int>> bars;
};

// Error correction level M: the page may get a thumb or a glare spot, and level M still keeps the
// test page's URL at version 3 (29 modules), small enough to print with large modules.
// Throws std::runtime_error when the text cannot be encoded.
QrMatrix encodeQrCode(const std::string& text);
// Code 128 as zint chooses its code sets. Throws std::runtime_error on failure.
BarPattern encodeCode128(const std::string& text);

} // namespace MediaCapture
