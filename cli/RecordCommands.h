#pragma once
// lumadoc-cli record: a clip from the first camera, through the program's own wrapper and recorder.
#include "CliCommands.h"

namespace cli {

int runRecord(const QStringList& args, Streams io);

} // namespace cli
