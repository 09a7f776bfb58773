#pragma once
// Writes a file so that its final name only ever shows a complete file: the bytes go into a hidden
// temporary file in the same folder, which is then moved into place in one step. A crash, a full disk
// or a failing encoder leaves at most the temporary file, and this class removes that too.

#include <QFile>
#include <QString>

#include <functional>

class AtomicFileWriter
{
public:
    AtomicFileWriter() = default;
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
    // Removes the temporary file unless it was published.
    ~AtomicFileWriter();

    // Creates a new, empty temporary file in `directory`: "." + the base of `fileName` + ".lumadoc-XXXXXX" +
    // its extension (the extension stays last for exporters that look at it; the marker lets a later
    // session tell our leftovers from the user's own hidden files). Permissions follow the umask,
    // as for any file the user's programs create. False with errorString() when the folder refuses it.
    bool open(const QString& directory, const QString& fileName);

    QFile& file() { return m_file; }
    QString temporaryPath() const { return m_temporaryPath; }
    QString errorString() const { return m_error; }

    // Empties the file for another attempt at encoding.
    bool truncate();
    // Flushes and closes the handle, keeping the file, so a writer that takes a path can fill it.
    bool closeFile();

    // Moves the temporary file to candidatePath(0), or, when a file of that name exists, to
    // candidatePath(1), (2) … up to `maxAttempts` names. Never replaces an existing file: the move itself
    // refuses an existing name, so a file that appears between a check and the move is safe as well.
    // Returns the path written, empty on failure (errorString() says why).
    QString publishNoReplace(const std::function<QString(int attempt)>& candidatePath, int maxAttempts);

    // Moves the temporary file onto `targetPath`, replacing a file there in one step (a path the user
    // chose and confirmed).
    bool publishReplacing(const QString& targetPath);

    // Removes the temporary file now.
    void discard();

    // Whether `fileName` (no folder) is one of our temporary names: a writer's or a save probe's.
    static bool isOwnTemporaryName(const QString& fileName);
    // Removes what a killed process left in `directory`: files of exactly our temporary names whose last
    // change is at least `minAgeSecs` old (younger ones may belong to a save under way, e.g. of the
    // command-line tool). Returns how many were removed.
    static int removeStaleTemporaries(const QString& directory, int minAgeSecs = 60);

private:
    QFile m_file;
    QString m_temporaryPath;
    QString m_error;
    bool m_published = false;
};
