#include "MainSettings.h"
#include "AutoCropState.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

#include <climits>

namespace {

using testsupport::LogCapture;


void writeFile(const QString& path, const QByteArray& body)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(body);
}

// A private HOME (the default save path follows it), an application folder for "appconfig.ini" and an
// INI store on a file of its own.
class MainSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_dir.applyToCurrentProcess();
        ASSERT_TRUE(QDir().mkpath(appDir()));
    }
    QString appDir() const { return m_dir.filePath("app"); }
    QString storePath() const { return m_dir.filePath(QString("store%1.ini").arg(m_storeNumber)); }
    QString appConfigPath() const { return appDir() + "/appconfig.ini"; }
    // Raw INI text, as a user editing the store by hand would leave it. Each text goes to a new file:
    // QSettings caches a file by size and time stamp, which two quick writes of one length can share.
    void writeStore(const QByteArray& body)
    {
        ++m_storeNumber;
        writeFile(storePath(), body);
    }
    void storeValue(const QString& key, const QVariant& value) const
    {
        QSettings(storePath(), QSettings::IniFormat).setValue(key, value);
    }
    MainSettings loadFromStore() const
    {
        QSettings store(storePath(), QSettings::IniFormat);
        return MainSettings::load(store, appDir());
    }

    testsupport::TempAppDir m_dir;
    int m_storeNumber = 0;
};

TEST_F(MainSettingsTest, EmptyStoreGivesTheFirstStartDefaults)
{
    const MainSettings s = loadFromStore();
    EXPECT_TRUE(s.autoSave);
    EXPECT_EQ(s.saveFormat, static_cast<int>(SaveFormat::Jpeg));
    EXPECT_EQ(s.savePath, m_dir.home() + "/Pictures/Lumadoc");
    EXPECT_EQ(s.namingMethod, static_cast<int>(NamingMethod::DateTime));
    EXPECT_FALSE(s.scannerGunEnabled());
    EXPECT_TRUE(s.autoCrop);
    EXPECT_EQ(s.language, "zh_CN");
    EXPECT_EQ(s.penColor, QColor(Qt::red));
    EXPECT_EQ(s.penWidth, 3);
    EXPECT_EQ(s.eraserSize, 20);
    EXPECT_EQ(s.filePrefix, "IMG");
    EXPECT_EQ(s.fileNumber, 1);
    EXPECT_EQ(s.scannerGunDelayMs, 1000);
    EXPECT_EQ(s.ocrOutputType, static_cast<int>(OcrOutputType::Txt));
    EXPECT_FALSE(s.voiceListening || s.autoStraighten || s.hasPreferredResolution());
    EXPECT_EQ(s.rotationDeg, 0);
}

TEST_F(MainSettingsTest, AppConfigGivesTheAutoCropDefaultUntilTheUserChooses)
{
    EXPECT_TRUE(MainSettings::autoCropDefault(appDir())) << "no file";
    writeFile(appConfigPath(), "[Defaults]\nAutoCropDefault=perhaps\n");
    EXPECT_TRUE(MainSettings::autoCropDefault(appDir())) << "not a boolean";

    writeFile(appConfigPath(), "[Defaults]\nAutoCropDefault=false\n");
    EXPECT_FALSE(loadFromStore().autoCrop);
    // Once the user's choice is stored, the installation default no longer matters, either way.
    storeValue("camera/autoCrop", true);
    EXPECT_TRUE(loadFromStore().autoCrop);
    writeFile(appConfigPath(), "[Defaults]\nAutoCropDefault=true\n");
    storeValue("camera/autoCrop", false);
    EXPECT_FALSE(loadFromStore().autoCrop);
}

TEST_F(MainSettingsTest, AppConfigIsNeverWritten)
{
    const QByteArray body = "; installed by the vendor\n[Defaults]\nAutoCropDefault=false\n";
    writeFile(appConfigPath(), body);
    QSettings store(storePath(), QSettings::IniFormat);
    MainSettings s = MainSettings::load(store, appDir());
    s.autoCrop = true;
    ASSERT_TRUE(s.save(store));
    MainSettings::load(store, appDir());

    QFile file(appConfigPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), body);
}

