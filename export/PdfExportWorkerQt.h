#pragma once
// The searchable (double-layer) PDF of one OCR'd page: the page image with the recognised text laid
// over it invisibly, so that viewers can select, search and copy it. Runs on its own thread; reports
// only through its signals.

#include "TextLayer.h"

#include <QList>
#include <QObject>
#include <QString>

class PdfExportWorkerQt : public QObject
{
    Q_OBJECT
public:
    PdfExportWorkerQt(const QString& imagePath, const QList<TextBox>& textBoxes, const QString& outputPath,
                      QObject* parent = nullptr);

signals:
    void finished();
    void error(QString error);
    void progress(int percentage, QString message);
    void resultReady(QString filePath);

public slots:
    // Writes the document: one page of the image's size in points (1 pixel = 1 point). Emits
    // resultReady when the file is in place, error otherwise, then finished in either case.
    void process();

private:
    QString m_imagePath;
    QList<TextBox> m_textBoxes;
    QString m_outputPath;
};
