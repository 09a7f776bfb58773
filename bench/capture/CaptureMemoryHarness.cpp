// Resident memory over a long capture session: the whole window on the virtual camera at 1920x1080,
// auto-save on, 500 captures, RSS printed every 50. Run under a display (xvfb-run -a). Not a test.
#include "GalleryModel.h"
#include "MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("LUMADOC_CAMERA", "virtual");
    QApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QTemporaryDir dir;
    const QString settingsPath = dir.filePath("settings.ini");
    {
        QSettings store(settingsPath, QSettings::IniFormat);
        store.setValue("language", "en_US");
        store.setValue("save/path", dir.filePath("captures"));
        store.setValue("save/autoSave", true);
        store.setValue("camera/autoCrop", false);
    }
    MainWindowEnvironment env;
    env.openSettings = [settingsPath] { return std::make_unique<QSettings>(settingsPath, QSettings::IniFormat); };
    env.appDir = dir.path();
    env.execDialog = [](QDialog&) { return 0; };
    env.watchDevices = false;
    MainWindow window(env);
    window.resize(1280, 900);
    window.show();
    QTest::qWait(1500);  // the camera opens and the first frames arrive

    const int total = argc > 1 ? atoi(argv[1]) : 500;
    std::printf("captures,rss_mib\n0,%.1f\n", residentKiB() / 1024.0);
    for (int i = 1; i <= total; ++i) {
        window.onCaptureImage();
        QTest::qWait(30);
        if (i % 50 == 0)
            std::printf("%d,%.1f\n", i, residentKiB() / 1024.0);
        std::fflush(stdout);
    }
    auto* gallery = window.findChild<GalleryModel*>();
    std::printf("# gallery items %d, resident full images %d, files %d\n", gallery->count(),
                gallery->residentCount(), int(QDir(dir.filePath("captures")).entryList(QDir::Files).size()));
    return 0;
}
