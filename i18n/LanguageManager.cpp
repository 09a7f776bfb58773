#include "LanguageManager.h"

#include "AppPaths.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QTranslator>

// The catalogues live in a static library, whose resource initialiser the linker would otherwise drop;
// registering them by hand keeps ":/translations/" present in every program that links us.
static void registerTranslationResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(translations);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace {

const char* const kContext = "LanguageManager";
const char* const kEnglish = "en_US";

struct LanguageEntry
{
    const char* code;
    const char* name;
};

const LanguageEntry kLanguages[] = {
    {"zh_CN", QT_TRANSLATE_NOOP("LanguageManager", "Chinese (中文)")},
    {"en_US", QT_TRANSLATE_NOOP("LanguageManager", "English")},
    {"ja_JP", QT_TRANSLATE_NOOP("LanguageManager", "Japanese (日本語)")},
    {"ru_RU", QT_TRANSLATE_NOOP("LanguageManager", "Russian (Русский)")},
    {"de_DE", QT_TRANSLATE_NOOP("LanguageManager", "German (Deutsch)")},
};

// The code comes from the settings file, which a user can edit; it becomes part of a file path, so
// anything that could leave the translations folder is refused rather than looked up.
bool isSafeCode(const QString& code)
{
    if (code.isEmpty() || code.size() > 16)
        return false;
    for (const QChar c : code) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('_') && c != QLatin1Char('-'))
            return false;
    }
    return true;
}

QString resourceCatalogue(const QString& code)
{
    return QStringLiteral(":/translations/lumadoc_%1.qm").arg(code);
}

} // namespace

LanguageManager* LanguageManager::instance()
{
    static LanguageManager* const manager = new LanguageManager();
    return manager;
}

LanguageManager::LanguageManager(QObject* parent)
    : QObject(parent), m_englishTranslator(new QTranslator(this)), m_translator(new QTranslator(this))
{
    registerTranslationResources();
    loadLanguage(m_currentLanguage);
}

bool LanguageManager::loadCatalogue(QTranslator* translator, const QString& path)
{
    // QTranslator::load guesses at shorter names ("lumadoc_ja" for a missing "lumadoc_ja_JP") when the
    // exact file is absent; only the exact file may count as found.
    if (!QFileInfo(path).isFile())
        return false;
    return translator->load(path, QString(), QString(), QStringLiteral(""));
}

void LanguageManager::loadLanguage(const QString& code)
{
    // The English one goes first so that, at no moment, two catalogues answer together.
    QCoreApplication::removeTranslator(m_englishTranslator);
    QCoreApplication::removeTranslator(m_translator);
    m_catalogueFile.clear();

    if (code == QLatin1String(kEnglish)) {
        const QString path = resourceCatalogue(code);
        if (loadCatalogue(m_englishTranslator, path)) {
            QCoreApplication::installTranslator(m_englishTranslator);
            m_catalogueFile = path;
            m_currentLanguage = code;
            emit languageChanged();
            qDebug() << "Switched to English language";
        } else {
            qWarning() << "Failed to load English translation, falling back to source text";
            m_currentLanguage = code;
            emit languageChanged();
        }
        return;
    }

    if (isSafeCode(code)) {
        const QStringList candidates = {apppaths::findData(QStringLiteral("translations/lumadoc_%1.qm").arg(code)),
                                        resourceCatalogue(code)};
        for (const QString& path : candidates) {
            if (!loadCatalogue(m_translator, path))
                continue;
            QCoreApplication::installTranslator(m_translator);
            m_catalogueFile = path;
            m_currentLanguage = code;
            emit languageChanged();
            qDebug().noquote() << "Language loaded:" << code;
            return;
        }
    }

    qWarning().noquote() << "Failed to load language file for:" << code;
    m_currentLanguage = QLatin1String(kEnglish);
    emit languageChanged();
}

QVector<LanguageManager::Language> LanguageManager::supportedLanguages()
{
    QVector<Language> languages;
    for (const LanguageEntry& entry : kLanguages)
        languages.push_back(
            {QString::fromLatin1(entry.code), QCoreApplication::translate(kContext, entry.name)});
    return languages;
}
