#pragma once
// The gallery's "Save as PDF" / "Save as OFD": asks where, hands the selected captures to the writer on
// a pool thread (one export at a time), shows its progress, and afterwards offers to delete the source
// images. Captures are referred to by their stable ids, so items deleted or cleared while the export
// runs are never touched, and pages travel as file paths (pixels only for captures without a file).

#include "PageSource.h"
#include "PdfExport.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QVector>

#include <atomic>
#include <functional>
#include <memory>

class GalleryModel;
class QDialog;
class QSettings;
class QWidget;
template <typename T>
class QFutureWatcher;

enum class ExportKind { Pdf, Ofd };

class ExportSession : public QObject
{
    Q_OBJECT
public:
    struct Environment
    {
        std::function<int(QDialog&)> execDialog;  // default: QDialog::exec
        // A message box: QMessageBox::Icon, title, text.
        std::function<void(int, const QString&, const QString&)> message;
        std::function<bool(const QString& filePath)> openFile;  // default: the desktop's application
        // The per-kind store of the last folder; default QSettings("LumadocApp", "PDFExport"/"OFDExport").
        std::function<std::unique_ptr<QSettings>(ExportKind)> openStore;
        // The text of one page of a searchable PDF, on the export's thread; default: the OCR adapter.
        PageTextReader readPageText;
    };

    // What the window's settings say about names and folders at the moment of the export.
    struct Naming
    {
        int namingMethod = 0;
        QString filePrefix;
        int fileNumber = 1;
        QString saveDirectory;  // the capture folder: the default export folder
    };

    struct Outcome
    {
        bool ok = false;
        ExportReport report;
    };

    ExportSession(GalleryModel* gallery, Environment env, QWidget* dialogParent);
    ~ExportSession() override;

    void exportSelection(ExportKind kind, const Naming& naming);
    bool isRunning() const { return m_watcher != nullptr; }
    // Stops the running export after the page in hand; it then leaves no file.
    void cancel();

    // The file name offered (without extension): "<prefix>_<number, 4 digits>" for the numbered naming
    // methods (1 and 3; the number is not taken), else "IMG_yyyyMMdd_hhmmss".
    static QString proposedBaseName(const Naming& naming, const QDateTime& now);
    // The name typed (trimmed; empty: "yyyyMMdd") with the kind's extension unless it already has it.
    static QString finalFileName(const QString& typed, ExportKind kind, const QDate& today);

signals:
    void statusMessage(const QString& text, int durationMs);
    void runningChanged(bool running);
    // Pages written so far; the status bar's own text is taken by other messages meanwhile.
    void progressChanged(int pagesDone, int pageCount);
    // After the completion dialog (and any deletion) of one export.
    void exportFinished(bool ok);

private:
    struct Run;
    void onFinished();
    void onProgress(int done, int total);

    GalleryModel* m_gallery;
    Environment m_env;
    QWidget* m_dialogParent;
    std::unique_ptr<Run> m_run;
    QFutureWatcher<Outcome>* m_watcher = nullptr;
    std::shared_ptr<std::atomic<bool>> m_stop = std::make_shared<std::atomic<bool>>(false);
};
