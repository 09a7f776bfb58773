#pragma once
// Finding the document on a camera picture and cutting it out.
#include <QImage>
#include <QPolygon>
#include <QRect>

// The document's four corners (image pixels, truncated towards zero, in the order OpenCV's rotated
// rectangle fitted to the page reports its corners), or an empty polygon when the picture holds no
// plausible document: a region under 2 % of the frame, one covering nearly all of it, one that fills
// its fitted rectangle poorly, or one barely brighter than what surrounds it. The page is the bright
// region Otsu's threshold finds, checked against other thresholds and a local one when the light is
// uneven; its corners are where lines fitted along its four sides meet, so a page seen under a slight
// perspective keeps its real corners (the fitted rectangle's corners when the sides cannot be fitted).
QPolygon detectDocumentQuad(const QImage& image);

// Detects the document again on `image` (the same rules as detectDocumentQuad) and cuts it out
// upright, at the size of the rectangle fitted to it. `angleDeg` receives the rotation applied
// (degrees, counter-clockwise on screen, 0 when nothing was found; a fitted angle a above 45 gives
// a + 270 with width and height swapped, so an upright page reports 360) and `outline` the fitted
// rectangle's corners (empty when nothing was found). Either may be null. The fitted angle is the
// mean direction of the page's four sides, not of the one side the rectangle lies along.
// Without a document the whole image comes back unchanged, with angle 0 and an empty outline.
QImage autoCropWithRotation(const QImage& image, double* angleDeg, QPolygon* outline);

// The same turn within -180..180 degrees, as people read it: the 360 of an upright page is 0.
double signedAngleDeg(double angleDeg);

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
