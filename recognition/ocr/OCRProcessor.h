#pragma once

#include <functional>
// The program's one door to the OCR engine: stages the model package, writes each picture to a private
// temporary JPEG, calls the engine under a guard and hands back text or blocks. Every call into the
// engine goes through one lock, so the OCR worker, ticket recognition and export workers may all call in
// at once, and a re-initialisation waits for a running recognition.
#include "OcrEngine.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QMap>
#include <QMetaType>
#include <QObject>
#include <QString>

#include <atomic>
#include <mutex>

// One recognised block. Coordinates are pixels of the image the engine was given, that is after the
// down-scaling to 1920x1080 (right and bottom edges exclusive).
struct OcrTextBlockEx
{
    QString text;
    float confidence = 0.0f; // 0-100
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
};
Q_DECLARE_METATYPE(OcrTextBlockEx)
Q_DECLARE_METATYPE(QList<OcrTextBlockEx>)

// The six engine functions as the adapter calls them. The real library by default; a test swaps in
// functions that fail or throw to check that the adapter survives them.
struct OcrEngineCalls
{
    int (*initializeFromPackage)(const char*) = &OcrInitializeFromPackage;
    const char* (*recognize)(const char*) = &OcrRecognize;
    const char* (*recognizeAdvanced)(const char*) = &OcrRecognizeAdvanced;
    OcrAdvancedResult (*recognizeAdvancedStruct)(const char*) = &OcrRecognizeAdvancedStruct;
    void (*freeAdvancedResult)(OcrAdvancedResult*) = &OcrFreeAdvancedResult;
    void (*cleanup)() = &OcrCleanup;
};
// Replaces the calls (all at once); a default-constructed record restores the real library.
void setOcrEngineCalls(const OcrEngineCalls& calls);
OcrEngineCalls ocrEngineCalls();

// The folder holding "models.bin": QCoreApplication::applicationDirPath() unless set (tests, tools).
QString ocrApplicationDir();
void setOcrApplicationDir(const QString& dir);

// A private folder of the current user with an ASCII-only path: $XDG_RUNTIME_DIR/ld_ocr, else
// <temp>/ld_ocr-<uid>, created with mode 0700; a folder of that name owned by someone else, or a symlink,
// is never used. Empty when none qualifies.
QString ocrStagingDir();
// The staged copy of the application folder's "models.bin", refreshed when the source changed (size,
// or modification time by a whole second); empty when there is no source or no staging folder.
QString ocrStagedModelPath();
// The path as the engine takes it (local 8-bit encoding).
QByteArray ocrPathBytes(const QString& path);

// Calls into the engine that turn a C++ exception escaping the call into the failure value. They take
// the adapter's engine lock, so they are safe beside the adapter's own recognitions.
int guardedOcrInitialize(const char* path);                            // -999 after a fault
const char* guardedOcrRecognize(const char* path);                     // null after a fault
const char* guardedOcrRecognizeAdvanced(const char* path);             // null after a fault
OcrAdvancedResult guardedOcrRecognizeAdvancedStruct(const char* path); // all-zero after a fault

class OCRProcessor : public QObject
{
    Q_OBJECT
public:
    static OCRProcessor* instance();
    // The program uses instance(); a test makes its own to start from the uninitialised state.
    OCRProcessor();
    ~OCRProcessor() override;

    // Idempotent; stages and loads the models on the first success. Waits for a running recognition.
    bool initialize();

    // `language` (a number of supportedLanguages) is recorded only: the package fixes the languages.
    // `languages`, when not empty, is a Tesseract language list ("chi_sim", "chi_sim+eng") used for this
    // call only; the package's own set is back in place afterwards. An invalid list fails the call.
    QString performOCR(const QImage& image, int language, const QString& languages = QString());
    QList<OcrTextBlockEx> performOCRAdvanced(const QImage& image, int language,
                                             const QString& languages = QString());

    void setLanguage(int language);
    QMap<int, QString> supportedLanguages() const;

    // Whether the engine can load this language list (its data files are installed). Initialises first.
    bool languagesAvailable(const QString& languages);

    // The size of the picture the engine is given for an input of `size`: at most 1920x1080, the aspect
    // kept. Block coordinates are in this size.
    static QSize engineImageSize(const QSize& size);

    // Whether a Tesseract language list is well-formed: codes of letters, digits and '_' joined by '+'.
    static bool isValidLanguageList(const QString& languages);

private:
    bool loadModels();
    bool initializeLocked();
    QImage prepareImage(const QImage& image, const char* operation);
    bool useLanguagesLocked(const QString& languages, QString* packagePath);
    void restoreLanguagesLocked(const QString& packagePath);
    QImage preprocessImage(const QImage& image);
    QString saveImageToTemp(const QImage& image);
    // Stages `prepared` as a temporary picture, switches the engine to `languages` for this one run
    // (none: as it is), calls `recognize` with the picture's path and switches back. False when the
    // staging or the switch failed; `caller` names the log lines. Call with the engine lock held.
    bool recognizeStaged(const QImage& prepared, const QString& languages, const char* caller,
                         const std::function<void(const QByteArray& path)>& recognize);

    std::atomic<int> m_language{0};
    bool m_initialized = false;
    bool m_ocrInitialized = false;
    QString m_modelPath; // the package the engine was loaded from
};
