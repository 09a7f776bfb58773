// The decoder against codes made by standard encoders with known payloads: degraded the way photographs
// are, in both Chinese encodings, with rows that are not a multiple of four wide, and on the virtual
// camera's page. Barcode naming of captures goes through the same decoder.
#include "CodeScanner.h"
#include "CodeImages.h"
#include "FileNamer.h"
#include "VirtualFrameSource.h"
#include "ZBarCodeDecoder.h"

#include <QTextCodec>
#include <gtest/gtest.h>
#include <opencv2/imgproc.hpp>

#include <functional>
#include <iostream>
#include <vector>

using codetest::Symbology;

namespace {

constexpr int kSheetWidth = 800;
constexpr int kSheetHeight = 600;
constexpr uint8_t kPaper = 235;

cv::Mat centred(const cv::Mat& symbol)
{
    return codetest::onSheet(symbol, kSheetWidth, kSheetHeight, (kSheetWidth - symbol.cols) / 2,
                             (kSheetHeight - symbol.rows) / 2);
}

cv::Mat withNoise(cv::Mat image, double sigma)
{
    cv::RNG rng(12345);
    cv::Mat noise(image.size(), CV_16SC1);
    rng.fill(noise, cv::RNG::NORMAL, 0, sigma);
    cv::Mat wide;
    image.convertTo(wide, CV_16SC1);
    wide += noise;
    wide.convertTo(image, CV_8UC1);
    return image;
}

cv::Mat clean(const cv::Mat& sheet)
{
    return sheet;
}

cv::Mat small(const cv::Mat& sheet)
{
    cv::Mat out;
    cv::resize(sheet, out, cv::Size(), 0.4, 0.4, cv::INTER_AREA);
    return withNoise(out, 3.0);
}

cv::Mat blurred(const cv::Mat& sheet)
{
    cv::Mat out;
    cv::GaussianBlur(sheet, out, cv::Size(0, 0), 2.2);
    return withNoise(out, 2.0);
}

// Ink and paper 25 grey levels apart, under sensor noise.
cv::Mat faint(const cv::Mat& sheet)
{
    cv::Mat out;
    sheet.convertTo(out, CV_8UC1, 25.0 / 255.0, 115.0);
    return withNoise(out, 4.0);
}

// A hand's shadow across the code: the light falls from full to a fifth within the picture.
cv::Mat shaded(const cv::Mat& sheet)
{
    cv::Mat out(sheet.size(), CV_8UC1);
    for (int y = 0; y < sheet.rows; ++y)
        for (int x = 0; x < sheet.cols; ++x) {
            const double t = std::clamp((x - 250.0) / 300.0, 0.0, 1.0);
            out.at<uint8_t>(y, x) = cv::saturate_cast<uint8_t>(sheet.at<uint8_t>(y, x) * (1.0 - 0.8 * t));
        }
    cv::GaussianBlur(out, out, cv::Size(0, 0), 1.2);
    return withNoise(out, 3.0);
}

cv::Mat rotated(const cv::Mat& sheet, double angleDeg)
{
    cv::Mat out;
    const cv::Mat m =
        cv::getRotationMatrix2D(cv::Point2f(sheet.cols / 2.0f, sheet.rows / 2.0f), angleDeg, 1.0);
    cv::warpAffine(sheet, out, m, sheet.size(), cv::INTER_LINEAR, cv::BORDER_CONSTANT, cv::Scalar(kPaper));
    cv::GaussianBlur(out, out, cv::Size(0, 0), 1.0);
    return out;
}

// Seen from the side: the far edge 30 % narrower than the near one.
cv::Mat perspective(const cv::Mat& sheet)
{
    const float w = static_cast<float>(sheet.cols);
    const float h = static_cast<float>(sheet.rows);
    const cv::Point2f from[4] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
    const cv::Point2f to[4] = {{0.15f * w, 0.05f * h}, {0.85f * w, 0.05f * h}, {w, h}, {0, h}};
    cv::Mat out;
    cv::warpPerspective(sheet, out, cv::getPerspectiveTransform(from, to), sheet.size(), cv::INTER_LINEAR,
                        cv::BORDER_CONSTANT, cv::Scalar(kPaper));
    cv::GaussianBlur(out, out, cv::Size(0, 0), 1.0);
    return out;
}

struct Symbol
{
    Symbology symbology;
    QByteArray payload;
    QString type;
    QString data;
};

QString describe(const ScannedCodes& codes)
{
    QStringList parts;
    for (const ScannedCode& c : codes)
        parts << c.type + ":" + c.data;
    return parts.join(", ");
}

} // namespace

TEST(CodeScanner, FindsEachCodeOnceInPhotographLikePictures)
{
    const Symbol symbols[] = {
        {Symbology::Qr, "https://example.org/item?id=42", "QR-Code", "https://example.org/item?id=42"},
        {Symbology::Ean13, "400638133393", "EAN-13", "4006381333931"},
        {Symbology::Code128, "LUMA-2024-XY", "CODE-128", "LUMA-2024-XY"},
    };
    struct Degradation
    {
        const char* name;
        std::function<cv::Mat(const cv::Mat&)> apply;
    };
    const Degradation degradations[] = {
        {"clean", clean},
        {"small", small},
        {"blurred", blurred},
        {"faint", faint},
        {"shaded", shaded},
        {"rotated 6 degrees", [](const cv::Mat& s) { return rotated(s, 6.0); }},
        {"perspective", perspective},
    };
    int firstPassMisses = 0;
    for (const Symbol& symbol : symbols) {
        const cv::Mat sheet = centred(codetest::renderSymbol(symbol.symbology, symbol.payload, 4));
        for (const Degradation& d : degradations) {
            SCOPED_TRACE(symbol.type.toStdString() + ", " + d.name);
            const QImage picture = codetest::toImage(d.apply(sheet));
            const ScannedCodes codes = CodeScanner::decode(picture);
            EXPECT_EQ(describe(codes), symbol.type + ":" + symbol.data); // once, merged across passes
            CodeScanOptions onePass;
            onePass.extraPasses = false;
            if (CodeScanner::decode(picture, onePass).isEmpty()) {
                ++firstPassMisses;
                std::cout << "  found only by a further pass: " << symbol.type.toStdString() << ", " << d.name
                          << "\n";
            }
        }
    }
    std::cout << "  first pass alone missed " << firstPassMisses << " of "
              << std::size(symbols) * std::size(degradations) << "\n";

    // Paper with noise and a shadow holds no code, whatever the passes make of it.
    cv::Mat blank(kSheetHeight, kSheetWidth, CV_8UC1, cv::Scalar(kPaper));
    EXPECT_TRUE(CodeScanner::decode(codetest::toImage(shaded(blank))).isEmpty());
    EXPECT_TRUE(CodeScanner::decode(QImage()).isEmpty());
}

