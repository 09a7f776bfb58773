#include "PageLoading.h"

#include <QImageReader>

namespace pageloading {

QImage readPage(const PageSource& source, bool* standIn, QString* fileError)
{
    *standIn = false;
    if (source.path.isEmpty()) {
        *standIn = source.imageIsThumbnail && !source.image.isNull();
        return source.image;
    }
    QImageReader reader(source.path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (!image.isNull())
        return image;
    if (fileError)
        *fileError = reader.errorString();
    if (!source.image.isNull()) {
        *standIn = true;
        return source.image;
    }
    return QImage();
}

QImage capLongerSide(const QImage& image, int maxSide)
{
    if (image.isNull() || maxSide <= 0)
        return image;
    const int w = image.width();
    const int h = image.height();
    if (qMax(w, h) <= maxSide)
        return image;
    // 64-bit products: a 40000-pixel side times 2400 still fits.
    const QSize target = w >= h ? QSize(maxSide, qMax(1, int(qint64(h) * maxSide / w)))
                                : QSize(qMax(1, int(qint64(w) * maxSide / h)), maxSide);
    return image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace pageloading
