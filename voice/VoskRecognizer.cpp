#include "SpeechRecognizer.h"
#include "VoskLibrary.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace voice {

QString jsonStringMember(const QByteArray& json, const QString& member)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return {};
    return doc.object().value(member).toString().trimmed();
}

namespace {

// Owns the model and the recognizer; both are freed with the object, recognizer first.
class VoskSpeechRecognizer : public ISpeechRecognizer
{
public:
    ~VoskSpeechRecognizer() override
    {
        const VoskApi& api = VoskLibrary::instance().api();
        if (m_recognizer)
            api.recognizer_free(m_recognizer);
        if (m_model)
            api.model_free(m_model);
    }

    LoadResult load(const QString& modelDir) override
    {
        const VoskLibrary& lib = VoskLibrary::instance();
        if (!lib.isLoaded())
            return LoadResult::EngineMissing;
        const VoskApi& api = lib.api();
        api.set_log_level(0);
        m_model = api.model_new(modelDir.toUtf8().constData());
        if (!m_model)
            return LoadResult::ModelFailed;
        m_recognizer = api.recognizer_new(m_model, 16000.0f);
        if (!m_recognizer) {
            api.model_free(m_model);
            m_model = nullptr;
            return LoadResult::RecognizerFailed;
        }
        api.recognizer_set_words(m_recognizer, 0);
        return LoadResult::Ok;
    }

    bool acceptWaveform(const QByteArray& pcm) override
    {
        if (!m_recognizer || pcm.isEmpty())
            return false;
        return VoskLibrary::instance().api().recognizer_accept_waveform(m_recognizer, pcm.constData(),
                                                                        pcm.size()) > 0;
    }

    QByteArray partialResult() override
    {
        if (!m_recognizer)
            return {};
        return QByteArray(VoskLibrary::instance().api().recognizer_partial_result(m_recognizer));
    }

    QByteArray finalResult() override
    {
        if (!m_recognizer)
            return {};
        return QByteArray(VoskLibrary::instance().api().recognizer_result(m_recognizer));
    }

private:
    VoskModel* m_model = nullptr;
    VoskRecognizer* m_recognizer = nullptr;
};

} // namespace

std::unique_ptr<ISpeechRecognizer> makeVoskRecognizer()
{
    return std::make_unique<VoskSpeechRecognizer>();
}

} // namespace voice
