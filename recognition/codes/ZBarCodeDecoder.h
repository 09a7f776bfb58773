#pragma once
// Barcode naming of captures over the scanner: the texts of the codes in a capture, in ZBar's order.

#include "CodeDecoder.h"
#include "CodeScanner.h"

class ZBarCodeDecoder : public ICodeDecoder
{
public:
    explicit ZBarCodeDecoder(const CodeScanOptions& options = {}) : m_options(options) {}
    QStringList decodeAll(const QImage& image) override;

private:
    CodeScanOptions m_options;
};
