#include "ExportTestTools.h"

#include <QFile>
#include <QPainter>
#include <QProcess>

namespace exporttest {

ToolResult runTool(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    ToolResult result;
    if (!process.waitForStarted(10000) || !process.waitForFinished(60000) ||
        process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

QImage quadrants(int width, int height, QImage::Format format)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    const int hw = width / 2;
    const int hh = height / 2;
    painter.fillRect(0, 0, hw, hh, Qt::red);
    painter.fillRect(hw, 0, width - hw, hh, Qt::green);
    painter.fillRect(0, hh, hw, height - hh, Qt::blue);
    painter.fillRect(hw, hh, width - hw, height - hh, Qt::white);
    painter.end();
    return image.convertToFormat(format);
}

QColor colourAt(const QImage& image, double fx, double fy)
{
    return image.pixelColor(qBound(0, int(fx * image.width()), image.width() - 1),
                            qBound(0, int(fy * image.height()), image.height() - 1));
}

bool near(const QColor& a, const QColor& b, int tolerance)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance &&
           qAbs(a.blue() - b.blue()) <= tolerance;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace exporttest
