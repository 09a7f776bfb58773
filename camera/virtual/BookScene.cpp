#include "BookScene.h"

#include "VirtualDesk.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QString>
#include <QTextLayout>
#include <QTextLine>
#include <QTextOption>
#include <QtDebug>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace MediaCapture {

namespace {

// Each page is A5 portrait; its layout is in tenths of a millimetre.
constexpr double kPageWidthUnits = 1480.0;
constexpr double kPageHeightUnits = 2100.0;
// How much of the frame height the flat page takes; the bow and the cover need the rest.
constexpr double kPageFill = 0.76;
constexpr int kMaxSide = 16384;

// Just before the spine the paper turns down into the binding: how wide that dip is and how much of
// the bow it takes back at the spine itself.
constexpr double kGutterDipWidth = 0.05; // in page widths
constexpr double kGutterDip = 0.35;

// ---- the flat pages -------------------------------------------------------------------------------

// Sets a justified paragraph from `top` (the top of its first line); returns where the next one starts.
double setParagraph(QPainter& painter, const QFont& font, const QString& text, double left, double width,
                    double top, double lineSpacing, double indent)
{
    QTextLayout layout(text, font, painter.device());
    // Qt leaves a paragraph's last line ragged, as books do.
    QTextOption option(Qt::AlignJustify);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    double y = top;
    bool first = true;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        const double lineIndent = first ? indent : 0.0;
        line.setLineWidth(width - lineIndent);
        line.setPosition(QPointF(lineIndent, y - top));
        y += lineSpacing;
        first = false;
    }
    layout.endLayout();
    layout.draw(&painter, QPointF(left, top));
    return y;
}

struct PageText
{
    QString header;
    QString heading;
    bool headingIsCjk = false;
    std::vector<std::pair<bool, QString>> paragraphs; // (is Chinese, text)
    int number = 0;
};

PageText leftPageText()
{
    PageText page;
    page.header = QStringLiteral("Paper and Light");
    page.heading = QStringLiteral("3. Reading an Open Book");
    page.paragraphs = {
        {false, QStringLiteral("When a book lies open on the desk, its pages do not lie flat. The paper rises from "
                               "the outer edge towards the spine and falls again into the gutter, so every line of "
                               "print bends a little on its way across the page.")},
        {false, QStringLiteral("A camera above the desk sees this curve. Lines near the spine look longer and "
                               "further apart than they are, and the shadow of the gutter darkens the last words "
                               "of each line.")},
        {true, QStringLiteral("书本摊开时，纸面从外侧向书脊慢慢隆起，每一行文字都随之弯曲，越靠近中缝越明显。")},
        {false, QStringLiteral("To read such a page again, find the bright paper on the darker desk, follow the "
                               "upper and lower edge of each page column by column, and stretch every column "
                               "until the page is a rectangle once more.")},
    };
    page.number = BookScene::kLeftPageNumber;
    return page;
}

PageText rightPageText()
{
    PageText page;
    page.header = QStringLiteral("第三章　纸与光");
    page.heading = QStringLiteral("第二节　展平书页");
    page.headingIsCjk = true;
    page.paragraphs = {
        {true, QStringLiteral("翻开的书页并不是平的。靠近书脊的地方纸张隆起，文字行也跟着向上或向下弯曲，"
                              "中缝处还会留下一道阴影。")},
        {true, QStringLiteral("拍摄时请用拇指轻轻按住书页的外侧，尽量不要遮住文字。软件会找出每一页的上下"
                              "边缘，逐列拉伸，把弯曲的书页还原成平整的矩形。")},
        {false, QStringLiteral("Hold the book open with a thumb on the outer margin, keep the text clear, and "
                               "capture both pages at once.")},
        {true, QStringLiteral("展平之后，还可以去除手指，再进行文字识别或导出为文件。")},
        {false, QStringLiteral("A page that comes out square again reads as easily as a sheet from the printer, "
                               "and its words can be searched, copied and read aloud.")},
        {true, QStringLiteral("如果书页太厚、中缝太深，可以分两次拍摄，每次只拍一页。")},
    };
    page.number = BookScene::kLeftPageNumber + 1;
    return page;
}

