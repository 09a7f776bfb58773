#include "TextLayer.h"

#include <QColor>
#include <QPainter>

const char* const TextLayerWriter::kTextFontFamily = "WenQuanYi Micro Hei";

namespace {
// The text is shaped once at this size and then stretched onto each box; any size would do, a large one
// keeps the metrics' rounding small.
constexpr int kShapingPixelSize = 100;

QFont shapingFont()
{
    QFont font(QString::fromLatin1(TextLayerWriter::kTextFontFamily));
    font.setPixelSize(kShapingPixelSize);
    font.setKerning(false);
    return font;
}
} // namespace

TextLayerWriter::TextLayerWriter(QPaintDevice* device) : m_font(shapingFont()), m_metrics(m_font, device) {}

void TextLayerWriter::draw(QPainter& painter, const TextBox& box) const
{
    const double width = box.x2 - box.x1;
    const double height = box.y2 - box.y1;
    const QString text = box.text.trimmed();
    if (width <= 0 || height <= 0 || text.isEmpty())
        return;
    const double advance = m_metrics.horizontalAdvance(text);
    const double lineHeight = m_metrics.ascent() + m_metrics.descent();
    if (advance <= 0 || lineHeight <= 0)
        return;
    painter.save();
    painter.translate(box.x1, box.y1);
    painter.scale(width / advance, height / lineHeight);
    painter.setFont(m_font);
    painter.drawText(QPointF(0, m_metrics.ascent()), text);
    painter.restore();
}
