#pragma once
// Fusion with one change: disabled icons are faded rather than greyed. Qt greys an icon through the
// palette, which turns our light glyphs on a dark window into the same light glyphs.

#include <QProxyStyle>

class AppStyle : public QProxyStyle
{
public:
    static constexpr qreal kDisabledOpacity = 0.35;

    AppStyle();
    QPixmap generatedIconPixmap(QIcon::Mode mode, const QPixmap& pixmap, const QStyleOption* option) const override;
};
