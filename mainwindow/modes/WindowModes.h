#pragma once
// The five working modes of the window and the names they go by on the command line.

#include <QString>
#include <QStringList>

namespace windowmode {

enum Mode { Standard = 0, Presenter = 1, Book = 2, Ai = 3, Ticket = 4 };
constexpr int kModeCount = 5;

inline bool isValid(int mode) { return mode >= Standard && mode <= Ticket; }

// What the chooser shows for a mode: the untranslated title and description (translated in the
// "WindowSwitchPanel" context) and the icon resource.
struct ChooserEntry {
    const char* title;
    const char* description;
    const char* icon;
};
const ChooserEntry& chooserEntry(int mode);

// "standard", "presenter", "book", "ai", "ticket" (any letter case) to the mode; -1 for anything else.
int modeFromName(const QString& name);
QString modeName(int mode);
// The names joined for a usage line: "standard|presenter|book|ai|ticket".
QString modeNameList();

// The start-up mode named on the command line by "--mode NAME" or "--mode=NAME".
struct ModeArgument {
    enum Status { Absent, Valid, Invalid } status = Absent;
    int mode = Standard;
    QString error;  // for Invalid: one line for standard error
};
ModeArgument parseModeArgument(const QStringList& arguments);

}  // namespace windowmode
