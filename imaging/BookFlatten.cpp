#include "BookFlatten.h"

#include "FingerRemoval.h"
#include "ImageConversion.h"

#include <QCoreApplication>
#include <QDebug>
#include <QElapsedTimer>

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <exception>

namespace bookflatten {
namespace {

// Columns whose page span is below this share of the page's median span are no page columns: a
// finger or a ragged corner reaching past the page side, which stretched to full height would smear.
constexpr double kMinSpanOfMedian = 0.5;

// Notches up to a tenth of the page width are rejected; the bow of the paper moves an edge from
// its running median by far less than half a percent of the page height.
constexpr int kNotchWindowDivisor = 10;
constexpr double kNotchTolerance = 0.005;

cv::Mat ellipse(int size)
{
    return cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(size, size));
}

void morph(cv::Mat& binary, int op, int size)
{
    cv::morphologyEx(binary, binary, op, ellipse(size), cv::Point(-1, -1), 1, cv::BORDER_CONSTANT,
                     cv::morphologyDefaultBorderValue());
}

struct Region
{
    double area = 0.0;
    int index = 0;
};

std::vector<Region> regionsBySize(const std::vector<std::vector<cv::Point>>& contours)
{
    std::vector<Region> regions;
    for (int i = 0; i < int(contours.size()); ++i)
        regions.push_back({cv::contourArea(contours[size_t(i)]), i});
    std::stable_sort(regions.begin(), regions.end(),
                     [](const Region& a, const Region& b) { return a.area > b.area; });
    return regions;
}

// Top and bottom outline of one filled region, one point per column with a span over 20 pixels.
PageEdges traceColumns(const cv::Mat& pageMask, const cv::Rect& box)
{
    std::vector<int> top(size_t(box.width), -1);
    std::vector<int> bottom(size_t(box.width), -1);
    // Row by row rather than column by column: the same answer, read in memory order.
    for (int y = box.y; y < box.y + box.height; ++y) {
        const uchar* row = pageMask.ptr<uchar>(y) + box.x;
        for (int i = 0; i < box.width; ++i)
            if (row[i] == 255) {
                if (top[size_t(i)] < 0)
                    top[size_t(i)] = y;
                bottom[size_t(i)] = y;
            }
    }
    std::vector<int> spans;
    for (int i = 0; i < box.width; ++i)
        if (top[size_t(i)] >= 0 && bottom[size_t(i)] > top[size_t(i)] + 20)
            spans.push_back(bottom[size_t(i)] - top[size_t(i)]);
    PageEdges page;
    if (spans.empty())
        return page;
    std::nth_element(spans.begin(), spans.begin() + long(spans.size() / 2), spans.end());
    const double minSpan = kMinSpanOfMedian * spans[spans.size() / 2];
    for (int i = 0; i < box.width; ++i) {
        const int t = top[size_t(i)];
        const int b = bottom[size_t(i)];
        if (t >= 0 && b > t + 20 && b - t >= minSpan) {
            page.topEdge.emplace_back(box.x + i, t);
            page.bottomEdge.emplace_back(box.x + i, b);
        }
    }
    return page;
}

// A thumb pressing the page down at its top or bottom edge, or a dark picture printed up to the
// edge, bites a notch into the outline far sharper than any bow of the paper; stretched, it would
// drag the text lines with it. Points further than `tolerance` from the running median of a window
// wider than such a notch take the median; a smooth bow stays within the tolerance of its median.
void rejectNotches(std::vector<cv::Point>& points, int radius, int tolerance)
{
    const int n = int(points.size());
    std::vector<int> window;
    std::vector<int> medians(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        // A window centred on its point, narrower near the ends: a steady curl towards an end of the
        // edge is its own median and stays as it is.
        const int r = std::min({radius, i, n - 1 - i});
        window.clear();
        for (int k = i - r; k <= i + r; ++k)
            window.push_back(points[size_t(k)].y);
        std::nth_element(window.begin(), window.begin() + long(window.size() / 2), window.end());
        medians[size_t(i)] = window[window.size() / 2];
    }
    for (int i = 0; i < n; ++i)
        if (std::abs(points[size_t(i)].y - medians[size_t(i)]) > tolerance)
            points[size_t(i)].y = medians[size_t(i)];
}

} // namespace

