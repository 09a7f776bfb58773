// Book runs end on their own gallery item: a flattened single page replaces its capture (and its file),
// a double page becomes a left and a right capture in that order, and a failed run keeps the capture.
#include "BookFlattenProcessor.h"
#include "BookSession.h"
#include "CaptureStore.h"
#include "GalleryModel.h"
#include "TestSupport.h"

#include <QDir>
#include <QImageReader>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int kPng = 1;

// Pages lit on a dark desk, each with ruled lines and a coloured marker in its top corner.
QImage desk(const QList<QPair<QRect, QColor>>& pages)
{
    QImage image(1400, 900, QImage::Format_RGB32);
    image.fill(QColor(35, 32, 30));
    QPainter painter(&image);
    for (const auto& page : pages) {
        painter.fillRect(page.first, QColor(245, 243, 236));
        painter.setPen(QPen(QColor(40, 40, 40), 3));
        for (int y = page.first.top() + 80; y < page.first.bottom() - 40; y += 36)
            painter.drawLine(page.first.left() + 40, y, page.first.right() - 40, y);
        painter.fillRect(QRect(page.first.topLeft() + QPoint(40, 20), QSize(60, 40)), page.second);
    }
    return image;
}

bool hasColour(const QImage& image, QColor colour)
{
    const QImage small = image.scaled(image.width() / 4, image.height() / 4).convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < small.height(); ++y)
        for (int x = 0; x < small.width(); ++x) {
            const QColor c(small.pixel(x, y));
            if (std::abs(c.red() - colour.red()) < 40 && std::abs(c.green() - colour.green()) < 40 &&
                std::abs(c.blue() - colour.blue()) < 40)
                return true;
        }
    return false;
}

class BookSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir.applyToCurrentProcess();
        m_folder = m_dir.filePath("captures");
        BookSession::Environment env;
        env.nextFileName = [this](const QImage&) { return QStringLiteral("page_%1.png").arg(++m_counter); };
        env.saveTarget = [this] { return CaptureStore::Target{true, m_folder, kPng}; };
        env.removeBackground = [](const QImage& image) { return image; };
        m_store = new CaptureStore(&m_gallery, nullptr, &m_gallery);
        m_store->saver().setSyncInBackground(false);
        m_session = new BookSession(&m_gallery, m_store, env, &m_gallery);
        QObject::connect(m_session, &BookSession::statusMessage, [this](const QString& text, int) { m_status << text; });
    }

    // A capture as the pipeline stores it, then handed to a single-page run.
    int captureSinglePage(const QImage& image)
    {
        quint64 id = 0;
        m_store->store(image, QStringLiteral("page_%1.png").arg(++m_counter), false, {true, m_folder, kPng}, true, &id);
        m_session->setRemoveFingers(false);
        m_session->setForceDoublePage(false);
        m_session->setNextItem(id);
        m_session->flattenAsync(image);
        return m_gallery.indexOfId(id);
    }

    bool waitForRuns() { return QTest::qWaitFor([this] { return m_session->runningCount() == 0; }, 20000); }

    testsupport::TempAppDir m_dir;
    QString m_folder;
    GalleryModel m_gallery;
    CaptureStore* m_store = nullptr;
    BookSession* m_session = nullptr;
    int m_counter = 0;
    QStringList m_status;
};

}  // namespace

TEST_F(BookSessionTest, RunsBackToBackEachReplaceTheirOwnCaptureAndFile)
{
    const QImage wide = desk({{QRect(250, 120, 900, 660), Qt::red}});
    const QImage narrow = desk({{QRect(450, 150, 500, 600), Qt::blue}});
    const int first = captureSinglePage(wide);
    const int second = captureSinglePage(narrow);
    EXPECT_TRUE(m_gallery.isProcessing(first));
    EXPECT_TRUE(m_gallery.isProcessing(second));
    ASSERT_TRUE(waitForRuns());

    struct Expect {
        int index;
        int width;
        QColor marker;
    };
    for (const Expect& e : {Expect{first, 900, Qt::red}, Expect{second, 500, Qt::blue}}) {
        EXPECT_FALSE(m_gallery.isProcessing(e.index));
        const QImage shown = m_gallery.imageAt(e.index);
        EXPECT_NEAR(shown.width(), e.width, e.width * 0.03) << e.index;
        EXPECT_TRUE(hasColour(shown, e.marker)) << e.index;
        // Written over the capture's own file, not over the other one's.
        const QImage onDisk(m_gallery.filePathAt(e.index));
        EXPECT_EQ(onDisk.size(), shown.size()) << e.index;
    }
    EXPECT_EQ(m_status.count("Book flattening completed"), 2);
}

TEST_F(BookSessionTest, DoublePageBecomesLeftAndRightCapturesInThatOrder)
{
    // The right page is the larger one: the order must come from the position.
    const QImage spread = desk({{QRect(120, 140, 520, 600), Qt::red}, {QRect(700, 110, 560, 660), Qt::blue}});
    m_session->setForceDoublePage(true);
    m_session->flattenAsync(spread);
    EXPECT_TRUE(m_session->doublePagePending());
    EXPECT_EQ(m_gallery.count(), 0);
    ASSERT_TRUE(waitForRuns());
    EXPECT_FALSE(m_session->doublePagePending());
    ASSERT_EQ(m_gallery.count(), 2);
    EXPECT_TRUE(m_gallery.filePathAt(0).endsWith("page_1_L.png"));
    EXPECT_TRUE(m_gallery.filePathAt(1).endsWith("page_1_R.png"));
    EXPECT_TRUE(hasColour(QImage(m_gallery.filePathAt(0)), Qt::red));
    EXPECT_TRUE(hasColour(QImage(m_gallery.filePathAt(1)), Qt::blue));
    EXPECT_TRUE(m_status.contains("Book double-page flattening completed"));
}

TEST_F(BookSessionTest, AFailedRunKeepsTheCaptureAndSaysWhy)
{
    QImage empty(800, 600, QImage::Format_RGB32);
    empty.fill(QColor(20, 20, 20));
    const int index = captureSinglePage(empty);
    ASSERT_TRUE(waitForRuns());
    EXPECT_FALSE(m_gallery.isProcessing(index));
    EXPECT_EQ(m_gallery.imageAt(index).size(), empty.size());
    ASSERT_FALSE(m_status.isEmpty());
    EXPECT_TRUE(m_status.last().startsWith("Flattening failed: ")) << m_status.last().toStdString();
}
