// The flatten processor as the window uses it: requests that arrive while one runs are queued, never
// block the caller, and each is answered once with its own id and switches.
#include "BookFlattenProcessor.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Two pages of unequal size apart on a desk: a double-page run returns them as two pages.
QImage twoPages()
{
    QImage image(600, 340, QImage::Format_RGB32);
    image.fill(QColor(30, 30, 30));
    QPainter painter(&image);
    painter.fillRect(QRect(40, 60, 200, 220), QColor(230, 230, 230));
    painter.fillRect(QRect(300, 40, 260, 260), QColor(230, 230, 230));
    return image;
}

} // namespace

TEST(BookFlattenProcessor, EachRunIsAnsweredOnceWithItsOwnIdAndSwitches)
{
    BookFlattenProcessor processor;
    struct Event
    {
        quint64 id;
        int progress; // -1: the completion
        FlattenResult result;
    };
    std::vector<Event> events;
    QObject::connect(&processor, &BookFlattenProcessor::progressUpdated, [&](quint64 id, int p) {
        events.push_back({id, p, {}});
    });
    QObject::connect(&processor, &BookFlattenProcessor::flattenCompleted,
                     [&](quint64 id, const FlattenResult& r) {
                         events.push_back({id, -1, r});
                     });
    QSignalSpy completed(&processor, &BookFlattenProcessor::flattenCompleted);

    // A null image is answered before flattenAsync returns.
    const quint64 nullRun = processor.flattenAsync(QImage());
    ASSERT_EQ(completed.count(), 1);
    EXPECT_EQ(completed.at(0).at(0).value<quint64>(), nullRun);
    EXPECT_EQ(completed.at(0).at(1).value<FlattenResult>().errorMessage, "Input image is empty");
    events.clear();

    // Back to back, with different switches: the second neither waits for nor changes the first.
    FlattenOptions doublePage;
    doublePage.forceDoublePage = true;
    const quint64 first = processor.flattenAsync(twoPages(), doublePage);
    const quint64 second = processor.flattenAsync(twoPages(), FlattenOptions{});
    EXPECT_NE(first, second);
    EXPECT_GT(first, 0u);
    EXPECT_EQ(processor.pendingRuns(), 2);
    ASSERT_TRUE(completed.wait(20000));
    while (completed.count() < 3)
        ASSERT_TRUE(completed.wait(20000));
    QTest::qWait(50); // nothing more may arrive
    EXPECT_EQ(completed.count(), 3);
    EXPECT_EQ(processor.pendingRuns(), 0);

    // In order: every event of the first run before any of the second; each run's full progress.
    std::vector<int> progressOf[2];
    int doneOf[2] = {0, 0};
    quint64 lastId = first;
    for (const Event& e : events) {
        ASSERT_TRUE(e.id == first || e.id == second);
        EXPECT_GE(e.id, lastId) << "runs interleaved";
        lastId = e.id;
        const int run = e.id == first ? 0 : 1;
        if (e.progress >= 0) {
            EXPECT_EQ(doneOf[run], 0) << "progress after the result";
            progressOf[run].push_back(e.progress);
            continue;
        }
        ++doneOf[run];
        EXPECT_TRUE(e.result.success);
        // The first run's switches: two pages; the second's: none.
        EXPECT_EQ(e.result.pages.size(), run == 0 ? 2 : 0);
    }
    EXPECT_EQ(doneOf[0], 1);
    EXPECT_EQ(doneOf[1], 1);
    for (const auto& progress : progressOf)
        EXPECT_EQ(progress, (std::vector<int>{5, 10, 20, 30, 40, 50, 60, 90, 100}));
}
