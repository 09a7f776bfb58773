#pragma once
// Turns one captured buffer into packed RGB24 (rows of exactly width*3 bytes): MJPEG through TurboJPEG,
// YUYV through our own routine, anything else libv4lconvert knows through libv4lconvert. One output
// buffer per stream, reused for every frame.
#include <cstddef>
#include <cstdint>
#include <linux/videodev2.h>
#include <memory>
#include <optional>
#include <vector>

namespace MediaCapture {
namespace v4l2 {

class V4l2Io;

struct RgbFrame
{
    const uint8_t* rgb = nullptr; // owned by the converter, valid until the next conversion
    int width = 0;
    int height = 0;
};

// YUYV (Y0 U Y1 V) to RGB24 with the BT.601 or BT.709 matrix, limited (16..235) or full range.
class YuyvToRgb
{
public:
    enum class Matrix
    {
        Bt601,
        Bt709
    };
    YuyvToRgb(Matrix matrix, bool fullRange);
    // strideBytes: length of one source row (bytesperline, at least width*2). width must be even.
    void convert(const uint8_t* yuyv, int width, int height, int strideBytes, uint8_t* rgb) const;

private:
    int32_t m_luma[256];
    int32_t m_redFromV[256];
    int32_t m_greenFromU[256];
    int32_t m_greenFromV[256];
    int32_t m_blueFromU[256];
};

// Where the segments of a JPEG are, as far as the decoder needs to know before decoding.
struct JpegLayout
{
    bool valid = false; // SOI followed by well-formed segments up to a start of scan
    bool hasHuffmanTables = false;
    bool hasEndMarker = false; // EOI at the end, allowing for zero padding after it
    size_t scanOffset = 0;     // where the SOS marker starts
};
JpegLayout inspectJpeg(const uint8_t* data, size_t size);

// A DHT segment with the four usual Huffman tables (luma and chroma, DC and AC) that every baseline
// encoder uses by default. UVC cameras leave them out of their MJPEG frames and expect them assumed.
const std::vector<uint8_t>& defaultHuffmanSegment();

// Copies the frame into `out` with the default tables inserted before the scan. `layout` must come from
// inspectJpeg(data, size) and be valid.
void insertDefaultHuffmanTables(const uint8_t* data, size_t size, const JpegLayout& layout,
                                std::vector<uint8_t>& out);

// TurboJPEG decompressor straight into RGB24.
class MjpegDecoder
{
public:
    enum class Result
    {
        Ok,
        Warning,
        Failed
    };
    MjpegDecoder(); // throws std::runtime_error when TurboJPEG cannot start
    ~MjpegDecoder();
    MjpegDecoder(const MjpegDecoder&) = delete;
    MjpegDecoder& operator=(const MjpegDecoder&) = delete;

    // Reads the picture size; false when the header is unusable.
    bool readSize(const uint8_t* data, size_t size, int& width, int& height);
    // Decodes into rgb (width*height*3 bytes). Warning: the picture was decoded but the data was damaged.
    Result decode(const uint8_t* data, size_t size, uint8_t* rgb, int width, int height);
    const char* lastError() const;

private:
    void* m_handle = nullptr;
};

class FrameConverter
{
public:
    // `format` is what VIDIOC_S_FMT settled on. io and fd are used only for formats that go through
    // libv4lconvert, which asks the device about itself. Throws std::runtime_error when a decoder cannot
    // be set up.
    explicit FrameConverter(const v4l2_pix_format& format, std::shared_ptr<V4l2Io> io = {}, int fd = -1);
    ~FrameConverter();
    FrameConverter(const FrameConverter&) = delete;
    FrameConverter& operator=(const FrameConverter&) = delete;

    // Nothing when the frame is to be dropped (corrupt, short, undecodable).
    std::optional<RgbFrame> convert(const uint8_t* data, size_t bytesUsed);

    // Frames whose damage we tolerate once a camera has shown that it always sends them that way.
    static constexpr int kSuspectFramesBeforeTolerance = 10;

private:
    std::optional<RgbFrame> convertMjpeg(const uint8_t* data, size_t bytesUsed);
    std::optional<RgbFrame> convertYuyv(const uint8_t* data, size_t bytesUsed);
    std::optional<RgbFrame> convertOther(const uint8_t* data, size_t bytesUsed);
    bool acceptSuspectFrame();

    struct LibV4lConvert;

    v4l2_pix_format m_format{};
    std::vector<uint8_t> m_rgb;
    int m_width = 0;
    int m_height = 0;
    std::unique_ptr<MjpegDecoder> m_jpeg;
    std::vector<uint8_t> m_jpegWithTables;
    int m_suspectRun = 0;
    bool m_toleranceLogged = false;
    std::unique_ptr<YuyvToRgb> m_yuyv;
    std::unique_ptr<LibV4lConvert> m_libv4l;
};

} // namespace v4l2
} // namespace MediaCapture
