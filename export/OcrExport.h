#pragma once
// Documents made from recognised pictures: a Word document of the page's text, and the searchable
// (double-layer) PDF of a page or of many. These run on an export thread and call the OCR engine
// through its guarded calls; each reports one result text, "success:" + path or "error:" + message.

#include "TextLayer.h"
#include "WordExport.h"

#include <QImage>
#include <QList>
#include <QString>

namespace ocrexport {

// Recognises the picture at `imagePath` and writes its text, one block per line, as a Word document.
QString exportWord(const QString& imagePath, const QString& outputPath,
                   const wordexport::Options& options = wordexport::Options());

// Recognises the picture at `imagePath` and writes it as a one-page searchable PDF.
QString exportSearchablePdf(const QString& imagePath, const QString& outputPath);

// The boxes of the words on `page`, in the page's own pixels (the engine reads a picture scaled to fit
// 1920x1080). Empty when nothing was recognised.
QList<TextBox> readPageText(const QImage& page);

// Writes `image` as a JPEG of quality 90 under a name no other export uses, in the OCR staging folder
// (or the temporary folder). The path, or empty on failure.
QString saveTemporaryImage(const QImage& image);

} // namespace ocrexport
