#include "ExportTestTools.h"

#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QVector>

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

double characterErrorRate(const QString& truth, const QString& recognised)
{
    QString a = truth;
    QString b = recognised;
    a.remove(QRegularExpression(QStringLiteral("\\s")));
    b.remove(QRegularExpression(QStringLiteral("\\s")));
    if (a.isEmpty())
        return b.isEmpty() ? 0.0 : 1.0;
    QVector<int> row(b.size() + 1);
    for (int j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (int i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = i;
        for (int j = 1; j <= b.size(); ++j) {
            const int above = row[j];
            row[j] = qMin(qMin(row[j] + 1, row[j - 1] + 1), diagonal + (a[i - 1] == b[j - 1] ? 0 : 1));
            diagonal = above;
        }
    }
    return double(row[b.size()]) / a.size();
}

} // namespace exporttest