cv::Mat getBookMask(const cv::Mat& gray, bool forceDoublePage)
{
    qDebug().noquote() << QStringLiteral("[BOOK_MASK] Mean brightness %1, size %2x%3")
                              .arg(cv::mean(gray)[0], 0, 'f', 1)
                              .arg(gray.cols)
                              .arg(gray.rows);
    cv::Mat blurred;
    cv::GaussianBlur(gray, blurred, cv::Size(5, 5), 0);
    cv::Mat binary;
    const double otsu = cv::threshold(blurred, binary, 0, 255, cv::THRESH_BINARY | cv::THRESH_OTSU);
    qDebug().noquote() << "[BOOK_MASK] Otsu threshold:" << otsu;
    if (otsu < 30) {
        // A dim picture: Otsu splits the black desk from its own noise; a fixed level finds the paper.
        cv::threshold(blurred, binary, 50, 255, cv::THRESH_BINARY);
        qDebug().noquote() << "[BOOK_MASK] Using fixed threshold 50";
    }
    morph(binary, cv::MORPH_CLOSE, 7);
    morph(binary, cv::MORPH_OPEN, 5);
    morph(binary, cv::MORPH_CLOSE, 21);

    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(binary.clone(), contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_SIMPLE);
    if (contours.empty()) {
        qWarning().noquote() << "[BOOK_MASK] No contours found in mask";
        return {};
    }
    const double imageArea = double(gray.cols) * gray.rows;
    std::vector<Region> candidates;
    for (const Region& r : regionsBySize(contours)) {
        const double ratio = r.area / imageArea;
        if (ratio > 0.05 && ratio < 0.9)
            candidates.push_back(r);
    }
    if (candidates.empty()) {
        qWarning().noquote() << "[BOOK_MASK] No valid contours after filtering, trying largest contour";
        const Region largest = regionsBySize(contours).front();
        if (largest.area <= 0.02 * imageArea) {
            qWarning().noquote() << "[BOOK_MASK] Largest contour too small, aborting";
            return {};
        }
        candidates.push_back(largest);
    }
    if (candidates.size() > 2)
        candidates.resize(2);
    if (candidates.size() == 2) {
        const double ratio = candidates[1].area / candidates[0].area;
        if (forceDoublePage) {
            qDebug().noquote()
                << QStringLiteral("[BOOK_MASK] Force double page: keeping 2 regions (ratio=%1)").arg(ratio);
        } else if (ratio < 0.4) {
            qDebug().noquote() << QStringLiteral(
                                      "[BOOK_MASK] Second contour too small (ratio=%1), using single page")
                                      .arg(ratio);
            candidates.resize(1);
        } else {
            qDebug().noquote() << QStringLiteral("[BOOK_MASK] Detected double page (ratio=%1)").arg(ratio);
        }
    }
    cv::Mat mask = cv::Mat::zeros(gray.size(), CV_8UC1);
    for (const Region& r : candidates)
        cv::drawContours(mask, contours, r.index, cv::Scalar(255), cv::FILLED, cv::LINE_8);
    return mask;
}

BookEdges extractEdges(const cv::Mat& mask, bool forceDoublePage)
{
    BookEdges edges;
    if (mask.empty()) {
        qWarning().noquote() << "[EXTRACT_EDGES] Mask is empty!";
        return edges;
    }
    edges.mask = mask.clone();
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(mask.clone(), contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_SIMPLE);
    if (contours.empty()) {
        qWarning().noquote() << "[EXTRACT_EDGES] No contours found";
        return edges;
    }
    const std::vector<Region> regions = regionsBySize(contours);
    int pageCount = 1;
    if (regions.size() >= 2 && (forceDoublePage || regions[1].area / regions[0].area > 0.3)) {
        pageCount = 2;
        edges.isDoublePage = true;
    }
    std::vector<std::pair<int, PageEdges>> traced; // (left x of the box, page)
    for (int p = 0; p < pageCount; ++p) {
        cv::Mat pageMask = cv::Mat::zeros(mask.size(), CV_8UC1);
        cv::drawContours(pageMask, contours, regions[size_t(p)].index, cv::Scalar(255), cv::FILLED,
                         cv::LINE_8);
        const cv::Rect box = cv::boundingRect(pageMask);
        if (box.width < 10 || box.height < 10) {
            qWarning().noquote() << "[EXTRACT_EDGES] Bounding box too small";
            traced.emplace_back(box.x, PageEdges{});
            continue;
        }
        PageEdges page = traceColumns(pageMask, box);
        if (page.topEdge.size() < 50) {
            qDebug().noquote() << "[EXTRACT_EDGES] Page" << p << "is INVALID - too few points (< 50)";
        } else {
            int span = 0;
            for (size_t i = 0; i < page.topEdge.size(); ++i)
                span = std::max(span, page.bottomEdge[i].y - page.topEdge[i].y);
            const int radius = std::max(15, int(page.topEdge.size()) / kNotchWindowDivisor);
            const int tolerance = std::max(3, int(span * kNotchTolerance));
            rejectNotches(page.topEdge, radius, tolerance);
            rejectNotches(page.bottomEdge, radius, tolerance);
            page.isValid = smoothEdge(page.topEdge, 15) && smoothEdge(page.bottomEdge, 15);
            qDebug().noquote() << "[EXTRACT_EDGES] Page" << p
                               << (page.isValid ? "is VALID after smoothing" : "smoothing failed");
        }
        traced.emplace_back(box.x, std::move(page));
    }
    // Pages read left to right whatever their size: the smaller page of a book is not its second.
    std::stable_sort(traced.begin(), traced.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& entry : traced) {
        edges.isValid = edges.isValid || entry.second.isValid;
        edges.pages.push_back(std::move(entry.second));
    }
    return edges;
}

