#pragma once
// Where a Lumadoc program looks for the files it reads (models, the voice model, appconfig.ini,
// translation overrides, the export script) and where it writes logs and flags.
//
// Data is looked up beside the executable first, then in $XDG_DATA_HOME/Lumadoc (a user drops a model
// into ~/.local/share/Lumadoc/models without root), then in <executable folder>/../share/lumadoc (the
// installed copy). State goes beside the executable only in the build tree, which the build marks with
// the file "lumadoc-build-tree"; an installed program writes it under $XDG_STATE_HOME/Lumadoc, never into
// its prefix.

#include <QString>
#include <QStringList>

namespace apppaths {

// The folder of the running executable; tests may set another (empty restores the default).
QString executableDir();
void setExecutableDirForTesting(const QString& dir);

// The data folders in search order (not checked for existence).
QStringList dataDirs();
// The first existing `relative` path (file or folder) in dataDirs(); when none exists, the place beside
// the executable, so that a message names where it was expected.
QString findData(const QString& relative);
// The same with `firstDir` searched in place of the executable's folder (a folder a caller or a test
// chose); an empty `firstDir` means the executable's folder.
QString findData(const QString& relative, const QString& firstDir);

// True when the executable runs from the build tree.
bool isBuildTree();
// The folder for logs, flags and diagnostics: "<executable folder>/logs" in the build tree, else
// $XDG_STATE_HOME/Lumadoc (~/.local/state/Lumadoc). Not created here.
QString stateDir();
// The per-user configuration folder, $XDG_CONFIG_HOME/Lumadoc (~/.config/Lumadoc). Not created here.
QString configDir();

} // namespace apppaths
