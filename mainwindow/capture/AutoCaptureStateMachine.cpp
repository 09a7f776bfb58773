#include "AutoCaptureStateMachine.h"

#include <QDebug>

#include <cstdlib>
#include <exception>

double AutoCaptureStateMachine::calculateFrameChange(const QImage& currentFrame, const QImage& previousFrame)
{
    // A new size (resolution switch) is a new picture.
    if (currentFrame.size() != previousFrame.size())
        return 1.0;
    if (currentFrame.isNull())
        return 0.0;
    const QSize box(kCompareSizePx, kCompareSizePx);
    const QImage a = currentFrame.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                         .convertToFormat(QImage::Format_Grayscale8);
    const QImage b = previousFrame.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                         .convertToFormat(QImage::Format_Grayscale8);
    const int width = a.width();
    const int height = a.height();
    if (width == 0 || height == 0)
        return 0.0;
    quint64 sum = 0;
    for (int y = 0; y < height; ++y) {
        const uchar* rowA = a.constScanLine(y);
        const uchar* rowB = b.constScanLine(y);
        for (int x = 0; x < width; ++x)
            sum += quint64(std::abs(int(rowA[x]) - int(rowB[x])));
    }
    return double(sum) / (double(width) * height * 255.0);
}

void AutoCaptureStateMachine::setEnabled(bool on)
{
    m_autoCapture = on;
    m_stableFrameCount = 0;
    m_previousFrame = QImage();
    m_isCapturing = false;
    m_coolingFrameCount = 0;
    m_inCooling = false;
    m_wasChanging = on;
    m_hasCaptured = false;
}

bool AutoCaptureStateMachine::onFrame(const QImage& frame)
{
    try {
        return handleFrame(frame);
    } catch (const std::exception& e) {
        qWarning() << "Error processing video frame:" << e.what();
    } catch (...) {
        qWarning() << "Unknown error processing video frame";
    }
    return false;
}

bool AutoCaptureStateMachine::handleFrame(const QImage& frame)
{
    if (frame.isNull()) {
        qWarning() << "Received null video frame";
        return false;
    }
    if (!m_autoCapture)
        return false;

    if (m_inCooling) {
        ++m_coolingFrameCount;
        if (m_coolingFrameCount < kCoolingFrames)
            return false;
        m_inCooling = false;
        m_wasChanging = true;
        m_coolingFrameCount = 0;
        m_isCapturing = false;
        m_stableFrameCount = 0;
        qDebug() << "Cooling period ended, resetting state";
        return false;
    }
    if (m_isCapturing)
        return false;
    if (m_previousFrame.isNull()) {
        m_previousFrame = frame;
        qDebug() << "First frame captured, starting detection";
        return false;
    }

    const double change = calculateFrameChange(frame, m_previousFrame);
    qDebug() << "Frame change:" << change << "Stable frames:" << m_stableFrameCount << "Is capturing:" << m_isCapturing
             << "Was changing:" << m_wasChanging << "Has captured:" << m_hasCaptured;

    bool captureNow = false;
    if (change >= kChangeThreshold) {
        m_stableFrameCount = 0;
        m_wasChanging = true;
        m_hasCaptured = false;
        qDebug() << "Frame changing, resetting stable frame count and capture status";
    } else if (m_wasChanging) {
        m_stableFrameCount = 1;
        m_wasChanging = false;
        qDebug() << "Frame became stable, starting stable frame count";
    } else if (!m_hasCaptured) {
        ++m_stableFrameCount;
        if (m_stableFrameCount >= kStableFramesRequired) {
            m_isCapturing = true;
            captureNow = true;
        }
    }
    m_previousFrame = frame;
    return captureNow;
}

void AutoCaptureStateMachine::captureFinished()
{
    if (!m_isCapturing)
        return;
    m_isCapturing = false;
    m_hasCaptured = true;
    m_inCooling = true;
    m_coolingFrameCount = 0;
    m_stableFrameCount = 0;
    qDebug() << "Image captured, entering cooling period";
}
