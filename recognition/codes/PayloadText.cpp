#include "PayloadText.h"

#include <QTextCodec>

namespace PayloadText {

namespace {

// The text when `codecName` reads `bytes` without a single invalid sequence.
bool decodeStrict(const char* codecName, const QByteArray& bytes, QString& text)
{
    QTextCodec* codec = QTextCodec::codecForName(codecName);
    if (!codec)
        return false;
    QTextCodec::ConverterState state;
    text = codec->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

bool isAscii(const QByteArray& bytes)
{
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

QString decode(const QByteArray& bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    QString text;
    if (decodeStrict("UTF-8", bytes, text))
        return text;
    // Qt's GB 18030 decoder turns a bad sequence into U+FFFD without counting it as invalid.
    if (decodeStrict("GB18030", bytes, text) && !text.contains(QChar::ReplacementCharacter))
        return text;
    return QString::fromLatin1(bytes);
}

} // namespace PayloadText
