// The virtual camera's picture: the codes printed on the page, where the page lies, and how frames are
// cut from the scene (noise, shake, tone). Later features are developed against this picture, so it is
// checked with the tools those features use: a sheet detector, ZBar and Tesseract.

#include "FrameProbe.h"
#include "PrintedCodes.h"
#include "VirtualFrameSource.h"
#include "VirtualScene.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace MediaCapture;
using vcamtest::Frame;

namespace {

Frame frameAt(const VirtualFrameSource& source, uint64_t index, int64_t streamTimeMs)
{
    Frame f;
    f.width = source.width();
    f.height = source.height();
    f.rgb.resize(source.frameBytes());
    source.renderFrame(index, streamTimeMs, f.rgb.data());
    return f;
}

} // namespace

TEST(PrintedCodes, EncodersGiveTheExpectedSymbols)
{
    const QrMatrix qr = encodeQrCode(VirtualScene::kQrPayload);
    ASSERT_EQ(qr.size, 29); // version 3
    // Finder pattern: dark 7x7 ring around a light ring around a dark 3x3 core, in three corners only.
    auto finderAt = [&](int left, int top) {
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 7; ++x)
                if (qr.isDark(left + x, top + y) !=
                    (x == 0 || y == 0 || x == 6 || y == 6 || (x >= 2 && x <= 4 && y >= 2 && y <= 4)))
                    return false;
        return true;
    };
    EXPECT_TRUE(finderAt(0, 0) && finderAt(22, 0) && finderAt(0, 22));
    EXPECT_FALSE(finderAt(22, 22));

    // Start B, "LUMADOC-" in set B, switch to C, "00" "01", check character, stop: 156 modules.
    const BarPattern bars = encodeCode128(VirtualScene::kBarcodePayload);
    EXPECT_EQ(bars.modules, 156);
    ASSERT_GE(bars.bars.size(), 3u);
    EXPECT_EQ(bars.bars[0], std::make_pair(0, 2)); // start B: 11010010000
    EXPECT_EQ(bars.bars[1], std::make_pair(3, 1));
    EXPECT_EQ(bars.bars[2], std::make_pair(6, 1));
    EXPECT_EQ(bars.bars.back(), std::make_pair(154, 2)); // stop ends in a double bar
}

TEST(SceneGeometry, SheetLiesInsideEveryFrameWithAMarginOfDeskAndPrintsLargeEnough)
{
    for (const QSize size : {QSize(4168, 3126), QSize(1920, 1080), QSize(1280, 720), QSize(641, 480)}) {
        const PageGeometry g = VirtualScene::pageGeometry(size.width(), size.height());
        // Even with the camera shaken, a band of desk stays round the sheet.
        const double margin = std::min(size.width(), size.height()) * 0.04 +
                              2 * VirtualFrameSource::shakeAmplitudePx(size.width());
        for (const QPointF& c : g.corners)
            EXPECT_TRUE(QRectF(margin, margin, size.width() - 2 * margin, size.height() - 2 * margin).contains(c))
                << size.width() << "x" << size.height();
        const double area = g.widthPx * g.heightPx / (double(size.width()) * size.height());
        EXPECT_TRUE(area > 0.25 && area < 0.70) << area;
    }

    // At 1280x720 every code module is over 3 pixels and the body text's x-height over 12, in the
    // installed fonts rather than a fallback with other proportions.
    const PageGeometry g = VirtualScene::pageGeometry(1280, 720);
    EXPECT_GE(g.pixelsPerMm * VirtualScene::kQrModuleMm, 3.0);
    EXPECT_GE(g.pixelsPerMm * VirtualScene::kBarModuleMm, 3.0);
    QFont latin(QString::fromLatin1(VirtualScene::kLatinFamily));
    latin.setPixelSize(1000);
    EXPECT_EQ(QFontInfo(latin).family(), QString::fromLatin1(VirtualScene::kLatinFamily));
    EXPECT_EQ(QFontInfo(QFont(QString::fromLatin1(VirtualScene::kCjkFamily))).family(),
              QString::fromLatin1(VirtualScene::kCjkFamily));
    EXPECT_GE(QFontMetricsF(latin).xHeight() / 1000.0 * VirtualScene::kBodyEmMm * g.pixelsPerMm, 12.0);
}

