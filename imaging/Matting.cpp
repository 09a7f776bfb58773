#include "Matting.h"

#include "AppPaths.h"

#include "ImageConversion.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>

#include <opencv2/imgproc.hpp>

#include <memory>
#include <stdexcept>

namespace {

QString shapeText(const cv::Mat& m)
{
    QStringList dims;
    for (int i = 0; i < m.dims; ++i)
        dims << QString::number(m.size[i]);
    return dims.join(QLatin1Char('x'));
}

cv::Scalar toBgr(const QColor& c)
{
    return cv::Scalar(c.blue(), c.green(), c.red());
}

// Three-channel 8-bit copy of whatever the conversion gave (grey pictures included).
cv::Mat toBgr8(const QImage& image)
{
    cv::Mat m = qImageToMat(image);
    if (m.channels() == 1)
        cv::cvtColor(m, m, cv::COLOR_GRAY2BGR);
    return m;
}

// One network per process, rebuilt only when another file is asked for.
struct MattingInstance {
    std::unique_ptr<PPMatting> model;
    QString path;
};

MattingInstance& instance()
{
    static MattingInstance s;
    return s;
}

constexpr int kGrabCutMaxSide = 640;
constexpr int kGrabCutIterations = 5;

} // namespace

PPMatting::PPMatting(const std::string& modelPath)
{
    qInfo().noquote() << "初始化PPMatting，模型路径:" << QString::fromStdString(modelPath);
    m_net = cv::dnn::readNetFromONNX(modelPath);
    if (m_net.empty())
        throw std::runtime_error("无法加载模型文件");
    m_net.setPreferableBackend(cv::dnn::DNN_BACKEND_OPENCV);
    m_net.setPreferableTarget(cv::dnn::DNN_TARGET_CPU);
    qInfo().noquote() << "模型加载成功";
}

cv::Mat PPMatting::process(const cv::Mat& bgr, const cv::Scalar& bgBgr)
{
    qInfo().noquote() << "开始process函数，输入尺寸:" << bgr.cols << "x" << bgr.rows;
    cv::Mat resized;
    cv::resize(bgr, resized, cv::Size(kInputWidth, kInputHeight), 0, 0, cv::INTER_LINEAR);
    const cv::Mat blob = cv::dnn::blobFromImage(resized, 1.0 / 255.0, cv::Size(kInputWidth, kInputHeight),
                                                cv::Scalar(), true, false, CV_32F);
    qInfo().noquote() << "预处理完成，blob尺寸:" << shapeText(blob);

    qInfo().noquote() << "开始推理...";
    m_net.setInput(blob);
    const cv::Mat out = m_net.forward();
    qInfo().noquote() << "推理完成，输出尺寸:" << shapeText(out);
    // Reading a map of another shape as H x W would run past the data or give nonsense.
    if (out.dims != 4 || out.size[0] != 1 || out.size[1] != 1 || out.size[2] < 1 || out.size[3] < 1
        || out.depth() != CV_32F)
        throw std::runtime_error("unexpected matting output shape " + shapeText(out).toStdString()
                                 + ", 1x1xHxW expected");

    cv::Mat alpha = cv::Mat(out.size[2], out.size[3], CV_32F, const_cast<float*>(out.ptr<float>())).clone();
    qInfo().noquote() << "构建alpha通道完成";
    cv::resize(alpha, alpha, bgr.size(), 0, 0, cv::INTER_LINEAR);
    qInfo().noquote() << "调整alpha通道大小完成";

    cv::Mat result = compositeOnBackground(bgr, alpha, bgBgr);
    qInfo().noquote() << "后处理完成，结果尺寸:" << result.cols << "x" << result.rows;
    return result;
}

cv::Mat compositeOnBackground(const cv::Mat& bgr, const cv::Mat& alphaIn, const cv::Scalar& bgBgr)
{
    cv::Mat alpha;
    cv::threshold(alphaIn, alpha, 1.0, 1.0, cv::THRESH_TRUNC);
    cv::threshold(alpha, alpha, 0.0, 0.0, cv::THRESH_TOZERO);
    cv::Mat alpha3;
    cv::merge(std::vector<cv::Mat>{alpha, alpha, alpha}, alpha3);

    cv::Mat image;
    bgr.convertTo(image, CV_32FC3, 1.0 / 255.0);
    const cv::Mat background(bgr.size(), CV_32FC3, bgBgr / 255.0);
    cv::Mat inverse;
    cv::subtract(cv::Scalar::all(1.0), alpha3, inverse);
    const cv::Mat blended = image.mul(alpha3) + background.mul(inverse);
    cv::Mat result;
    blended.convertTo(result, CV_8UC3, 255.0);
    return result;
}

QString defaultMattingModelPath()
{
    return apppaths::findData(QStringLiteral("models/ppmattingv2-stdc1-human_512.onnx"));
}

QImage applyMatting(const QImage& image, const QColor& background)
{
    return applyMatting(image, background, defaultMattingModelPath());
}

