#include "OCRProcessor.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTextStream>

#include <exception>
#include <mutex>

namespace {

constexpr int kMaxWidth = 1920;
constexpr int kMaxHeight = 1080;
constexpr int kJpegQuality = 90;
constexpr int kGuardFault = -999;

// One lock for every call into the engine, taken by the adapter for a whole recognition (so that a
// per-run language switch and the switch back cannot be split by another caller) and by the guards.
std::recursive_mutex& engineMutex()
{
    static std::recursive_mutex mutex;
    return mutex;
}

// Processors that loaded the engine and have not released it; the engine is the process's, so only the
// last of them may clean it up.
int g_engineUsers = 0;

std::mutex g_callsMutex;
OcrEngineCalls g_calls;

QString timeStamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("hh:mm:ss.zzz"));
}

// Deletes the temporary picture however the recognition ends.
class TempFileRemover
{
public:
    explicit TempFileRemover(const QString& path) : m_path(path) {}
    ~TempFileRemover()
    {
        if (!m_path.isEmpty())
            QFile::remove(m_path);
    }
    TempFileRemover(const TempFileRemover&) = delete;
    TempFileRemover& operator=(const TempFileRemover&) = delete;

private:
    QString m_path;
};

// The data folder named by a package, so a per-run package can point at the same language files.
QString packageDataPath(const QString& packagePath)
{
    QFile file(packagePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&file);
    in.setCodec("UTF-8");
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1String("datapath")) && line.contains(QLatin1Char('=')))
            return line.section(QLatin1Char('='), 1).trimmed();
    }
    return {};
}

} // namespace

void setOcrEngineCalls(const OcrEngineCalls& calls)
{
    std::lock_guard<std::mutex> lock(g_callsMutex);
    g_calls = calls;
}

OcrEngineCalls ocrEngineCalls()
{
    std::lock_guard<std::mutex> lock(g_callsMutex);
    return g_calls;
}

// Linux has no structured exceptions to catch; what can escape the call is a C++ exception, which
// becomes the same failure value a machine fault gives on other systems. Every call holds the engine
// lock, so recognitions and a reload never overlap.
template <typename Result, typename Call>
Result guarded(const char* function, Result onFault, Call call)
{
    std::lock_guard<std::recursive_mutex> lock(engineMutex());
    try {
        return call();
    } catch (...) {
        qWarning("[OCR] SEH crash inside %s", function);
        return onFault;
    }
}

int guardedOcrInitialize(const char* path)
{
    return guarded("OcrInitializeFromPackage", kGuardFault,
                   [path] { return ocrEngineCalls().initializeFromPackage(path); });
}

const char* guardedOcrRecognize(const char* path)
{
    return guarded<const char*>("OcrRecognize", nullptr, [path] { return ocrEngineCalls().recognize(path); });
}

const char* guardedOcrRecognizeAdvanced(const char* path)
{
    return guarded<const char*>("OcrRecognizeAdvanced", nullptr,
                                [path] { return ocrEngineCalls().recognizeAdvanced(path); });
}

OcrAdvancedResult guardedOcrRecognizeAdvancedStruct(const char* path)
{
    return guarded("OcrRecognizeAdvancedStruct", OcrAdvancedResult{nullptr, 0},
                   [path] { return ocrEngineCalls().recognizeAdvancedStruct(path); });
}

OCRProcessor* OCRProcessor::instance()
{
    // Never destroyed before exit; created thread-safely on first use.
    static OCRProcessor* processor = new OCRProcessor();
    return processor;
}

OCRProcessor::OCRProcessor()
{
    qRegisterMetaType<OcrTextBlockEx>("OcrTextBlockEx");
    qRegisterMetaType<QList<OcrTextBlockEx>>("QList<OcrTextBlockEx>");
}

OCRProcessor::~OCRProcessor()
{
    std::lock_guard<std::recursive_mutex> lock(engineMutex());
    if (m_ocrInitialized) {
        m_ocrInitialized = false;
        if (--g_engineUsers > 0)
            return;
        qInfo("[OCR] OcrCleanup: start");
        try {
            ocrEngineCalls().cleanup();
        } catch (...) {
        }
        qInfo("[OCR] OcrCleanup: done");
    }
}

bool OCRProcessor::isValidLanguageList(const QString& languages)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9_]+(\\+[A-Za-z0-9_]+)*$"));
    return pattern.match(languages).hasMatch();
}

bool OCRProcessor::initialize()
{
    std::lock_guard<std::recursive_mutex> lock(engineMutex());
    return initializeLocked();
}

