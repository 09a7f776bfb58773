#pragma once
// lumadoc-cli ocr: the window's text recognition over an image file, without the crop.
#include "CliCommands.h"

namespace cli {

int runOcr(const QStringList& args, Streams io);

} // namespace cli
