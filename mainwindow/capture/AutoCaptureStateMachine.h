#pragma once
// Automatic capture on a stable picture: watches every live frame, asks for one capture once the
// picture has been still for 15 frames, then ignores 50 frames and waits until the picture has moved
// before it asks again. The owner runs the capture and reports back with captureFinished().
#include <QImage>

class AutoCaptureStateMachine {
public:
    static constexpr double kChangeThreshold = 0.05;
    static constexpr int kStableFramesRequired = 15;
    static constexpr int kCoolingFrames = 50;
    static constexpr int kCompareSizePx = 100;

    // How different two frames are, 0 (same) to 1: frames of different size count as 1; otherwise
    // both are scaled to fit 100 x 100 and compared as 8-bit grey.
    static double calculateFrameChange(const QImage& currentFrame, const QImage& previousFrame);

    // Switching either way starts the watch afresh.
    void setEnabled(bool on);
    bool isEnabled() const { return m_autoCapture; }

    // Feeds one live frame. True means "capture now"; the owner captures and then calls
    // captureFinished(). Until then no further capture is asked for.
    bool onFrame(const QImage& frame);
    // The capture asked for by onFrame ended (whatever its outcome): cooling begins.
    void captureFinished();

    int stableFrameCount() const { return m_stableFrameCount; }
    bool isCapturing() const { return m_isCapturing; }
    bool isCooling() const { return m_inCooling; }
    bool hasCaptured() const { return m_hasCaptured; }
    bool wasChanging() const { return m_wasChanging; }

private:
    bool handleFrame(const QImage& frame);

    bool m_autoCapture = false;
    QImage m_previousFrame;
    int m_stableFrameCount = 0;
    bool m_isCapturing = false;
    bool m_inCooling = false;
    int m_coolingFrameCount = 0;
    bool m_wasChanging = true;
    bool m_hasCaptured = false;
};
