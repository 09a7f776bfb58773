#pragma once
// The OCR engine library: six plain functions over Tesseract 5, callable from any thread. Every call is
// serialised inside the library, and no exception leaves it: failures come back as error values.
//
// Paths are narrow strings in the local 8-bit encoding (UTF-8 on Linux). Texts are NUL-terminated UTF-8.
//
// The model package ("models.bin") is a small text file of key=value lines:
//   LUMADOC-OCR-PACKAGE 1            (first line, required)
//   languages=chi_sim+eng            (Tesseract language codes joined by '+'; default chi_sim+eng)
//   datapath=/usr/share/...          (absolute folder holding the .traineddata files; empty or missing:
//                                     Tesseract's own default)
// Lines starting with '#' and blank lines are ignored.

#include <cstddef>
#include <cstdint>

#if defined(LUMADOC_OCRENGINE_BUILDING)
#define LUMADOC_OCR_EXPORT __attribute__((visibility("default")))
#else
#define LUMADOC_OCR_EXPORT
#endif

extern "C" {

// One recognised block: a short piece of one text line (a label, a value, a phrase).
struct OcrBlock
{
    const char* text; // UTF-8, may be null
    float confidence; // 0-100, the mean of the block's word confidences
    int32_t x1;       // box in pixels of the image file, right and bottom edges exclusive
    int32_t y1;
    int32_t x2;
    int32_t y2;
    int32_t padding;
};

struct OcrAdvancedResult
{
    OcrBlock* blocks; // null when nothing was recognised
    uint64_t count;
};

// Error codes of OcrInitializeFromPackage.
enum OcrInitError : int
{
    kOcrInitOk = 0,
    kOcrInitNoPath = 1, // null or empty path
    kOcrInitPackageUnreadable = 2,
    kOcrInitPackageMalformed = 3, // no header line, a bad language list or a relative data path
    kOcrInitEngineFailed = 4,     // Tesseract could not load the language data
    kOcrInitInternalError = 5,    // an exception inside the library
};

// Loads the package and makes the engine ready; 0 on success, else an OcrInitError. A later call with
// another package switches the language set; engines already loaded are kept for a quick switch back.
LUMADOC_OCR_EXPORT int OcrInitializeFromPackage(const char* packagePath);

// The page's text, one line per text line, or null when nothing was recognised or on failure. The
// buffer belongs to the library and stays valid until the calling thread's next OcrRecognize.
LUMADOC_OCR_EXPORT const char* OcrRecognize(const char* imagePath);

// The blocks as chained text: "<" text "(" confidence ")>(" x1 "," y1 "," x2 "," y2 ")" per block, no
// separator. Null when nothing was recognised. Valid until the calling thread's next call of this function.
LUMADOC_OCR_EXPORT const char* OcrRecognizeAdvanced(const char* imagePath);

// The blocks in reading order (rows top to bottom, pieces left to right). The array and its texts stay
// valid until OcrFreeAdvancedResult; all-zero when nothing was recognised or on failure.
LUMADOC_OCR_EXPORT OcrAdvancedResult OcrRecognizeAdvancedStruct(const char* imagePath);

// Releases what OcrRecognizeAdvancedStruct returned and zeroes the record. Null or zero records are fine.
LUMADOC_OCR_EXPORT void OcrFreeAdvancedResult(OcrAdvancedResult* result);

// Releases every loaded engine; the next recognition fails until OcrInitializeFromPackage succeeds again.
LUMADOC_OCR_EXPORT void OcrCleanup(void);

} // extern "C"

// The records cross the library boundary as raw memory: their layout is fixed (64-bit, little-endian).
static_assert(sizeof(void*) == 8, "the OCR records are laid out for 64-bit pointers");
static_assert(sizeof(OcrBlock) == 32, "OcrBlock is 32 bytes");
static_assert(offsetof(OcrBlock, text) == 0, "OcrBlock.text at 0");
static_assert(offsetof(OcrBlock, confidence) == 8, "OcrBlock.confidence at 8");
static_assert(offsetof(OcrBlock, x1) == 12, "OcrBlock.x1 at 12");
static_assert(offsetof(OcrBlock, y1) == 16, "OcrBlock.y1 at 16");
static_assert(offsetof(OcrBlock, x2) == 20, "OcrBlock.x2 at 20");
static_assert(offsetof(OcrBlock, y2) == 24, "OcrBlock.y2 at 24");
static_assert(sizeof(float) == 4, "confidence is a 32-bit float");
static_assert(sizeof(OcrAdvancedResult) == 16, "OcrAdvancedResult is 16 bytes");
static_assert(offsetof(OcrAdvancedResult, blocks) == 0, "OcrAdvancedResult.blocks at 0");
static_assert(offsetof(OcrAdvancedResult, count) == 8, "OcrAdvancedResult.count at 8");
