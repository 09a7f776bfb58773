#include "OcrPages.h"

#include "DocumentCrop.h"
#include "VirtualFrameSource.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <exception>
#include <memory>
#include <vector>

namespace ocrpages {
namespace {

QFont pixelFont(const QString& family, int pixelSize)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QVector<uint> codePointsWithoutSpace(const QString& text)
{
    QVector<uint> points;
    for (uint cp : text.toUcs4()) {
        if (!QChar::isSpace(cp))
            points.push_back(cp);
    }
    return points;
}

int editDistance(const QVector<uint>& a, const QVector<uint>& b)
{
    std::vector<int> row(b.size() + 1);
    for (int j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (int i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = i;
        for (int j = 1; j <= b.size(); ++j) {
            const int up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = up;
        }
    }
    return row[b.size()];
}

// The fewest edits that turn `truth` into some stretch of `text` (what precedes and follows the stretch
// is free): a line found inside a longer recognised row costs nothing extra.
int editDistanceWithin(const QVector<uint>& truth, const QVector<uint>& text)
{
    std::vector<int> row(text.size() + 1, 0);
    for (int i = 1; i <= truth.size(); ++i) {
        int diagonal = row[0];
        row[0] = i;
        for (int j = 1; j <= text.size(); ++j) {
            const int up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (truth[i - 1] == text[j - 1] ? 0 : 1)});
            diagonal = up;
        }
    }
    return *std::min_element(row.begin(), row.end());
}

} // namespace

QImage renderRuns(const QSize& size, const QVector<TextRun>& runs, QVector<QRect>* drawn)
{
    QImage page(size, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);
    for (const TextRun& run : runs) {
        const QFont font = pixelFont(run.family, run.pixelSize);
        painter.setFont(font);
        painter.drawText(QPoint(run.x, run.baseline), run.text);
        if (drawn)
            drawn->push_back(QFontMetrics(font).tightBoundingRect(run.text).translated(run.x, run.baseline));
    }
    return page;
}

QImage renderParagraph(const QString& text, const QString& family, int widthPx, QStringList* lines)
{
    const QFont font = pixelFont(family, kPrintEmPx);
    const QFontMetrics metrics(font);
    const bool cjk = family == QLatin1String(kCjkFamily);
    // Chinese wraps anywhere, Latin text at spaces.
    QStringList wrapped;
    QString line;
    if (cjk) {
        for (const QChar c : text) {
            if (metrics.horizontalAdvance(line + c) > widthPx) {
                wrapped << line;
                line.clear();
            }
            line += c;
        }
    } else {
        for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > widthPx) {
                wrapped << line;
                line = word;
            } else {
                line = candidate;
            }
        }
    }
    if (!line.isEmpty())
        wrapped << line;
    const int lineStep = metrics.lineSpacing() * 3 / 2;
    const int margin = 60;
    const QSize size(std::min(1920, widthPx + 2 * margin),
                     std::min(1080, 2 * margin + lineStep * wrapped.size()));
    QVector<TextRun> runs;
    for (int i = 0; i < wrapped.size(); ++i)
        runs.push_back({wrapped[i], family, kPrintEmPx, margin, margin + metrics.ascent() + i * lineStep});
    if (lines)
        *lines = wrapped;
    return renderRuns(size, runs);
}

QString chineseParagraph()
{
    return QStringLiteral("文字识别把纸上的内容变成可以编辑的文本。请把文件平放在桌面上，等画面稳定后再拍照。"
                          "识别完成后，结果会显示在窗口中，也可以复制或者朗读出来。");
}

QString englishParagraph()
{
    return QStringLiteral(
        "Text recognition turns the printed page into text that can be edited. Place the "
        "document flat on the desk and wait until the picture is steady before the capture. "
        "The result is shown in a window where it can be copied or read aloud.");
}

QImage virtualCameraPageCrop(int width, int height)
{
    std::unique_ptr<MediaCapture::VirtualFrameSource> made;
    try {
        made = std::make_unique<MediaCapture::VirtualFrameSource>(width, height);
    } catch (const std::exception& e) {
        qWarning("OCR pages: the virtual camera could not draw its page: %s", e.what());
        return {};
    }
    const MediaCapture::VirtualFrameSource& source = *made;
    QImage frame(width, height, QImage::Format_RGB888);
    std::vector<uint8_t> packed(source.frameBytes());
    source.renderFrame(0, 0, packed.data());
    for (int y = 0; y < height; ++y)
        std::copy_n(packed.data() + static_cast<size_t>(y) * source.rowBytes(), source.rowBytes(),
                    frame.scanLine(y));
    return autoCropWithRotation(frame, nullptr, nullptr);
}

QStringList virtualCameraPageLines()
{
    return {QStringLiteral("文档摄像头测试页"),
            QStringLiteral("Lumadoc virtual camera test page"),
            QStringLiteral("这是一页用于文字识别的示例文本。"),
            QStringLiteral("The quick brown fox jumps over"),
            QStringLiteral("the lazy dog 0123456789"),
            QStringLiteral("请把文件平放在桌面上，画面稳定后自动拍照。")};
}

double characterErrorRate(const QString& truth, const QString& recognised)
{
    const QVector<uint> t = codePointsWithoutSpace(truth);
    if (t.isEmpty())
        return 0.0;
    return static_cast<double>(editDistance(t, codePointsWithoutSpace(recognised))) / t.size();
}

double lineMatchedErrorRate(const QStringList& truthLines, const QString& recognised)
{
    const QStringList candidates = recognised.split(QLatin1Char('\n'));
    int distance = 0;
    int length = 0;
    for (const QString& truth : truthLines) {
        const QVector<uint> t = codePointsWithoutSpace(truth);
        int best = t.size();
        for (const QString& candidate : candidates)
            best = std::min(best, editDistanceWithin(t, codePointsWithoutSpace(candidate)));
        distance += best;
        length += t.size();
    }
    return length > 0 ? static_cast<double>(distance) / length : 0.0;
}

} // namespace ocrpages
