#include "VoskLibrary.h"

#include "AppPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QtDebug>
#include <dlfcn.h>

namespace voice {

QStringList VoskLibrary::candidatePaths()
{
    QStringList paths;
    const QString env = qEnvironmentVariable("LUMADOC_VOSK_LIBRARY");
    if (!env.isEmpty())
        paths << env;
#ifdef LUMADOC_VOSK_BUILD_DIR
    if (apppaths::isBuildTree())
        paths << QStringLiteral(LUMADOC_VOSK_BUILD_DIR "/libvosk.so");
#endif
    paths << QDir::cleanPath(apppaths::executableDir() + QStringLiteral("/../lib/lumadoc/libvosk.so"));
    paths << QStringLiteral("libvosk.so"); // the system's, through the loader's own search
    return paths;
}

const VoskLibrary& VoskLibrary::instance()
{
    static VoskLibrary library;
    return library;
}

VoskLibrary::VoskLibrary()
{
    QStringList tried;
    for (const QString& path : candidatePaths()) {
        const bool bare = !path.contains(QLatin1Char('/'));
        if (!bare && !QFileInfo::exists(path)) {
            tried << path + QStringLiteral(" (missing)");
            continue;
        }
        void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            tried << path + QStringLiteral(" (") + QString::fromLocal8Bit(dlerror()) + QLatin1Char(')');
            continue;
        }
        VoskApi api;
        bool complete = true;
        auto bind = [&](auto& fn, const char* name) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(handle, name));
            complete = complete && fn;
        };
        bind(api.set_log_level, "vosk_set_log_level");
        bind(api.model_new, "vosk_model_new");
        bind(api.model_free, "vosk_model_free");
        bind(api.recognizer_new, "vosk_recognizer_new");
        bind(api.recognizer_set_words, "vosk_recognizer_set_words");
        bind(api.recognizer_accept_waveform, "vosk_recognizer_accept_waveform");
        bind(api.recognizer_partial_result, "vosk_recognizer_partial_result");
        bind(api.recognizer_result, "vosk_recognizer_result");
        bind(api.recognizer_free, "vosk_recognizer_free");
        if (!complete) {
            tried << path + QStringLiteral(" (not a Vosk library)");
            dlclose(handle);
            continue;
        }
        m_handle = handle;
        m_api = api;
        m_loaded = true;
        m_path = path;
        qInfo().noquote() << "[Voice] Vosk library loaded from:" << path;
        return;
    }
    m_error = QStringLiteral("libvosk.so not found: ") + tried.join(QStringLiteral("; "));
    qWarning().noquote() << "[Voice]" << m_error;
}

VoskLibrary::~VoskLibrary()
{
    // Left loaded: the engine's own static destructors may still run at exit and must find their code.
    m_handle = nullptr;
}

} // namespace voice
