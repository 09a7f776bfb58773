#include "AutoCaptureStateMachine.h"

#include <gtest/gtest.h>

namespace {

QImage grey(int level, int w = 320, int h = 240)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(level, level, level));
    return image;
}

// Feeds `count` copies of `frame`; returns the 1-based indices at which a capture was asked for,
// finishing each capture at once as the window does.
std::vector<int> feed(AutoCaptureStateMachine& machine, const QImage& frame, int count)
{
    std::vector<int> captures;
    for (int i = 1; i <= count; ++i) {
        if (machine.onFrame(frame)) {
            captures.push_back(i);
            machine.captureFinished();
        }
    }
    return captures;
}

} // namespace

TEST(CalculateFrameChange, IdenticalFramesDoNotChange)
{
    EXPECT_DOUBLE_EQ(AutoCaptureStateMachine::calculateFrameChange(grey(80), grey(80)), 0.0);
}

TEST(CalculateFrameChange, DifferentSizesCountAsFullChange)
{
    EXPECT_DOUBLE_EQ(AutoCaptureStateMachine::calculateFrameChange(grey(80, 320, 240), grey(80, 640, 480)), 1.0);
}

TEST(CalculateFrameChange, BlackAgainstWhiteIsFullChange)
{
    EXPECT_DOUBLE_EQ(AutoCaptureStateMachine::calculateFrameChange(grey(0), grey(255)), 1.0);
}

TEST(CalculateFrameChange, IsTheMeanGreyDifferenceOverFullScale)
{
    // Grey 100 against 151: 51 / 255 = 0.2 on every pixel.
    EXPECT_NEAR(AutoCaptureStateMachine::calculateFrameChange(grey(100), grey(151)), 0.2, 1e-9);
    // Half of a picture turned from black to white: 0.5.
    QImage half = grey(0, 200, 100);
    for (int y = 0; y < 100; ++y)
        for (int x = 100; x < 200; ++x)
            half.setPixel(x, y, qRgb(255, 255, 255));
    EXPECT_NEAR(AutoCaptureStateMachine::calculateFrameChange(half, grey(0, 200, 100)), 0.5, 0.01);
}

TEST(AutoCapture, DisabledNeverCaptures)
{
    AutoCaptureStateMachine machine;
    EXPECT_TRUE(feed(machine, grey(80), 40).empty());
    EXPECT_FALSE(machine.onFrame(QImage()));
}

TEST(AutoCapture, CapturesOnceOnTheFifteenthStillFrame)
{
    AutoCaptureStateMachine machine;
    machine.setEnabled(true);
    // The first frame is only the reference; the next one is the first still frame.
    EXPECT_FALSE(machine.onFrame(grey(80)));
    EXPECT_EQ(feed(machine, grey(80), 20), std::vector<int>({15}));
}

TEST(AutoCapture, IgnoresFiftyFramesAfterACaptureAndNeedsMovementForTheNext)
{
    AutoCaptureStateMachine machine;
    machine.setEnabled(true);
    machine.onFrame(grey(80));
    ASSERT_EQ(feed(machine, grey(80), 15), std::vector<int>({15}));
    ASSERT_TRUE(machine.isCooling());

    // Cooling: even a moving picture is ignored for 50 frames.
    for (int i = 0; i < 49; ++i) {
        EXPECT_FALSE(machine.onFrame(grey(i % 2 ? 0 : 255)));
        EXPECT_TRUE(machine.isCooling());
    }
    EXPECT_FALSE(machine.onFrame(grey(80)));  // the 50th ends cooling
    EXPECT_FALSE(machine.isCooling());
    EXPECT_TRUE(machine.hasCaptured());

    // The same document held still: no second capture.
    EXPECT_TRUE(feed(machine, grey(80), 200).empty());

    // A new document (change of 0.2) arms the next capture, 15 still frames later.
    EXPECT_FALSE(machine.onFrame(grey(131)));
    EXPECT_EQ(feed(machine, grey(131), 30), std::vector<int>({15}));
}

TEST(AutoCapture, ChangeBelowTheThresholdCountsAsStill)
{
    AutoCaptureStateMachine machine;
    machine.setEnabled(true);
    machine.onFrame(grey(100));
    // Alternating 100 and 110: 10 / 255 = 0.039 per frame, below 0.05.
    std::vector<int> captures;
    for (int i = 1; i <= 20; ++i) {
        if (machine.onFrame(grey(i % 2 ? 110 : 100))) {
            captures.push_back(i);
            machine.captureFinished();
        }
    }
    EXPECT_EQ(captures, std::vector<int>({15}));
}

TEST(AutoCapture, ChangeAtTheThresholdRestartsTheCount)
{
    AutoCaptureStateMachine machine;
    machine.setEnabled(true);
    machine.onFrame(grey(100));
    feed(machine, grey(100), 10);
    EXPECT_EQ(machine.stableFrameCount(), 10);
    // 13 / 255 = 0.051: moving.
    EXPECT_FALSE(machine.onFrame(grey(113)));
    EXPECT_EQ(machine.stableFrameCount(), 0);
    EXPECT_EQ(feed(machine, grey(113), 15), std::vector<int>({15}));
}

TEST(AutoCapture, ResolutionSwitchCountsAsMovement)
{
    AutoCaptureStateMachine machine;
    machine.setEnabled(true);
    machine.onFrame(grey(80));
    feed(machine, grey(80), 10);
    EXPECT_FALSE(machine.onFrame(grey(80, 640, 480)));
    EXPECT_TRUE(machine.wasChanging());
    EXPECT_EQ(machine.stableFrameCount(), 0);
}

TEST(AutoCapture, AsksForNothingMoreWhileACaptureRuns)
{
    AutoCaptureStateMachine machine;
    machine.setEnabled(true);
    machine.onFrame(grey(80));
    int asked = 0;
    for (int i = 0; i < 100; ++i)
        asked += machine.onFrame(grey(80)) ? 1 : 0;  // never finished
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(machine.isCapturing());
    machine.captureFinished();
    EXPECT_TRUE(machine.isCooling());
}

TEST(AutoCapture, SwitchingOffAndOnStartsAfresh)
{
    AutoCaptureStateMachine machine;
    machine.setEnabled(true);
    machine.onFrame(grey(80));
    feed(machine, grey(80), 15);
    ASSERT_TRUE(machine.isCooling());
    machine.setEnabled(false);
    EXPECT_FALSE(machine.isCooling());
    EXPECT_FALSE(machine.hasCaptured());
    EXPECT_FALSE(machine.wasChanging());
    machine.setEnabled(true);
    EXPECT_TRUE(machine.wasChanging());
    // The same still picture is captured again after the restart.
    machine.onFrame(grey(80));
    EXPECT_EQ(feed(machine, grey(80), 15), std::vector<int>({15}));
}
