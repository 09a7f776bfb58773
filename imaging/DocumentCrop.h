#pragma once
// Finding the document on a camera picture and cutting it out.
#include <QImage>
#include <QPolygon>
#include <QRect>

// The four corners (image pixels, truncated towards zero, in the order OpenCV's rotated rectangle
// reports them) of the rectangle fitted to the brightest large region, or an empty polygon when the
// picture holds no plausible document: a region under 2 % of the frame, one covering nearly all of
// it, one that fills its fitted rectangle poorly, or one barely brighter than what surrounds it.
QPolygon detectDocumentQuad(const QImage& image);

// Detects the document again on `image` (the same rules as detectDocumentQuad) and cuts it out
// upright. `angleDeg` receives the rotation applied (degrees, counter-clockwise on screen, 0 when
// nothing was found; a fitted angle a above 45 gives a + 270, so an upright page reports 360) and
// `outline` the fitted rectangle's corners (empty when nothing was found). Either may be null.
// Without a document the whole image comes back unchanged, with angle 0 and an empty outline.
QImage autoCropWithRotation(const QImage& image, double* angleDeg, QPolygon* outline);

// The bounding box of the largest dark region (inverted Otsu), grown by `marginPx` on every side and
// clamped to the image. Without such a region, the image unchanged.
QImage autoCropBoundingBox(const QImage& image, int marginPx);

// `rect` cut out of `image` (clipped to it); an invalid or disjoint rectangle gives the whole image.
QImage cropToRect(const QImage& image, const QRect& rect);

// The page inside `quad` (four corners in image pixels, any order) straightened to a rectangle:
// images longer than 1920 px are first scaled down to 1920 with the corners; the output is as wide
// as the longer of the top and bottom edges and as high as the longer of the left and right edges.
// A quad that is not four points, or one whose output would be empty, gives the image unchanged.
QImage rectifyQuad(const QImage& image, const QPolygon& quad);
