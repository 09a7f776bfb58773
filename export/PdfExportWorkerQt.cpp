#include "PdfExportWorkerQt.h"

#include <QDebug>
#include <QFileInfo>
#include <QImageReader>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

PdfExportWorkerQt::PdfExportWorkerQt(const QString& imagePath, const QList<TextBox>& textBoxes,
                                     const QString& outputPath, QObject* parent)
    : QObject(parent), m_imagePath(imagePath), m_textBoxes(textBoxes), m_outputPath(outputPath)
{
}

void PdfExportWorkerQt::process()
{
    qInfo() << "=== Starting Qt-based PDF Export ===";
    qInfo().noquote() << "Image path:" << m_imagePath;
    qInfo().noquote() << "Output path:" << m_outputPath;
    qInfo() << "Text blocks count:" << m_textBoxes.size();

    emit progress(10, QStringLiteral("正在加载图片..."));
    QImageReader reader(m_imagePath);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        emit error(QStringLiteral("无法加载图片文件: ") + m_imagePath);
        emit finished();
        return;
    }
    qInfo().noquote() << "Image loaded:" << m_imagePath;
    qInfo() << "Image size:" << image.width() << "x" << image.height() << "pixels";

    emit progress(30, QStringLiteral("正在创建PDF文档..."));
    // Written beside the target and moved into place only when complete: an older file of that name
    // never counts as this export's success, and a failure never leaves half a document.
    QSaveFile file(m_outputPath);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning().noquote() << "[PDF-Export] cannot open" << m_outputPath << file.errorString();
        emit error(QStringLiteral("PDF文件创建失败"));
        emit finished();
        return;
    }
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("Lumadoc"));
    writer.setPageSize(
        QPageSize(QSizeF(image.width(), image.height()), QPageSize::Point, QString(), QPageSize::FuzzyMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    qInfo() << "PDF page size:" << image.width() << "x" << image.height() << "points";
    qInfo() << "PDF resolution:" << writer.resolution();
    qInfo() << "PDF internal resolution:" << writer.logicalDpiX();

    emit progress(50, QStringLiteral("正在绘制内容..."));
    QPainter painter;
    if (!painter.begin(&writer)) {
        file.cancelWriting();
        emit error(QStringLiteral("PDF文件创建失败"));
        emit finished();
        return;
    }
    // From here on the painter counts in points, which are image pixels.
    const double scale = writer.resolution() / 72.0;
    qInfo() << "DPI scale factor:" << scale;
    qInfo() << "Drawing size:" << image.width() * scale << "x" << image.height() * scale;
    painter.scale(scale, scale);
    painter.drawImage(QRectF(0, 0, image.width(), image.height()), image);
    qInfo() << "Background image drawn with DPI compensation";

    emit progress(70, QStringLiteral("正在添加文本层..."));
    const TextLayerWriter textLayer(&writer);
    painter.setPen(QColor(0, 0, 0, 0));
    const int count = m_textBoxes.size();
    for (int i = 0; i < count; ++i) {
        textLayer.draw(painter, m_textBoxes[i]);
        emit progress(70 + (25 * i) / count, QStringLiteral("正在添加文本块 %1/%2").arg(i + 1).arg(count));
    }
    qInfo() << "Added" << count << "text blocks";

    painter.end();
    emit progress(100, QStringLiteral("PDF生成完成"));
    if (file.commit()) {
        const QFileInfo info(m_outputPath);
        qInfo().noquote() << "PDF file created:" << info.absoluteFilePath();
        qInfo() << "File size:" << info.size() << "bytes";
        emit resultReady(m_outputPath);
    } else {
        qWarning().noquote() << "[PDF-Export] cannot finish" << m_outputPath << file.errorString();
        emit error(QStringLiteral("PDF文件创建失败"));
    }
    emit finished();
}