bool OCRProcessor::initializeLocked()
{
    if (m_initialized) {
        qInfo("[OCR] initialize(): already initialized, skip");
        return true;
    }
    try {
        if (loadModels()) {
            m_initialized = true;
            qInfo("[OCR] initialize(): SUCCESS");
            return true;
        }
        qWarning("[OCR] initialize(): loadModels() FAILED");
        return false;
    } catch (const std::exception& e) {
        qWarning() << "[OCR] initialize(): std::exception caught:" << e.what();
    } catch (...) {
        qWarning("[OCR] initialize(): unknown exception caught");
    }
    return false;
}

bool OCRProcessor::loadModels()
{
    if (m_ocrInitialized) {
        qInfo("[OCR] loadModels(): already initialized, skip");
        return true;
    }
    const QString source = ocrApplicationDir() + QStringLiteral("/models.bin");
    if (!QFileInfo::exists(source)) {
        qWarning() << "[OCR] loadModels() Step1: model file NOT FOUND:" << source;
        qWarning("[OCR] loadModels() Step1: Please place models.bin in application directory");
        return false;
    }
    QString modelPath = ocrStagedModelPath();
    if (modelPath.isEmpty()) {
        qWarning("[OCR] loadModels() Step1b: ASCII staging unavailable, fall back to original path (Chinese "
                 "path may crash)");
        modelPath = source;
    }
    const QFileInfo info(modelPath);
    if (!info.exists()) {
        qWarning() << "[OCR] loadModels() Step2: model file NOT FOUND:" << modelPath;
        return false;
    }
    QFile probe(modelPath);
    qInfo() << "[OCR] loadModels() Step2: model file" << modelPath << "size=" << info.size() << "bytes ("
            << info.size() / 1024 / 1024 << "MB) readable=" << probe.open(QIODevice::ReadOnly)
            << "owner=" << info.owner() << "permissions=" << QString::number(int(info.permissions()), 8);
    probe.close();

    try {
        qInfo() << "[OCR] loadModels() Step3: OcrInitializeFromPackage start" << timeStamp();
        const QByteArray path = ocrPathBytes(modelPath);
        const int result = guardedOcrInitialize(path.constData());
        qInfo() << "[OCR] loadModels() Step3: OcrInitializeFromPackage end" << timeStamp();
        if (result == kGuardFault) {
            qWarning("[OCR] loadModels() Step3: SEH crash inside OcrInitializeFromPackage, abort OCR init");
            return false;
        }
        if (result != 0) {
            qWarning() << "[OCR] loadModels() Step3: FAILED, error code=" << result;
            return false;
        }
        m_ocrInitialized = true;
        ++g_engineUsers;
        m_modelPath = modelPath;
        qInfo("[OCR] loadModels() Step3: OcrInitializeFromPackage SUCCESS");
        return true;
    } catch (const std::exception& e) {
        qWarning() << "[OCR] loadModels() Step3: std::exception:" << e.what();
    } catch (...) {
        qWarning("[OCR] loadModels() Step3: unknown exception during OcrInitializeFromPackage");
    }
    return false;
}