TEST(SceneGeometry, RefusesSizesItCannotDrawAndCachesWhatItDrew)
{
    EXPECT_THROW(VirtualScene::render(8, 480, 4), std::invalid_argument);
    EXPECT_THROW(VirtualScene::render(640, 480, -1), std::invalid_argument);
    EXPECT_THROW(VirtualScene::render(40000, 480, 4), std::invalid_argument);

    VirtualScene::clearCache();
    const std::atomic<bool> cancelled{true};
    EXPECT_EQ(VirtualScene::cached(320, 240, 6, &cancelled), nullptr) << "a cancelled drawing is no scene";
    const auto a = VirtualScene::cached(320, 240, 6);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(VirtualScene::cached(320, 240, 6).get(), a.get());
    EXPECT_EQ(a->stride, size_t(320 + 12) * 3);
    EXPECT_EQ(a->rgb.size(), a->stride * (240 + 12));
}

class ScenePicture : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_source = std::make_unique<VirtualFrameSource>(1280, 720); }
    static void TearDownTestSuite() { s_source.reset(); }
    static std::unique_ptr<VirtualFrameSource> s_source;
};
std::unique_ptr<VirtualFrameSource> ScenePicture::s_source;

TEST_F(ScenePicture, SheetCornersAreFoundWhereTheGeometryPutsThem)
{
    const Frame frame = frameAt(*s_source, 0, 0);
    vcamtest::saveSnapshot(frame, QStringLiteral("scene-1280x720"));
    const vcamtest::SheetSilhouette sheet = vcamtest::findSheet(frame);
    EXPECT_GT(sheet.areaFraction, 0.25);
    EXPECT_LT(sheet.areaFraction, 0.70);
    EXPECT_TRUE(QRect(50, 28, 1280 - 100, 720 - 56).contains(sheet.bounds));
    const PageGeometry g = VirtualScene::pageGeometry(frame.width, frame.height);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(sheet.corners[i].x(), g.corners[i].x(), 4.0) << "corner " << i;
        EXPECT_NEAR(sheet.corners[i].y(), g.corners[i].y(), 4.0) << "corner " << i;
    }
    // Tilted a few degrees, as dropped by hand.
    const double tiltDeg = std::atan2(sheet.corners[1].y() - sheet.corners[0].y(),
                                      sheet.corners[1].x() - sheet.corners[0].x()) * 180.0 / std::acos(-1.0);
    EXPECT_NEAR(tiltDeg, VirtualScene::kPageAngleDeg, 1.0);
}

TEST_F(ScenePicture, NoiseIsFreshEachFrameButOnlyAFewLevels)
{
    const Frame a = frameAt(*s_source, 10, 0);
    const Frame b = frameAt(*s_source, 11, 0);
    size_t differing = 0;
    int largest = 0;
    double sum = 0.0;
    for (size_t i = 0; i < a.rgb.size(); ++i) {
        const int d = std::abs(int(a.rgb[i]) - int(b.rgb[i]));
        differing += d != 0;
        largest = std::max(largest, d);
        sum += d;
    }
    EXPECT_GT(differing, a.rgb.size() / 2) << "the noise must not freeze";
    EXPECT_LE(largest, 8);
    EXPECT_LT(sum / a.rgb.size(), 3.0);
    EXPECT_EQ(frameAt(*s_source, 10, 0).rgb, a.rgb) << "a frame index always gives the same frame";
}

TEST_F(ScenePicture, ShakenFrameIsTheRestingFrameMovedByTheShift)
{
    const int64_t secondRest = VirtualFrameSource::kStillMs + VirtualFrameSource::kMoveMs + 100;
    const VirtualFrameSource::Shift shift = VirtualFrameSource::shiftAt(secondRest, 1280);
    ASSERT_GT(shift.dx, 0);
    ASSERT_GT(shift.dy, 0);
    const Frame rest = frameAt(*s_source, 20, 0);
    const Frame moved = frameAt(*s_source, 21, secondRest);
    const size_t row = 1280 * 3;
    double matched = 0.0, unmatched = 0.0;
    for (int y = 0; y + shift.dy < 720; ++y)
        for (size_t i = 0; i + 3 * shift.dx < row; ++i) {
            const int r = rest.rgb[y * row + i];
            matched += std::abs(r - int(moved.rgb[(y + shift.dy) * row + i + 3 * shift.dx]));
            unmatched += std::abs(r - int(moved.rgb[y * row + i]));
        }
    EXPECT_LT(matched, unmatched * 0.5) << "content moved right and down by the shift";
    EXPECT_LT(matched / (720.0 * row), 3.0) << "and nothing but noise differs";
}