TEST(CodeScanner, ChineseTextDecodesFromUtf8GbkAndLatinBytes)
{
    const QString chinese = QString::fromUtf8("姓名 张三 二维码测试：身份证号码");
    QTextCodec* gbk = QTextCodec::codecForName("GBK");
    ASSERT_NE(gbk, nullptr);
    struct Case
    {
        const char* name;
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {"UTF-8", chinese.toUtf8(), chinese},
        {"GBK", gbk->fromUnicode(chinese), chinese},
        // Latin bytes that are neither UTF-8 nor GBK; "crème" would also be two valid GBK characters,
        // and a Chinese scanner rightly prefers GBK there.
        {"ISO 8859-1", QByteArray("Caf\xe9 au lait"), QString::fromUtf8("Café au lait")},
        {"ASCII", QByteArray("plain 123"), QStringLiteral("plain 123")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const cv::Mat sheet = centred(codetest::renderSymbol(Symbology::Qr, c.bytes, 5));
        const ScannedCodes codes = CodeScanner::decode(codetest::toImage(sheet));
        ASSERT_EQ(codes.size(), 1);
        EXPECT_EQ(codes.front().type, QStringLiteral("QR-Code"));
        EXPECT_EQ(codes.front().data, c.text) << codes.front().data.toStdString();
    }
}

TEST(CodeScanner, RowsThatAreNotAMultipleOfFourWideAreHandedOverPacked)
{
    // 301 pixels: a Qt grey image pads each row to 304 bytes, and a decoder fed the padded rows sees
    // every row shifted further and finds nothing.
    const cv::Mat symbol = codetest::renderSymbol(Symbology::Qr, "odd width", 5);
    const cv::Mat sheet = codetest::onSheet(symbol, 301, 203, 40, 10);
    const QImage grey = codetest::toImage(sheet);
    ASSERT_NE(grey.bytesPerLine(), grey.width());
    const QByteArray packed = CodeScanner::packedGrey(grey);
    ASSERT_EQ(packed.size(), 301 * 203);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(grey.constScanLine(150)), 301),
              packed.mid(150 * 301, 301));
    CodeScanOptions onePass;
    onePass.extraPasses = false;
    for (const QImage& image :
         {grey, grey.convertToFormat(QImage::Format_RGB888), grey.convertToFormat(QImage::Format_ARGB32)}) {
        SCOPED_TRACE(image.format());
        const ScannedCodes codes = CodeScanner::decode(image, onePass);
        ASSERT_EQ(codes.size(), 1);
        EXPECT_EQ(codes.front().data, QStringLiteral("odd width"));
    }
}

TEST(CodeScanner, FindsTheFourSymbolsOnTheVirtualCameraPage)
{
    for (const auto& size : {std::make_pair(1280, 720), std::make_pair(1920, 1080)}) {
        SCOPED_TRACE(size.first);
        MediaCapture::VirtualFrameSource source(size.first, size.second);
        QImage frame(source.width(), source.height(), QImage::Format_RGB888);
        std::vector<uint8_t> rgb(source.frameBytes());
        source.renderFrame(3, 0, rgb.data());
        for (int y = 0; y < frame.height(); ++y)
            std::copy_n(rgb.data() + y * source.rowBytes(), source.rowBytes(), frame.scanLine(y));

        CodeScanOptions onePass; // the page is made to be read in one full-resolution pass
        onePass.extraPasses = false;
        ScannedCodes codes = CodeScanner::decode(frame, onePass);
        std::sort(codes.begin(), codes.end(),
                  [](const ScannedCode& a, const ScannedCode& b) { return a.type < b.type; });
        EXPECT_EQ(describe(codes), QStringLiteral("CODE-128:LUMADOC-0001, EAN-13:6901234567892, "
                                                  "ISBN-13:9787302123453, "
                                                  "QR-Code:https://lumadoc.example.org/virtual-camera"));
    }
}

TEST(CodeScanner, BarcodeNamingNamesACaptureByItsFirstCode)
{
    ZBarCodeDecoder decoder;
    FileNamer namer(&decoder);
    NamingOptions options;
    options.namingMethod = 2;
    options.saveFormat = 1;
    FileNumberCounter counter;
    const cv::Mat sheet = centred(codetest::renderSymbol(Symbology::Code128, "A/B:1", 4));
    EXPECT_EQ(namer.generateFileName(codetest::toImage(sheet), options, counter),
              QStringLiteral("A_B_1.png"));
    const cv::Mat blank(kSheetHeight, kSheetWidth, CV_8UC1, cv::Scalar(kPaper));
    EXPECT_TRUE(namer.generateFileName(codetest::toImage(blank), options, counter).startsWith("IMG_"));
}
