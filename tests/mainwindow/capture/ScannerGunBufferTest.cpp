#include "ScannerGunBuffer.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QWidget>
#include <QtTest/QtTest>

#include <gtest/gtest.h>

namespace {

constexpr int kDelayMs = 300;
// Generous: timers on a loaded test machine may be late, never early.
constexpr int kWaitMs = 5000;

void typeCode(ScannerGunBuffer& scanner, const QString& code)
{
    for (const QChar ch : code) {
        const int key = ch.isDigit() ? Qt::Key_0 + ch.digitValue() : int(ch.toUpper().unicode());
        EXPECT_TRUE(scanner.handleKeyPress(key, QString(ch)));
    }
}

} // namespace

TEST(ScannerGunBuffer, CodeEndedByEnterCapturesOnceAfterTheDelay)
{
    ScannerGunBuffer scanner;
    scanner.setCaptureDelayMs(kDelayMs);
    QSignalSpy spy(&scanner, &ScannerGunBuffer::captureRequested);
    typeCode(scanner, "123");
    EXPECT_EQ(scanner.buffer(), "123");
    EXPECT_TRUE(scanner.handleKeyPress(Qt::Key_Return, "\r"));
    EXPECT_TRUE(scanner.isCapturePending());
    EXPECT_EQ(spy.count(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return spy.count() > 0; }, kWaitMs));
    EXPECT_EQ(spy.at(0).at(0).toString(), "123");
    EXPECT_TRUE(scanner.buffer().isEmpty());
    QTest::qWait(kDelayMs + 400);
    EXPECT_EQ(spy.count(), 1);
}

TEST(ScannerGunBuffer, CodeWithoutEnterCapturesAfterThePause)
{
    ScannerGunBuffer scanner;
    scanner.setCaptureDelayMs(kDelayMs);
    QSignalSpy spy(&scanner, &ScannerGunBuffer::captureRequested);
    typeCode(scanner, "AB-7=");
    EXPECT_FALSE(scanner.isCapturePending());
    ASSERT_TRUE(QTest::qWaitFor([&] { return spy.count() > 0; }, kWaitMs));
    EXPECT_EQ(spy.at(0).at(0).toString(), "AB-7=");
    QTest::qWait(kDelayMs + 400);
    EXPECT_EQ(spy.count(), 1);
}

TEST(ScannerGunBuffer, OtherKeysAreNotTakenAndNotBuffered)
{
    ScannerGunBuffer scanner;
    typeCode(scanner, "12");
    EXPECT_FALSE(scanner.handleKeyPress(Qt::Key_Period, "."));
    EXPECT_FALSE(scanner.handleKeyPress(Qt::Key_Space, " "));
    EXPECT_FALSE(scanner.handleKeyPress(Qt::Key_Slash, "/"));
    EXPECT_TRUE(scanner.handleKeyPress(Qt::Key_Underscore, "_"));
    EXPECT_TRUE(scanner.handleKeyPress(Qt::Key_Plus, "+"));
    EXPECT_EQ(scanner.buffer(), "12_+");
    // A code key without text restarts the pause but adds nothing.
    EXPECT_TRUE(scanner.handleKeyPress(Qt::Key_A, QString()));
    EXPECT_EQ(scanner.buffer(), "12_+");
}

TEST(ScannerGunBuffer, EnterWithNothingTypedIsSwallowedAndDoesNothing)
{
    ScannerGunBuffer scanner;
    scanner.setCaptureDelayMs(50);
    QSignalSpy spy(&scanner, &ScannerGunBuffer::captureRequested);
    EXPECT_TRUE(scanner.handleKeyPress(Qt::Key_Enter, "\r"));
    EXPECT_FALSE(scanner.isCapturePending());
    QTest::qWait(600);
    EXPECT_EQ(spy.count(), 0);
}

TEST(ScannerGunBuffer, KeysWaitUntilTheRunningCaptureFinishes)
{
    ScannerGunBuffer scanner;
    scanner.setCaptureDelayMs(0);
    QSignalSpy spy(&scanner, &ScannerGunBuffer::captureRequested);
    typeCode(scanner, "9");
    scanner.handleKeyPress(Qt::Key_Return, "\r");
    ASSERT_TRUE(QTest::qWaitFor([&] { return spy.count() > 0; }, kWaitMs));
    EXPECT_TRUE(scanner.isCapturing());
    EXPECT_FALSE(scanner.handleKeyPress(Qt::Key_5, "5"));
    EXPECT_TRUE(scanner.buffer().isEmpty());
    scanner.captureFinished();
    EXPECT_TRUE(scanner.handleKeyPress(Qt::Key_5, "5"));
    EXPECT_EQ(scanner.buffer(), "5");
}

TEST(ScannerGunBuffer, ResetForgetsAHalfTypedCode)
{
    ScannerGunBuffer scanner;
    scanner.setCaptureDelayMs(50);
    QSignalSpy spy(&scanner, &ScannerGunBuffer::captureRequested);
    typeCode(scanner, "42");
    scanner.reset();
    QTest::qWait(600);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(ScannerGunBuffer::captureStatusText("42"), "Scanner Gun: Capturing with code 42...");
}

TEST(ScannerGunRouting, TakesKeysOnlyFromTheMainWindowOutsideTextFields)
{
    QWidget mainWindow;
    auto* button = new QPushButton(&mainWindow);
    auto* search = new QLineEdit(&mainWindow);
    auto* notes = new QTextEdit(&mainWindow);
    auto* modes = new QComboBox(&mainWindow);
    auto* editableCombo = new QComboBox(&mainWindow);
    editableCombo->setEditable(true);
    QDialog dialog(&mainWindow);
    auto* dialogButton = new QPushButton(&dialog);

    EXPECT_TRUE(ScannerGunBuffer::shouldTakeKeysFrom(button, &mainWindow, &mainWindow));
    EXPECT_TRUE(ScannerGunBuffer::shouldTakeKeysFrom(nullptr, &mainWindow, &mainWindow));
    EXPECT_TRUE(ScannerGunBuffer::shouldTakeKeysFrom(modes, &mainWindow, &mainWindow));
    EXPECT_FALSE(ScannerGunBuffer::shouldTakeKeysFrom(search, &mainWindow, &mainWindow));
    EXPECT_FALSE(ScannerGunBuffer::shouldTakeKeysFrom(notes, &mainWindow, &mainWindow));
    EXPECT_FALSE(ScannerGunBuffer::shouldTakeKeysFrom(notes->viewport(), &mainWindow, &mainWindow));
    EXPECT_FALSE(ScannerGunBuffer::shouldTakeKeysFrom(editableCombo, &mainWindow, &mainWindow));
    EXPECT_FALSE(ScannerGunBuffer::shouldTakeKeysFrom(dialogButton, &dialog, &mainWindow));
    EXPECT_FALSE(ScannerGunBuffer::shouldTakeKeysFrom(button, nullptr, &mainWindow));
    EXPECT_FALSE(ScannerGunBuffer::shouldTakeKeysFrom(button, &mainWindow, nullptr));
}
