#include "FrameLogic.h"

#include <gtest/gtest.h>

using frame::KeyCommand;

TEST(StatusTexts, ThreeStatesOfTheCamera)
{
    frame::StatusInput in;
    in.zoomPercent = 150;
    frame::StatusTexts t = frame::statusTexts(in);
    EXPECT_EQ(t.status, "No Camera");
    EXPECT_EQ(t.zoom, "Zoom: 150%");

    in.deviceOpen = true;
    t = frame::statusTexts(in);
    EXPECT_EQ(t.status, "Camera Ready");
    EXPECT_EQ(t.zoom, "Zoom: 150%");

    in.previewing = true;
    in.deviceName = "Lumadoc Virtual Camera";
    in.width = 1920;
    in.height = 1080;
    in.fps = 29;
    t = frame::statusTexts(in);
    EXPECT_EQ(t.status, "Previewing | Device: Lumadoc Virtual Camera | Resolution: 1920x1080");
    EXPECT_EQ(t.zoom, "Zoom: 150% | FPS: 29");
}

TEST(KeyCommands, ShortcutTable)
{
    EXPECT_EQ(frame::keyCommand(Qt::Key_Space, Qt::NoModifier, false), KeyCommand::Capture);
    EXPECT_EQ(frame::keyCommand(Qt::Key_Plus, Qt::NoModifier, false), KeyCommand::ZoomIn);
    EXPECT_EQ(frame::keyCommand(Qt::Key_Equal, Qt::NoModifier, false), KeyCommand::ZoomIn);
    EXPECT_EQ(frame::keyCommand(Qt::Key_Plus, Qt::KeypadModifier, false), KeyCommand::ZoomIn);
    EXPECT_EQ(frame::keyCommand(Qt::Key_Minus, Qt::NoModifier, false), KeyCommand::ZoomOut);
    EXPECT_EQ(frame::keyCommand(Qt::Key_0, Qt::ControlModifier, false), KeyCommand::ZoomReset);
    EXPECT_EQ(frame::keyCommand(Qt::Key_F, Qt::ControlModifier, false), KeyCommand::FitToView);
    EXPECT_EQ(frame::keyCommand(Qt::Key_S, Qt::ControlModifier, false), KeyCommand::ScanCode);
    EXPECT_EQ(frame::keyCommand(Qt::Key_Y, Qt::ControlModifier, false), KeyCommand::RedoAnnotation);
    EXPECT_EQ(frame::keyCommand(Qt::Key_Z, Qt::ControlModifier, false), KeyCommand::UndoAnnotation);
    // Plain letters and a plain 0 are no commands.
    EXPECT_EQ(frame::keyCommand(Qt::Key_0, Qt::NoModifier, false), KeyCommand::None);
    EXPECT_EQ(frame::keyCommand(Qt::Key_S, Qt::NoModifier, false), KeyCommand::None);
}

TEST(KeyCommands, ScannerGunModeTakesNoCommandsAtAll)
{
    for (int key : {int(Qt::Key_Space), int(Qt::Key_Plus), int(Qt::Key_Minus)})
        EXPECT_EQ(frame::keyCommand(key, Qt::NoModifier, true), KeyCommand::None);
    EXPECT_EQ(frame::keyCommand(Qt::Key_Z, Qt::ControlModifier, true), KeyCommand::None);
}

TEST(ScreenClamp, ShrinksAndMovesIntoTheAvailableArea)
{
    const QRect screen(0, 0, 1280, 1000);
    EXPECT_EQ(frame::clampIntoScreen(QRect(100, 100, 800, 600), screen), QRect(100, 100, 800, 600));
    EXPECT_EQ(frame::clampIntoScreen(QRect(-50, -20, 2000, 1500), screen), screen);
    EXPECT_EQ(frame::clampIntoScreen(QRect(900, 800, 800, 600), screen), QRect(480, 400, 800, 600));
    // A screen that does not start at the origin (a second monitor, a panel on the left).
    const QRect right(1280, 40, 1920, 1040);
    EXPECT_EQ(frame::clampIntoScreen(QRect(0, 0, 1000, 700), right), QRect(1280, 40, 1000, 700));
}
