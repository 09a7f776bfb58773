#pragma once
// lumadoc-cli ticket: the window's ticket recognition over an image file.
#include "CliCommands.h"

namespace cli {

int runTicket(const QStringList& args, Streams io);

} // namespace cli
