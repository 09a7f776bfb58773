// Every text the window shows is translated in each non-English catalogue. The window, its menus, docks,
// tool bar, pop-up menus and the dialogs it builds are walked at run time, first in English and then in
// each language; a text still equal to one of the English texts is a miss. Checking what is really on
// screen catches both a text that never reached the catalogues (hidden from lupdate) and one that is
// there but left untranslated, and a widget that does not re-translate when the language changes.

#include "GalleryPanel.h"
#include "LanguageManager.h"
#include "MainWindow.h"
#include "TestSupport.h"
#include "VideoWidget.h"
#include "VideoWidgetMenu.h"
#include "WatermarkDialog.h"
#include "WindowTestEnvironment.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDockWidget>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Shown
{
    QString where;
    QString text;
};

// Names, formats and units that read the same in every language, and texts with no English word at
// all (numbers, symbols, and the few Chinese texts the program shows in every language).
bool isExempt(QString text)
{
    static const QSet<QString> kNames = {"PDF", "OFD",  "OCR", "Lumadoc", "JPG", "JPEG",
                                         "PNG", "BMP",  "TIF", "TIFF",    "TXT", "Word",
                                         "OK",  "Otsu", "ms",  "s",       "px",  "FPS"};
    text.remove(QRegularExpression(QStringLiteral("\\b\\w+://\\S*")));            // web addresses
    text.remove(QRegularExpression(QStringLiteral("\\bv\\d+(\\.\\d+)*")));        // "v1.0"
    text.remove(QRegularExpression(QStringLiteral("\\d+\\s*[x\u00d7]\\s*\\d+"))); // "1920x1080"
    QRegularExpressionMatchIterator words = QRegularExpression(QStringLiteral("[A-Za-z]+")).globalMatch(text);
    while (words.hasNext())
        if (!kNames.contains(words.next().captured()))
            return false;
    return true;
}

// The pieces a reader sees: rich text is cut at its tags, so one untranslated line of a longer
// HTML text is still found; accelerator marks are not part of the wording.
QStringList pieces(const QString& text)
{
    QStringList lines;
    const QStringList parts = Qt::mightBeRichText(text)
                                  ? text.split(QRegularExpression(QStringLiteral("<[^>]*>")))
                                  : text.split(QLatin1Char('\n'));
    for (QString part : parts) {
        if (Qt::mightBeRichText(text))
            part = QTextDocumentFragment::fromHtml(part).toPlainText();
        part.remove(QRegularExpression(QStringLiteral("&(?=[^&\\s])")));
        part = part.trimmed();
        if (!part.isEmpty())
            lines << part;
    }
    return lines;
}

class Walker
{
public:
    void add(const QString& where, const QString& text)
    {
        for (const QString& piece : pieces(text))
            m_shown.push_back({where, piece});
    }

    void walkActions(const QString& where, const QList<QAction*>& actions)
    {
        for (QAction* action : actions) {
            if (action->isSeparator())
                continue;
            const QString name =
                where + "/" + (action->objectName().isEmpty() ? action->text() : action->objectName());
            add(name, action->text());
            add(name + "[tip]", action->toolTip());
            if (action->menu())
                walkActions(name, action->menu()->actions());
        }
    }

    // Every widget below `root`, shown or not: mode panels and disabled controls are seen by the user
    // at some point too.
    void walkWidgets(QWidget* root, const QString& rootName)
    {
        QList<QWidget*> widgets = root->findChildren<QWidget*>();
        widgets.prepend(root);
        for (QWidget* w : widgets) {
            if (qobject_cast<QFontComboBox*>(w) || qobject_cast<QFontComboBox*>(w->parentWidget()))
                continue; // font family names
            const QString where =
                rootName + "/" +
                (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                           : w->objectName());
            if (w->isWindow() || qobject_cast<QDockWidget*>(w))
                add(where + "[title]", w->windowTitle());
            add(where + "[tip]", w->toolTip());
            if (auto* label = qobject_cast<QLabel*>(w))
                add(where, label->text());
            else if (auto* button = qobject_cast<QAbstractButton*>(w))
                add(where, button->text());
            else if (auto* group = qobject_cast<QGroupBox*>(w))
                add(where, group->title());
            else if (auto* edit = qobject_cast<QLineEdit*>(w))
                add(where, edit->placeholderText());
            if (auto* spin = qobject_cast<QSpinBox*>(w)) {
                add(where + "[prefix]", spin->prefix());
                add(where + "[suffix]", spin->suffix());
                add(where + "[special]", spin->specialValueText());
            }
            if (auto* combo = qobject_cast<QComboBox*>(w))
                for (int i = 0; i < combo->count(); ++i)
                    if (!m_fontFamilies.contains(combo->itemText(i)))
                        add(where + "[" + QString::number(i) + "]", combo->itemText(i));
            if (auto* tabs = qobject_cast<QTabBar*>(w))
                for (int i = 0; i < tabs->count(); ++i)
                    add(where + "[tab]", tabs->tabText(i));
            if (auto* tabs = qobject_cast<QTabWidget*>(w))
                for (int i = 0; i < tabs->count(); ++i)
                    add(where + "[tab]", tabs->tabText(i));
            walkActions(where, w->actions());
        }
        // Actions the window holds without showing them in a widget (shortcuts, pop-up entries).
        for (QAction* action : root->findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly))
            walkActions(rootName, {action});
    }

    const QList<Shown>& shown() const { return m_shown; }