bool smoothEdge(std::vector<cv::Point>& points, int radius)
{
    const int n = int(points.size());
    if (n < radius || radius < 0) {
        qDebug().noquote() << "[SMOOTH] Too few edge points";
        return false;
    }
    std::vector<long long> prefix(size_t(n) + 1);
    for (int pass = 0; pass < 3; ++pass) {
        prefix[0] = 0;
        for (int i = 0; i < n; ++i)
            prefix[size_t(i) + 1] = prefix[size_t(i)] + points[size_t(i)].y;
        for (int i = 0; i < n; ++i) {
            const int lo = std::max(0, i - radius);
            const int hi = std::min(n - 1, i + radius);
            const long long count = hi - lo + 1;
            const long long sum = prefix[size_t(hi) + 1] - prefix[size_t(lo)];
            // Rounded, not truncated: truncation pulls a sloping edge up by a pixel on every pass.
            points[size_t(i)].y = int((2 * sum + count) / (2 * count));
        }
    }
    return true;
}

cv::Mat flattenSinglePage(const cv::Mat& color, const PageEdges& page)
{
    const int n = int(std::min(page.topEdge.size(), page.bottomEdge.size()));
    if (n == 0) {
        qWarning().noquote() << "[FLATTEN_SINGLE] Empty page edges";
        return {};
    }
    if (n < 10) {
        qWarning().noquote() << "[FLATTEN_SINGLE] Too few edge points:" << n;
        return {};
    }
    int maxSpan = 0;
    for (int i = 0; i < n; ++i)
        maxSpan = std::max(maxSpan, page.bottomEdge[size_t(i)].y - page.topEdge[size_t(i)].y);
    if (maxSpan < 100 || maxSpan > 10000) {
        qWarning().noquote() << "[FLATTEN_SINGLE] Invalid target height:" << maxSpan;
        return {};
    }
    if (n > 10000) {
        qWarning().noquote() << "[FLATTEN_SINGLE] Invalid target width:" << n;
        return {};
    }
    // Each column is stretched linearly from its top to its bottom edge onto rows 0..maxSpan: a
    // column of the tallest span keeps its rows exactly, so a flat page comes out as it went in.
    const int rows = maxSpan + 1;
    std::vector<float> sourceX(static_cast<size_t>(n));
    std::vector<float> top(static_cast<size_t>(n));
    std::vector<float> scale(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const int x = page.topEdge[size_t(i)].x;
        const int y0 = page.topEdge[size_t(i)].y;
        const int y1 = page.bottomEdge[size_t(i)].y;
        const int h = y1 - y0;
        const bool usable = h > 0 && x >= 0 && x < color.cols && y0 >= 0 && y1 < color.rows;
        // Outside the source picture the remap paints black: an unusable column stays black.
        sourceX[size_t(i)] = usable ? float(x) : -1.0f;
        top[size_t(i)] = usable ? float(y0) : -1.0f;
        scale[size_t(i)] = usable ? float(h) / float(maxSpan) : 0.0f;
    }
    cv::Mat mapX(rows, n, CV_32FC1);
    cv::Mat mapY(rows, n, CV_32FC1);
    for (int j = 0; j < rows; ++j) {
        float* mx = mapX.ptr<float>(j);
        float* my = mapY.ptr<float>(j);
        for (int i = 0; i < n; ++i) {
            mx[i] = sourceX[size_t(i)];
            my[i] = top[size_t(i)] + scale[size_t(i)] * float(j);
        }
    }
    cv::Mat out;
    cv::remap(color, out, mapX, mapY, cv::INTER_LINEAR, cv::BORDER_CONSTANT, cv::Scalar::all(0));
    cv::GaussianBlur(out, out, cv::Size(3, 3), 0.5, 0);
    return out;
}

