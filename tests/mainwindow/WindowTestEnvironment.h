#pragma once
// The main window in a private folder: its own settings file, no browser, dialogs answered at once
// and a camera library without cameras. Tests replace what they drive themselves.
#include "../camera/FakeMediaCapture.h"
#include "CameraController.h"
#include "LanguageManager.h"
#include "MainWindow.h"
#include "Speaker.h"
#include "TicketPrompter.h"
#include "TestSupport.h"

#include <QSettings>

namespace windowtest {

// Ticket dialogs and boxes answered at once: nobody is there to click them.
class SilentTicketPrompter : public TicketPrompter
{
public:
    void warning(QWidget*, const QString&, const QString&) override {}
    void information(QWidget*, const QString&, const QString&) override {}
    bool confirm(QWidget*, const QString&, const QString&) override { return false; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return QString(); }
    bool runDialog(QDialog&) override { return false; }
};

inline MainWindowEnvironment privateEnvironment(const testsupport::TempAppDir& dir)
{
    MainWindowEnvironment env;
    const QString path = dir.filePath("settings.ini");
    env.openSettings = [path] { return std::make_unique<QSettings>(path, QSettings::IniFormat); };
    env.appDir = dir.filePath("app");
    env.openUrl = [](const QUrl&) { return true; };
    env.execDialog = [](QDialog&) { return 0; };
    env.watchDevices = false;
    env.ticketPrompter = std::make_shared<SilentTicketPrompter>();
    env.makeSpeaker = [](QObject*) -> ISpeaker* { return nullptr; };  // no speech service in tests
    env.makeCameraController = [](QObject* parent) {
        auto library = std::make_shared<fake::LibraryState>();
        return new CameraController(parent, new MediaCaptureWrapper(nullptr, fake::factoryFor(library)));
    };
    return env;
}

// The program starts in Chinese on an empty store; window tests read English texts.
inline void startInEnglish(const testsupport::TempAppDir& dir)
{
    QSettings(dir.filePath("settings.ini"), QSettings::IniFormat).setValue("language", "en_US");
    LanguageManager::instance()->loadLanguage("en_US");
}

}  // namespace windowtest
