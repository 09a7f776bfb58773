#pragma once
// Diagnostic lines of the microphone and the recognizer: standard error, flushed after each line so
// that the capture thread's lines and the main thread's come out in the order they happened.

namespace voice {

void printLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace voice