// Steps A and B: at most 1920x1080, RGB888. A null result means the input was unusable (logged).
QImage OCRProcessor::prepareImage(const QImage& image, const char* operation)
{
    if (image.width() > kMaxWidth || image.height() > kMaxHeight) {
        const QImage scaled =
            image.scaled(kMaxWidth, kMaxHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        qInfo() << "[OCR]" << operation << "StepA: scaled" << image.size() << "->" << scaled.size();
        return preprocessImage(scaled);
    }
    qInfo() << "[OCR]" << operation << "StepA: image size OK, no scaling needed";
    return preprocessImage(image);
}

QImage OCRProcessor::preprocessImage(const QImage& image)
{
    if (image.format() == QImage::Format_RGB888)
        return image;
    qInfo() << "[OCR] preprocessImage(): converting from format" << image.format() << "to RGB888";
    return image.convertToFormat(QImage::Format_RGB888);
}

QString OCRProcessor::saveImageToTemp(const QImage& image)
{
    // A name claimed with O_EXCL: two threads or two processes can never write the same file, which a
    // process id and a millisecond stamp alone do not promise.
    QString dir = ocrStagingDir();
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QTemporaryFile file(
        QStringLiteral("%1/ld_ocr_img_%2_XXXXXX.jpg").arg(dir).arg(QCoreApplication::applicationPid()));
    file.setAutoRemove(false);
    if (!file.open()) {
        qWarning() << "[OCR] saveImageToTemp(): FAILED to save image to:" << file.fileTemplate();
        return {};
    }
    const QString path = file.fileName();
    QImageWriter writer(&file, "jpg");
    writer.setQuality(kJpegQuality);
    const bool written = writer.write(image);
    file.close();
    if (!written) {
        qWarning() << "[OCR] saveImageToTemp(): FAILED to save image to:" << path;
        QFile::remove(path);
        return {};
    }
    const QFileInfo info(path);
    if (!info.exists()) {
        qWarning() << "[OCR] saveImageToTemp(): temp file NOT FOUND after save:" << path;
        return {};
    }
    qInfo() << "[OCR] saveImageToTemp(): SUCCESS, file size=" << info.size();
    return path;
}

// For a per-run language list: a package naming those languages beside the staged one, loaded for this
// call. The engine keeps the last few language sets loaded, so switching there and back is cheap.
bool OCRProcessor::useLanguagesLocked(const QString& languages, QString* packagePath)
{
    if (!isValidLanguageList(languages)) {
        qWarning() << "[OCR] invalid language list:" << languages;
        return false;
    }
    const QString dir = QFileInfo(m_modelPath).absolutePath();
    const QString path = dir + QStringLiteral("/models-%1.bin").arg(languages);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
            qWarning() << "[OCR] could not write the language package" << path;
            return false;
        }
        QTextStream out(&file);
        out.setCodec("UTF-8");
        out << "LUMADOC-OCR-PACKAGE 1\nlanguages=" << languages
            << "\ndatapath=" << packageDataPath(m_modelPath) << "\n";
    }
    const QByteArray bytes = ocrPathBytes(path);
    const int result = guardedOcrInitialize(bytes.constData());
    if (result != 0) {
        qWarning() << "[OCR] languages" << languages << "could not be loaded, error code=" << result;
        restoreLanguagesLocked(m_modelPath);
        return false;
    }
    *packagePath = path;
    return true;
}

void OCRProcessor::restoreLanguagesLocked(const QString& packagePath)
{
    const QByteArray bytes = ocrPathBytes(packagePath);
    const int result = guardedOcrInitialize(bytes.constData());
    if (result != 0) {
        // The package's own languages no longer load: start from scratch at the next recognition.
        qWarning() << "[OCR] restoring the package languages FAILED, error code=" << result;
        m_initialized = false;
        if (m_ocrInitialized) {
            m_ocrInitialized = false;
            --g_engineUsers;
        }
    }
}

QString OCRProcessor::performOCR(const QImage& image, int language, const QString& languages)
{
    qInfo() << "=== OCR PerformOCR started ===" << timeStamp() << "size=" << image.size()
            << "format=" << image.format() << "depth=" << image.depth() << "isNull=" << image.isNull();
    try {
        std::lock_guard<std::recursive_mutex> lock(engineMutex());
        if (!m_initialized && !initializeLocked()) {
            qWarning("[OCR] performOCR(): initialize() FAILED, aborting OCR");
            return {};
        }
        if (image.isNull() || image.width() < 1 || image.height() < 1) {
            qWarning("[OCR] performOCR(): invalid image (null or zero size)");
            return {};
        }
        const QImage prepared = prepareImage(image, "performOCR()");
        if (language != m_language) {
            qInfo() << "[OCR] performOCR(): language changed from" << m_language.load() << "to" << language;
            m_language = language;
        }
        const char* result = nullptr;
        QString text;
        const bool staged = recognizeStaged(prepared, languages, "performOCR()", [&](const QByteArray& path) {
            result = guardedOcrRecognize(path.constData());
            // Copied before the switch back: the engine's buffer is only promised until its next call.
            text = result ? QString::fromUtf8(result) : QString();
        });
        if (!staged)
            return {};
        if (!result) {
            qWarning("[OCR] performOCR() StepD: OcrRecognize returned NULL");
            return {};
        }
        qInfo() << "[OCR] performOCR() StepE: text length=" << text.size() << "first 200:" << text.left(200);
        qInfo("=== OCR PerformOCR COMPLETED ===");
        return text.trimmed();
    } catch (const std::exception& e) {
        qWarning() << "[OCR] performOCR(): std::exception:" << e.what();
    } catch (...) {
        qWarning("[OCR] performOCR(): unknown exception");
    }
    return {};
}

