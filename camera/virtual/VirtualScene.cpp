#include "VirtualScene.h"

#include "BookScene.h"
#include "PrintedCodes.h"
#include "VirtualDesk.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <QtDebug>

#include <zint.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <list>
#include <memory>
#include <mutex>
#include <stdexcept>

namespace MediaCapture {

namespace {

// The sheet: A4 in landscape, so that the barcode's 156 modules still print wider than 3 pixels each
// at 1280x720. Its layout is in tenths of a millimetre.
constexpr double kPageLongMm = 297.0;
constexpr double kPageShortMm = 210.0;
constexpr double kUnitsPerMm = 10.0;
constexpr double kPageLongUnits = kPageLongMm * kUnitsPerMm;
constexpr double kPageShortUnits = kPageShortMm * kUnitsPerMm;
// How much of the frame the sheet takes, leaving a clear band of desk all round even once rotated.
constexpr double kPageFill = 0.78;

constexpr int kMaxSide = 16384;

// ---- the printed sheet ----------------------------------------------------------------------------


void printText(QPainter& painter, const QFont& font, const QColor& colour, double x, double baseline,
               const QString& text)
{
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QPointF(x, baseline), text);
}

// The two retail symbols on the sheet: an EAN-13 with a Chinese (690) prefix and a book's ISBN, which
// is an EAN-13 in the 978 range. Twelve digits each; zint adds the check digit (…2 and …3).
constexpr const char* kEanDigits = "690123456789";
constexpr const char* kIsbnDigits = "978730212345";

// EAN-13 as zint draws it, in whole modules from the first guard bar. Throws std::runtime_error.
BarPattern encodeEan13(const char* digits)
{
    std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> symbol(ZBarcode_Create(), ZBarcode_Delete);
    if (!symbol)
        throw std::bad_alloc();
    symbol->symbology = BARCODE_EANX;
    symbol->show_hrt = 0;
    symbol->scale = 1.0f;
    const int rc = ZBarcode_Encode_and_Buffer_Vector(symbol.get(), reinterpret_cast<const unsigned char*>(digits),
                                                     static_cast<int>(std::strlen(digits)), 0);
    if (rc >= ZINT_ERROR || !symbol->vector || !symbol->vector->rectangles || symbol->width <= 0)
        throw std::runtime_error(std::string("EAN-13 encoding failed: ") + symbol->errtxt);
    // The vector output includes the quiet zones; the guard bars are one module wide, so the narrowest
    // bar gives the scale and the leftmost the origin.
    double unitsPerModule = symbol->vector->rectangles->width;
    double origin = symbol->vector->rectangles->x;
    for (const zint_vector_rect* r = symbol->vector->rectangles; r; r = r->next) {
        origin = std::min<double>(origin, r->x);
        unitsPerModule = std::min<double>(unitsPerModule, r->width);
    }
    BarPattern pattern;
    for (const zint_vector_rect* r = symbol->vector->rectangles; r; r = r->next) {
        const int first = static_cast<int>(std::lround((r->x - origin) / unitsPerModule));
        const int width = static_cast<int>(std::lround(r->width / unitsPerModule));
        if (width > 0) {
            pattern.bars.emplace_back(first, width);
            pattern.modules = std::max(pattern.modules, first + width);
        }
    }
    if (pattern.modules != 95)
        throw std::runtime_error("EAN-13 encoding gave an unexpected width");
    return pattern;
}

// A 1-D symbol standing upright, read from top to bottom: its bars run across the sheet from `left`
// for `barLength`, its modules go down from `top`.
void printUprightBars(QPainter& painter, const BarPattern& bars, double left, double top, double module,
                      double barLength, const QColor& ink)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const auto& bar : bars.bars)
        path.addRect(left, top + bar.first * module, barLength, bar.second * module);
    painter.fillPath(path, ink);
}