// One page as printed, at the size it has in the frame. `innerOnLeft` is true for the right-hand page,
// whose wider margin is on its left, at the spine.
QImage printPage(int widthPx, int heightPx, const PageText& text, bool innerOnLeft)
{
    QImage page(widthPx, heightPx, QImage::Format_RGB32);
    page.fill(QColor(246, 242, 230));
    if (!fontsUsable())
        return page; // the caller warns once
    QPainter painter(&page);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(widthPx / kPageWidthUnits, heightPx / kPageHeightUnits);

    const QColor ink(28, 27, 30);
    const QColor grey(110, 108, 104);
    constexpr double kInner = 190.0;
    constexpr double kOuter = 150.0;
    const double left = innerOnLeft ? kInner : kOuter;
    const double width = kPageWidthUnits - kInner - kOuter;
    constexpr double kBody = 50.0;
    constexpr double kLeading = 1.5 * kBody;

    const QFont header = printFont(BookScene::kCjkFamily, 34, false);
    painter.setFont(header);
    painter.setPen(grey);
    painter.drawText(QRectF(left, 95, width, 60), (innerOnLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop,
                     text.header);
    painter.setPen(QPen(grey, 3.0));
    painter.drawLine(QPointF(left, 160), QPointF(left + width, 160));

    const QFont heading =
        printFont(text.headingIsCjk ? BookScene::kCjkFamily : BookScene::kLatinFamily, 74, true);
    const QFont latin = printFont(BookScene::kLatinFamily, kBody, false);
    const QFont cjk = printFont(BookScene::kCjkFamily, kBody, false);
    painter.setPen(ink);
    double y = setParagraph(painter, heading, text.heading, left, width, 250, 110, 0) + 40;
    for (const auto& [isCjk, paragraph] : text.paragraphs)
        y = setParagraph(painter, isCjk ? cjk : latin, paragraph, left, width, y, kLeading, 2 * kBody) +
            0.35 * kBody;

    const QFont number = printFont(BookScene::kLatinFamily, 40, false);
    painter.setFont(number);
    painter.setPen(grey);
    painter.drawText(QRectF(left, kPageHeightUnits - 150, width, 60), Qt::AlignHCenter | Qt::AlignTop,
                     QString::number(text.number));
    return page;
}

// ---- the open book --------------------------------------------------------------------------------

// The gutter's shadow as a factor on the paper's light, by distance from the spine in page widths: a
// deep narrow core where the pages turn down into the binding, over a wide soft fall-off.
float gutterLight(double distance)
{
    const double d = std::fabs(distance);
    return static_cast<float>(1.0 - 0.66 * std::exp(-(d / 0.045) * (d / 0.045)) -
                              0.14 * std::exp(-(d / 0.16) * (d / 0.16)));
}

QRgb blend(QRgb under, float r, float g, float b, float alpha)
{
    const float keep = 1.0f - alpha;
    return qRgb(static_cast<int>(qRed(under) * keep + r * alpha + 0.5f),
                static_cast<int>(qGreen(under) * keep + g * alpha + 0.5f),
                static_cast<int>(qBlue(under) * keep + b * alpha + 0.5f));
}

float coverage(float inside)
{
    return std::clamp(inside + 0.5f, 0.0f, 1.0f);
}

// The cover boards and the two pages, each flat page column stretched between the bowed edges. Canvas
// coordinates are frame coordinates plus `margin`. The columns are measured first and the canvas then
// filled row by row, which keeps a large scene's memory access in order.
void layBook(QImage& canvas, const BookGeometry& g, int margin, const QImage& leftPage, const QImage& rightPage)
{
    struct Column
    {
        float top = 0.0f; // page edges in canvas rows
        float bottom = 0.0f;
        float coverSide = 0.0f; // the cover's coverage across its left and right edge
        float light = 1.0f;     // the gutter's shadow
        const uchar* pageBits = nullptr; // this column's first pixel in its flat page; null off the pages
    };
    const double cover = g.coverPx;
    const int firstColumn = std::max(0, static_cast<int>(std::floor(g.leftPx - cover)) + margin);
    const int lastColumn = std::min(canvas.width() - 1, static_cast<int>(std::ceil(g.rightPx + cover)) + margin);
    if (lastColumn < firstColumn)
        return;
    std::vector<Column> columns(static_cast<size_t>(lastColumn - firstColumn + 1));
    float highest = 1e9f;
    float lowest = -1e9f;
    for (int cx = firstColumn; cx <= lastColumn; ++cx) {
        Column& c = columns[static_cast<size_t>(cx - firstColumn)];
        const int x = cx - margin;
        const double xc = x + 0.5;
        // Beyond the pages the cover follows the nearest page column.
        const double edgeX = std::clamp(xc, g.leftPx + 0.5, g.rightPx - 0.5);
        c.top = static_cast<float>(g.topEdgeAt(edgeX) + margin);
        c.bottom = static_cast<float>(g.bottomEdgeAt(edgeX) + margin);
        c.coverSide = std::min(coverage(static_cast<float>(xc - (g.leftPx - cover))),
                               coverage(static_cast<float>(g.rightPx + cover - xc)));
        c.light = gutterLight((xc - g.spinePx) / g.pageWidthPx());
        if (x >= g.leftPx && x < g.rightPx) {
            const QImage& page = x < g.spinePx ? leftPage : rightPage;
            const int pageColumn = x < g.spinePx ? x - g.leftPx : x - g.spinePx;
            c.pageBits = page.constBits() + static_cast<size_t>(pageColumn) * 4;
        }
        highest = std::min(highest, c.top);
        lowest = std::max(lowest, c.bottom);
    }
    const float coverF = static_cast<float>(cover);
    const float coverRgb[3] = {88.f, 30.f, 34.f};
    const int pageRows = leftPage.height();
    const size_t pageStride = static_cast<size_t>(leftPage.bytesPerLine());
    const int firstRow = std::max(0, static_cast<int>(std::floor(highest - coverF)));
    const int lastRow = std::min(canvas.height() - 1, static_cast<int>(std::ceil(lowest + coverF)));
    for (int cy = firstRow; cy <= lastRow; ++cy) {
        const float yc = static_cast<float>(cy) + 0.5f;
        auto* line = reinterpret_cast<QRgb*>(canvas.scanLine(cy));
        for (int cx = firstColumn; cx <= lastColumn; ++cx) {
            const Column& c = columns[static_cast<size_t>(cx - firstColumn)];
            const float coverAlpha =
                c.coverSide * std::min(coverage(yc - (c.top - coverF)), coverage(c.bottom + coverF - yc));
            if (coverAlpha <= 0.0f)
                continue;
            // The boards catch a little less light towards their edges.
            const float shade = 0.85f + 0.15f * c.coverSide;
            line[cx] = blend(line[cx], coverRgb[0] * shade, coverRgb[1] * shade, coverRgb[2] * shade, coverAlpha);
            if (!c.pageBits)
                continue;
            const float pageAlpha = std::min(coverage(yc - c.top), coverage(c.bottom - yc));
            if (pageAlpha <= 0.0f)
                continue;
            // The flat row this pixel shows, scaled from the top edge to the bottom edge.
            const float v = std::clamp((yc - c.top) / (c.bottom - c.top), 0.0f, 1.0f);
            const float sy = v * static_cast<float>(pageRows) - 0.5f;
            const int y0 = std::clamp(static_cast<int>(std::floor(sy)), 0, pageRows - 1);
            const int y1 = std::min(y0 + 1, pageRows - 1);
            const float f = std::clamp(sy - static_cast<float>(y0), 0.0f, 1.0f);
            const QRgb a = *reinterpret_cast<const QRgb*>(c.pageBits + static_cast<size_t>(y0) * pageStride);
            const QRgb b = *reinterpret_cast<const QRgb*>(c.pageBits + static_cast<size_t>(y1) * pageStride);
            const float r = (qRed(a) + (qRed(b) - qRed(a)) * f) * c.light;
            const float gr = (qGreen(a) + (qGreen(b) - qGreen(a)) * f) * c.light;
            const float bl = (qBlue(a) + (qBlue(b) - qBlue(a)) * f) * c.light;
            line[cx] = blend(line[cx], r, gr, bl, pageAlpha);
        }
    }
}

// The outline the book's shadow is cast from: the cover, sampled along its bowed edges.
QPolygonF bookOutline(const BookGeometry& g, int margin)
{
    QPolygonF outline;
    const double step = std::max(2.0, g.pageWidthPx() / 40.0);
    const double left = g.leftPx - g.coverPx;
    const double right = g.rightPx + g.coverPx;
    for (double x = left; x < right; x += step)
        outline << QPointF(x + margin, g.topEdgeAt(std::clamp(x, double(g.leftPx), double(g.rightPx))) - g.coverPx + margin);
    outline << QPointF(right + margin, g.topPx - g.coverPx + margin);
    for (double x = right; x > left; x -= step)
        outline << QPointF(x + margin,
                           g.bottomEdgeAt(std::clamp(x, double(g.leftPx), double(g.rightPx))) + g.coverPx + margin);
    outline << QPointF(left + margin, g.bottomPx + g.coverPx + margin);
    return outline;
}

// A thumb lying across the right page's outer edge, pointing left and a little up, with the ball of
// the hand behind it off the book. Drawn with the tip at the origin and the thumb running along +x.
void drawThumb(QPainter& painter, const BookGeometry& g, int margin)
{
    const double w = g.thumbWidthPx;
    painter.save();
    painter.translate(g.thumbTip.x() + margin, g.thumbTip.y() + margin);
    painter.rotate(8.0); // the hand comes from the lower right
    painter.setPen(Qt::NoPen);

    // Round at the tip, widening slowly towards the hand, which stays outside the frame.
    QPainterPath thumb;
    thumb.moveTo(w * 0.5, -w * 0.5);
    thumb.cubicTo(w * 2.5, -w * 0.52, w * 5.0, -w * 0.62, w * 10.0, -w * 0.95);
    thumb.lineTo(w * 10.0, w * 1.15);
    thumb.cubicTo(w * 5.0, w * 0.7, w * 2.5, w * 0.52, w * 0.5, w * 0.5);
    thumb.cubicTo(-w * 0.17, w * 0.5, -w * 0.17, -w * 0.5, w * 0.5, -w * 0.5);
    thumb.closeSubpath();

    // Its shadow on the paper first, offset away from the lamp and softened by a wide transparent edge.
    for (int i = 0; i < 6; ++i) {
        const double grow = w * (0.02 + 0.035 * i);
        QPainterPathStroker stroker;
        stroker.setWidth(2.0 * grow);
        stroker.setJoinStyle(Qt::RoundJoin);
        const QPainterPath soft = stroker.createStroke(thumb).united(thumb);
        painter.setBrush(QColor(0, 0, 0, 16));
        painter.drawPath(soft.translated(w * 0.12, w * 0.22));
    }

    // Rounded like a cylinder: lit along the upper side, darker towards both flanks.
    QLinearGradient across(0, -w * 0.6, 0, w * 0.6);
    across.setColorAt(0.0, QColor(168, 104, 80));
    across.setColorAt(0.22, QColor(226, 170, 138));
    across.setColorAt(0.42, QColor(238, 192, 162));
    across.setColorAt(0.75, QColor(214, 156, 124));
    across.setColorAt(1.0, QColor(150, 92, 70));
    painter.setBrush(across);
    painter.drawPath(thumb);

    // The tip is nearer the lamp and catches more light.
    QRadialGradient tipGlow(QPointF(w * 0.6, -w * 0.1), w * 0.9);
    tipGlow.setColorAt(0.0, QColor(255, 226, 205, 70));
    tipGlow.setColorAt(1.0, QColor(255, 226, 205, 0));
    painter.setBrush(tipGlow);
    painter.drawPath(thumb);

    // The nail, pinker and glossier, with its pale free edge at the tip.
    QPainterPath nail;
    nail.addRoundedRect(QRectF(w * 0.02, -w * 0.3, w * 0.72, w * 0.6), w * 0.26, w * 0.26);
    QLinearGradient nailShade(0, -w * 0.3, 0, w * 0.3);
    nailShade.setColorAt(0.0, QColor(214, 160, 150));
    nailShade.setColorAt(0.4, QColor(240, 204, 196));
    nailShade.setColorAt(1.0, QColor(200, 146, 134));
    painter.setBrush(nailShade);
    painter.drawPath(nail);
    QPainterPath freeEdge;
    freeEdge.addRoundedRect(QRectF(w * 0.0, -w * 0.27, w * 0.14, w * 0.54), w * 0.07, w * 0.07);
    painter.setBrush(QColor(246, 232, 222));
    painter.drawPath(freeEdge.intersected(nail));
    // The crease of the knuckle.
    painter.setPen(QPen(QColor(170, 112, 88, 150), w * 0.035, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(w * 1.35, -w * 0.34, w * 0.3, w * 0.68), 100 * 16, 160 * 16);
    painter.drawArc(QRectF(w * 1.5, -w * 0.26, w * 0.25, w * 0.52), 110 * 16, 140 * 16);
    painter.restore();
}

} // namespace

double BookGeometry::bowAt(double x) const
{
    const double width = pageWidthPx();
    if (width <= 0.0)
        return 0.0;
    // u: 0 at the page's outer edge, 1 at the spine.
    const double u = x < spinePx ? (x - leftPx) / width : (rightPx - x) / width;
    const double clamped = std::clamp(u, 0.0, 1.0);
    const double fromSpine = (1.0 - clamped) / kGutterDipWidth;
    return bowPx * clamped * clamped * (1.0 - kGutterDip * std::exp(-fromSpine * fromSpine));
}

BookGeometry BookScene::geometry(int width, int height)
{
    BookGeometry g;
    // Two pages side by side, with room for the cover and the thumb beside the book.
    const double pageHeight =
        std::min(kPageFill * height, 0.80 * width / 2.0 * kPageHeightUnits / kPageWidthUnits);
    const double pageWidth = pageHeight * kPageWidthUnits / kPageHeightUnits;
    // A little left of centre, leaving the thumb's hand room on the right.
    const double spine = 0.48 * width;
    g.spinePx = static_cast<int>(std::lround(spine));
    g.leftPx = static_cast<int>(std::lround(spine - pageWidth));
    g.rightPx = g.spinePx + (g.spinePx - g.leftPx);
    const double centreY = 0.505 * height;
    g.topPx = centreY - pageHeight / 2.0;
    g.bottomPx = centreY + pageHeight / 2.0;
    g.bowPx = kBowFraction * pageHeight;
    g.coverPx = 0.014 * pageHeight;
    g.thumbWidthPx = 0.085 * pageHeight;
    g.thumbTip = QPointF(g.rightPx - 0.09 * pageWidth, g.topPx + 0.68 * pageHeight);
    return g;
}

std::unique_ptr<SceneCanvas> BookScene::render(int width, int height, int margin, const std::atomic<bool>* cancel)
{
    if (width < 16 || height < 16 || width > kMaxSide || height > kMaxSide || margin < 0 || margin > 1024)
        throw std::invalid_argument("virtual camera scene: unsupported size");
    const int canvasWidth = width + 2 * margin;
    const int canvasHeight = height + 2 * margin;
    const BookGeometry g = geometry(width, height);

    QImage canvas = paintDesk(canvasWidth, canvasHeight, cancel);
    if (isCancelled(cancel))
        return nullptr;
    castShadow(canvas, bookOutline(g, margin), g.flatPageHeightPx(), cancel);
    if (isCancelled(cancel))
        return nullptr;

    if (!fontsUsable()) {
        static std::atomic<bool> warned{false};
        if (!warned.exchange(true))
            qWarning("Virtual camera: no QGuiApplication, so the book is printed without its text");
    }
    const int pageWidth = g.spinePx - g.leftPx;
    const int pageHeight = std::max(1, static_cast<int>(std::lround(g.flatPageHeightPx())));
    const QImage leftPage = printPage(pageWidth, pageHeight, leftPageText(), false);
    const QImage rightPage = printPage(pageWidth, pageHeight, rightPageText(), true);
    if (isCancelled(cancel))
        return nullptr;
    layBook(canvas, g, margin, leftPage, rightPage);
    {
        QPainter painter(&canvas);
        painter.setRenderHints(QPainter::Antialiasing);
        drawThumb(painter, g, margin);
    }
    lightScene(canvas, margin, width, height);
    if (isCancelled(cancel))
        return nullptr;
    std::unique_ptr<SceneCanvas> scene = toSceneCanvas(canvas, width, height, margin);
    scene->kind = SceneKind::OpenBook;
    return scene;
}

} // namespace MediaCapture
