#pragma once
// Captures with known pixels, saved where a test can delete them, and the log lines the code writes.

#include "TestSupport.h"
#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtGlobal>

namespace gallerytest {

// A capture filled with one colour, so an image read back can be told apart from its neighbours.
inline QImage capture(int shade, int width = 800, int height = 600)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(shade, 255 - shade, (shade * 7) % 256));
    return image;
}

inline QRgb centrePixel(const QImage& image) { return image.pixel(image.width() / 2, image.height() / 2); }

// A folder of saved captures that goes away with the test.
class CaptureFolder
{
public:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString save(const QString& name, const QImage& image) const
    {
        const QString file = path(name);
        image.save(file);
        return file;
    }

private:
    QTemporaryDir m_dir;
};

using testsupport::LogCapture;

} // namespace gallerytest