TEST_F(MainSettingsTest, StoredResolutionIsPreferredOnlyWhenBothSidesAreAtLeastOne)
{
    const struct
    {
        const char* camera;
        int width;
        int height; // -1 × -1: none preferred
    } cases[] = {{"width=-1\nheight=-1\n", -1, -1},        {"width=1920\nheight=0\n", -1, -1},
                 {"width=0\nheight=1080\n", -1, -1},       {"width=1920\n", -1, -1},
                 {"width=wide\nheight=1080\n", -1, -1},    {"width=1\nheight=1\n", 1, 1},
                 {"width=1920\nheight=1080\n", 1920, 1080}};
    for (const auto& c : cases) {
        writeStore(QByteArray("[camera]\n") + c.camera);
        const MainSettings s = loadFromStore();
        EXPECT_EQ(s.hasPreferredResolution(), c.width >= 1) << c.camera;
        EXPECT_EQ(s.cameraWidth, c.width) << c.camera;
        EXPECT_EQ(s.cameraHeight, c.height) << c.camera;
    }
}

TEST_F(MainSettingsTest, EveryKeySurvivesARoundTripThroughTheStoreFile)
{
    // Every field differs from its default, so a key that is not written or not read shows up.
    MainSettings w;
    w.geometry = QByteArray("\x01\x02geometry\x00\xff", 12);
    w.windowState = QByteArray("\x00\x10state", 7);
    w.language = "ja_JP";
    w.penColor = QColor(10, 200, 30, 128);
    w.penWidth = 7;
    w.eraserSize = 42;
    w.autoSave = false;
    w.saveFormat = static_cast<int>(SaveFormat::Ofd);
    w.savePath = "/data/scans/Счета 2024";
    w.namingMethod = static_cast<int>(NamingMethod::ScannerGun);
    w.filePrefix = "Beleg-";
    w.fileNumber = 123456; // well past what four digits hold
    w.scannerGunDelayMs = 2500;
    w.voiceListening = true;
    w.ocrOutputType = static_cast<int>(OcrOutputType::SearchablePdf);
    w.autoStraighten = true;
    w.cameraDevicePath = "/dev/v4l/by-id/usb-Doc_Cam-video-index0";
    w.cameraWidth = 3264;
    w.cameraHeight = 2448;
    w.autoCrop = false;
    w.rotationDeg = 270;
    {
        QSettings store(storePath(), QSettings::IniFormat);
        ASSERT_TRUE(w.save(store));
    }
    // A fresh store object reads the file itself, not a cache of what was set.
    const MainSettings r = loadFromStore();
    EXPECT_EQ(r.geometry, w.geometry);
    EXPECT_EQ(r.windowState, w.windowState);
    EXPECT_EQ(r.language, w.language);
    EXPECT_EQ(r.penColor, w.penColor);
    EXPECT_EQ(r.penWidth, w.penWidth);
    EXPECT_EQ(r.eraserSize, w.eraserSize);
    EXPECT_EQ(r.autoSave, w.autoSave);
    EXPECT_EQ(r.saveFormat, w.saveFormat);
    EXPECT_EQ(r.savePath, w.savePath);
    EXPECT_EQ(r.namingMethod, w.namingMethod);
    EXPECT_EQ(r.filePrefix, w.filePrefix);
    EXPECT_EQ(r.fileNumber, w.fileNumber);
    EXPECT_EQ(r.scannerGunDelayMs, w.scannerGunDelayMs);
    EXPECT_EQ(r.voiceListening, w.voiceListening);
    EXPECT_EQ(r.ocrOutputType, w.ocrOutputType);
    EXPECT_EQ(r.autoStraighten, w.autoStraighten);
    EXPECT_EQ(r.cameraDevicePath, w.cameraDevicePath);
    EXPECT_EQ(r.cameraWidth, w.cameraWidth);
    EXPECT_EQ(r.cameraHeight, w.cameraHeight);
    EXPECT_EQ(r.autoCrop, w.autoCrop);
    EXPECT_EQ(r.rotationDeg, w.rotationDeg);
}