private:
    QList<Shown> m_shown;
    // Font choosers list the installed families, which are names, not wording.
    const QSet<QString> m_fontFamilies = [] {
        const QStringList families = QFontDatabase().families();
        return QSet<QString>(families.begin(), families.end());
    }();
};

class TranslationCoverageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir.applyToCurrentProcess();
        windowtest::startInEnglish(m_dir);
    }

    void TearDown() override { LanguageManager::instance()->loadLanguage("en_US"); }

    // What the window and everything it builds show in the current language.
    QList<Shown> walk(MainWindow& window, WatermarkDialog& watermark)
    {
        Walker walker;
        walker.walkWidgets(&window, "MainWindow");
        walker.walkWidgets(&watermark, "WatermarkDialog");

        // Pop-up menus built only when asked for: taken from the same builders the clicks use.
        const std::unique_ptr<QMenu> preview(
            createVideoWidgetContextMenu(window.findChild<VideoWidget*>("videoWidget"), nullptr));
        walker.walkActions("previewContextMenu", preview->actions());
        auto* gallery = window.findChild<GalleryPanel*>();
        EXPECT_NE(gallery, nullptr);
        if (gallery) {
            const std::unique_ptr<QMenu> menu(gallery->buildContextMenu(QPoint(), nullptr));
            walker.walkActions("galleryContextMenu", menu->actions());
        }

        // The settings dialog is built afresh by the title-bar button and handed to the dialog runner.
        m_dialogWalker = &walker;
        window.findChild<QPushButton*>("titleBarSettings")->click();
        m_dialogWalker = nullptr;

        const std::unique_ptr<QMessageBox> about = window.createAboutBox();
        walker.walkWidgets(about.get(), "AboutBox");
        return walker.shown();
    }

    MainWindowEnvironment environment()
    {
        MainWindowEnvironment env = windowtest::privateEnvironment(m_dir);
        env.execDialog = [this](QDialog& dialog) {
            if (m_dialogWalker)
                m_dialogWalker->walkWidgets(&dialog, dialog.metaObject()->className());
            return int(QDialog::Rejected);
        };
        return env;
    }

    testsupport::TempAppDir m_dir;
    Walker* m_dialogWalker = nullptr;
};

} // namespace

TEST_F(TranslationCoverageTest, EveryShownTextIsTranslatedInEachLanguage)
{
    MainWindow window(environment());
    const QString storePath = m_dir.filePath("watermark.ini");
    WatermarkDialog watermark(
        nullptr, [storePath] { return std::make_unique<QSettings>(storePath, QSettings::IniFormat); });

    QSet<QString> english;
    const QList<Shown> englishShown = walk(window, watermark);
    for (const Shown& s : englishShown)
        if (!isExempt(s.text))
            english.insert(s.text);
    // A walk that found almost nothing would pass for any catalogue.
    ASSERT_GT(english.size(), 150);
    // One text from each part the walk must reach: window, preview menu, watermark and settings dialogs,
    // gallery menu, About box.
    for (const char* expected : {"Capture", "Clear Annotations", "Watermark Settings", "Prefix + Number",
                                 "Invert Selection", "Real-time video preview"})
        EXPECT_TRUE(english.contains(expected)) << expected;

    // Words a language really writes as English does.
    const QHash<QString, QSet<QString>> sameWord = {{"de_DE", {"Ellipse"}}};
    for (const char* code : {"zh_CN", "ja_JP", "ru_RU", "de_DE"}) {
        LanguageManager::instance()->loadLanguage(code);
        // Widgets that follow QEvent::LanguageChange get it posted, as they would in the running program.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        ASSERT_EQ(LanguageManager::instance()->currentLanguage(), code);
        QStringList misses;
        for (const Shown& s : walk(window, watermark))
            if (english.contains(s.text) && !sameWord.value(code).contains(s.text))
                misses << s.where + ": \"" + s.text + "\"";
        misses.removeDuplicates();
        EXPECT_TRUE(misses.isEmpty()) << code << ": " << misses.size() << " untranslated text(s):\n  "
                                      << qPrintable(misses.join("\n  "));
    }
}
