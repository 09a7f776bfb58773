#pragma once
// Cutting the document out of a camera picture.
#include <QImage>
#include <QPolygon>

// The page inside `quad` (four corners in image pixels, any order) straightened to a rectangle:
// images longer than 1920 px are first scaled down to 1920 with the corners; the output is as wide
// as the longer of the top and bottom edges and as high as the longer of the left and right edges.
// A quad that is not four points, or one whose output would be empty, gives the image unchanged.
QImage rectifyQuad(const QImage& image, const QPolygon& quad);
