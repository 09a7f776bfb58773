#include "MainSettings.h"

#include "AppPaths.h"

#include "FileNamer.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QVariant>

namespace {

namespace Key {
const QString geometry = QStringLiteral("geometry");
const QString windowState = QStringLiteral("windowState");
const QString language = QStringLiteral("language");
const QString penColor = QStringLiteral("pen/color");
const QString penWidth = QStringLiteral("pen/width");
const QString eraserSize = QStringLiteral("pen/eraserSize");
const QString autoSave = QStringLiteral("save/autoSave");
const QString saveFormat = QStringLiteral("save/format");
const QString savePath = QStringLiteral("save/path");
const QString namingMethod = QStringLiteral("save/namingMethod");
const QString filePrefix = QStringLiteral("save/filePrefix");
const QString fileNumber = QStringLiteral("save/fileNumber");
const QString scannerGunEnabled = QStringLiteral("save/scannerGunEnabled");
const QString scannerGunDelay = QStringLiteral("save/scannerGunDelay");
const QString voiceListening = QStringLiteral("voice/listening");
const QString ocrOutputType = QStringLiteral("ocr/outputType");
const QString autoStraighten = QStringLiteral("process/autoStraighten");
const QString cameraDevicePath = QStringLiteral("camera/devicePath");
const QString cameraWidth = QStringLiteral("camera/width");
const QString cameraHeight = QStringLiteral("camera/height");
const QString autoCrop = QStringLiteral("camera/autoCrop");
const QString rotation = QStringLiteral("camera/rotation");
} // namespace Key

const char* const kAppConfigFile = "appconfig.ini";
const QString kAppConfigAutoCropKey = QStringLiteral("Defaults/AutoCropDefault");

// An INI store hands every value back as text, and a user may have typed anything into it, so a value
// that is not plainly an integer counts as missing.
int readInt(const QSettings& store, const QString& key, int fallback)
{
    const QVariant value = store.value(key);
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const int result = value.toInt(&ok);
    return ok ? result : fallback;
}

// QVariant turns any text but "", "0" and "false" into true; "maybe" must not switch an option on.
bool readBool(const QSettings& store, const QString& key, bool fallback)
{
    const QVariant value = store.value(key);
    if (!value.isValid())
        return fallback;
    if (value.type() == QVariant::Bool)
        return value.toBool();
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    return fallback;
}

int readIndex(const QSettings& store, const QString& key, int count, int fallback)
{
    const int value = readInt(store, key, fallback);
    return (value >= 0 && value < count) ? value : fallback;
}

int readAtLeastOne(const QSettings& store, const QString& key, int fallback)
{
    const int value = readInt(store, key, fallback);
    return value >= 1 ? value : fallback;
}

// The preview turns in quarter turns only; anything else in the store is not a rotation we produced.
int normalizedRotationDeg(int degrees)
{
    const int turned = ((degrees % 360) + 360) % 360;
    return turned % 90 == 0 ? turned : 0;
}

QColor readColor(const QSettings& store, const QString& key, const QColor& fallback)
{
    const QVariant value = store.value(key);
    if (!value.isValid())
        return fallback;
    // A colour written by us comes back as a QColor; a name such as "#00ff00" typed by hand converts.
    const QColor color = value.value<QColor>();
    return color.isValid() ? color : fallback;
}

QString boolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

} // namespace

QString MainSettings::defaultSavePath()
{
    return QDir::fromNativeSeparators(QDir::homePath()) + QStringLiteral("/Pictures/Lumadoc");
}

bool MainSettings::autoCropDefault(const QString& appDir)
{
    const QString path = apppaths::findData(QLatin1String(kAppConfigFile), appDir);
    if (!QFileInfo(path).isFile())
        return true;
    // Read-only use: nothing is set, so QSettings never writes the file back.
    const QSettings config(path, QSettings::IniFormat);
    return readBool(config, kAppConfigAutoCropKey, true);
}

QString MainSettings::sanitizeFilePrefix(const QString& prefix)
{
    static const QString refused = QStringLiteral("/\\:*?\"<>|");
    QString clean;
    clean.reserve(prefix.size());
    for (const QChar c : prefix) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || refused.contains(c))
            continue;
        clean.append(c);
    }
    return saving::withoutLeadingDotsAndBlanks(clean);
}

std::unique_ptr<QSettings> MainSettings::openStore()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Lumadoc"), QStringLiteral("LumadocApp"));
}