TEST_F(MainSettingsTest, SaveWritesEveryKeyAndTheScannerGunFlagWithItsLogLines)
{
    MainSettings s;
    s.namingMethod = static_cast<int>(NamingMethod::ScannerGun);
    s.scannerGunDelayMs = 700;
    QSettings store(storePath(), QSettings::IniFormat);
    LogCapture log;
    ASSERT_TRUE(s.save(store));

    const QStringList keys = QSettings(storePath(), QSettings::IniFormat).allKeys();
    const QString allKeys = "geometry windowState language pen/color pen/width pen/eraserSize save/autoSave "
                            "save/format save/path save/namingMethod save/filePrefix save/fileNumber "
                            "save/scannerGunEnabled save/scannerGunDelay voice/listening ocr/outputType "
                            "process/autoStraighten camera/devicePath camera/width camera/height "
                            "camera/autoCrop camera/rotation";
    for (const QString& key : allKeys.split(' '))
        EXPECT_TRUE(keys.contains(key)) << key.toStdString();
    EXPECT_TRUE(store.value("save/scannerGunEnabled").toBool());
    EXPECT_TRUE(log.has("[Settings] Saved namingMethod: 3")) << log.all();
    EXPECT_TRUE(log.has("[Settings] Saved scannerGunEnabled: true, delay: 700")) << log.all();

    s.namingMethod = static_cast<int>(NamingMethod::PrefixNumber);
    ASSERT_TRUE(s.save(store));
    EXPECT_FALSE(store.value("save/scannerGunEnabled").toBool());
}

TEST_F(MainSettingsTest, LoadLogsTheNamingMethodAndWhereAutoCropCameFrom)
{
    writeFile(appConfigPath(), "[Defaults]\nAutoCropDefault=false\n");
    writeStore("[save]\nnamingMethod=3\n");
    LogCapture log;
    EXPECT_TRUE(loadFromStore().scannerGunEnabled());
    for (const char* line : {"[Settings] Loaded namingMethod: 3", "[Settings] scannerGunMode: true",
                             "[Settings] autoCrop: registryHasValue=false iniDefault=false final=false"})
        EXPECT_TRUE(log.has(line)) << line << " in " << log.all();
}

TEST_F(MainSettingsTest, SaveReportsAStoreThatCannotBeWritten)
{
    // The store's folder would have to be created inside a plain file.
    writeFile(m_dir.filePath("not-a-folder"), "x");
    QSettings store(m_dir.filePath("not-a-folder") + "/store.ini", QSettings::IniFormat);
    EXPECT_FALSE(MainSettings().save(store));
}

TEST_F(MainSettingsTest, OpenStoreIsTheUserScopeStoreOfTheApplication)
{
    const std::unique_ptr<QSettings> store = MainSettings::openStore();
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(store->scope(), QSettings::UserScope);
    EXPECT_TRUE(store->fileName().endsWith("/Lumadoc/LumadocApp.conf")) << store->fileName().toStdString();
}