cv::Mat performFlattening(const cv::Mat& color, const std::vector<PageEdges>& pages,
                          std::vector<cv::Mat>& pageImages)
{
    pageImages.clear();
    if (pages.empty()) {
        qWarning().noquote() << "BookFlattenProcessor: No pages to flatten";
        return color.clone();
    }
    if (color.depth() != CV_8U || (color.channels() != 3 && color.channels() != 4)) {
        qWarning().noquote() << "BookFlattenProcessor: Unsupported input type:" << color.type();
        return color.clone();
    }
    std::vector<cv::Mat> kept;
    for (size_t i = 0; i < pages.size(); ++i) {
        if (!pages[i].isValid) {
            qDebug().noquote() << "BookFlattenProcessor: Skipping invalid page";
            continue;
        }
        cv::Mat flat = flattenSinglePage(color, pages[i]);
        if (flat.empty())
            continue;
        qDebug().noquote() << QStringLiteral("BookFlattenProcessor: Page %1 flattened, size: %2 x %3")
                                  .arg(i)
                                  .arg(flat.cols)
                                  .arg(flat.rows);
        kept.push_back(flat);
    }
    if (kept.empty()) {
        qWarning().noquote() << "BookFlattenProcessor: No pages were flattened successfully";
        return color.clone();
    }
    pageImages = kept;
    if (kept.size() == 1)
        return kept.front();
    int height = 0;
    for (const cv::Mat& m : kept)
        height = std::max(height, m.rows);
    std::vector<cv::Mat> joined;
    for (const cv::Mat& m : kept) {
        if (m.rows == height) {
            joined.push_back(m);
            continue;
        }
        cv::Mat scaled;
        const int width = std::max(1, int(double(m.cols) * height / m.rows));
        cv::resize(m, scaled, cv::Size(width, height), 0, 0, cv::INTER_LINEAR);
        joined.push_back(scaled);
    }
    qDebug().noquote() << "BookFlattenProcessor: Concatenating" << joined.size() << "pages";
    cv::Mat result;
    cv::hconcat(joined, result);
    qDebug().noquote() << "BookFlattenProcessor: Final result size:" << result.cols << "x" << result.rows;
    return result;
}

} // namespace bookflatten

namespace {

using namespace bookflatten;

// 8-bit BGRA copy of any QImage (little-endian byte order of the 32-bit formats is B, G, R, A).
cv::Mat toBgra(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return cv::Mat(image.height(), image.width(), CV_8UC4, const_cast<uchar*>(image.constBits()),
                       size_t(image.bytesPerLine()))
            .clone();
    case QImage::Format_RGB888: {
        const cv::Mat rgb(image.height(), image.width(), CV_8UC3, const_cast<uchar*>(image.constBits()),
                          size_t(image.bytesPerLine()));
        cv::Mat bgra;
        cv::cvtColor(rgb, bgra, cv::COLOR_RGB2BGRA);
        return bgra;
    }
    case QImage::Format_RGBA8888: {
        const cv::Mat rgba(image.height(), image.width(), CV_8UC4, const_cast<uchar*>(image.constBits()),
                           size_t(image.bytesPerLine()));
        cv::Mat bgra;
        cv::cvtColor(rgba, bgra, cv::COLOR_RGBA2BGRA);
        return bgra;
    }
    default:
        return toBgra(image.convertToFormat(QImage::Format_ARGB32));
    }
}

void logException(const char* step, const std::exception& e)
{
    qWarning().noquote()
        << QStringLiteral("BookFlattenProcessor: OpenCV exception in %1:").arg(QLatin1String(step))
        << e.what();
}

// Finger removal must never fail the run: on an exception the image stays as it was.
cv::Mat withoutFingers(const cv::Mat& image, const char* what)
{
    try {
        return removeFingersV11(image);
    } catch (const std::exception& e) {
        qWarning().noquote()
            << QStringLiteral("BookFlattenProcessor: OpenCV exception in %1:").arg(QLatin1String(what))
            << e.what();
        return image;
    }
}

} // namespace

