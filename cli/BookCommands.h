#pragma once
// lumadoc-cli flatten: book flattening of an image file, as the window's book mode does it.
#include "CliCommands.h"

namespace cli {

int runFlatten(const QStringList& args, Streams io);

} // namespace cli
