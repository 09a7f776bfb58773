#pragma once
// Which interface catalogue is installed. The interface is written in English source texts; this object
// installs at most one catalogue for the chosen language and tells every window, through
// languageChanged(), to re-translate itself. Main thread only.

#include <QObject>
#include <QString>
#include <QVector>

class QTranslator;

class LanguageManager : public QObject
{
    Q_OBJECT
public:
    // One entry of the Language menu.
    struct Language
    {
        QString code;        // locale name, e.g. "ja_JP"; the menu action's data
        QString displayName; // already translated into the current language
    };

    // The process-wide manager, made on first use (which loads "zh_CN") and kept until the process ends.
    static LanguageManager* instance();

    // The application uses instance(); a separate manager exists only in tests. Loads "zh_CN". Its
    // catalogue leaves the application when the manager is destroyed.
    explicit LanguageManager(QObject* parent = nullptr);

    // Installs the catalogue for `code` ("zh_CN", "en_US", "ja_JP", "ru_RU", "de_DE"), removing the one
    // installed before. A "translations/lumadoc_<code>.qm" beside the executable wins over the compiled-in
    // one, except for English. When nothing loads, no catalogue stays installed and the current language
    // becomes "en_US" (the source texts). Always emits languageChanged().
    void loadLanguage(const QString& code);

    // The code last set (after a failed load, "en_US").
    QString currentLanguage() const { return m_currentLanguage; }

    // Where the installed catalogue came from (a file path or a ":/translations/…" resource); empty when
    // none is installed.
    QString catalogueFile() const { return m_catalogueFile; }

    // The five interface languages in menu order, names translated into the current language.
    static QVector<Language> supportedLanguages();

signals:
    void languageChanged();

private:
    bool loadCatalogue(QTranslator* translator, const QString& path);

    QTranslator* m_englishTranslator;
    QTranslator* m_translator;
    QString m_currentLanguage = QStringLiteral("zh_CN");
    QString m_catalogueFile;
};