QImage applyMatting(const QImage& image, const QColor& background, const QString& modelPath)
{
    if (image.isNull())
        return {};
    MattingInstance& s = instance();
    if (!s.model || s.path != modelPath) {
        s.model.reset();
        if (!QFileInfo(modelPath).isFile()) {
            qWarning().noquote() << "Matting model file does not exist:" << modelPath;
            return {};
        }
        qInfo().noquote() << "Attempting to load matting model from:" << modelPath;
        try {
            s.model = std::make_unique<PPMatting>(modelPath.toStdString());
            s.path = modelPath;
            qInfo().noquote() << "Matting model loaded successfully:" << modelPath;
        } catch (const std::exception& e) {
            qWarning().noquote() << "Failed to load matting model:" << e.what();
            return {};
        }
    }
    try {
        const cv::Mat bgr = toBgr8(image);
        qInfo().noquote() << "Input image size:" << image.width() << "x" << image.height();
        const cv::Mat result = s.model->process(bgr, toBgr(background));
        QImage out = matToQImage(result);
        qInfo().noquote() << "Result image format:" << out.format();
        return out;
    } catch (const std::exception& e) {
        qWarning().noquote() << "Matting error:" << e.what();
        return {};
    }
}

QImage grabCutPerson(const QImage& image, const QColor& background, const QRect& guideRect)
{
    if (image.isNull())
        return {};
    try {
        const cv::Mat bgr = toBgr8(image);
        QRect guide = guideRect.intersected(QRect(0, 0, bgr.cols, bgr.rows));
        if (guide.width() < 2 || guide.height() < 2)
            guide = QRect(0, 0, bgr.cols, bgr.rows);
        // GrabCut learns the background from outside the guide: keep a margin to learn from.
        const int mx = std::max(1, bgr.cols / 20);
        const int my = std::max(1, bgr.rows / 20);
        const QRect inner(mx, my, bgr.cols - 2 * mx, bgr.rows - 2 * my);
        guide = guide.intersected(inner);
        if (guide.width() < 2 || guide.height() < 2)
            return {};

        // Full-size GrabCut takes seconds; the mask of a copy at most 640 px long is enough.
        const double scale = std::min(1.0, double(kGrabCutMaxSide) / std::max(bgr.cols, bgr.rows));
        cv::Mat small;
        if (scale < 1.0)
            cv::resize(bgr, small, cv::Size(), scale, scale, cv::INTER_AREA);
        else
            small = bgr;
        cv::Rect rect(int(guide.x() * scale), int(guide.y() * scale), std::max(2, int(guide.width() * scale)),
                      std::max(2, int(guide.height() * scale)));
        rect &= cv::Rect(1, 1, small.cols - 2, small.rows - 2);
        if (rect.width < 2 || rect.height < 2)
            return {};

        cv::Mat mask(small.size(), CV_8U, cv::Scalar(cv::GC_BGD));
        cv::Mat bgdModel, fgdModel;
        cv::grabCut(small, mask, rect, bgdModel, fgdModel, kGrabCutIterations, cv::GC_INIT_WITH_RECT);
        cv::Mat person = (mask == cv::GC_FGD) | (mask == cv::GC_PR_FGD);
        if (cv::countNonZero(person) == 0)
            return {};

        cv::Mat alpha;
        person.convertTo(alpha, CV_32F, 1.0 / 255.0);
        // A slight blur softens the staircase the upscaled mask would leave along the hair and collar.
        cv::GaussianBlur(alpha, alpha, cv::Size(3, 3), 0);
        cv::resize(alpha, alpha, bgr.size(), 0, 0, cv::INTER_LINEAR);
        return matToQImage(compositeOnBackground(bgr, alpha, toBgr(background)));
    } catch (const cv::Exception& e) {
        qWarning().noquote() << "GrabCut matting error:" << e.what();
        return {};
    }
}

MattingResult cutOutPerson(const QImage& image, const QColor& background, const QRect& guideRect)
{
    return cutOutPerson(image, background, guideRect, defaultMattingModelPath());
}

MattingResult cutOutPerson(const QImage& image, const QColor& background, const QRect& guideRect,
                           const QString& modelPath)
{
    MattingResult result;
    if (image.isNull())
        return result;
    if (QFileInfo(modelPath).isFile()) {
        result.image = applyMatting(image, background, modelPath);
        if (!result.image.isNull()) {
            result.method = MattingMethod::Model;
            return result;
        }
    }
    result.image = grabCutPerson(image, background, guideRect);
    if (!result.image.isNull())
        result.method = MattingMethod::GrabCut;
    return result;
}

bool deviceSupportsIdPhoto(const QString& vendorIdHex, const QString& productIdHex)
{
    auto parse = [](QString text, bool* ok) {
        text.remove(QLatin1Char(' '));
        text = text.trimmed();
        if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            text = text.mid(2);
        return text.toUInt(ok, 16);
    };
    bool vendorOk = false;
    bool productOk = false;
    const unsigned vendor = parse(vendorIdHex, &vendorOk);
    const unsigned product = parse(productIdHex, &productOk);
    return !(vendorOk && productOk && vendor == kNoIdPhotoVendorId && product == kNoIdPhotoProductId);
}
