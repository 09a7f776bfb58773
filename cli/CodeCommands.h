#pragma once
// lumadoc-cli codes: the barcodes and QR codes in an image file, as the window's scan finds them.
#include "CliCommands.h"

namespace cli {

int runCodes(const QStringList& args, Streams io);

// DATA as one line: backslash, tab, line feed and carriage return as \\ \t \n \r, every other control
// character (DEL and the C1 controls included) as \xHH, everything else as it is.
QString escapeCodeData(const QString& data);

} // namespace cli
