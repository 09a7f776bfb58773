#pragma once
// Open books seen from above with a known answer, for measuring book flattening: pages of evenly
// spaced text lines whose top and bottom edges bow by a known curve (the lines bow with them), one or
// two pages on a dark desk, optionally a finger at the outer edge, uneven light and sensor noise.
#include <opencv2/core.hpp>

#include <cstdint>
#include <functional>
#include <vector>

namespace bookscenes {

enum class Finger
{
    None,
    Skin,
    Black
};

struct BookSceneOptions
{
    cv::Size frame = cv::Size(1600, 1200);
    int pageCount = 1;                // 1 or 2
    double bowFraction = 0.05;        // how far the edges bow, as a fraction of the page height
    int spineGapPx = 0;               // dark gap between two pages; 0: they touch (one region on the desk)
    double pageWidthFraction = 0.36;  // of the frame width, each page
    double pageHeightFraction = 0.75; // of the frame height
    int lineCount = 24;
    bool grid = false;               // ruled grid instead of text lines
    Finger finger = Finger::None;    // at the outer edge of the first (left) page
    bool fingerAcrossBottom = false; // the finger reaches up across the bottom edge instead
    bool unevenLight = false;        // light falling off across the desk and a shadow at the spine
    double noiseSigma = 0.0;
    uint64_t seed = 1;
};

struct PageTruth
{
    int left = 0;                 // first frame column of the page
    int width = 0;                // columns
    int height = 0;               // flat height in rows
    int topBase = 0;              // top edge row at the page's ends
    double bowPx = 0.0;           // edge displacement at the page's middle
    std::vector<double> lineRows; // centre row of each text line on the flat page (0 = page top)
    // Where the page's top and bottom edges are at frame column x (rows, may be fractional).
    double topAt(double x) const;
    double bottomAt(double x) const;
    // Where the text line at flat row `row` crosses frame column x.
    double rowAt(double x, double row) const;
};

struct BookScene
{
    cv::Mat bgr;        // the frame, 8-bit BGR
    cv::Mat pageMask;   // 255 on the pages
    cv::Mat fingerMask; // 255 on the finger
    cv::Vec3b fingerColor;
    std::vector<PageTruth> pages; // left to right
};

// The same options always give the same scene.
BookScene renderBookScene(const BookSceneOptions& options);

// Centre row of each text line per band of `bandWidth` columns between x0 and x1 of `gray` (8-bit),
// searched within +-window rows of `expected(x, line)`; a band with too little ink gives NaN.
// Result: [line][band].
std::vector<std::vector<double>> measureLineRows(const cv::Mat& gray, int x0, int x1, int bandWidth,
                                                 int lines, double window,
                                                 const std::function<double(double x, int line)>& expected);

// Largest spread (max - min) of a line's measured rows across bands, over all lines, in rows.
double largestLineSpread(const std::vector<std::vector<double>>& rows);
// Mean row of each line over its bands.
std::vector<double> meanLineRows(const std::vector<std::vector<double>>& rows);
// Line centres of a flattened page found by the row profile of the ink between x0 and x1.
std::vector<double> findLineCentres(const cv::Mat& gray, int x0, int x1);

} // namespace bookscenes
