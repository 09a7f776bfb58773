#pragma once
// The command phrases that ship with the program, the names shown for each command, and the words the
// recognizer typically mishears.

#include "VoiceCommand.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace voice {

using CommandMap = QMap<int, QStringList>; // command value -> phrases

// Commands that have built-in phrases, with those phrases. Commands without any (8, 13, 14, 20, 21)
// have no entry: they have no action, so no word is ever loaded for them.
const CommandMap& builtInPhrases();
// The name of a command in the training list (values 1 to 21), empty for others.
QString commandDisplayName(int command);
// (misheard, correct) pairs, longest misheard form first.
const std::vector<std::pair<QString, QString>>& homophonePairs();
// The order in which commands are tried: the mode commands first, then the rest ascending.
const std::vector<int>& matchOrder();

} // namespace voice
