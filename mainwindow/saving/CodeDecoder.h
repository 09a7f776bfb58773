#pragma once
// The barcode naming method needs the texts of the codes in a capture and nothing else; the decoder
// behind this (ZBar) is wired in by the main window, and tests use a scripted one.

#include <QImage>
#include <QStringList>

class ICodeDecoder
{
public:
    virtual ~ICodeDecoder() = default;
    // The text of every symbol found in `image`, in the decoder's order; empty when there is none.
    virtual QStringList decodeAll(const QImage& image) = 0;
};