TEST(CameraShake, RestsThenMovesAndSettlesWithinTheSceneMargin)
{
    constexpr int64_t kCycle = VirtualFrameSource::kStillMs + VirtualFrameSource::kMoveMs;
    for (int width : {641, 1280, 4168}) {
        const int a = VirtualFrameSource::shakeAmplitudePx(width);
        EXPECT_TRUE(a >= 2 && a <= width / 200 + 2) << "a few pixels, not a jump";
        const VirtualFrameSource::Shift rests[2] = {{0, 0}, {a, a / 2}};
        for (int64_t t = 0; t < 4 * kCycle; t += 5) {
            const auto s = VirtualFrameSource::shiftAt(t, width);
            ASSERT_LE(std::max(std::abs(s.dx), std::abs(s.dy)), VirtualFrameSource::shakeMarginPx(width)) << t;
            if (t % kCycle < VirtualFrameSource::kStillMs) {
                ASSERT_EQ(s, rests[(t / kCycle) % 2]) << width << " at " << t;
            }
        }
        const auto mid = VirtualFrameSource::shiftAt(VirtualFrameSource::kStillMs + VirtualFrameSource::kMoveMs / 2, width);
        EXPECT_TRUE(mid != rests[0] && mid != rests[1]) << "a move passes off the rest positions";
    }
}

TEST(FrameTone, ToneTableHasTheDocumentedCurve)
{
    const ToneTable neutral = VirtualFrameSource::toneTable(0, 50);
    for (int v = 0; v < 256; ++v)
        ASSERT_EQ(neutral[v], v);
    const ToneTable bright = VirtualFrameSource::toneTable(64, 50);
    EXPECT_EQ(bright[100], 164);
    EXPECT_EQ(bright[200], 255);
    EXPECT_EQ(VirtualFrameSource::toneTable(-64, 50)[50], 0);
    const ToneTable steep = VirtualFrameSource::toneTable(0, 100); // spread around 128 doubled
    EXPECT_EQ(steep[100], 72);
    EXPECT_EQ(steep[160], 192);
    const ToneTable flat = VirtualFrameSource::toneTable(0, 0); // halved
    EXPECT_EQ(flat[0], 64);
    EXPECT_EQ(flat[255], 192);
    EXPECT_EQ(VirtualFrameSource::toneTable(500, -20), VirtualFrameSource::toneTable(64, 0)) << "held to range";
}

TEST_F(ScenePicture, TesseractReadsTheCroppedSheetInEnglishAndChinese)
{
    const QString tesseract = QStandardPaths::findExecutable(QStringLiteral("tesseract"));
    if (tesseract.isEmpty())
        GTEST_SKIP() << "tesseract is not installed";
    QProcess langs;
    langs.start(tesseract, {QStringLiteral("--list-langs")});
    langs.waitForFinished(30000);
    const QString available = QString::fromUtf8(langs.readAllStandardOutput());
    if (!available.contains(QStringLiteral("chi_sim")) || !available.contains(QStringLiteral("eng")))
        GTEST_SKIP() << "tesseract lacks chi_sim or eng data";

    // OCR gets the sheet as a document detector crops it. Given the whole frame, Tesseract's layout
    // analysis takes the dark desk round a tilted sheet for a picture and loses most lines, which is
    // why the application crops first.
    const Frame frame = frameAt(*s_source, 5, 0);
    QTemporaryDir dir;
    const QString image = dir.filePath(QStringLiteral("sheet.png"));
    ASSERT_TRUE(frame.toImage().copy(vcamtest::findSheet(frame).bounds.adjusted(-4, -4, 4, 4)).save(image));
    QProcess ocr;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("OMP_THREAD_LIMIT"), QStringLiteral("1"));
    ocr.setProcessEnvironment(env);
    ocr.start(tesseract, {image, QStringLiteral("stdout"), QStringLiteral("-l"), QStringLiteral("chi_sim+eng")});
    ASSERT_TRUE(ocr.waitForFinished(120000));
    const QString text = QString::fromUtf8(ocr.readAllStandardOutput());
    const QString flat = QString(text).remove(QRegularExpression(QStringLiteral("\\s+"))).toLower();
    for (const char* expected : {"lumadocvirtualcamera", "quickbrownfox", "0123456789", "文字识别"})
        EXPECT_TRUE(flat.contains(QString::fromUtf8(expected))) << expected << " not in:\n" << text.toStdString();
}
