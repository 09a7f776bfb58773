#pragma once
// Overhead camera scenes with a known answer for measuring the document detector: a printed page on
// a desk, seen from above, with the faults real pictures have (uneven light, a shadow, sensor noise,
// blur, a slight perspective) - and empty desks, on which nothing must be found.
#include <opencv2/core.hpp>

#include <array>
#include <cstdint>

namespace detectionscenes {

struct Scene
{
    cv::Mat bgr;                       // the frame, 8-bit BGR
    bool hasPage = false;
    std::array<cv::Point2f, 4> corners;  // the page's corners in frame pixels (clockwise from its top left)
    double rotationDeg = 0.0;          // the page's turn, counter-clockwise on screen
};

struct SceneOptions
{
    cv::Size frame = cv::Size(1280, 960);
    bool withPage = true;
    double maxRotationDeg = 40.0;
    double maxPerspective = 0.03;  // corner displacement as a fraction of the page's sides
    // Fixed rotation instead of a random one (used by tests that need an exact angle).
    bool fixedRotation = false;
    double rotationDeg = 0.0;
    bool cleanLight = false;  // no gradient, shadow, noise or blur
};

// The same seed always gives the same scene.
Scene renderScene(uint64_t seed, const SceneOptions& options);

// Largest distance between a found corner and the page's true corner it belongs to (the best
// pairing that keeps the corners' cyclic order), as a fraction of the page's diagonal. Four points
// are expected; anything else counts as infinitely wrong.
double largestCornerError(const std::array<cv::Point2f, 4>& truth, const std::vector<cv::Point2f>& found);

// How far a straightening rotation (degrees, counter-clockwise) is from turning a page rotated by
// `pageRotationDeg` upright or onto one of its sides: the distance of their sum from a multiple of 90.
double uprightAngleError(double appliedRotationDeg, double pageRotationDeg);

} // namespace detectionscenes
