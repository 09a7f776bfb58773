#include "FrameConverter.h"

#include "V4l2Io.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <libv4l-plugin.h>
#include <libv4lconvert.h>
#include <stdexcept>
#include <string>
#include <turbojpeg.h>

namespace MediaCapture {
namespace v4l2 {

namespace {

constexpr int kFixedShift = 16;
constexpr int32_t kFixedHalf = 1 << (kFixedShift - 1);
// Larger than any camera picture; guards the buffer size against a damaged JPEG header.
constexpr int kMaxPictureSide = 16384;
// How much larger than agreed an MJPEG frame may be before we take its header for damage.
constexpr int64_t kMaxGrowth = 4;

inline uint8_t clampToByte(int32_t fixedValue)
{
    const int32_t value = fixedValue >> kFixedShift;
    return uint8_t(value < 0 ? 0 : (value > 255 ? 255 : value));
}

int32_t toFixed(double value)
{
    return int32_t(std::lround(value * (1 << kFixedShift)));
}

} // namespace

YuyvToRgb::YuyvToRgb(Matrix matrix, bool fullRange)
{
    const double kr = matrix == Matrix::Bt709 ? 0.2126 : 0.299;
    const double kb = matrix == Matrix::Bt709 ? 0.0722 : 0.114;
    const double kg = 1.0 - kr - kb;
    // Limited range spreads 219 luma and 224 chroma steps over the full 0..255 output.
    const double lumaScale = fullRange ? 1.0 : 255.0 / 219.0;
    const double chromaScale = fullRange ? 1.0 : 255.0 / 224.0;
    const int lumaOffset = fullRange ? 0 : 16;
    for (int i = 0; i < 256; ++i) {
        const double c = (i - 128) * chromaScale;
        // The rounding half goes into the luma term, so every sum below is rounded once.
        m_luma[i] = toFixed((i - lumaOffset) * lumaScale) + kFixedHalf;
        m_redFromV[i] = toFixed(2.0 * (1.0 - kr) * c);
        m_greenFromU[i] = toFixed(-2.0 * (1.0 - kb) * kb / kg * c);
        m_greenFromV[i] = toFixed(-2.0 * (1.0 - kr) * kr / kg * c);
        m_blueFromU[i] = toFixed(2.0 * (1.0 - kb) * c);
    }
}

void YuyvToRgb::convert(const uint8_t* yuyv, int width, int height, int strideBytes, uint8_t* rgb) const
{
    for (int row = 0; row < height; ++row) {
        const uint8_t* in = yuyv + size_t(row) * size_t(strideBytes);
        uint8_t* out = rgb + size_t(row) * size_t(width) * 3;
        for (int x = 0; x + 1 < width; x += 2, in += 4, out += 6) {
            const int32_t red = m_redFromV[in[3]];
            const int32_t green = m_greenFromU[in[1]] + m_greenFromV[in[3]];
            const int32_t blue = m_blueFromU[in[1]];
            const int32_t y0 = m_luma[in[0]];
            const int32_t y1 = m_luma[in[2]];
            out[0] = clampToByte(y0 + red);
            out[1] = clampToByte(y0 + green);
            out[2] = clampToByte(y0 + blue);
            out[3] = clampToByte(y1 + red);
            out[4] = clampToByte(y1 + green);
            out[5] = clampToByte(y1 + blue);
        }
    }
}

JpegLayout inspectJpeg(const uint8_t* data, size_t size)
{
    JpegLayout layout;
    if (!data || size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return layout;

    size_t pos = 2;
    while (true) {
        if (pos >= size || data[pos] != 0xFF)
            return layout;
        while (pos < size && data[pos] == 0xFF) // fill bytes
            ++pos;
        if (pos >= size)
            return layout;
        const uint8_t marker = data[pos];
        const size_t markerStart = pos - 1;
        ++pos;
        if (marker == 0xDA) {
            layout.scanOffset = markerStart;
            break;
        }
        if (marker == 0xD9 || marker == 0xD8) // no picture before the scan
            return layout;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) // standalone markers
            continue;
        if (pos + 2 > size)
            return layout;
        const size_t length = (size_t(data[pos]) << 8) | data[pos + 1];
        if (length < 2 || pos + length > size)
            return layout;
        if (marker == 0xC4)
            layout.hasHuffmanTables = true;
        pos += length;
    }
    layout.valid = true;

    // Some cameras pad the buffer with zeros after the end marker.
    size_t end = size;
    while (end > layout.scanOffset && data[end - 1] == 0x00)
        --end;
    layout.hasEndMarker = end >= layout.scanOffset + 4 && data[end - 2] == 0xFF && data[end - 1] == 0xD9;
    return layout;
}

const std::vector<uint8_t>& defaultHuffmanSegment()
{
    static const std::vector<uint8_t> segment = [] {
        struct Table
        {
            uint8_t classAndId;
            uint8_t counts[16];
            std::vector<uint8_t> values;
        };
        const Table tables[] = {
            {0x00, {0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
            {0x01, {0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
            {0x10,
             {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d},
             {0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61,
              0x07, 0x22, 0x71, 0x14, 0x32, 0x81, 0x91, 0xa1, 0x08, 0x23, 0x42, 0xb1, 0xc1, 0x15, 0x52,
              0xd1, 0xf0, 0x24, 0x33, 0x62, 0x72, 0x82, 0x09, 0x0a, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x25,
              0x26, 0x27, 0x28, 0x29, 0x2a, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3a, 0x43, 0x44, 0x45,
              0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5a, 0x63, 0x64,
              0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x83,
              0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99,
              0x9a, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6,
              0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3, 0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3,
              0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe1, 0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8,
              0xe9, 0xea, 0xf1, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa}},
            {0x11,
             {0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77},
             {0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61,
              0x71, 0x13, 0x22, 0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xa1, 0xb1, 0xc1, 0x09, 0x23, 0x33,
              0x52, 0xf0, 0x15, 0x62, 0x72, 0xd1, 0x0a, 0x16, 0x24, 0x34, 0xe1, 0x25, 0xf1, 0x17, 0x18,
              0x19, 0x1a, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3a, 0x43, 0x44,
              0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5a, 0x63,
              0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a,
              0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97,
              0x98, 0x99, 0x9a, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4,
              0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3, 0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca,
              0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7,
              0xe8, 0xe9, 0xea, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa}},
        };
        std::vector<uint8_t> bytes = {0xFF, 0xC4, 0x00, 0x00};
        for (const Table& table : tables) {
            bytes.push_back(table.classAndId);
            bytes.insert(bytes.end(), std::begin(table.counts), std::end(table.counts));
            bytes.insert(bytes.end(), table.values.begin(), table.values.end());
        }
        const size_t length = bytes.size() - 2; // the length field counts itself, not the marker
        bytes[2] = uint8_t(length >> 8);
        bytes[3] = uint8_t(length & 0xFF);
        return bytes;
    }();
    return segment;
}

void insertDefaultHuffmanTables(const uint8_t* data, size_t size, const JpegLayout& layout,
                                std::vector<uint8_t>& out)
{
    const std::vector<uint8_t>& tables = defaultHuffmanSegment();
    // resize() keeps the capacity, so a stream allocates this buffer once.
    out.resize(size + tables.size());
    std::memcpy(out.data(), data, layout.scanOffset);
    std::memcpy(out.data() + layout.scanOffset, tables.data(), tables.size());
    std::memcpy(out.data() + layout.scanOffset + tables.size(), data + layout.scanOffset,
                size - layout.scanOffset);
}

MjpegDecoder::MjpegDecoder() : m_handle(tjInitDecompress())
{
    if (!m_handle)
        throw std::runtime_error(std::string("cannot start the JPEG decoder: ") + tjGetErrorStr2(nullptr));
}

MjpegDecoder::~MjpegDecoder()
{
    if (m_handle)
        tjDestroy(m_handle);
}

bool MjpegDecoder::readSize(const uint8_t* data, size_t size, int& width, int& height)
{
    int subsampling = 0, colorspace = 0;
    if (size > 0xFFFFFFFFul)
        return false;
    if (tjDecompressHeader3(m_handle, data, static_cast<unsigned long>(size), &width, &height, &subsampling,
                            &colorspace) != 0)
        return false;
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide;
}

MjpegDecoder::Result MjpegDecoder::decode(const uint8_t* data, size_t size, uint8_t* rgb, int width,
                                          int height)
{
    if (tjDecompress2(m_handle, data, static_cast<unsigned long>(size), rgb, width, width * 3, height,
                      TJPF_RGB, 0) == 0)
        return Result::Ok;
    return tjGetErrorCode(m_handle) == TJERR_WARNING ? Result::Warning : Result::Failed;
}

const char* MjpegDecoder::lastError() const
{
    return tjGetErrorStr2(m_handle);
}

// libv4lconvert asks the device about itself (formats, controls) while it sets up; its dev_ops let those
// questions go through our io layer, so it works on the fake camera of the tests as on a real one.
struct FrameConverter::LibV4lConvert
{
    static void* init(int) { return nullptr; }
    static void close(void*) {}
    static int ioctl(void* io, int fd, unsigned long request, void* arg)
    {
        return static_cast<V4l2Io*>(io)->ioctl(fd, request, arg);
    }
    static ssize_t read(void*, int, void*, size_t)
    {
        errno = ENOSYS;
        return -1;
    }
    static ssize_t write(void*, int, const void*, size_t)
    {
        errno = ENOSYS;
        return -1;
    }

    LibV4lConvert(std::shared_ptr<V4l2Io> io, int fd) : m_io(std::move(io))
    {
        m_ops.init = &LibV4lConvert::init;
        m_ops.close = &LibV4lConvert::close;
        m_ops.ioctl = &LibV4lConvert::ioctl;
        m_ops.read = &LibV4lConvert::read;
        m_ops.write = &LibV4lConvert::write;
        m_data = v4lconvert_create_with_dev_ops(fd, m_io.get(), &m_ops);
        if (!m_data)
            throw std::runtime_error("cannot start libv4lconvert for this camera");
    }
    ~LibV4lConvert() { v4lconvert_destroy(m_data); }
    LibV4lConvert(const LibV4lConvert&) = delete;
    LibV4lConvert& operator=(const LibV4lConvert&) = delete;

    std::shared_ptr<V4l2Io> m_io;
    libv4l_dev_ops m_ops{};
    v4lconvert_data* m_data = nullptr;
};

FrameConverter::FrameConverter(const v4l2_pix_format& format, std::shared_ptr<V4l2Io> io, int fd)
    : m_format(format), m_width(int(format.width)), m_height(int(format.height))
{
    if (m_width <= 0 || m_height <= 0 || m_width > kMaxPictureSide || m_height > kMaxPictureSide)
        throw std::runtime_error("the camera reports an impossible picture size " +
                                 std::to_string(format.width) + "x" + std::to_string(format.height));
    m_rgb.resize(size_t(m_width) * size_t(m_height) * 3);
    switch (format.pixelformat) {
    case V4L2_PIX_FMT_MJPEG:
    case V4L2_PIX_FMT_JPEG:
        m_jpeg = std::make_unique<MjpegDecoder>();
        break;
    case V4L2_PIX_FMT_YUYV:
        m_yuyv = std::make_unique<YuyvToRgb>(
            format.ycbcr_enc == V4L2_YCBCR_ENC_709 ? YuyvToRgb::Matrix::Bt709 : YuyvToRgb::Matrix::Bt601,
            format.quantization == V4L2_QUANTIZATION_FULL_RANGE);
        // Drivers that leave bytesperline at zero mean a packed row.
        if (m_format.bytesperline < m_format.width * 2)
            m_format.bytesperline = m_format.width * 2;
        break;
    default:
        if (!io)
            throw std::runtime_error("no converter for this pixel format without its device");
        m_libv4l = std::make_unique<LibV4lConvert>(std::move(io), fd);
        break;
    }
}

FrameConverter::~FrameConverter() = default;

std::optional<RgbFrame> FrameConverter::convert(const uint8_t* data, size_t bytesUsed)
{
    if (!data || bytesUsed == 0)
        return std::nullopt;
    if (m_jpeg)
        return convertMjpeg(data, bytesUsed);
    if (m_yuyv)
        return convertYuyv(data, bytesUsed);
    return convertOther(data, bytesUsed);
}

bool FrameConverter::acceptSuspectFrame()
{
    // A single damaged frame (a lost USB packet) is dropped. A camera that damages every frame the same
    // harmless way (stray bytes, no end marker) would otherwise never show a picture.
    if (++m_suspectRun <= kSuspectFramesBeforeTolerance)
        return false;
    if (!m_toleranceLogged) {
        std::fprintf(stderr,
                     "[V4L2] every MJPEG frame of this camera is slightly malformed; showing them anyway\n");
        m_toleranceLogged = true;
    }
    return true;
}

std::optional<RgbFrame> FrameConverter::convertMjpeg(const uint8_t* data, size_t bytesUsed)
{
    const JpegLayout layout = inspectJpeg(data, bytesUsed);
    if (!layout.valid)
        return std::nullopt;
    bool suspect = !layout.hasEndMarker;
    if (suspect && !acceptSuspectFrame())
        return std::nullopt;

    const uint8_t* jpeg = data;
    size_t jpegSize = bytesUsed;
    if (!layout.hasHuffmanTables) {
        insertDefaultHuffmanTables(data, bytesUsed, layout, m_jpegWithTables);
        jpeg = m_jpegWithTables.data();
        jpegSize = m_jpegWithTables.size();
    }

    int width = 0, height = 0;
    if (!m_jpeg->readSize(jpeg, jpegSize, width, height))
        return std::nullopt;
    if (width != m_width || height != m_height) {
        // The camera encodes another size than it agreed to: show what it sends. Rare, so the
        // reallocation does not matter; but a damaged header must not make us allocate gigabytes.
        if (int64_t(width) * height > kMaxGrowth * int64_t(m_format.width) * m_format.height)
            return std::nullopt;
        std::fprintf(stderr, "[V4L2] MJPEG frame is %dx%d instead of %dx%d\n", width, height, m_width,
                     m_height);
        m_width = width;
        m_height = height;
        m_rgb.resize(size_t(width) * size_t(height) * 3);
    }

    switch (m_jpeg->decode(jpeg, jpegSize, m_rgb.data(), width, height)) {
    case MjpegDecoder::Result::Ok:
        break;
    case MjpegDecoder::Result::Warning:
        // Counted once per frame even when the end marker was missing too.
        if (!suspect && !acceptSuspectFrame())
            return std::nullopt;
        suspect = true;
        break;
    case MjpegDecoder::Result::Failed:
        return std::nullopt;
    }
    if (!suspect)
        m_suspectRun = 0;
    return RgbFrame{m_rgb.data(), width, height};
}

std::optional<RgbFrame> FrameConverter::convertYuyv(const uint8_t* data, size_t bytesUsed)
{
    const size_t needed = size_t(m_format.bytesperline) * size_t(m_height - 1) + size_t(m_width) * 2;
    if (bytesUsed < needed)
        return std::nullopt; // a short frame would leave stale rows at the bottom
    m_yuyv->convert(data, m_width, m_height, int(m_format.bytesperline), m_rgb.data());
    return RgbFrame{m_rgb.data(), m_width, m_height};
}

std::optional<RgbFrame> FrameConverter::convertOther(const uint8_t* data, size_t bytesUsed)
{
    v4l2_format source{};
    source.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    source.fmt.pix = m_format;
    v4l2_format target = source;
    target.fmt.pix.pixelformat = V4L2_PIX_FMT_RGB24;
    target.fmt.pix.bytesperline = uint32_t(m_width) * 3;
    target.fmt.pix.sizeimage = uint32_t(m_rgb.size());
    if (bytesUsed > size_t(INT32_MAX))
        return std::nullopt;
    // libv4lconvert takes a non-const source but only reads it.
    const int written = v4lconvert_convert(m_libv4l->m_data, &source, &target, const_cast<uint8_t*>(data),
                                           int(bytesUsed), m_rgb.data(), int(m_rgb.size()));
    if (written < int(m_rgb.size()))
        return std::nullopt;
    return RgbFrame{m_rgb.data(), m_width, m_height};
}

} // namespace v4l2
} // namespace MediaCapture
