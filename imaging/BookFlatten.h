#pragma once
// Flattening a photographed open book: find the page (or the two pages) on the desk, trace the top
// and bottom outline of each page column by column, and stretch every column so that the page becomes
// a rectangle of even height. Only the outline is seen: the text lines bow like the page edges, so
// straightening the edges straightens the lines. Plain functions; the QObject that runs them off the
// main thread is BookFlattenProcessor.
#include <QImage>
#include <QList>
#include <QMetaType>
#include <QString>

#include <opencv2/core.hpp>

#include <functional>
#include <vector>

// The outcome of one flatten run; a value type that travels through queued signals.
struct FlattenResult
{
    bool success = false;    // a flattened image was produced
    QImage image;            // all flattened pages side by side; null on failure
    QString errorMessage;    // translated text of the first failure; empty on success
    bool canFlatten = false; // the page edges were found usable
    // Double-page runs (FlattenOptions::forceDoublePage) that found two page regions: the flattened
    // pages left to right by their position on the desk; just one when the other could not be
    // flattened. Empty otherwise. How a double-page caller splits the result: two or more pages -> those
    // pages; one page -> that page alone (never halve it); none -> the book lay as one region, so halve
    // `image` (an odd width gives the right half the extra column).
    QList<QImage> pages;
    // Page regions found on the desk: 0 when the run stopped before finding any, else 1 or 2.
    int regionsFound = 0;
};
Q_DECLARE_METATYPE(FlattenResult)

// The switches of one run, passed by value with it.
struct FlattenOptions
{
    bool removeFingers = false;   // paint out the fingers holding the book at the outer edges
    bool forceDoublePage = false; // the caller captured a double page: keep two regions even if unequal
};

// One whole run on `image`. `progress` (may be empty) hears 5, 10, 20, 30, 40, 50, 60, 90 and 100
// percent as the run passes its steps, on the calling thread. Touches nothing shared; never throws.
FlattenResult processFlattening(const QImage& image, const FlattenOptions& options,
                                const std::function<void(int percent)>& progress = {});

namespace bookflatten {

// One page's outline: one point per usable column, in increasing x, image pixels.
struct PageEdges
{
    std::vector<cv::Point> topEdge;
    std::vector<cv::Point> bottomEdge;
    bool isValid = false;
};

struct BookEdges
{
    std::vector<PageEdges> pages; // left to right by position on the desk
    cv::Mat mask;                 // the book mask the edges were traced on
    bool isValid = false;         // at least one page is usable
    bool isDoublePage = false;
};

// 8-bit mask of the input's size, 255 inside the kept page regions (at most two); empty when no
// region of a usable size is found. `gray` is 8-bit single channel.
cv::Mat getBookMask(const cv::Mat& gray, bool forceDoublePage);
// Traces the outline of each page region of `mask` (the largest two when a double page is forced or
// the second is over 0.3 of the first): a point per column whose span exceeds 20 rows and half the
// page's median span; a page needs 50 columns. Sharp notches (a thumb on the edge) take the running
// median before the edges are smoothed.
BookEdges extractEdges(const cv::Mat& mask, bool forceDoublePage);
// Running mean of y over [i - radius, i + radius], three passes; false (points unchanged) when there
// are fewer points than `radius`.
bool smoothEdge(std::vector<cv::Point>& points, int radius);
// Flattens each valid page of `pages` and joins them left to right at the tallest page's height;
// `pageImages` receives each flattened page at its own height. With nothing flattened: a copy of
// `color` (8-bit, 3 or 4 channels) and no page images.
cv::Mat performFlattening(const cv::Mat& color, const std::vector<PageEdges>& pages,
                          std::vector<cv::Mat>& pageImages);
// Stretches each column of one page between its top and bottom edge to the page's tallest column;
// empty when the edges are unusable (fewer than 10 columns, height outside 100..10000, wider than
// 10000). A flat page keeps its rows where they were.
cv::Mat flattenSinglePage(const cv::Mat& color, const PageEdges& page);

} // namespace bookflatten
