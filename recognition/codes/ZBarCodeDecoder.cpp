#include "ZBarCodeDecoder.h"

QStringList ZBarCodeDecoder::decodeAll(const QImage& image)
{
    QStringList texts;
    for (const ScannedCode& code : CodeScanner::decode(image, m_options))
        texts << code.data;
    return texts;
}
