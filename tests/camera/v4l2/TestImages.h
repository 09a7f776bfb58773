#pragma once
// Pictures of known content for the conversion and streaming tests, and the reference colour formulas.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace testimages {

// Smooth colour ramps: red grows to the right, green downwards, blue along the diagonal.
std::vector<uint8_t> smoothRgb(int width, int height);

// TurboJPEG's own encoder, standard Huffman tables, given chroma subsampling (TJSAMP_*).
std::vector<uint8_t> encodeJpeg(const std::vector<uint8_t>& rgb, int width, int height, int quality,
                                int subsampling);

// The same JPEG with every DHT segment cut out, as many UVC cameras send it.
std::vector<uint8_t> withoutHuffmanTables(const std::vector<uint8_t>& jpeg);

// The DHT segments' tables as (class/id byte, 16 counts + values), for comparing table contents.
std::vector<std::vector<uint8_t>> huffmanTables(const std::vector<uint8_t>& jpeg);

// A YUYV picture whose pixel pairs walk through the given (y0, u, y1, v) samples row by row.
std::vector<uint8_t> yuyvFrame(int width, int height, const std::vector<std::array<uint8_t, 4>>& pairs);

// BT.601 studio range (Y 16..235, Cb/Cr 16..240) to full-range RGB, unrounded and unclamped.
std::array<double, 3> bt601Limited(int y, int u, int v);
// BT.601 full range (JFIF).
std::array<double, 3> bt601Full(int y, int u, int v);

double meanAbsoluteError(const uint8_t* a, const uint8_t* b, size_t count);

} // namespace testimages
