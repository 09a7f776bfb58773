#pragma once
// Turning Tesseract's words into the short label and value pieces that ticket parsing reads.
#include <string>
#include <vector>

namespace ocrlayout {

struct Word
{
    std::string text; // UTF-8
    float confidence = 0.0f;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0; // right and bottom exclusive
};

struct Row
{
    std::vector<Word> pieces; // left to right, each piece's text joined from its words
};

// A row piece ends only where the gap to the next word is wider than this many character heights.
// Printed labels are often letter-spaced by about one character ("姓 名"), so the split must sit well
// above that; a label and its value on a form are usually farther apart than that.
constexpr double kSplitGapInHeights = 2.5;

// Words grouped into rows (top to bottom; words that overlap vertically by half the smaller height
// share a row), each row cut into pieces at wide gaps. Words with empty text are dropped.
std::vector<Row> groupWords(std::vector<Word> words);

// Joins two texts as they read: a space between them unless either side of the joint is a CJK character
// or CJK punctuation.
std::string joinWords(const std::string& left, const std::string& right);

// Whether a word read from leftover ink is text rather than strokes read as letters: it holds a CJK
// character or two letters or digits, and those make up at least half of it.
bool looksLikeText(const std::string& text);

} // namespace ocrlayout