TEST_F(MainSettingsTest, BadStoredValuesAreCleanedUpOnLoad)
{
    using Field = int (*)(const MainSettings&);
    const struct
    {
        const char* stored;
        Field field;
        int expected;
    } cases[] = {
        {"[save]\nformat=6\n", [](const MainSettings& s) { return s.saveFormat; }, 0},
        {"[save]\nformat=-1\n", [](const MainSettings& s) { return s.saveFormat; }, 0},
        {"[save]\nformat=png\n", [](const MainSettings& s) { return s.saveFormat; }, 0},
        {"[save]\nformat=5\n", [](const MainSettings& s) { return s.saveFormat; }, 5},
        {"[save]\nnamingMethod=4\n", [](const MainSettings& s) { return s.namingMethod; }, 0},
        {"[ocr]\noutputType=3\n", [](const MainSettings& s) { return s.ocrOutputType; }, 0},
        {"[pen]\nwidth=0\n", [](const MainSettings& s) { return s.penWidth; }, 3},
        {"[pen]\neraserSize=-5\n", [](const MainSettings& s) { return s.eraserSize; }, 20},
        {"[save]\nscannerGunDelay=20\n", [](const MainSettings& s) { return s.scannerGunDelayMs; }, 100},
        {"[save]\nscannerGunDelay=60000\n", [](const MainSettings& s) { return s.scannerGunDelayMs; }, 5000},
        {"[camera]\nrotation=-90\n", [](const MainSettings& s) { return s.rotationDeg; }, 270},
        {"[camera]\nrotation=450\n", [](const MainSettings& s) { return s.rotationDeg; }, 90},
        {"[camera]\nrotation=45\n", [](const MainSettings& s) { return s.rotationDeg; }, 0},
        {"[save]\nfileNumber=0\n", [](const MainSettings& s) { return s.fileNumber; }, 1},
        {"[save]\nfileNumber=-12\n", [](const MainSettings& s) { return s.fileNumber; }, 1},
        {"[save]\nfileNumber=2147483647\n", [](const MainSettings& s) { return s.fileNumber; }, INT_MAX},
        // "maybe" is not a yes: QVariant alone would read any text but "false" and "0" as true.
        {"[save]\nautoSave=maybe\n", [](const MainSettings& s) { return int(s.autoSave); }, 1},
        {"[voice]\nlistening=yes please\n", [](const MainSettings& s) { return int(s.voiceListening); }, 0},
    };
    for (const auto& c : cases) {
        writeStore(c.stored);
        EXPECT_EQ(c.field(loadFromStore()), c.expected) << c.stored;
    }

    writeStore("[General]\nlanguage=\n[save]\npath=\"   \"\nfilePrefix=../../etc/x\n[pen]\ncolor=sparkly\n");
    MainSettings s = loadFromStore();
    EXPECT_EQ(s.savePath, MainSettings::defaultSavePath());
    EXPECT_EQ(s.filePrefix, "etcx");
    EXPECT_EQ(s.penColor, QColor(Qt::red));
    EXPECT_EQ(s.language, "zh_CN");
    writeStore("[pen]\ncolor=#00ff00\n"); // a colour typed by hand still counts
    EXPECT_EQ(loadFromStore().penColor, QColor(0, 255, 0));
}

TEST(MainSettingsPrefix, DropsEverythingThatCannotBePartOfAFileName)
{
    EXPECT_EQ(MainSettings::sanitizeFilePrefix("Rechnung_2024-"), "Rechnung_2024-");
    EXPECT_EQ(MainSettings::sanitizeFilePrefix("扫描 "), "扫描 ");
    EXPECT_EQ(MainSettings::sanitizeFilePrefix("a/b\\c:d*e?f\"g<h>i|j"), "abcdefghij");
    EXPECT_EQ(MainSettings::sanitizeFilePrefix(QString("tab\there\n") + QChar(0) + "x"), "tabherex");
}

// ---- Automatic cropping suspended by working modes ---------------------------------------------------

TEST_F(MainSettingsTest, AutoCropSavedDuringASuspendingModeKeepsTheUsersChoice)
{
    AutoCropState autoCrop(true);
    autoCrop.suspend("idPhoto");
    ASSERT_FALSE(autoCrop.effective());
    MainSettings s;
    s.autoCrop = autoCrop.userChoice();
    {
        QSettings store(storePath(), QSettings::IniFormat);
        ASSERT_TRUE(s.save(store));
    }
    // Next start: cropping is on again, although the last save happened in ID-photo mode.
    EXPECT_TRUE(AutoCropState(loadFromStore().autoCrop).effective());
}

TEST(AutoCropState, OverlappingModesEachHoldTheirOwnSuspension)
{
    AutoCropState state(true);
    state.suspend("book");
    state.suspend("presenter");
    state.resume("book");
    EXPECT_FALSE(state.effective()) << "presenter still needs whole frames";
    state.resume("idPhoto"); // a mode that never suspended
    EXPECT_FALSE(state.effective());
    state.resume("presenter");
    EXPECT_TRUE(state.effective());

    state.suspend("idPhoto");
    state.suspend("idPhoto"); // the mode entered again without being left
    state.resume("idPhoto");
    EXPECT_TRUE(state.effective());
}

TEST(AutoCropState, UserChangeWhileSuspendedTakesEffectOnResume)
{
    AutoCropState state(true);
    state.suspend("idPhoto");
    state.setUserChoice(false);
    state.resume("idPhoto");
    EXPECT_FALSE(state.effective());

    state.suspend("idPhoto");
    state.setUserChoice(true);
    EXPECT_FALSE(state.effective());
    EXPECT_TRUE(state.userChoice());
    state.resume("idPhoto");
    EXPECT_TRUE(state.effective());
}

} // namespace
