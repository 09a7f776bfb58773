#pragma once
// Turns the raw bytes of a symbol into text. ZBar's own conversion guesses among a few encodings and
// gets Chinese codes written in GB 2312/GBK wrong, so the scanner hands over the bytes untouched and the
// choice is made here: UTF-8 when the bytes are valid UTF-8, else GB 18030 (a superset of GB 2312 and
// GBK) when they are valid there, else ISO 8859-1, the QR code's own default.

#include <QByteArray>
#include <QString>

namespace PayloadText {

QString decode(const QByteArray& bytes);

} // namespace PayloadText
