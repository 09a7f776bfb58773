#pragma once
// ID-photo matting: a person cut out of the picture and put on a solid colour, by a portrait matting
// network when its model file is present, otherwise by OpenCV's GrabCut seeded with the ID-photo
// guide rectangle.
#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <opencv2/core.hpp>
#include <opencv2/dnn.hpp>

#include <string>

// A portrait matting network: 1 x 3 x 512 x 512 RGB input in 0..1, one 1 x 1 x H x W alpha map out.
class PPMatting {
public:
    // Throws std::runtime_error when the network cannot be read.
    explicit PPMatting(const std::string& modelPath);

    // `bgr` (8-bit, 3 channels) composited on `bgBgr` (blue, green, red in 0..255) by the network's
    // alpha, clamped to 0..1 and scaled back to the picture's size. Throws std::runtime_error when
    // the network's output is not one 1 x 1 x H x W float map, cv::Exception on OpenCV failures.
    cv::Mat process(const cv::Mat& bgr, const cv::Scalar& bgBgr);

    static constexpr int kInputWidth = 512;
    static constexpr int kInputHeight = 512;

private:
    cv::dnn::Net m_net;
};

// `image` composited on `alpha` (CV_32F, the image's size, 0..1 after clamping) over `bgBgr`:
// image x alpha + background x (1 - alpha), 8-bit BGR.
cv::Mat compositeOnBackground(const cv::Mat& bgr, const cv::Mat& alpha, const cv::Scalar& bgBgr);

// The matting model beside the executable: <application dir>/models/ppmattingv2-stdc1-human_512.onnx.
QString defaultMattingModelPath();

// The person on `background` by the network at defaultMattingModelPath(). A null image on every
// failure (null input, model file missing or unreadable, inference error, wrongly shaped output),
// so a caller never mistakes the untouched picture for a result. The network is built once per
// process and kept; a missing file is looked for again on the next call.
QImage applyMatting(const QImage& image, const QColor& background);
// The same with the model file named by the caller.
QImage applyMatting(const QImage& image, const QColor& background, const QString& modelPath);

enum class MattingMethod { Model, GrabCut, None };

struct MattingResult {
    QImage image;
    MattingMethod method = MattingMethod::None;
};

// The network when its model file is present (the result of applyMatting); otherwise, or when the
// network fails, GrabCut seeded by `guideRect` (image pixels: outside is background, inside
// probably the person) on a copy scaled to at most 640 px, its mask scaled back up and composited
// on `background`. A guide covering the whole picture is shrunk by 5 % on each side so GrabCut
// has background to learn from. Method None and a null image when both fail.
MattingResult cutOutPerson(const QImage& image, const QColor& background, const QRect& guideRect);
MattingResult cutOutPerson(const QImage& image, const QColor& background, const QRect& guideRect,
                           const QString& modelPath);
// GrabCut alone (null when it finds no person).
QImage grabCutPerson(const QImage& image, const QColor& background, const QRect& guideRect);

// The one camera model without ID-photo support, by USB ids. This is configuration: set the pair
// of the model that must not offer ID photos.
constexpr unsigned kNoIdPhotoVendorId = 0x0AC8;
constexpr unsigned kNoIdPhotoProductId = 0x3610;

// False only for that model. Ids are hexadecimal text, an optional "0x" prefix and spaces allowed;
// text that is not a hexadecimal number never matches (the device keeps ID photos).
bool deviceSupportsIdPhoto(const QString& vendorIdHex, const QString& productIdHex);