QList<OcrTextBlockEx> OCRProcessor::performOCRAdvanced(const QImage& image, int language,
                                                       const QString& languages)
{
    qInfo() << "=== OCR PerformOCRAdvanced started ===" << timeStamp() << "size=" << image.size()
            << "format=" << image.format() << "depth=" << image.depth() << "isNull=" << image.isNull();
    QList<OcrTextBlockEx> blocks;
    try {
        std::lock_guard<std::recursive_mutex> lock(engineMutex());
        if (!m_initialized && !initializeLocked()) {
            qWarning("[OCR] performOCRAdvanced(): initialize() FAILED");
            return {};
        }
        if (image.isNull() || image.width() < 1 || image.height() < 1) {
            qWarning("[OCR] performOCRAdvanced(): invalid image");
            return {};
        }
        const QImage prepared = prepareImage(image, "performOCRAdvanced()");
        m_language = language;
        bool empty = true;
        const bool staged = recognizeStaged(prepared, languages, "performOCRAdvanced()", [&](const QByteArray& path) {
            OcrAdvancedResult result = guardedOcrRecognizeAdvancedStruct(path.constData());
            qInfo() << "[OCR] performOCRAdvanced() StepD: block count=" << result.count
                    << "blocks null=" << (result.blocks == nullptr);
            if (result.blocks && result.count > 0) {
                for (quint64 i = 0; i < result.count; ++i) {
                    const OcrBlock& b = result.blocks[i];
                    if (!b.text)
                        continue;
                    OcrTextBlockEx block;
                    block.text = QString::fromUtf8(b.text);
                    block.confidence = b.confidence;
                    block.x1 = b.x1;
                    block.y1 = b.y1;
                    block.x2 = b.x2;
                    block.y2 = b.y2;
                    qInfo().noquote()
                        << "  [OCR] Block" << i << block.text.left(50)
                        << QStringLiteral("pos=(%1,%2)-(%3,%4)").arg(b.x1).arg(b.y1).arg(b.x2).arg(b.y2)
                        << "conf=" << b.confidence;
                    blocks.append(block);
                }
            }
            empty = !result.blocks || result.count == 0;
            try {
                ocrEngineCalls().freeAdvancedResult(&result);
            } catch (...) {
                qWarning("[OCR] performOCRAdvanced(): OcrFreeAdvancedResult threw");
            }
        });
        if (!staged)
            return {};
        if (empty) {
            qWarning("[OCR] performOCRAdvanced() StepD: no blocks returned");
            return {};
        }
        qInfo() << "=== OCR PerformOCRAdvanced COMPLETED, blocks=" << blocks.size();
        return blocks;
    } catch (const std::exception& e) {
        qWarning() << "[OCR] performOCRAdvanced(): std::exception:" << e.what();
    } catch (...) {
        qWarning("[OCR] performOCRAdvanced(): unknown exception");
    }
    return {};
}

bool OCRProcessor::recognizeStaged(const QImage& prepared, const QString& languages, const char* caller,
                                   const std::function<void(const QByteArray& path)>& recognize)
{
    const QString tempPath = saveImageToTemp(prepared);
    if (tempPath.isEmpty() || !QFileInfo::exists(tempPath)) {
        qWarning("[OCR] %s StepC: FAILED to create temp file", caller);
        return false;
    }
    TempFileRemover remover(tempPath);
    QString runPackage;
    if (!languages.isEmpty() && !useLanguagesLocked(languages, &runPackage))
        return false;
    // Switched back however the recognition ends, an exception included: the next caller expects the
    // engine's own languages.
    struct Restore {
        OCRProcessor* self;
        const QString& package;
        ~Restore()
        {
            if (!package.isEmpty())
                self->restoreLanguagesLocked(self->m_modelPath);
        }
    } restore{this, runPackage};
    recognize(ocrPathBytes(tempPath));
    return true;
}

bool OCRProcessor::languagesAvailable(const QString& languages)
{
    std::lock_guard<std::recursive_mutex> lock(engineMutex());
    if (!isValidLanguageList(languages) || (!m_initialized && !initializeLocked()))
        return false;
    QString runPackage;
    if (!useLanguagesLocked(languages, &runPackage))
        return false;
    restoreLanguagesLocked(m_modelPath);
    return true;
}

QSize OCRProcessor::engineImageSize(const QSize& size)
{
    if (size.width() > kMaxWidth || size.height() > kMaxHeight)
        return size.scaled(kMaxWidth, kMaxHeight, Qt::KeepAspectRatio);
    return size;
}

void OCRProcessor::setLanguage(int language)
{
    m_language = language;
    qInfo() << "[OCR] setLanguage(): language=" << language
            << "(note: tessaroocr language is determined by models.bin package)";
}

QMap<int, QString> OCRProcessor::supportedLanguages() const
{
    return {{0, QStringLiteral("Chinese")}, {1, QStringLiteral("English")}, {2, QStringLiteral("Japanese")},
            {3, QStringLiteral("Korean")},  {4, QStringLiteral("French")},  {5, QStringLiteral("German")},
            {6, QStringLiteral("Spanish")}, {7, QStringLiteral("Russian")}};
}