MainSettings MainSettings::load(QSettings& store, const QString& appDir)
{
    const MainSettings defaults;
    MainSettings s;

    s.geometry = store.value(Key::geometry).toByteArray();
    s.windowState = store.value(Key::windowState).toByteArray();

    s.namingMethod = readIndex(store, Key::namingMethod, kNamingMethodCount, defaults.namingMethod);
    s.scannerGunDelayMs =
        qBound(kMinScannerGunDelayMs, readInt(store, Key::scannerGunDelay, defaults.scannerGunDelayMs),
               kMaxScannerGunDelayMs);
    qInfo().noquote() << "[Settings] Loaded namingMethod:" << s.namingMethod;
    qInfo().noquote() << "[Settings] scannerGunMode:" << boolText(s.scannerGunEnabled());

    const QString language = store.value(Key::language).toString().trimmed();
    s.language = language.isEmpty() ? defaults.language : language;

    s.penColor = readColor(store, Key::penColor, defaults.penColor);
    s.penWidth = readAtLeastOne(store, Key::penWidth, defaults.penWidth);
    s.eraserSize = readAtLeastOne(store, Key::eraserSize, defaults.eraserSize);

    s.autoSave = readBool(store, Key::autoSave, defaults.autoSave);
    s.saveFormat = readIndex(store, Key::saveFormat, kSaveFormatCount, defaults.saveFormat);
    const QString savePath = store.value(Key::savePath).toString().trimmed();
    s.savePath = savePath.isEmpty() ? defaults.savePath : savePath;
    s.filePrefix = sanitizeFilePrefix(store.value(Key::filePrefix, defaults.filePrefix).toString());
    s.fileNumber = qMax(1, readInt(store, Key::fileNumber, defaults.fileNumber));
    s.voiceListening = readBool(store, Key::voiceListening, defaults.voiceListening);
    s.ocrOutputType = readIndex(store, Key::ocrOutputType, kOcrOutputTypeCount, defaults.ocrOutputType);
    s.autoStraighten = readBool(store, Key::autoStraighten, defaults.autoStraighten);

    s.cameraDevicePath = store.value(Key::cameraDevicePath).toString();
    s.cameraWidth = readInt(store, Key::cameraWidth, -1);
    s.cameraHeight = readInt(store, Key::cameraHeight, -1);
    // Half a resolution is no resolution; keep the pair consistent so nobody opens a camera at 640 × 0.
    if (!s.hasPreferredResolution()) {
        s.cameraWidth = -1;
        s.cameraHeight = -1;
    }

    const bool storeHasAutoCrop = store.contains(Key::autoCrop);
    const bool iniDefault = autoCropDefault(appDir);
    s.autoCrop = readBool(store, Key::autoCrop, iniDefault);
    qInfo().noquote() << QStringLiteral("[Settings] autoCrop: registryHasValue=%1 iniDefault=%2 final=%3")
                             .arg(boolText(storeHasAutoCrop), boolText(iniDefault), boolText(s.autoCrop));

    s.rotationDeg = normalizedRotationDeg(readInt(store, Key::rotation, defaults.rotationDeg));
    return s;
}

bool MainSettings::save(QSettings& store) const
{
    store.setValue(Key::geometry, geometry);
    store.setValue(Key::windowState, windowState);
    store.setValue(Key::language, language);
    store.setValue(Key::penColor, penColor);
    store.setValue(Key::penWidth, penWidth);
    store.setValue(Key::eraserSize, eraserSize);
    store.setValue(Key::autoSave, autoSave);
    store.setValue(Key::saveFormat, saveFormat);
    store.setValue(Key::savePath, savePath);
    store.setValue(Key::namingMethod, namingMethod);
    qInfo().noquote() << "[Settings] Saved namingMethod:" << namingMethod;
    store.setValue(Key::filePrefix, filePrefix);
    store.setValue(Key::fileNumber, fileNumber);
    store.setValue(Key::scannerGunEnabled, scannerGunEnabled());
    store.setValue(Key::scannerGunDelay, scannerGunDelayMs);
    qInfo().noquote() << QStringLiteral("[Settings] Saved scannerGunEnabled: %1, delay: %2")
                             .arg(boolText(scannerGunEnabled()))
                             .arg(scannerGunDelayMs);
    store.setValue(Key::voiceListening, voiceListening);
    store.setValue(Key::ocrOutputType, ocrOutputType);
    store.setValue(Key::autoStraighten, autoStraighten);
    store.setValue(Key::cameraDevicePath, cameraDevicePath);
    store.setValue(Key::cameraWidth, cameraWidth);
    store.setValue(Key::cameraHeight, cameraHeight);
    store.setValue(Key::rotation, rotationDeg);
    store.setValue(Key::autoCrop, autoCrop);

    store.sync();
    if (store.status() != QSettings::NoError) {
        qWarning().noquote() << "[Settings] could not write the settings store" << store.fileName()
                             << "status:" << static_cast<int>(store.status());
        return false;
    }
    return true;
}
