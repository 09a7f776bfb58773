#pragma once
// Pages with a known text for measuring OCR: text drawn with QPainter where the caller says, a paragraph
// at print size, the virtual camera's page, and the character error rate against the truth.
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

namespace ocrpages {

constexpr const char* kCjkFamily = "WenQuanYi Micro Hei";
constexpr const char* kLatinFamily = "DejaVu Sans";
// 12 pt at 300 dpi: 50 pixels to the em.
constexpr int kPrintEmPx = 50;

struct TextRun
{
    QString text;
    QString family;
    int pixelSize = 40;
    int x = 0;        // left end of the text
    int baseline = 0; // baseline height
};

// Black runs on white; `drawn` (when given) receives each run's inked box. Needs a QGuiApplication.
QImage renderRuns(const QSize& size, const QVector<TextRun>& runs, QVector<QRect>* drawn = nullptr);

// The paragraph wrapped into lines of at most `widthPx`, drawn at kPrintEmPx on a white page no larger
// than 1920x1080, so the adapter takes it unscaled. `lines` receives the lines as drawn.
QImage renderParagraph(const QString& text, const QString& family, int widthPx, QStringList* lines);

// A Chinese and an English paragraph of ordinary prose.
QString chineseParagraph();
QString englishParagraph();

// The virtual camera's frame at this size, straightened to the page with the capture's auto-crop.
QImage virtualCameraPageCrop(int width, int height);
// The lines of running text the virtual camera's page carries.
QStringList virtualCameraPageLines();

// Edit distance over code points with all white space removed, divided by the truth's length.
double characterErrorRate(const QString& truth, const QString& recognised);
// For a page with more on it than the truth lines (codes and their captions, a footer): each truth line
// against the stretch of a recognised line closest to it, summed distances over the summed truth lengths.
double lineMatchedErrorRate(const QStringList& truthLines, const QString& recognised);

} // namespace ocrpages