// Sheet coordinates are tenths of a millimetre from the sheet's top-left corner.
void printSheet(QPainter& painter)
{
    const QColor paper(245, 244, 239);
    const QColor ink(26, 26, 30);
    const QColor grey(120, 120, 124);
    painter.fillRect(QRectF(0, 0, kPageLongUnits, kPageShortUnits), paper);

    constexpr double kLeft = 160.0;
    constexpr double kRight = 160.0;

    // The QR code in the top right corner; its modules come out at 3.6 pixels at 1280x720.
    const QrMatrix qr = encodeQrCode(VirtualScene::kQrPayload);
    constexpr double kQrModule = VirtualScene::kQrModuleMm * kUnitsPerMm;
    const double qrLeft = kPageLongUnits - kRight - qr.size * kQrModule;
    constexpr double qrTop = 160.0;
    {
        QPainterPath path;
        path.setFillRule(Qt::WindingFill); // one filled union: no seams between neighbouring modules
        for (int y = 0; y < qr.size; ++y)
            for (int x = 0; x < qr.size; ++x)
                if (qr.isDark(x, y))
                    path.addRect(qrLeft + x * kQrModule, qrTop + y * kQrModule, kQrModule, kQrModule);
        painter.fillPath(path, ink);
    }

    // Code 128 across the lower half; its modules come out at 3.3 pixels at 1280x720, and the sheet's
    // margin on both sides is far wider than the ten-module quiet zone.
    const BarPattern bars = encodeCode128(VirtualScene::kBarcodePayload);
    constexpr double kBarModule = VirtualScene::kBarModuleMm * kUnitsPerMm;
    constexpr double kBarTop = 1180.0;
    constexpr double kBarHeight = 420.0;
    constexpr double kBarLeft = 260.0;
    {
        QPainterPath path;
        path.setFillRule(Qt::WindingFill);
        for (const auto& bar : bars.bars)
            path.addRect(kBarLeft + bar.first * kBarModule, kBarTop, bar.second * kBarModule, kBarHeight);
        painter.fillPath(path, ink);
    }

    // Two retail symbols standing upright in the column right of the Code 128, clear of its quiet zone
    // and below the QR code's caption. Modules of 1 mm come out at 2.7 pixels at 1280x720, and the
    // sheet keeps more than the eleven-module quiet zone above and below them. Upright so that they fit
    // beside the text without moving anything else on the page; no digits are printed under them, which
    // would only be sideways text for OCR to stumble over.
    constexpr double kRetailModule = 10.0;
    constexpr double kRetailTop = 800.0;
    constexpr double kRetailBarLength = 160.0;
    printUprightBars(painter, encodeEan13(kEanDigits), 2370.0, kRetailTop, kRetailModule, kRetailBarLength, ink);
    printUprightBars(painter, encodeEan13(kIsbnDigits), 2630.0, kRetailTop, kRetailModule, kRetailBarLength, ink);

    if (!fontsUsable()) {
        static std::atomic<bool> warned{false};
        if (!warned.exchange(true))
            qWarning("Virtual camera: no QGuiApplication, so the test page is printed without its text");
        return;
    }

    const char* cjk = VirtualScene::kCjkFamily;
    const char* latin = VirtualScene::kLatinFamily;
    // Body text: DejaVu's x-height is 0.55 em, about 14 pixels at 1280x720, and the Chinese glyphs fill
    // nearly the whole em.
    constexpr double kBody = VirtualScene::kBodyEmMm * kUnitsPerMm;
    const QFont heading = printFont(cjk, 125, true);
    const QFont title = printFont(latin, kBody, true);
    const QFont bodyCjk = printFont(cjk, kBody, false);
    const QFont body = printFont(latin, kBody, false);
    const QFont small = printFont(cjk, 50, false);
    const QFont mono = printFont("DejaVu Sans Mono", 60, false);

    printText(painter, heading, ink, kLeft, 290, QStringLiteral("文档摄像头测试页"));
    painter.setPen(QPen(grey, 6.0));
    painter.drawLine(QPointF(kLeft, 345), QPointF(qrLeft - 90, 345));
    // Lines 14 mm apart: a clear gap between lines keeps OCR's line finding simple.
    printText(painter, title, ink, kLeft, 490, QStringLiteral("Lumadoc virtual camera test page"));
    printText(painter, bodyCjk, ink, kLeft, 630, QStringLiteral("这是一页用于文字识别的示例文本。"));
    printText(painter, body, ink, kLeft, 770, QStringLiteral("The quick brown fox jumps over"));
    printText(painter, body, ink, kLeft, 910, QStringLiteral("the lazy dog 0123456789"));
    printText(painter, bodyCjk, ink, kLeft, 1050, QStringLiteral("请把文件平放在桌面上，画面稳定后自动拍照。"));

    painter.setFont(small);
    painter.setPen(grey);
    painter.drawText(QRectF(qrLeft - 100, qrTop + qr.size * kQrModule + 20, qr.size * kQrModule + 200, 80),
                     Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("扫码访问 · Scan me"));

    painter.setFont(mono);
    painter.setPen(ink);
    painter.drawText(QRectF(kBarLeft, kBarTop + kBarHeight + 20, bars.modules * kBarModule, 100),
                     Qt::AlignHCenter | Qt::AlignTop, QString::fromLatin1(VirtualScene::kBarcodePayload));

    printText(painter, small, grey, kLeft, kPageShortUnits - 130,
              QStringLiteral("Lumadoc · 虚拟摄像头 · 第 1 页 / Page 1"));
}

} // namespace

