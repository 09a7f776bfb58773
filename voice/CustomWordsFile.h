#pragma once
// The custom-words file "voice_customwords.ini": UTF-8, keys in the general section, key = the command
// value in decimal, value = phrases separated by ";" (e.g. "1=咔嚓;拍一个").
//
// Read and written here rather than through QSettings: Qt's INI reader ends a value at an unquoted ";"
// (the example line above would lose all but its first phrase) and reads the file as Latin-1 unless told.

#include <QMap>
#include <QString>
#include <QStringList>

namespace voice {

// Key -> raw value of the general section (quoted values unquoted). A missing file is an empty map and
// success; an unreadable one gives false.
bool readCustomWordsFile(const QString& path, QMap<QString, QString>* values);
// Replaces the file atomically with the given keys (in ascending command order). False when it could not
// be written; `error` then says why.
bool writeCustomWordsFile(const QString& path, const QMap<QString, QString>& values, QString* error);
// The trimmed, non-empty phrases of a value, each once, in order.
QStringList splitCustomWords(const QString& value);

} // namespace voice
