#include "OcrLayout.h"

#include <algorithm>
#include <cstdint>

namespace ocrlayout {
namespace {

// Decodes the first or last code point of a UTF-8 string; 0 for an empty one.
uint32_t decodeAt(const std::string& s, size_t start)
{
    const auto b = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char c = b(start);
    if (c < 0x80)
        return c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    uint32_t cp = c & (0x3F >> extra);
    for (int i = 1; i <= extra && start + i < s.size(); ++i)
        cp = (cp << 6) | (b(start + i) & 0x3F);
    return cp;
}

uint32_t firstCodePoint(const std::string& s)
{
    return s.empty() ? 0 : decodeAt(s, 0);
}

uint32_t lastCodePoint(const std::string& s)
{
    if (s.empty())
        return 0;
    size_t i = s.size() - 1;
    while (i > 0 && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80)
        --i;
    return decodeAt(s, i);
}

bool isCjk(uint32_t cp)
{
    return (cp >= 0x2E80 && cp <= 0x9FFF)    // radicals, CJK punctuation, kana, unified ideographs
           || (cp >= 0xAC00 && cp <= 0xD7AF) // Hangul
           || (cp >= 0xF900 && cp <= 0xFAFF) // compatibility ideographs
           || (cp >= 0xFE30 && cp <= 0xFE4F) // CJK compatibility forms
           || (cp >= 0xFF00 && cp <= 0xFFEF) // full-width forms: ，：（）
           || (cp >= 0x20000 && cp <= 0x2FA1F);
}

int height(const Word& w)
{
    return std::max(1, w.y2 - w.y1);
}

} // namespace

bool looksLikeText(const std::string& text)
{
    int total = 0, cjk = 0, alnum = 0;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const size_t length = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        const uint32_t cp = decodeAt(text, i);
        i += length;
        ++total;
        if (isCjk(cp) && !(cp >= 0x3000 && cp <= 0x303F) && !(cp >= 0xFF00 && cp <= 0xFF0F))
            ++cjk;
        else if ((cp >= '0' && cp <= '9') || (cp >= 'A' && cp <= 'Z') || (cp >= 'a' && cp <= 'z'))
            ++alnum;
    }
    return (cjk > 0 || alnum >= 2) && 2 * (cjk + alnum) >= total;
}

std::string joinWords(const std::string& left, const std::string& right)
{
    if (left.empty())
        return right;
    if (right.empty())
        return left;
    if (isCjk(lastCodePoint(left)) || isCjk(firstCodePoint(right)))
        return left + right;
    return left + " " + right;
}

std::vector<Row> groupWords(std::vector<Word> words)
{
    words.erase(std::remove_if(
                    words.begin(), words.end(),
                    [](const Word& w) { return w.text.find_first_not_of(" \t\r\n") == std::string::npos; }),
                words.end());
    std::sort(words.begin(), words.end(),
              [](const Word& a, const Word& b) { return a.y1 + a.y2 < b.y1 + b.y2; });

    // Rows by vertical overlap with the row's running extent.
    struct RowBuild
    {
        int y1, y2;
        std::vector<Word> words;
    };
    std::vector<RowBuild> rows;
    for (Word& w : words) {
        RowBuild* home = nullptr;
        for (RowBuild& r : rows) {
            const int overlap = std::min(r.y2, w.y2) - std::max(r.y1, w.y1);
            const int smaller = std::min(r.y2 - r.y1, height(w));
            if (overlap * 2 >= smaller) {
                home = &r;
                break;
            }
        }
        if (!home) {
            rows.push_back({w.y1, w.y2, {}});
            home = &rows.back();
        } else {
            home->y1 = std::min(home->y1, w.y1);
            home->y2 = std::max(home->y2, w.y2);
        }
        home->words.push_back(std::move(w));
    }
    std::sort(rows.begin(), rows.end(), [](const RowBuild& a, const RowBuild& b) { return a.y1 < b.y1; });

    std::vector<Row> result;
    for (RowBuild& r : rows) {
        std::sort(r.words.begin(), r.words.end(), [](const Word& a, const Word& b) { return a.x1 < b.x1; });
        // The row's character height: the median word height, so one tall bracket or a low comma does
        // not move the split.
        std::vector<int> heights;
        for (const Word& w : r.words)
            heights.push_back(height(w));
        std::nth_element(heights.begin(), heights.begin() + heights.size() / 2, heights.end());
        const double splitGap = kSplitGapInHeights * heights[heights.size() / 2];

        Row row;
        Word piece;
        int wordsInPiece = 0;
        double confidenceSum = 0.0;
        auto flush = [&]() {
            if (wordsInPiece == 0)
                return;
            piece.confidence = static_cast<float>(confidenceSum / wordsInPiece);
            row.pieces.push_back(piece);
            wordsInPiece = 0;
            confidenceSum = 0.0;
        };
        for (const Word& w : r.words) {
            if (wordsInPiece > 0 && w.x1 - piece.x2 > splitGap)
                flush();
            if (wordsInPiece == 0) {
                piece = w;
            } else {
                piece.text = joinWords(piece.text, w.text);
                piece.x1 = std::min(piece.x1, w.x1);
                piece.y1 = std::min(piece.y1, w.y1);
                piece.x2 = std::max(piece.x2, w.x2);
                piece.y2 = std::max(piece.y2, w.y2);
            }
            confidenceSum += w.confidence;
            ++wordsInPiece;
        }
        flush();
        result.push_back(std::move(row));
    }
    return result;
}

} // namespace ocrlayout