FlattenResult processFlattening(const QImage& image, const FlattenOptions& options,
                                const std::function<void(int percent)>& progress)
{
    QElapsedTimer timer;
    timer.start();
    FlattenResult result;
    const auto report = [&](int percent) {
        if (progress)
            progress(percent);
    };
    if (image.isNull()) {
        qWarning().noquote() << "BookFlattenProcessor: Input image is null";
        result.errorMessage = QCoreApplication::translate("BookFlattenProcessor", "Input image is empty");
        return result;
    }
    report(5);
    cv::Mat color;
    try {
        color = toBgra(image);
    } catch (const std::exception& e) {
        logException("Mat creation", e);
        result.errorMessage = QCoreApplication::translate("BookFlattenProcessor", "Failed to convert image format");
        return result;
    }
    report(10);
    cv::Mat gray;
    try {
        cv::cvtColor(color, gray, cv::COLOR_BGRA2GRAY);
    } catch (const std::exception& e) {
        logException("cvtColor", e);
        result.errorMessage = QCoreApplication::translate("BookFlattenProcessor", "Failed to convert to grayscale");
        return result;
    }
    report(20);
    cv::Mat mask;
    try {
        mask = getBookMask(gray, options.forceDoublePage);
    } catch (const std::exception& e) {
        logException("getBookMask", e);
        result.errorMessage = QCoreApplication::translate("BookFlattenProcessor", "Failed to detect book region");
        return result;
    }
    if (mask.empty()) {
        qWarning().noquote() << "BookFlattenProcessor: Book mask is empty";
        result.errorMessage = QCoreApplication::translate("BookFlattenProcessor", "Failed to detect book region");
        return result;
    }
    report(30);
    BookEdges edges;
    try {
        edges = extractEdges(mask, options.forceDoublePage);
    } catch (const std::exception& e) {
        logException("extractEdges", e);
        result.errorMessage = QCoreApplication::translate("BookFlattenProcessor", "Failed to extract book edges");
        return result;
    }
    result.regionsFound = int(edges.pages.size());
    qDebug().noquote() << "BookFlattenProcessor: Edges extracted, pages=" << edges.pages.size()
                       << "isValid=" << edges.isValid << "isDoublePage=" << edges.isDoublePage;
    report(40);
    if (!edges.isValid) {
        qWarning().noquote() << "BookFlattenProcessor: Edges are not valid for flattening";
        result.errorMessage = QCoreApplication::translate("BookFlattenProcessor", "Book edges are not smooth enough for flattening");
        return result;
    }
    result.canFlatten = true;
    report(50);
    report(60);
    cv::Mat flat;
    std::vector<cv::Mat> pageImages;
    try {
        flat = performFlattening(color, edges.pages, pageImages);
    } catch (const std::exception& e) {
        logException("performFlattening", e);
        result.errorMessage = QCoreApplication::translate("BookFlattenProcessor", "Failed to flatten image");
        return result;
    }
    if (options.removeFingers)
        flat = withoutFingers(flat, "removeFingersV11");
    report(90);
    // Two regions asked for as a double page: hand over what came of them, even a single survivor,
    // so that the caller does not halve one page.
    if (options.forceDoublePage && result.regionsFound >= 2) {
        for (cv::Mat& page : pageImages) {
            if (options.removeFingers)
                page = withoutFingers(page, "removeFingersV11 (page)");
            result.pages.append(matToQImage(page));
        }
    }
    try {
        result.image = matToQImage(flat);
        if (result.image.isNull())
            result.errorMessage = QCoreApplication::translate("BookFlattenProcessor", "Unsupported image format");
    } catch (const cv::Exception& e) {
        logException("QImage conversion", e);
        result.errorMessage = QCoreApplication::translate("BookFlattenProcessor", "Failed to convert result image");
    } catch (const std::exception& e) {
        qWarning().noquote() << "BookFlattenProcessor: Standard exception in QImage conversion:" << e.what();
        result.errorMessage = QCoreApplication::translate("BookFlattenProcessor", "Failed to convert result image");
    }
    report(100);
    result.success = !result.image.isNull();
    qDebug().noquote() << "BookFlattenProcessor: Process completed, success=" << result.success << "in"
                       << timer.elapsed() << "ms";
    return result;
}
