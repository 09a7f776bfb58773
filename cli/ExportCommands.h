#pragma once
// lumadoc-cli pdf and ofd: the gallery's document exports over image files, pages in the order given.
#include "CliCommands.h"

namespace cli {

int runPdf(const QStringList& args, Streams io);
int runOfd(const QStringList& args, Streams io);

} // namespace cli
