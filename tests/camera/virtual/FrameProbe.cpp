#include "FrameProbe.h"

#include <QDir>

#include <zbar.h>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace vcamtest {

std::vector<uint8_t> Frame::grey() const
{
    std::vector<uint8_t> out(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < out.size(); ++i) {
        const uint8_t* p = rgb.data() + i * 3;
        out[i] = static_cast<uint8_t>((77 * p[0] + 150 * p[1] + 29 * p[2]) >> 8);
    }
    return out;
}

double Frame::meanLuma() const
{
    const std::vector<uint8_t> g = grey();
    double sum = 0.0;
    for (uint8_t v : g)
        sum += v;
    return sum / std::max<size_t>(1, g.size());
}

double Frame::lumaStdDev() const
{
    const std::vector<uint8_t> g = grey();
    const double mean = meanLuma();
    double sum = 0.0;
    for (uint8_t v : g)
        sum += (v - mean) * (v - mean);
    return std::sqrt(sum / std::max<size_t>(1, g.size()));
}

QImage Frame::toImage() const
{
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        std::copy_n(rgb.data() + static_cast<size_t>(y) * width * 3, static_cast<size_t>(width) * 3,
                    image.scanLine(y));
    return image;
}

MediaCapture::FrameCallback FrameRecorder::callback()
{
    return [this](const uint8_t* rgb, int width, int height, int64_t timestampUs) {
        if (m_stopped.load())
            m_callsAfterStop.fetch_add(1);
        Frame frame;
        frame.width = width;
        frame.height = height;
        frame.rgb.assign(rgb, rgb + static_cast<size_t>(width) * height * 3);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_threads.insert(std::this_thread::get_id());
            m_timestamps.push_back(timestampUs);
            m_latest = std::move(frame);
            m_count.fetch_add(1);
        }
        m_arrived.notify_all();
    };
}

MediaCapture::EventCallback FrameRecorder::eventCallback()
{
    return [this](int code, const std::string& message) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.emplace_back(code, message);
    };
}

bool FrameRecorder::waitForCount(int total, int timeoutMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_arrived.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return m_count.load() >= total; });
}

Frame FrameRecorder::nextFrame(int timeoutMs)
{
    // The next frame may already have been in the making when we were asked, so take the one after.
    const int target = m_count.load() + 2;
    if (!waitForCount(target, timeoutMs))
        return {};
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_latest;
}

std::set<std::string> decodeSymbols(const Frame& frame)
{
    std::vector<uint8_t> grey = frame.grey();
    zbar::ImageScanner scanner;
    scanner.set_config(zbar::ZBAR_NONE, zbar::ZBAR_CFG_ENABLE, 1);
    zbar::Image image(static_cast<unsigned>(frame.width), static_cast<unsigned>(frame.height), "Y800",
                      grey.data(), static_cast<unsigned long>(grey.size()));
    scanner.scan(image);
    std::set<std::string> out;
    for (auto symbol = image.symbol_begin(); symbol != image.symbol_end(); ++symbol)
        out.insert(symbol->get_type_name() + ":" + symbol->get_data());
    image.set_data(nullptr, 0); // the bytes belong to `grey`
    return out;
}

SheetSilhouette findSheet(const Frame& frame, int brightLuma)
{
    const int minRun = std::max(8, frame.width / 80); // paper, not a bright speck of wood or noise
    const std::vector<uint8_t> grey = frame.grey();
    SheetSilhouette s;
    s.leftEdge.assign(static_cast<size_t>(frame.height), -1);
    double area = 0.0;
    const auto score = [](const QPoint& p, int corner) {
        const int sums[4] = {-(p.x() + p.y()), p.x() - p.y(), p.x() + p.y(), p.y() - p.x()};
        return sums[corner];
    };
    for (int y = 0; y < frame.height; ++y) {
        const uint8_t* row = grey.data() + static_cast<size_t>(y) * frame.width;
        int first = -1, last = -1, run = 0;
        for (int x = 0; x < frame.width; ++x) {
            run = row[x] >= brightLuma ? run + 1 : 0;
            if (run == minRun && first < 0)
                first = x - minRun + 1;
            if (run >= minRun)
                last = x;
        }
        if (first < 0)
            continue;
        const bool firstRow = s.bounds.isNull();
        s.leftEdge[y] = first;
        area += last - first + 1;
        s.bounds |= QRect(QPoint(first, y), QPoint(last, y));
        const QPoint ends[4] = {{first, y}, {last, y}, {last, y}, {first, y}};
        for (int c = 0; c < 4; ++c)
            if (firstRow || score(ends[c], c) > score(s.corners[c], c))
                s.corners[c] = ends[c];
    }
    s.areaFraction = area / (static_cast<double>(frame.width) * frame.height);
    return s;
}

void saveSnapshot(const Frame& frame, const QString& name)
{
    const QString dir = qEnvironmentVariable("LUMADOC_SNAPSHOT_DIR");
    if (dir.isEmpty() || frame.empty())
        return;
    QDir().mkpath(dir);
    frame.toImage().save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

} // namespace vcamtest
