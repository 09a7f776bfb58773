// The OCR engine over Tesseract 5. One lock serialises every call: a TessBaseAPI is not safe to use from
// two threads, and the program calls in from the OCR worker, ticket recognition and the export workers.
#include "OcrEngine.h"
#include "OcrLayout.h"

#include <leptonica/allheaders.h>
#include <tesseract/baseapi.h>
#include <tesseract/resultiterator.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <list>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>

namespace {

constexpr const char* kPackageHeader = "LUMADOC-OCR-PACKAGE 1";
constexpr const char* kDefaultLanguages = "chi_sim+eng";
// Loaded language sets kept for a quick switch (the command line's --lang, the package's own set).
constexpr size_t kMaxCachedEngines = 3;

struct PixDeleter
{
    void operator()(Pix* pix) const { pixDestroy(&pix); }
};
using PixPtr = std::unique_ptr<Pix, PixDeleter>;

struct Engine
{
    std::string datapath;
    std::string languages;
    std::unique_ptr<tesseract::TessBaseAPI> api;
    ~Engine()
    {
        if (api)
            api->End();
    }
};

std::mutex g_mutex;
std::list<std::unique_ptr<Engine>> g_engines; // most recently chosen first
Engine* g_current = nullptr;

thread_local std::string t_plainText;
thread_local std::string t_chainedText;

struct Package
{
    std::string languages = kDefaultLanguages;
    std::string datapath;
};

std::string trimmed(const std::string& s)
{
    const size_t begin = s.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return {};
    const size_t end = s.find_last_not_of(" \t\r\n");
    return s.substr(begin, end - begin + 1);
}

// Letters, digits and '_' joined by '+': nothing else ever reaches Tesseract's language loader.
bool validLanguages(const std::string& langs)
{
    if (langs.empty() || langs.front() == '+' || langs.back() == '+')
        return false;
    for (size_t i = 0; i < langs.size(); ++i) {
        const char c = langs[i];
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                        c == '_' || (c == '+' && langs[i - 1] != '+');
        if (!ok)
            return false;
    }
    return true;
}

int readPackage(const char* path, Package* package)
{
    std::ifstream in(path);
    if (!in)
        return kOcrInitPackageUnreadable;
    std::string line;
    if (!std::getline(in, line) || trimmed(line) != kPackageHeader)
        return kOcrInitPackageMalformed;
    while (std::getline(in, line)) {
        line = trimmed(line);
        if (line.empty() || line[0] == '#')
            continue;
        const size_t eq = line.find('=');
        if (eq == std::string::npos)
            return kOcrInitPackageMalformed;
        const std::string key = trimmed(line.substr(0, eq));
        const std::string value = trimmed(line.substr(eq + 1));
        if (key == "languages")
            package->languages = value;
        else if (key == "datapath")
            package->datapath = value;
        // Unknown keys are left for later versions of the package.
    }
    if (!validLanguages(package->languages))
        return kOcrInitPackageMalformed;
    // The package is copied to a staging folder before loading, so a relative folder would point nowhere.
    if (!package->datapath.empty() && package->datapath[0] != '/')
        return kOcrInitPackageMalformed;
    return kOcrInitOk;
}

int initializeLocked(const char* packagePath)
{
    if (!packagePath || !*packagePath)
        return kOcrInitNoPath;
    Package package;
    const int read = readPackage(packagePath, &package);
    if (read != kOcrInitOk)
        return read;
    for (auto it = g_engines.begin(); it != g_engines.end(); ++it) {
        if ((*it)->datapath == package.datapath && (*it)->languages == package.languages) {
            g_engines.splice(g_engines.begin(), g_engines, it);
            g_current = g_engines.front().get();
            return kOcrInitOk;
        }
    }
    // Leptonica reports unreadable files on stderr; the caller gets the error value instead.
    setMsgSeverity(L_SEVERITY_NONE);
    auto engine = std::make_unique<Engine>();
    engine->datapath = package.datapath;
    engine->languages = package.languages;
    engine->api = std::make_unique<tesseract::TessBaseAPI>();
    const char* datapath = package.datapath.empty() ? nullptr : package.datapath.c_str();
    if (engine->api->Init(datapath, package.languages.c_str(), tesseract::OEM_LSTM_ONLY) != 0) {
        engine->api.reset(); // Init failed: End() must not run on a half-made engine
        return kOcrInitEngineFailed;
    }
    // Pages are sparse forms as often as running text: let the layout analysis find the text anywhere.
    engine->api->SetPageSegMode(tesseract::PSM_AUTO);
    // Our own layout decides the spaces; Tesseract's debug chatter stays out of the program's output.
    engine->api->SetVariable("debug_file", "/dev/null");
    g_engines.push_front(std::move(engine));
    g_current = g_engines.front().get();
    while (g_engines.size() > kMaxCachedEngines)
        g_engines.pop_back();
    return kOcrInitOk;
}

// Tesseract's word boxes may take in the line's full height or a little of the neighbours; the ink inside
// them is where the word was printed. `ink` is the engine's binarised page (1 = ink).
void tightenToInk(Pix* ink, ocrlayout::Word* w)
{
    if (!ink)
        return;
    const int width = static_cast<int>(pixGetWidth(ink));
    const int height = static_cast<int>(pixGetHeight(ink));
    const int x1 = std::max(0, w->x1), y1 = std::max(0, w->y1);
    const int x2 = std::min(width, w->x2), y2 = std::min(height, w->y2);
    const l_uint32* data = pixGetData(ink);
    const int wpl = pixGetWpl(ink);
    int left = x2, right = x1 - 1, top = y2, bottom = y1 - 1;
    for (int y = y1; y < y2; ++y) {
        const l_uint32* line = data + static_cast<size_t>(y) * wpl;
        for (int x = x1; x < x2; ++x) {
            if (GET_DATA_BIT(line, x)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < left)
        return; // no ink found: keep Tesseract's box
    w->x1 = left;
    w->y1 = top;
    w->x2 = right + 1;
    w->y2 = bottom + 1;
}

// The words of the current recognition (whole page or the rectangle set), boxes tightened to the ink.
void collectWords(tesseract::TessBaseAPI& api, Pix* ink, float minConfidence,
                  std::vector<ocrlayout::Word>* words)
{
    std::unique_ptr<tesseract::ResultIterator> it(api.GetIterator());
    if (!it)
        return;
    do {
        std::unique_ptr<char[]> text(it->GetUTF8Text(tesseract::RIL_WORD));
        if (!text)
            continue;
        ocrlayout::Word w;
        w.text = text.get();
        w.confidence = it->Confidence(tesseract::RIL_WORD);
        if (w.confidence < minConfidence || (minConfidence > 0.0f && !ocrlayout::looksLikeText(w.text)))
            continue;
        it->BoundingBox(tesseract::RIL_WORD, &w.x1, &w.y1, &w.x2, &w.y2);
        tightenToInk(ink, &w);
        words->push_back(std::move(w));
    } while (it->Next(tesseract::RIL_WORD));
}

// Tesseract's page layout now and then takes a short, isolated piece of text for a picture and skips it:
// a lone Chinese label on a form, a value far from the rest. Ink that no word covers is grouped into
// line-sized regions and read once more, each region as one block of text. Tesseract is shy with its
// confidence on short Chinese words (a correct "伍佰" may get 35), so the bar is low, but a word must
// read like text: rules, stamps and barcodes left uncovered give strokes and lone letters.
constexpr int kMaxSecondPassRegions = 40;
constexpr float kSecondPassMinConfidence = 30.0f;

void readUncoveredInk(tesseract::TessBaseAPI& api, Pix* ink, std::vector<ocrlayout::Word>* words)
{
    if (!ink)
        return;
    PixPtr left(pixCopy(nullptr, ink));
    if (!left)
        return;
    const int pad = 4;
    for (const ocrlayout::Word& w : *words) {
        Box* box = boxCreate(std::max(0, w.x1 - pad), std::max(0, w.y1 - pad), w.x2 - w.x1 + 2 * pad,
                             w.y2 - w.y1 + 2 * pad);
        if (box) {
            pixClearInRect(left.get(), box);
            boxDestroy(&box);
        }
    }
    // Characters of one line merge across letter spacing; lines stay apart.
    PixPtr merged(pixDilateBrick(nullptr, left.get(), 25, 3));
    if (!merged)
        return;
    Boxa* found = pixConnComp(merged.get(), nullptr, 8);
    if (!found)
        return;
    const int width = static_cast<int>(pixGetWidth(ink));
    const int height = static_cast<int>(pixGetHeight(ink));
    int regions = 0;
    const int count = boxaGetCount(found);
    for (int i = 0; i < count && regions < kMaxSecondPassRegions; ++i) {
        l_int32 x, y, w, h;
        if (boxaGetBoxGeometry(found, i, &x, &y, &w, &h) != 0)
            continue;
        // Specks and hairlines are no text; a region taller than a tenth of the page is a picture.
        if (h < 10 || w < 10 || h > std::max(60, height / 6))
            continue;
        // Ink beside a word already read is that word's own (a stroke outside its box, an accent), not a
        // skipped piece of text.
        const bool besideWord = std::any_of(words->begin(), words->end(), [&](const ocrlayout::Word& word) {
            const int reach = std::max(h, word.y2 - word.y1);
            const bool sameLine = std::min(y + h, word.y2) > std::max(y, word.y1);
            const int gap = std::max(word.x1 - (x + w), x - word.x2);
            return sameLine && gap < reach;
        });
        if (besideWord)
            continue;
        ++regions;
        const int margin = std::max(6, h / 3);
        const int rx = std::max(0, x - margin), ry = std::max(0, y - margin);
        api.SetPageSegMode(tesseract::PSM_SINGLE_BLOCK);
        api.SetRectangle(rx, ry, std::min(width, x + w + margin) - rx, std::min(height, y + h + margin) - ry);
        if (api.Recognize(nullptr) == 0)
            collectWords(api, ink, kSecondPassMinConfidence, words);
    }
    api.SetPageSegMode(tesseract::PSM_AUTO);
    boxaDestroy(&found);
}

// Recognises the file and groups the words into rows and pieces. Empty rows when nothing was found.
bool recogniseLocked(const char* imagePath, std::vector<ocrlayout::Row>* rows)
{
    if (!g_current || !imagePath || !*imagePath)
        return false;
    PixPtr pix(pixRead(imagePath));
    if (!pix)
        return false;
    tesseract::TessBaseAPI& api = *g_current->api;
    api.SetImage(pix.get());
    // Camera pictures carry no useful resolution; 300 keeps Tesseract from guessing and warning.
    api.SetSourceResolution(300);
    if (api.Recognize(nullptr) != 0) {
        api.Clear();
        return false;
    }
    std::vector<ocrlayout::Word> words;
    PixPtr ink(api.GetThresholdedImage());
    collectWords(api, ink.get(), 0.0f, &words);
    readUncoveredInk(api, ink.get(), &words);
    api.Clear();
    *rows = ocrlayout::groupWords(std::move(words));
    return true;
}

std::string formatConfidence(float confidence)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", static_cast<double>(confidence));
    return buffer;
}

void zero(OcrAdvancedResult* result)
{
    result->blocks = nullptr;
    result->count = 0;
}

} // namespace

extern "C" {

int OcrInitializeFromPackage(const char* packagePath)
{
    try {
        std::lock_guard<std::mutex> lock(g_mutex);
        return initializeLocked(packagePath);
    } catch (...) {
        return kOcrInitInternalError;
    }
}

const char* OcrRecognize(const char* imagePath)
{
    try {
        std::vector<ocrlayout::Row> rows;
        {
            std::lock_guard<std::mutex> lock(g_mutex);
            if (!recogniseLocked(imagePath, &rows))
                return nullptr;
        }
        // One line per row; pieces of a row keep their order, one space apart unless CJK meets CJK.
        std::string text;
        for (const ocrlayout::Row& row : rows) {
            std::string line;
            for (const ocrlayout::Word& piece : row.pieces)
                line = ocrlayout::joinWords(line, piece.text);
            if (line.empty())
                continue;
            if (!text.empty())
                text += '\n';
            text += line;
        }
        if (text.empty())
            return nullptr;
        t_plainText = std::move(text);
        return t_plainText.c_str();
    } catch (...) {
        return nullptr;
    }
}

const char* OcrRecognizeAdvanced(const char* imagePath)
{
    try {
        std::vector<ocrlayout::Row> rows;
        {
            std::lock_guard<std::mutex> lock(g_mutex);
            if (!recogniseLocked(imagePath, &rows))
                return nullptr;
        }
        std::string chained;
        for (const ocrlayout::Row& row : rows) {
            for (const ocrlayout::Word& b : row.pieces) {
                chained += "<" + b.text + "(" + formatConfidence(b.confidence) + ")>(" +
                           std::to_string(b.x1) + "," + std::to_string(b.y1) + "," + std::to_string(b.x2) +
                           "," + std::to_string(b.y2) + ")";
            }
        }
        if (chained.empty())
            return nullptr;
        t_chainedText = std::move(chained);
        return t_chainedText.c_str();
    } catch (...) {
        return nullptr;
    }
}

OcrAdvancedResult OcrRecognizeAdvancedStruct(const char* imagePath)
{
    OcrAdvancedResult result;
    zero(&result);
    try {
        std::vector<ocrlayout::Row> rows;
        {
            std::lock_guard<std::mutex> lock(g_mutex);
            if (!recogniseLocked(imagePath, &rows))
                return result;
        }
        size_t count = 0;
        size_t textBytes = 0;
        for (const ocrlayout::Row& row : rows) {
            count += row.pieces.size();
            for (const ocrlayout::Word& b : row.pieces)
                textBytes += b.text.size() + 1;
        }
        if (count == 0)
            return result;
        // One allocation holds the array and the texts behind it, so freeing needs only the array pointer.
        char* memory = static_cast<char*>(std::calloc(1, count * sizeof(OcrBlock) + textBytes));
        if (!memory)
            return result;
        auto* blocks = reinterpret_cast<OcrBlock*>(memory);
        char* texts = memory + count * sizeof(OcrBlock);
        size_t i = 0;
        for (const ocrlayout::Row& row : rows) {
            for (const ocrlayout::Word& b : row.pieces) {
                std::memcpy(texts, b.text.c_str(), b.text.size() + 1);
                blocks[i] = OcrBlock{texts, b.confidence, b.x1, b.y1, b.x2, b.y2, 0};
                texts += b.text.size() + 1;
                ++i;
            }
        }
        result.blocks = blocks;
        result.count = count;
        return result;
    } catch (...) {
        zero(&result);
        return result;
    }
}

void OcrFreeAdvancedResult(OcrAdvancedResult* result)
{
    if (!result)
        return;
    std::free(result->blocks);
    zero(result);
}

void OcrCleanup(void)
{
    try {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_current = nullptr;
        g_engines.clear();
    } catch (...) {
    }
}

} // extern "C"
