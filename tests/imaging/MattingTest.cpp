// ID-photo matting: compositing by a network's alpha (generated constant-alpha networks), refusing
// outputs of the wrong shape, failing visibly without a model, the GrabCut fallback on a drawn
// "person", and the device rule.
#include "ImageConversion.h"
#include "Matting.h"
#include "OnnxTestModel.h"

#include <QPainter>
#include <QTemporaryDir>

#include <opencv2/imgproc.hpp>

#include <gtest/gtest.h>

namespace {

// A colourful picture with every channel varying, so "unchanged" and "background" are told apart.
QImage testPicture(int w, int h)
{
    cv::Mat m(h, w, CV_8UC3);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            m.at<cv::Vec3b>(y, x) = cv::Vec3b(uchar(x * 255 / w), uchar(y * 255 / h), uchar((x + y) % 256));
    }
    return matToQImage(m);
}

int maxDifference(const QImage& a, const QImage& b)
{
    cv::Mat diff;
    cv::absdiff(qImageToMat(a), qImageToMat(b), diff);
    double maxValue = 0;
    cv::minMaxLoc(diff.reshape(1), nullptr, &maxValue);
    return int(maxValue);
}

QImage filled(const QSize& size, const QColor& c)
{
    QImage img(size, QImage::Format_RGB888);
    img.fill(c);
    return img;
}

} // namespace

TEST(MattingTest, ConstantAlphaGivesExactlyTheBackgroundOrTheInput)
{
    struct Case {
        float alpha;
        bool keepsInput;
    };
    const Case cases[] = {{0.0f, false}, {1.0f, true}, {1.8f, true}, {-0.5f, false}};
    const QImage picture = testPicture(300, 200);
    const QColor red(200, 30, 40);
    QTemporaryDir dir;
    int n = 0;
    for (const Case& c : cases) {
        const QString path = dir.filePath(QStringLiteral("alpha%1.onnx").arg(n++));
        ASSERT_TRUE(onnxtest::writeConstantAlphaModel(path, c.alpha));
        const QImage out = applyMatting(picture, red, path);
        ASSERT_FALSE(out.isNull()) << c.alpha;
        ASSERT_EQ(out.size(), picture.size());
        const QImage expected = c.keepsInput ? picture : filled(picture.size(), red);
        EXPECT_EQ(maxDifference(out, expected), 0) << "alpha " << c.alpha;

        const MattingResult viaCutOut = cutOutPerson(picture, red, QRect(50, 20, 200, 160), path);
        EXPECT_EQ(viaCutOut.method, MattingMethod::Model);
        EXPECT_EQ(maxDifference(viaCutOut.image, expected), 0) << "alpha " << c.alpha;
    }
}

TEST(MattingTest, FailureIsANullImageNeverTheUntouchedPicture)
{
    const QImage picture = testPicture(120, 90);
    QTemporaryDir dir;
    // No model file.
    EXPECT_TRUE(applyMatting(picture, Qt::white, dir.filePath(QStringLiteral("missing.onnx"))).isNull());
    // An output of three maps instead of one alpha map is refused, not read as H x W.
    const QString wrong = dir.filePath(QStringLiteral("three.onnx"));
    ASSERT_TRUE(onnxtest::writeConstantAlphaModel(wrong, 0.5f, 3));
    EXPECT_TRUE(applyMatting(picture, Qt::white, wrong).isNull());
    // A null picture.
    const QString good = dir.filePath(QStringLiteral("one.onnx"));
    ASSERT_TRUE(onnxtest::writeConstantAlphaModel(good, 1.0f));
    EXPECT_TRUE(applyMatting(QImage(), Qt::white, good).isNull());
    const MattingResult none = cutOutPerson(QImage(), Qt::white, QRect(0, 0, 10, 10), good);
    EXPECT_EQ(none.method, MattingMethod::None);
    EXPECT_TRUE(none.image.isNull());
}

TEST(MattingTest, GrabCutWithoutModelCutsOutThePersonInsideTheGuide)
{
    // A "person" (skin-coloured head, dark shirt) in front of a textured grey-blue wall, large
    // enough that the cut works on a scaled copy.
    struct Case {
        int width, height;
        QColor background;
    };
    const Case cases[] = {{800, 600, QColor(255, 255, 255)}, {360, 480, QColor(30, 80, 200)}};
    for (const Case& c : cases) {
        cv::Mat scene(c.height, c.width, CV_8UC3);
        cv::RNG rng(7);
        rng.fill(scene, cv::RNG::NORMAL, cv::Scalar(150, 135, 120), cv::Scalar(12, 12, 12));
        for (int x = 0; x < c.width; x += 40)
            cv::line(scene, {x, 0}, {x + c.height / 3, c.height}, cv::Scalar(125, 110, 100), 6);
        const cv::Point centre(c.width / 2, c.height * 2 / 5);
        const cv::Size head(c.width / 7, c.height / 5);
        cv::rectangle(scene, cv::Rect(c.width * 3 / 10, c.height * 3 / 5, c.width * 2 / 5, c.height * 2 / 5),
                      cv::Scalar(60, 40, 30), cv::FILLED);
        cv::ellipse(scene, centre, head, 0, 0, 360, cv::Scalar(150, 180, 225), cv::FILLED);
        const QImage picture = matToQImage(scene);
        const QRect guide(c.width / 5, c.height / 8, c.width * 3 / 5, c.height * 7 / 8);

        QTemporaryDir dir;
        const MattingResult r = cutOutPerson(picture, c.background, guide, dir.filePath(QStringLiteral("none.onnx")));
        ASSERT_EQ(r.method, MattingMethod::GrabCut);
        ASSERT_EQ(r.image.size(), picture.size());
        const cv::Mat out = qImageToMat(r.image);
        const cv::Vec3b bg(uchar(c.background.blue()), uchar(c.background.green()), uchar(c.background.red()));
        const cv::Rect corners[] = {{0, 0, 40, 40}, {c.width - 40, 0, 40, 40}, {0, c.height - 40, 40, 40}};
        for (const cv::Rect& patch : corners) {
            const cv::Scalar m = cv::mean(out(patch));
            for (int ch = 0; ch < 3; ++ch)
                EXPECT_NEAR(m[ch], bg[ch], 2.0) << c.width << "x" << c.height << " corner " << patch.x << "," << patch.y;
        }
        // The face keeps its own colour.
        const cv::Rect face(centre.x - head.width / 2, centre.y - head.height / 2, head.width, head.height);
        const cv::Scalar faceOut = cv::mean(out(face));
        const cv::Scalar faceIn = cv::mean(scene(face));
        for (int ch = 0; ch < 3; ++ch)
            EXPECT_NEAR(faceOut[ch], faceIn[ch], 4.0) << c.width << "x" << c.height;
    }
}

TEST(MattingTest, OnlyTheConfiguredCameraModelLacksIdPhotos)
{
    struct Case {
        const char* vid;
        const char* pid;
        bool supported;
    };
    const Case cases[] = {
        {"0AC8", "3610", false},  {"0ac8", "3610", false},     {"0x0AC8", "0X3610", false},
        {" 0ac8 ", " 3610\t", false}, {"0a c8", "36 10", false}, {"0AC8", "3611", true},
        {"0AC9", "3610", true},   {"", "", true},              {"zz", "3610", true},
        {"0x", "0x", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(deviceSupportsIdPhoto(QString::fromLatin1(c.vid), QString::fromLatin1(c.pid)), c.supported)
            << c.vid << "/" << c.pid;
}
