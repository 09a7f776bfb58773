#pragma once
// libvosk.so, opened with dlopen the first time it is needed, so that the program builds and runs without
// it (voice commands then stay unavailable). Looked up, in order: the file named by LUMADOC_VOSK_LIBRARY,
// the build tree's copy (third_party/vosk), <executable folder>/../lib/lumadoc/libvosk.so (installed),
// then the system's libvosk.so.

#include <QString>
#include <QStringList>

struct VoskModel;
struct VoskRecognizer;

namespace voice {

struct VoskApi
{
    void (*set_log_level)(int level) = nullptr;
    VoskModel* (*model_new)(const char* modelPath) = nullptr;
    void (*model_free)(VoskModel* model) = nullptr;
    VoskRecognizer* (*recognizer_new)(VoskModel* model, float sampleRate) = nullptr;
    void (*recognizer_set_words)(VoskRecognizer* recognizer, int words) = nullptr;
    int (*recognizer_accept_waveform)(VoskRecognizer* recognizer, const char* data, int length) = nullptr;
    const char* (*recognizer_partial_result)(VoskRecognizer* recognizer) = nullptr;
    const char* (*recognizer_result)(VoskRecognizer* recognizer) = nullptr;
    void (*recognizer_free)(VoskRecognizer* recognizer) = nullptr;
};

class VoskLibrary
{
public:
    // The process-wide library; loading is tried once. Null functions when it could not be loaded.
    static const VoskLibrary& instance();

    bool isLoaded() const { return m_loaded; }
    const VoskApi& api() const { return m_api; }
    // Where it was loaded from, or why it was not.
    QString path() const { return m_path; }
    QString errorString() const { return m_error; }

    // The places searched, in order.
    static QStringList candidatePaths();

    VoskLibrary(const VoskLibrary&) = delete;
    VoskLibrary& operator=(const VoskLibrary&) = delete;
    ~VoskLibrary();

private:
    VoskLibrary();

    void* m_handle = nullptr;
    bool m_loaded = false;
    VoskApi m_api;
    QString m_path;
    QString m_error;
};

} // namespace voice
