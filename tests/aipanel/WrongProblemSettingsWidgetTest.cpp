// Each control of the exercise-capture strip reports through its own signal, and a state set by the
// window reports nothing.
#include "WrongProblemSettingsWidget.h"

#include <QAbstractButton>
#include <QSignalSpy>
#include <QtTest/QTest>
#include <gtest/gtest.h>

TEST(WrongProblemSettingsWidget, EachControlEmitsItsOwnSignal)
{
    const struct
    {
        const char* control;
        int signalIndex; // into the spies below
        bool checkedAfterClick;
    } cases[] = {
        {"wrongProblemAutoCrop", 0, true},
        {"wrongProblemManualCrop", 1, true},
        {"wrongProblemOcrButton", 2, false},
    };
    for (const auto& c : cases) {
        WrongProblemSettingsWidget strip;
        strip.show();
        QSignalSpy autoCrop(&strip, &WrongProblemSettingsWidget::autoCropToggled);
        QSignalSpy manualCrop(&strip, &WrongProblemSettingsWidget::manualCropToggled);
        QSignalSpy ocr(&strip, &WrongProblemSettingsWidget::ocrRequested);
        QSignalSpy* spies[] = {&autoCrop, &manualCrop, &ocr};

        auto* control = strip.findChild<QAbstractButton*>(QString::fromLatin1(c.control));
        ASSERT_NE(control, nullptr) << c.control;
        QTest::mouseClick(control, Qt::LeftButton);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(spies[i]->count(), i == c.signalIndex ? 1 : 0) << c.control << " signal " << i;
        if (c.signalIndex < 2) {
            EXPECT_EQ(spies[c.signalIndex]->takeFirst().at(0).toBool(), c.checkedAfterClick) << c.control;
        }
    }

    WrongProblemSettingsWidget strip;
    QSignalSpy autoCrop(&strip, &WrongProblemSettingsWidget::autoCropToggled);
    QSignalSpy manualCrop(&strip, &WrongProblemSettingsWidget::manualCropToggled);
    strip.setAutoCropChecked(true);
    strip.setManualCropChecked(true);
    EXPECT_TRUE(strip.isAutoCropChecked());
    EXPECT_TRUE(strip.isManualCropChecked());
    EXPECT_EQ(autoCrop.count() + manualCrop.count(), 0);
}
