#pragma once
// Finding the newest of LumadocApp's logs and quoting its end.

#include <string>
#include <vector>

namespace launchscope {

struct FoundLog
{
    std::string path;
    long long modifiedNs = 0; // last modification, nanoseconds since the epoch
};

// Every non-empty "boot_yyyy-mm-dd.log" in `folders`, the most recently modified first; a tie keeps the
// order of the folders.
std::vector<FoundLog> bootLogsNewestFirst(const std::vector<std::string>& folders);
// The existing, non-empty regular files of `paths`, the most recently modified first; a tie keeps their
// order.
std::vector<FoundLog> filesNewestFirst(const std::vector<std::string>& paths);

// The last `maxBytes` bytes of a file as valid UTF-8: a character cut by the start of the window is
// dropped whole, a sequence still being written at the end is left out, and invalid bytes become U+FFFD.
// `ok` is false when the file cannot be opened or read.
std::string readTail(const std::string& path, std::size_t maxBytes, bool& ok);

// The lines of `text` split at '\n', one trailing '\r' removed, empty lines skipped.
std::vector<std::string> splitLines(const std::string& text);

} // namespace launchscope
