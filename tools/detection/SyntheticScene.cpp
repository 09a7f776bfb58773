#include "SyntheticScene.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <limits>

namespace detectionscenes {
namespace {

// Low-frequency blotches: random values on a coarse grid, smoothly enlarged.
cv::Mat blotches(cv::RNG& rng, cv::Size size, int cells, double amplitude)
{
    cv::Mat coarse(cells, cells, CV_32F);
    rng.fill(coarse, cv::RNG::UNIFORM, -amplitude, amplitude);
    cv::Mat fine;
    cv::resize(coarse, fine, size, 0, 0, cv::INTER_CUBIC);
    return fine;
}

// A desk surface darker than paper: plain, wood grain, a woven check, speckled stone or a dark mat.
cv::Mat renderDesk(cv::RNG& rng, cv::Size size)
{
    const int kind = rng.uniform(0, 5);
    const double base = rng.uniform(45.0, 150.0);
    const cv::Vec3f tint(float(rng.uniform(0.75, 1.1)), float(rng.uniform(0.85, 1.05)), float(rng.uniform(0.9, 1.25)));
    cv::Mat luminance(size, CV_32F, cv::Scalar(base));
    luminance += blotches(rng, size, rng.uniform(3, 9), base * 0.12);
    if (kind == 1) {
        // Wood: bands along a random direction, their phase wandering.
        const double angle = rng.uniform(0.0, CV_PI);
        const double period = rng.uniform(12.0, 60.0);
        const cv::Mat wander = blotches(rng, size, 6, 25.0);
        for (int y = 0; y < size.height; ++y) {
            float* row = luminance.ptr<float>(y);
            const float* w = wander.ptr<float>(y);
            for (int x = 0; x < size.width; ++x) {
                const double t = x * std::cos(angle) + y * std::sin(angle) + w[x];
                row[x] += float(base * 0.18 * std::sin(2 * CV_PI * t / period));
            }
        }
    } else if (kind == 2) {
        // Woven cloth: a check of two tones.
        const int cell = rng.uniform(8, 40);
        for (int y = 0; y < size.height; ++y) {
            float* row = luminance.ptr<float>(y);
            for (int x = 0; x < size.width; ++x)
                row[x] += ((x / cell + y / cell) % 2) ? float(base * 0.15) : float(-base * 0.15);
        }
    } else if (kind == 3) {
        // Stone: dense speckles.
        cv::Mat speckle(size, CV_32F);
        rng.fill(speckle, cv::RNG::NORMAL, 0.0, base * 0.2);
        cv::GaussianBlur(speckle, speckle, cv::Size(0, 0), 1.2);
        luminance += speckle;
    } else if (kind == 4) {
        luminance *= 0.5;  // a dark mat
    }
    cv::Mat desk(size, CV_32FC3);
    for (int y = 0; y < size.height; ++y) {
        const float* l = luminance.ptr<float>(y);
        cv::Vec3f* out = desk.ptr<cv::Vec3f>(y);
        for (int x = 0; x < size.width; ++x)
            out[x] = cv::Vec3f(l[x] * tint[0], l[x] * tint[1], l[x] * tint[2]);
    }
    return desk;
}

// A printed page: paper with a faint tint, a heading, lines of words, sometimes a picture and a table.
cv::Mat renderPage(cv::RNG& rng, cv::Size size)
{
    const double paper = rng.uniform(215.0, 250.0);
    cv::Mat page(size, CV_32FC3,
                 cv::Scalar(paper * rng.uniform(0.94, 1.0), paper * rng.uniform(0.97, 1.0), paper));
    const int margin = int(size.width * rng.uniform(0.07, 0.12));
    const float ink = float(rng.uniform(20.0, 70.0));
    const int lineHeight = std::max(6, int(size.height * rng.uniform(0.018, 0.03)));
    int y = margin;
    // Heading.
    cv::rectangle(page, cv::Rect(margin, y, int(size.width * rng.uniform(0.3, 0.6)), lineHeight * 2),
                  cv::Scalar::all(ink), cv::FILLED);
    y += lineHeight * 4;
    const bool picture = rng.uniform(0, 3) == 0;
    const bool table = rng.uniform(0, 3) == 0;
    while (y < size.height - margin - lineHeight) {
        if (picture && y > size.height / 3 && y < size.height / 3 + lineHeight * 2) {
            const int h = int(size.height * 0.2);
            cv::Mat block = page(cv::Rect(margin, y, size.width - 2 * margin, std::min(h, size.height - margin - y)));
            block.setTo(cv::Scalar(rng.uniform(60.0, 160.0), rng.uniform(60.0, 160.0), rng.uniform(60.0, 160.0)));
            y += h + lineHeight;
            continue;
        }
        if (table && y > size.height * 2 / 3 && y < size.height * 2 / 3 + lineHeight * 2) {
            const int rows = 4;
            const int h = lineHeight * 2;
            for (int r = 0; r <= rows && y + r * h < size.height - margin; ++r)
                cv::line(page, cv::Point(margin, y + r * h), cv::Point(size.width - margin, y + r * h),
                         cv::Scalar::all(ink), 1);
            y += rows * h + lineHeight;
            continue;
        }
        int x = margin;
        const int lineEnd = size.width - margin - (rng.uniform(0, 5) == 0 ? int(size.width * 0.3) : 0);
        while (x < lineEnd) {
            const int word = int(lineHeight * rng.uniform(1.5, 5.0));
            const int w = std::min(word, lineEnd - x);
            cv::rectangle(page, cv::Rect(x, y, w, int(lineHeight * 0.7)), cv::Scalar::all(ink), cv::FILLED);
            x += word + lineHeight / 2;
        }
        y += int(lineHeight * 1.7);
    }
    return page;
}

// Multiplies the frame by a light field: a strong one-sided falloff, a vignette, and a soft shadow.
void light(cv::RNG& rng, cv::Mat& frame)
{
    const cv::Size size = frame.size();
    const double dirAngle = rng.uniform(0.0, 2 * CV_PI);
    const double low = rng.uniform(0.55, 0.9);
    const double vignette = rng.uniform(0.0, 0.2);
    const double diag = std::hypot(size.width, size.height) / 2.0;
    cv::Mat field(size, CV_32F);
    for (int y = 0; y < size.height; ++y) {
        float* row = field.ptr<float>(y);
        for (int x = 0; x < size.width; ++x) {
            const double dx = x - size.width / 2.0;
            const double dy = y - size.height / 2.0;
            const double along = (dx * std::cos(dirAngle) + dy * std::sin(dirAngle)) / diag;  // -1..1
            const double gradient = low + (1.0 - low) * (along + 1.0) / 2.0;
            const double r = std::hypot(dx, dy) / diag;
            row[x] = float(gradient * (1.0 - vignette * r * r));
        }
    }
    // A shadow (the camera arm, a hand, the user's head): a soft-edged polygon crossing the frame.
    if (rng.uniform(0, 4) != 0) {
        cv::Mat shade(size, CV_32F, cv::Scalar(1.0));
        const cv::Point centre(rng.uniform(0, size.width), rng.uniform(0, size.height));
        std::vector<cv::Point> polygon;
        const int points = rng.uniform(4, 8);
        const double radius = size.width * rng.uniform(0.15, 0.4);
        for (int i = 0; i < points; ++i) {
            const double a = 2 * CV_PI * i / points + rng.uniform(-0.3, 0.3);
            const double rr = radius * rng.uniform(0.6, 1.4);
            polygon.emplace_back(centre.x + int(rr * std::cos(a)), centre.y + int(rr * std::sin(a)));
        }
        cv::fillPoly(shade, std::vector<std::vector<cv::Point>>{polygon}, cv::Scalar(rng.uniform(0.6, 0.8)));
        cv::GaussianBlur(shade, shade, cv::Size(0, 0), rng.uniform(8.0, 30.0));
        field = field.mul(shade);
    }
    std::vector<cv::Mat> channels;
    cv::split(frame, channels);
    for (cv::Mat& c : channels)
        c = c.mul(field);
    cv::merge(channels, frame);
}

} // namespace

Scene renderScene(uint64_t seed, const SceneOptions& options)
{
    cv::RNG rng(seed * 2654435761ULL + 12345ULL);
    const cv::Size size = options.frame;
    Scene scene;
    cv::Mat frame = renderDesk(rng, size);

    if (options.withPage) {
        // A4-like proportions, portrait or landscape, a third to two thirds of the frame's height.
        const double aspect = rng.uniform(1.3, 1.5);
        double pageH = size.height * rng.uniform(0.45, 0.72);
        double pageW = pageH / aspect;
        if (rng.uniform(0, 3) == 0)
            std::swap(pageW, pageH);
        const cv::Size pageSize{int(pageW), int(pageH)};
        const cv::Mat page = renderPage(rng, pageSize);

        const double rotation =
            options.fixedRotation ? options.rotationDeg : rng.uniform(-options.maxRotationDeg, options.maxRotationDeg);
        // Keep the turned page inside the frame with a small margin.
        const double a = rotation * CV_PI / 180.0;
        const double extentX = (std::abs(std::cos(a)) * pageW + std::abs(std::sin(a)) * pageH) / 2.0;
        const double extentY = (std::abs(std::sin(a)) * pageW + std::abs(std::cos(a)) * pageH) / 2.0;
        const double margin = 0.04 * std::min(size.width, size.height);
        const double spanX = std::max(0.0, size.width / 2.0 - extentX - margin);
        const double spanY = std::max(0.0, size.height / 2.0 - extentY - margin);
        const cv::Point2f centre(float(size.width / 2.0 + rng.uniform(-spanX, spanX + 1e-9)),
                                 float(size.height / 2.0 + rng.uniform(-spanY, spanY + 1e-9)));

        // Corners of the flat page, turned (counter-clockwise on screen for positive angles), then
        // nudged by a keystone to imitate a camera not quite square over the desk.
        const cv::Point2f local[4] = {{-float(pageW / 2), -float(pageH / 2)},
                                      {float(pageW / 2), -float(pageH / 2)},
                                      {float(pageW / 2), float(pageH / 2)},
                                      {-float(pageW / 2), float(pageH / 2)}};
        const double keyX = rng.uniform(-options.maxPerspective, options.maxPerspective);
        const double keyY = rng.uniform(-options.maxPerspective, options.maxPerspective);
        cv::Point2f placed[4];
        for (int i = 0; i < 4; ++i) {
            cv::Point2f p = local[i];
            // Top edge narrower or wider than the bottom one, left edge shorter or longer than the right.
            p.x *= float(1.0 + (p.y < 0 ? -keyX : keyX) / 2.0);
            p.y *= float(1.0 + (p.x < 0 ? -keyY : keyY) / 2.0);
            const float x = float(p.x * std::cos(a) + p.y * std::sin(a));
            const float y = float(-p.x * std::sin(a) + p.y * std::cos(a));
            placed[i] = centre + cv::Point2f(x, y);
            scene.corners[size_t(i)] = placed[i];
        }
        const cv::Point2f source[4] = {{0, 0}, {float(pageW), 0}, {float(pageW), float(pageH)}, {0, float(pageH)}};
        const cv::Mat warp = cv::getPerspectiveTransform(source, placed);
        cv::Mat warpedPage, coverage;
        cv::warpPerspective(page, warpedPage, warp, size, cv::INTER_LINEAR, cv::BORDER_CONSTANT);
        cv::warpPerspective(cv::Mat(pageSize, CV_32F, cv::Scalar(1.0)), coverage, warp, size, cv::INTER_LINEAR,
                            cv::BORDER_CONSTANT);
        // Paper edges in real pictures are soft over a pixel or two.
        cv::GaussianBlur(coverage, coverage, cv::Size(3, 3), 0);
        for (int y = 0; y < size.height; ++y) {
            cv::Vec3f* out = frame.ptr<cv::Vec3f>(y);
            const cv::Vec3f* in = warpedPage.ptr<cv::Vec3f>(y);
            const float* c = coverage.ptr<float>(y);
            for (int x = 0; x < size.width; ++x)
                if (c[x] > 0.0f)
                    out[x] = out[x] * (1.0f - c[x]) + in[x] * c[x];
        }
        scene.hasPage = true;
        scene.rotationDeg = rotation;
    }

    if (!options.cleanLight) {
        light(rng, frame);
        cv::Mat noise(size, CV_32FC3);
        rng.fill(noise, cv::RNG::NORMAL, 0.0, rng.uniform(1.5, 6.0));
        frame += noise;
        cv::GaussianBlur(frame, frame, cv::Size(0, 0), rng.uniform(0.5, 1.6));
    }
    frame.convertTo(scene.bgr, CV_8UC3);
    return scene;
}

double largestCornerError(const std::array<cv::Point2f, 4>& truth, const std::vector<cv::Point2f>& found)
{
    if (found.size() != 4)
        return std::numeric_limits<double>::infinity();
    const double diagonal =
        std::max(cv::norm(truth[0] - truth[2]), cv::norm(truth[1] - truth[3]));
    double best = std::numeric_limits<double>::infinity();
    for (int direction = 0; direction < 2; ++direction) {
        for (int shift = 0; shift < 4; ++shift) {
            double worst = 0.0;
            for (int i = 0; i < 4; ++i) {
                const int j = direction == 0 ? (i + shift) % 4 : (shift - i + 4) % 4;
                worst = std::max(worst, double(cv::norm(truth[size_t(i)] - found[size_t(j)])));
            }
            best = std::min(best, worst);
        }
    }
    return best / diagonal;
}

double uprightAngleError(double appliedRotationDeg, double pageRotationDeg)
{
    const double sum = appliedRotationDeg + pageRotationDeg;
    const double rest = sum - 90.0 * std::round(sum / 90.0);
    return std::abs(rest);
}

} // namespace detectionscenes
