#include "VirtualDesk.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace MediaCapture {

namespace {

uint32_t hash32(uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

float lattice(int ix, int iy, uint32_t seed)
{
    const uint32_t h = hash32(static_cast<uint32_t>(ix) * 0x9E3779B1U ^ hash32(static_cast<uint32_t>(iy) + seed));
    return static_cast<float>(h) * (1.0f / 4294967296.0f);
}

float valueNoise(float x, float y, uint32_t seed)
{
    const float fx0 = std::floor(x);
    const float fy0 = std::floor(y);
    const int ix = static_cast<int>(fx0);
    const int iy = static_cast<int>(fy0);
    float fx = x - fx0;
    float fy = y - fy0;
    fx = fx * fx * (3.0f - 2.0f * fx);
    fy = fy * fy * (3.0f - 2.0f * fy);
    const float a = lattice(ix, iy, seed);
    const float b = lattice(ix + 1, iy, seed);
    const float c = lattice(ix, iy + 1, seed);
    const float d = lattice(ix + 1, iy + 1, seed);
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

float fbm(float x, float y, uint32_t seed)
{
    return 0.5714f * valueNoise(x, y, seed) + 0.2857f * valueNoise(2.03f * x, 2.03f * y, seed + 17U) +
           0.1429f * valueNoise(4.07f * x, 4.07f * y, seed + 31U);
}

float mix(float a, float b, float t)
{
    return a + (b - a) * t;
}

} // namespace

// True once the caller has given up on the drawing.
bool isCancelled(const std::atomic<bool>* cancel)
{
    return cancel && cancel->load(std::memory_order_relaxed);
}

bool fontsUsable()
{
    // Qt's font code dereferences the application's font database; without a QGuiApplication it
    // crashes instead of failing.
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

// Oiled walnut boards running across the picture. Coordinates are in desk heights so that the grain
// looks the same at every frame size; drawn at no more than 1280 pixels across and scaled up, which a
// real lens would blur anyway.
QImage paintDesk(int canvasWidth, int canvasHeight, const std::atomic<bool>* cancel)
{
    const int deskWidth = std::min(canvasWidth, 1280);
    const int deskHeight = std::max(1, static_cast<int>(std::lround(double(canvasHeight) * deskWidth / canvasWidth)));
    QImage desk(deskWidth, deskHeight, QImage::Format_RGB32);
    const float scale = 1.0f / static_cast<float>(deskHeight);
    const float pixel = scale; // one desk pixel in desk heights
    constexpr float kPlank = 0.27f;
    constexpr float kDark[3] = {46.f, 29.f, 19.f};
    constexpr float kLight[3] = {121.f, 83.f, 54.f};

    for (int y = 0; y < deskHeight; ++y) {
        if (isCancelled(cancel))
            return {};
        auto* line = reinterpret_cast<QRgb*>(desk.scanLine(y));
        const float v = (static_cast<float>(y) + 0.5f) * scale + 0.06f;
        const int plank = static_cast<int>(std::floor(v / kPlank));
        const float inPlank = v - static_cast<float>(plank) * kPlank;
        const uint32_t seed = 1234U + static_cast<uint32_t>(plank) * 7919U;
        const float seamDistance = std::min(inPlank, kPlank - inPlank) / pixel;
        const float seam = 1.0f - 0.6f * std::max(0.0f, 1.0f - seamDistance / 1.6f);
        // Boards are butted end to end somewhere along the row.
        const float jointU = 0.3f + 1.3f * lattice(plank, 1, 99U);
        for (int x = 0; x < deskWidth; ++x) {
            const float u = (static_cast<float>(x) + 0.5f) * scale;
            const int board = u < jointU ? 0 : 1;
            const uint32_t boardSeed = seed + static_cast<uint32_t>(board) * 101U;
            const float tone = 0.82f + 0.30f * lattice(plank, board, 77U);
            // Growth rings: thin dark late-wood lines wandering along the board, over fine fibres.
            const float warp = fbm(u * 1.7f + board * 3.1f, inPlank * 3.0f, boardSeed);
            const float phase = inPlank * 34.0f + 5.0f * warp + 0.4f * std::sin(u * 2.3f + plank);
            const float ring = 0.5f + 0.5f * std::sin(6.2831853f * phase);
            const float lateWood = ring * ring * ring * ring;
            const float fibres = valueNoise(u * 6.0f, v * 420.0f, boardSeed + 5U);
            const float figure = fbm(u * 1.6f, v * 9.0f, boardSeed + 9U);
            const float t = std::clamp(0.60f - 0.20f * lateWood + 0.12f * (fibres - 0.5f) + 0.22f * (figure - 0.5f),
                                       0.0f, 1.0f);
            const float jointDistance = std::fabs(u - jointU) / pixel;
            const float shade = tone * seam * (1.0f - 0.55f * std::max(0.0f, 1.0f - jointDistance / 1.4f));
            const int r = static_cast<int>(mix(kDark[0], kLight[0], t) * shade);
            const int g = static_cast<int>(mix(kDark[1], kLight[1], t) * shade);
            const int b = static_cast<int>(mix(kDark[2], kLight[2], t) * shade);
            line[x] = qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
        }
    }
    if (deskWidth == canvasWidth && deskHeight == canvasHeight)
        return desk;
    return desk.scaled(canvasWidth, canvasHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// Three box passes each way come close to a Gaussian, which is what a soft shadow looks like.
void boxBlur(std::vector<float>& data, int width, int height, int radius)
{
    if (radius < 1)
        return;
    std::vector<float> line(static_cast<size_t>(std::max(width, height)));
    const float norm = 1.0f / static_cast<float>(2 * radius + 1);
    auto blurLine = [&](float* first, int count, int step) {
        for (int i = 0; i < count; ++i)
            line[i] = first[static_cast<ptrdiff_t>(i) * step];
        float sum = 0.0f;
        for (int i = -radius; i <= radius; ++i)
            sum += line[std::clamp(i, 0, count - 1)];
        for (int i = 0; i < count; ++i) {
            first[static_cast<ptrdiff_t>(i) * step] = sum * norm;
            sum += line[std::min(i + radius + 1, count - 1)] - line[std::max(i - radius, 0)];
        }
    };
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < height; ++y)
            blurLine(data.data() + static_cast<size_t>(y) * width, width, 1);
        for (int x = 0; x < width; ++x)
            blurLine(data.data() + x, height, width);
    }
}

// Darkens the desk under and beside the sheet; the lamp stands up and to the left.
void castShadow(QImage& canvas, const QPolygonF& sheet, double pageHeightPx, const std::atomic<bool>* cancel)
{
    constexpr int kDown = 4; // the shadow is soft, so a quarter-size mask is plenty
    const int maskWidth = canvas.width() / kDown + 2;
    const int maskHeight = canvas.height() / kDown + 2;
    QImage shape(maskWidth, maskHeight, QImage::Format_ARGB32_Premultiplied);
    shape.fill(Qt::transparent);
    {
        QPainter painter(&shape);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        QTransform toMask;
        toMask.scale(1.0 / kDown, 1.0 / kDown);
        toMask.translate(0.010 * pageHeightPx, 0.016 * pageHeightPx);
        painter.drawPolygon(toMask.map(sheet));
    }
    std::vector<float> mask(static_cast<size_t>(maskWidth) * maskHeight);
    for (int y = 0; y < maskHeight; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(shape.constScanLine(y));
        for (int x = 0; x < maskWidth; ++x)
            mask[static_cast<size_t>(y) * maskWidth + x] = static_cast<float>(qAlpha(line[x])) / 255.0f;
    }
    boxBlur(mask, maskWidth, maskHeight, std::max(1, static_cast<int>(0.012 * pageHeightPx / kDown)));

    constexpr float kStrength = 0.62f;
    for (int y = 0; y < canvas.height(); ++y) {
        if (isCancelled(cancel))
            return;
        auto* line = reinterpret_cast<QRgb*>(canvas.scanLine(y));
        const float my = std::min((static_cast<float>(y) + 0.5f) / kDown - 0.5f, float(maskHeight - 1));
        const int y0 = std::max(0, static_cast<int>(my));
        const int y1 = std::min(y0 + 1, maskHeight - 1);
        const float fy = std::max(0.0f, my - static_cast<float>(y0));
        const float* row0 = mask.data() + static_cast<size_t>(y0) * maskWidth;
        const float* row1 = mask.data() + static_cast<size_t>(y1) * maskWidth;
        for (int x = 0; x < canvas.width(); ++x) {
            const float mx = std::min((static_cast<float>(x) + 0.5f) / kDown - 0.5f, float(maskWidth - 1));
            const int x0 = std::max(0, static_cast<int>(mx));
            const int x1 = std::min(x0 + 1, maskWidth - 1);
            const float fx = std::max(0.0f, mx - static_cast<float>(x0));
            const float top = row0[x0] + (row0[x1] - row0[x0]) * fx;
            const float bottom = row1[x0] + (row1[x1] - row1[x0]) * fx;
            const float m = top + (bottom - top) * fy;
            if (m <= 0.002f)
                continue;
            const float keep = 1.0f - kStrength * m;
            const QRgb c = line[x];
            line[x] = qRgb(static_cast<int>(qRed(c) * keep), static_cast<int>(qGreen(c) * keep),
                           static_cast<int>(qBlue(c) * keep));
        }
    }
}


// The desk lamp: brightest a little up and left of the centre, falling off towards the corners, with
// a slightly warm light.
void lightScene(QImage& canvas, int margin, int frameWidth, int frameHeight)
{
    const double lightX = margin + 0.42 * frameWidth;
    const double lightY = margin + 0.40 * frameHeight;
    const double reach = 0.62 * frameWidth;
    std::vector<int> across(static_cast<size_t>(canvas.width()));
    std::vector<int> down(static_cast<size_t>(canvas.height()));
    // falloff = 1 - 0.26 * (dx^2 + dy^2), split into a column and a row term in 1/4096 units.
    for (int x = 0; x < canvas.width(); ++x) {
        const double d = (x - lightX) / reach;
        across[x] = static_cast<int>(std::lround(4096.0 * (1.0 - 0.26 * d * d)));
    }
    for (int y = 0; y < canvas.height(); ++y) {
        const double d = (y - lightY) / reach;
        down[y] = static_cast<int>(std::lround(4096.0 * 0.26 * d * d));
    }
    for (int y = 0; y < canvas.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(canvas.scanLine(y));
        for (int x = 0; x < canvas.width(); ++x) {
            const int f = std::max(across[x] - down[y], 1024);
            const QRgb c = line[x];
            line[x] = qRgb(std::min(255, qRed(c) * f / 4096), std::min(255, qGreen(c) * f * 252 / (4096 * 255)),
                           std::min(255, qBlue(c) * f * 242 / (4096 * 255)));
        }
    }
}
std::unique_ptr<SceneCanvas> toSceneCanvas(const QImage& canvas, int width, int height, int margin)
{
    const int canvasWidth = width + 2 * margin;
    const int canvasHeight = height + 2 * margin;
    auto scene = std::make_unique<SceneCanvas>();
    scene->width = width;
    scene->height = height;
    scene->margin = margin;
    scene->stride = static_cast<size_t>(canvasWidth) * 3;
    scene->rgb.resize(scene->stride * canvasHeight);
    for (int y = 0; y < canvasHeight; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        uint8_t* out = scene->rgb.data() + static_cast<size_t>(y) * scene->stride;
        for (int x = 0; x < canvasWidth; ++x) {
            *out++ = static_cast<uint8_t>(qRed(in[x]));
            *out++ = static_cast<uint8_t>(qGreen(in[x]));
            *out++ = static_cast<uint8_t>(qBlue(in[x]));
        }
    }
    return scene;
}

QFont printFont(const char* family, double emUnits, bool bold)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(static_cast<int>(std::lround(emUnits)));
    font.setBold(bold);
    // The print is drawn scaled (and the page rotated), where hinting only distorts the outlines.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace MediaCapture
