#pragma once
// The invisible text of a searchable PDF: each recognised box's words drawn over the page picture in a
// transparent pen, stretched to the box, so that a viewer selects the words where the picture shows them.

#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QString>

class QPainter;
class QPaintDevice;

// One recognised text box, in pixels of the page image (y grows downwards, right and bottom exclusive).
struct TextBox
{
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    QString text;
};

class TextLayerWriter
{
public:
    // A CJK font Debian ships; the text is invisible, its glyphs only need to cover the characters.
    static const char* const kTextFontFamily;

    // `device` is the document the painter draws on (its metrics shape the text).
    explicit TextLayerWriter(QPaintDevice* device);

    // Draws `box` so that the text's extent (ascent to descent, first to last advance) fills the box, in
    // the painter's current coordinates, which must be the page image's pixels. The caller sets the
    // transparent pen. Non-CJK words keep their own glyph spacing and CJK lines are one run, so copying
    // yields no spaces between Chinese characters.
    void draw(QPainter& painter, const TextBox& box) const;

private:
    QFont m_font;
    QFontMetricsF m_metrics;
};
