#include "AnnotationToolbar.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QToolButton>
#include <QtTest>
#include <gtest/gtest.h>

namespace {

QLabel* label(const AnnotationToolbar& bar, const char* name) { return bar.findChild<QLabel*>(name); }

TEST(AnnotationToolbarTest, ToolButtonsAreExclusiveAndReportTheirIds)
{
    AnnotationToolbar bar;
    EXPECT_EQ(bar.windowTitle(), "Annotation Tools");
    EXPECT_EQ(bar.iconSize(), QSize(24, 24));
    EXPECT_EQ(bar.currentTool(), 0);
    EXPECT_TRUE(bar.toolButton(0)->isChecked());
    EXPECT_EQ(bar.toolButton(5)->text(), "Eraser");
    EXPECT_EQ(bar.toolButton(3)->toolTip(), "Rectangle Tool");

    QSignalSpy tools(&bar, &AnnotationToolbar::toolChanged);
    bar.toolButton(1)->click();
    bar.toolButton(5)->click();
    ASSERT_EQ(tools.count(), 2);
    EXPECT_EQ(tools.at(0).at(0).toInt(), 1);
    EXPECT_EQ(tools.at(1).at(0).toInt(), 5);
    EXPECT_TRUE(bar.toolButton(5)->isChecked());
    EXPECT_FALSE(bar.toolButton(1)->isChecked());
    EXPECT_EQ(bar.currentTool(), 5);
}

TEST(AnnotationToolbarTest, SlidersUpdateLabelsAndEmit)
{
    AnnotationToolbar bar;
    QSignalSpy widths(&bar, &AnnotationToolbar::penWidthChanged);
    QSignalSpy erasers(&bar, &AnnotationToolbar::eraserSizeChanged);
    EXPECT_EQ(bar.widthSlider()->minimum(), 1);
    EXPECT_EQ(bar.widthSlider()->maximum(), 50);
    EXPECT_EQ(bar.eraserSlider()->minimum(), 5);
    EXPECT_EQ(bar.eraserSlider()->maximum(), 100);

    bar.widthSlider()->setValue(12);
    bar.eraserSlider()->setValue(60);
    bar.eraserSlider()->setValue(500);  // held at the maximum
    ASSERT_EQ(widths.count(), 1);
    EXPECT_EQ(widths.at(0).at(0).toInt(), 12);
    ASSERT_EQ(erasers.count(), 2);
    EXPECT_EQ(erasers.at(1).at(0).toInt(), 100);
    EXPECT_EQ(label(bar, "eraserValueLabel")->text(), "100");
    EXPECT_EQ(label(bar, "widthLabel")->text(), "Width:");
    EXPECT_EQ(label(bar, "eraserLabel")->text(), "Eraser:");
}

TEST(AnnotationToolbarTest, SettersDoNotEmit)
{
    AnnotationToolbar bar;
    QSignalSpy widths(&bar, &AnnotationToolbar::penWidthChanged);
    QSignalSpy erasers(&bar, &AnnotationToolbar::eraserSizeChanged);
    QSignalSpy colors(&bar, &AnnotationToolbar::penColorChanged);
    bar.setPenWidth(8);
    bar.setEraserSize(40);
    bar.setPenColor(Qt::blue);
    EXPECT_EQ(widths.count() + erasers.count() + colors.count(), 0);
    EXPECT_EQ(bar.penWidth(), 8);
    EXPECT_EQ(label(bar, "eraserValueLabel")->text(), "40");
    EXPECT_TRUE(bar.colorButton()->styleSheet().contains("#0000ff"));
}

TEST(AnnotationToolbarTest, ColourComesFromTheChooserStartingAtTheCurrentColour)
{
    AnnotationToolbar bar;
    QSignalSpy colors(&bar, &AnnotationToolbar::penColorChanged);
    QColor offered;
    bar.setColorChooser([&](const QColor& initial) {
        offered = initial;
        return QColor(0, 128, 255);
    });
    bar.colorButton()->click();
    EXPECT_EQ(offered, QColor(Qt::red));
    ASSERT_EQ(colors.count(), 1);
    EXPECT_EQ(colors.at(0).at(0).value<QColor>(), QColor(0, 128, 255));
    EXPECT_TRUE(bar.colorButton()->styleSheet().contains("#0080ff"));
    EXPECT_EQ(bar.colorButton()->objectName(), "colorButton");

    bar.setColorChooser([&](const QColor& initial) {
        offered = initial;
        return QColor();  // cancelled
    });
    bar.colorButton()->click();
    EXPECT_EQ(offered, QColor(0, 128, 255));
    EXPECT_EQ(colors.count(), 1);
    EXPECT_EQ(bar.penColor(), QColor(0, 128, 255));
}

TEST(AnnotationToolbarTest, UndoAndClearActionsEmit)
{
    AnnotationToolbar bar;
    QSignalSpy undo(&bar, &AnnotationToolbar::undoRequested);
    QSignalSpy clear(&bar, &AnnotationToolbar::clearRequested);
    bar.undoAction()->trigger();
    bar.clearAction()->trigger();
    bar.clearAction()->trigger();
    EXPECT_EQ(undo.count(), 1);
    EXPECT_EQ(clear.count(), 2);
    EXPECT_EQ(bar.undoAction()->text(), "Undo");
}

TEST(AnnotationToolbarTest, LanguageChangeRetranslates)
{
    AnnotationToolbar bar;
    bar.toolButton(1)->setText("stale");
    label(bar, "widthLabel")->setText("stale");
    bar.setWindowTitle("stale");
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&bar, &change);
    EXPECT_EQ(bar.toolButton(1)->text(), "Pen");
    EXPECT_EQ(label(bar, "widthLabel")->text(), "Width:");
    EXPECT_EQ(bar.windowTitle(), "Annotation Tools");
}

} // namespace