PageGeometry VirtualScene::pageGeometry(int width, int height)
{
    PageGeometry g;
    g.heightPx = std::min(kPageFill * height, kPageFill * width * kPageShortMm / kPageLongMm);
    g.widthPx = g.heightPx * kPageLongMm / kPageShortMm;
    g.pixelsPerMm = g.heightPx / kPageShortMm;
    g.angleDeg = kPageAngleDeg;
    // Pushed a little left and down, as a sheet dropped by hand rarely lands dead centre.
    g.centre = QPointF(0.47 * width, 0.512 * height);
    QTransform t;
    t.translate(g.centre.x(), g.centre.y());
    t.rotate(g.angleDeg);
    const double hw = g.widthPx / 2.0;
    const double hh = g.heightPx / 2.0;
    g.corners = {t.map(QPointF(-hw, -hh)), t.map(QPointF(hw, -hh)), t.map(QPointF(hw, hh)),
                 t.map(QPointF(-hw, hh))};
    return g;
}

std::unique_ptr<SceneCanvas> VirtualScene::render(int width, int height, int margin,
                                                  const std::atomic<bool>* cancel)
{
    if (width < 16 || height < 16 || width > kMaxSide || height > kMaxSide || margin < 0 || margin > 1024)
        throw std::invalid_argument("virtual camera scene: unsupported size");
    const int canvasWidth = width + 2 * margin;
    const int canvasHeight = height + 2 * margin;

    QImage canvas = paintDesk(canvasWidth, canvasHeight, cancel);
    if (isCancelled(cancel))
        return nullptr;
    const PageGeometry page = pageGeometry(width, height);
    QPolygonF sheet;
    for (const QPointF& corner : page.corners)
        sheet << corner + QPointF(margin, margin);
    castShadow(canvas, sheet, page.heightPx, cancel);
    if (isCancelled(cancel))
        return nullptr;
    {
        QPainter painter(&canvas);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                               QPainter::SmoothPixmapTransform);
        QTransform t;
        t.translate(page.centre.x() + margin, page.centre.y() + margin);
        t.rotate(page.angleDeg);
        t.scale(page.pixelsPerMm / kUnitsPerMm, page.pixelsPerMm / kUnitsPerMm);
        t.translate(-kPageLongUnits / 2.0, -kPageShortUnits / 2.0);
        painter.setTransform(t);
        printSheet(painter);
    }
    lightScene(canvas, margin, width, height);
    if (isCancelled(cancel))
        return nullptr;

    return toSceneCanvas(canvas, width, height, margin);
}

namespace {

std::mutex& cacheMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::list<std::shared_ptr<const SceneCanvas>>& cacheEntries()
{
    static std::list<std::shared_ptr<const SceneCanvas>> entries;
    return entries;
}

// Enough to switch back and forth between two modes (or the two devices) without drawing again, while a 4168x3126 scene
// alone holds 40 MB that stay allocated after the camera is closed.
constexpr size_t kCacheSize = 2;

} // namespace

std::shared_ptr<const SceneCanvas> VirtualScene::cached(int width, int height, int margin,
                                                        const std::atomic<bool>* cancel)
{
    return cached(SceneKind::PrintedPage, width, height, margin, cancel);
}

std::shared_ptr<const SceneCanvas> VirtualScene::cached(SceneKind kind, int width, int height, int margin,
                                                        const std::atomic<bool>* cancel)
{
    std::lock_guard<std::mutex> lock(cacheMutex());
    auto& entries = cacheEntries();
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if ((*it)->kind == kind && (*it)->width == width && (*it)->height == height && (*it)->margin == margin) {
            entries.splice(entries.begin(), entries, it);
            return entries.front();
        }
    }
    std::shared_ptr<const SceneCanvas> scene = kind == SceneKind::OpenBook
                                                   ? BookScene::render(width, height, margin, cancel)
                                                   : render(width, height, margin, cancel);
    if (!scene)
        return nullptr;
    entries.push_front(scene);
    while (entries.size() > kCacheSize)
        entries.pop_back();
    return scene;
}

void VirtualScene::clearCache()
{
    std::lock_guard<std::mutex> lock(cacheMutex());
    cacheEntries().clear();
}

} // namespace MediaCapture
