#pragma once
// Running the command-line tools that check written documents, and pictures with known content.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

namespace exporttest {

struct ToolResult
{
    int exitCode = -1; // -1: the tool did not start or crashed
    QByteArray out;
    QByteArray err;
};

ToolResult runTool(const QString& program, const QStringList& args);

// A picture of `size` split into four coloured quadrants (top left red, top right green, bottom left
// blue, bottom right white), so that a rendered page shows whether it is upright and complete.
QImage quadrants(int width, int height, QImage::Format format = QImage::Format_RGB32);

// The colour at a fraction of a picture's size.
QColor colourAt(const QImage& image, double fx, double fy);

// Whether two colours differ by at most `tolerance` in every channel.
bool near(const QColor& a, const QColor& b, int tolerance);

QByteArray readAll(const QString& path);

// Edit distance over characters with white space removed, divided by the truth's length: how far a
// recognised text is from what was drawn.
double characterErrorRate(const QString& truth, const QString& recognised);

} // namespace exporttest
