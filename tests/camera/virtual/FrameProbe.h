#pragma once
// Test-side tools for virtual camera frames: collecting them from the capture thread, measuring the
// picture, decoding its codes with ZBar, and saving frames to look at (LUMADOC_SNAPSHOT_DIR=/some/dir).

#include "IMediaCapture.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <array>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace vcamtest {

struct Frame
{
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    bool empty() const { return rgb.empty(); }
    std::vector<uint8_t> grey() const; // BT.601 luma, one byte per pixel
    double meanLuma() const;
    double lumaStdDev() const;
    QImage toImage() const;
};

// Collects what the capture thread delivers.
class FrameRecorder
{
public:
    MediaCapture::FrameCallback callback();
    MediaCapture::EventCallback eventCallback();

    int count() const { return m_count.load(); }
    bool waitForCount(int total, int timeoutMs);
    // A frame begun after this call; empty after the timeout.
    Frame nextFrame(int timeoutMs = 5000);
    // Everything delivered from now on counts as a fault.
    void markStopped() { m_stopped.store(true); }
    int callsAfterStop() const { return m_callsAfterStop.load(); }

    std::set<std::thread::id> threads() { return locked(m_threads); }
    std::vector<int64_t> timestamps() { return locked(m_timestamps); }
    std::vector<std::pair<int, std::string>> events() { return locked(m_events); }

private:
    template <class T> T locked(const T& value)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return value;
    }

    std::mutex m_mutex;
    std::condition_variable m_arrived;
    Frame m_latest;
    std::set<std::thread::id> m_threads;
    std::vector<int64_t> m_timestamps;
    std::vector<std::pair<int, std::string>> m_events;
    std::atomic<int> m_count{0};
    std::atomic<int> m_callsAfterStop{0};
    std::atomic<bool> m_stopped{false};
};

// What ZBar finds in the grey frame, as "TYPE:data" (e.g. "QR-Code:https://...", "CODE-128:...").
std::set<std::string> decodeSymbols(const Frame& frame);

// The sheet as a simple detector sees it: per row, everything from the first to the last bright run
// is sheet (its print makes no holes).
struct SheetSilhouette
{
    double areaFraction = 0.0;
    QRect bounds;
    // Extreme points: top-left (min x+y), top-right (max x-y), bottom-right (max x+y), bottom-left (min x-y).
    std::array<QPoint, 4> corners;
    std::vector<int> leftEdge; // per row; -1 where the row has no sheet
};
SheetSilhouette findSheet(const Frame& frame, int brightLuma = 170);

// Writes <LUMADOC_SNAPSHOT_DIR>/<name>.png when that variable is set.
void saveSnapshot(const Frame& frame, const QString& name);

} // namespace vcamtest
