#include "CliCommands.h"
#include "BookCommands.h"
#include "RecordsCommands.h"
#include "ExportCommands.h"
#include "CodeCommands.h"
#include "OcrCommands.h"
#include "RecordCommands.h"
#include "TicketCommands.h"

#include "BackgroundRemoval.h"
#include "CaptureProcessor.h"
#include "DocumentCrop.h"
#include "ImageConversion.h"
#include "ImageSaver.h"
#include "Matting.h"
#include "OrientationDetector.h"
#include "Watermark.h"

#include <QCoreApplication>

#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QImageWriter>
#include <QRegularExpression>
#include <QSet>

#include <optional>

namespace cli {
namespace {

const char* const kOverview =
    "Usage: lumadoc-cli COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  detect IMAGE                 print the document's corners: x,y x,y x,y x,y\n"
    "  crop IMAGE -o OUT [--upright]\n"
    "                               cut the document out and straighten it\n"
    "  orient IMAGE                 print the page's orientation: 0, 90, 180 or 270\n"
    "  clean IMAGE -o OUT           whiten the background around the writing\n"
    "  idphoto IMAGE -o OUT         cut the person out onto a plain background\n"
    "  watermark IMAGE -o OUT --text TEXT\n"
    "                               stamp a text watermark\n"
    "  pdf IMAGE... -o OUT.pdf      write the images as the pages of one PDF\n"
    "  ofd IMAGE... -o OUT.ofd      write the images as the pages of one OFD document\n"
    "  ocr IMAGE [--lang LANGS] [--blocks]\n"
    "                               print the text in the image\n"
    "  ticket idcard|driver|vat|vehicle IMAGE [--store]\n"
    "                               print the document's fields as one line of JSON\n"
    "  records [--since YYYY-MM-DD] [--counter NAME]\n"
    "                               print the stored ticket records, one line of JSON each\n"
    "  codes IMAGE                  print every barcode and QR code: TYPE<Tab>DATA\n"
    "  flatten IMAGE -o OUT [--double] [--fingers]\n"
    "                               straighten the bowed pages of an open book\n"
    "  record -o OUT.mp4 --seconds N [--size WxH] [--mic]\n"
    "                               record the first camera (and the microphone) into an MP4\n"
    "\n"
    "Run 'lumadoc-cli COMMAND --help' for a command's options.\n"
    "Exit codes: 0 done, 1 nothing found, 2 bad usage or unreadable input, 3 the operation failed.\n";

const char* const kDetectUsage =
    "Usage: lumadoc-cli detect IMAGE\n"
    "Prints the four corners of the document in IMAGE as 'x,y x,y x,y x,y' (pixels, clockwise on screen,\n"
    "starting at the corner nearest the top left). Exits 1 with no output when there is no document.\n";

const char* const kCropUsage =
    "Usage: lumadoc-cli crop IMAGE -o OUT [--upright]\n"
    "Finds the document in IMAGE, cuts it out turned straight and writes it to OUT (its suffix names\n"
    "the format). --upright also turns a page lying sideways or upside down (needs the orientation\n"
    "model). Exits 1 without writing when there is no document.\n";

const char* const kOrientUsage =
    "Usage: lumadoc-cli orient IMAGE\n"
    "Prints how far the page in IMAGE is turned clockwise: 0, 90, 180 or 270. Turning the picture back\n"
    "by that angle makes it upright. Exits 3 when the orientation model is missing.\n";

const char* const kIdPhotoUsage =
    "Usage: lumadoc-cli idphoto IMAGE -o OUT [--background white|red|blue|#rrggbb]\n"
    "Cuts the person out of IMAGE onto a plain background (default white), by the matting model when\n"
    "it is installed, otherwise by GrabCut.\n";

const char* const kCleanUsage =
    "Usage: lumadoc-cli clean IMAGE -o OUT [--mode adaptive|otsu|fixed] [--threshold N]\n"
    "Turns the paper around the writing white. --mode defaults to adaptive; --threshold (0-255,\n"
    "default 127) is used by the fixed mode.\n";

const char* const kWatermarkUsage =
    "Usage: lumadoc-cli watermark IMAGE -o OUT --text TEXT [--tiled] [--angle DEG] [--opacity 0-100]\n"
    "Stamps TEXT on the picture, once in the centre or --tiled over all of it. --angle turns it\n"
    "(-180 to 180, default -45), --opacity sets its strength in percent (default 50).\n";

struct Arguments
{
    QStringList positional;
    QHash<QString, QString> values;
    QSet<QString> flags;
    bool help = false;
    QString error;
};

Arguments parse(const QStringList& args, const QSet<QString>& valueOptions, const QSet<QString>& flagOptions)
{
    Arguments parsed;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            parsed.help = true;
        } else if (valueOptions.contains(arg)) {
            if (i + 1 >= args.size()) {
                parsed.error = QStringLiteral("option %1 needs a value").arg(arg);
                return parsed;
            }
            if (parsed.values.contains(arg)) {
                parsed.error = QStringLiteral("option %1 given twice").arg(arg);
                return parsed;
            }
            parsed.values.insert(arg, args[++i]);
        } else if (flagOptions.contains(arg)) {
            parsed.flags.insert(arg);
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            parsed.error = QStringLiteral("unknown option %1").arg(arg);
            return parsed;
        } else {
            parsed.positional << arg;
        }
    }
    return parsed;
}


// OUT must name a format by its suffix and must not be the input itself.
bool checkOutput(const QString& input, const QString& output, Streams io)
{
    const QByteArray suffix = QFileInfo(output).suffix().toLower().toLatin1();
    if (suffix.isEmpty() || !QImageWriter::supportedImageFormats().contains(suffix)) {
        io.err << "lumadoc-cli: the suffix of " << output << " names no image format that can be written\n";
        return false;
    }
    const QFileInfo in(input);
    const QFileInfo out(output);
    if (out.exists() && in.canonicalFilePath() == out.canonicalFilePath()) {
        io.err << "lumadoc-cli: refusing to overwrite the input " << input << "\n";
        return false;
    }
    return true;
}

int writeOutput(const QImage& image, const QString& output, Streams io)
{
    if (image.isNull()) {
        io.err << "lumadoc-cli: the operation produced no image\n";
        return kOperationFailed;
    }
    // A temporary file in the same folder, then a rename: OUT never holds half a picture.
    if (!saveImageToPath(image, output)) {
        io.err << "lumadoc-cli: cannot write " << output << "\n";
        return kOperationFailed;
    }
    return kSuccess;
}

// Corners clockwise on screen (y grows downwards), starting at the smallest x + y (ties: smaller y).
QString cornerText(const QPolygon& quad)
{
    QVector<QPoint> points(quad.begin(), quad.end());
    long long twiceArea = 0;
    for (int i = 0; i < points.size(); ++i) {
        const QPoint& a = points[i];
        const QPoint& b = points[(i + 1) % points.size()];
        twiceArea += 1LL * a.x() * b.y() - 1LL * b.x() * a.y();
    }
    if (twiceArea < 0)  // counter-clockwise on screen
        std::reverse(points.begin(), points.end());
    int first = 0;
    for (int i = 1; i < points.size(); ++i) {
        const int sum = points[i].x() + points[i].y();
        const int best = points[first].x() + points[first].y();
        if (sum < best || (sum == best && points[i].y() < points[first].y()))
            first = i;
    }
    QStringList parts;
    for (int i = 0; i < points.size(); ++i) {
        const QPoint& p = points[(first + i) % points.size()];
        parts << QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
    }
    return parts.join(QLatin1Char(' '));
}

// The capture's crop step sees the document through this hook, as in the window.
class DocumentCropper : public IDocumentCropper
{
public:
    QImage autoCropWithRotation(const QImage& image, double* angleDeg, QPolygon* outline) override
    {
        QPolygon found;
        const QImage result = ::autoCropWithRotation(image, angleDeg, &found);
        m_found = !found.isEmpty();
        if (outline)
            *outline = found;
        return result;
    }
    bool found() const { return m_found; }

private:
    bool m_found = false;
};

// The capture's straightening step asks the detector through this hook, as in the window.
class OrientationHook : public IOrientationDetector
{
public:
    explicit OrientationHook(OrientationDetector& detector) : m_detector(detector) {}
    bool isModelLoaded() const override { return m_detector.isLoaded(); }
    bool loadModel(const QString& path) override { return m_detector.loadModel(path); }
    int detectOrientation(const QImage& image) override { return m_detector.detect(qImageToMat(image)); }

private:
    OrientationDetector& m_detector;
};

bool loadOrientationModel(OrientationDetector& detector, Streams io)
{
    const QString path = OrientationDetector::defaultModelPath();
    // Checked here first so a missing file gets our one line rather than the detector's as well.
    if (!QFileInfo(path).isFile() || !detector.loadModel(path)) {
        io.err << "lumadoc-cli: the orientation model is missing or unreadable: " << path << "\n";
        return false;
    }
    return true;
}

bool parseInt(const QString& text, int minimum, int maximum, int* value)
{
    bool ok = false;
    const int parsed = text.toInt(&ok);
    if (!ok || parsed < minimum || parsed > maximum)
        return false;
    *value = parsed;
    return true;
}

} // namespace

// The start every one-image command shares: --help, option errors, one IMAGE, and -o OUT when the
// command writes one. Gives the exit code to end with, or nothing when the command goes on.
std::optional<int> checkOneImage(const Arguments& a, const char* name, const char* usage, bool writes, Streams io)
{
    if (a.help) {
        io.out << usage;
        return kSuccess;
    }
    if (!a.error.isEmpty())
        return usageError(io, a.error);
    if (a.positional.size() != 1)
        return usageError(io, QStringLiteral("%1 takes one IMAGE").arg(QLatin1String(name)));
    if (writes && !a.values.contains(QStringLiteral("-o")))
        return usageError(io, QStringLiteral("%1 needs -o OUT").arg(QLatin1String(name)));
    return std::nullopt;
}

int runDetect(const QStringList& args, Streams io)
{
    const Arguments a = parse(args, {}, {});
    if (const std::optional<int> done = checkOneImage(a, "detect", kDetectUsage, false, io))
        return *done;
    const std::optional<QImage> image = readInput(a.positional[0], io);
    if (!image)
        return kBadInput;
    const QPolygon quad = detectDocumentQuad(*image);
    if (quad.size() != 4) {
        io.err << "lumadoc-cli: no document detected\n";
        return kNothingFound;
    }
    io.out << cornerText(quad) << "\n";
    return kSuccess;
}

int runCrop(const QStringList& args, Streams io)
{
    const Arguments a = parse(args, {QStringLiteral("-o")}, {QStringLiteral("--upright")});
    if (const std::optional<int> done = checkOneImage(a, "crop", kCropUsage, true, io))
        return *done;
    const QString output = a.values.value(QStringLiteral("-o"));
    if (!checkOutput(a.positional[0], output, io))
        return kBadInput;
    const std::optional<QImage> image = readInput(a.positional[0], io);
    if (!image)
        return kBadInput;

    // The window's capture with automatic cropping on and the document found on the live picture.
    const QPolygon quad = detectDocumentQuad(*image);
    if (quad.isEmpty()) {
        io.err << "lumadoc-cli: no document detected\n";
        return kNothingFound;
    }
    DocumentCropper cropper;
    CaptureProcessor processor;
    processor.setDocumentCropper(&cropper);
    processor.setApplicationDirectory(QCoreApplication::applicationDirPath());
    OrientationDetector detector;
    OrientationHook orientation(detector);
    const bool upright = a.flags.contains(QStringLiteral("--upright"));
    if (upright) {
        if (!loadOrientationModel(detector, io))
            return kOperationFailed;
        processor.setOrientationDetector(&orientation);
    }
    CaptureRequest request;
    request.isPreviewing = true;
    request.autoCrop = true;
    request.documentQuad = quad;
    request.autoStraighten = upright;
    const CaptureResult result = processor.capture(*image, request);
    if (result.outcome != CaptureOutcome::Finished || !cropper.found()) {
        io.err << "lumadoc-cli: no document detected\n";
        return kNothingFound;
    }
    return writeOutput(result.image, output, io);
}

int runClean(const QStringList& args, Streams io)
{
    const Arguments a =
        parse(args, {QStringLiteral("-o"), QStringLiteral("--mode"), QStringLiteral("--threshold")}, {});
    if (const std::optional<int> done = checkOneImage(a, "clean", kCleanUsage, true, io))
        return *done;
    const QString modeName = a.values.value(QStringLiteral("--mode"), QStringLiteral("adaptive"));
    const QStringList modes{QStringLiteral("adaptive"), QStringLiteral("otsu"), QStringLiteral("fixed")};
    const int mode = modes.indexOf(modeName);
    if (mode < 0)
        return usageError(io, QStringLiteral("--mode must be adaptive, otsu or fixed"));
    int threshold = CaptureProcessor::kDefaultBackgroundThreshold;
    if (a.values.contains(QStringLiteral("--threshold"))
        && !parseInt(a.values.value(QStringLiteral("--threshold")), 0, 255, &threshold))
        return usageError(io, QStringLiteral("--threshold must be a whole number from 0 to 255"));
    const QString output = a.values.value(QStringLiteral("-o"));
    if (!checkOutput(a.positional[0], output, io))
        return kBadInput;
    const std::optional<QImage> image = readInput(a.positional[0], io);
    if (!image)
        return kBadInput;
    return writeOutput(removeBackground(*image, mode, threshold), output, io);
}

int runWatermark(const QStringList& args, Streams io)
{
    const Arguments a = parse(args,
                              {QStringLiteral("-o"), QStringLiteral("--text"), QStringLiteral("--angle"),
                               QStringLiteral("--opacity")},
                              {QStringLiteral("--tiled")});
    if (const std::optional<int> done = checkOneImage(a, "watermark", kWatermarkUsage, true, io))
        return *done;
    const QString text = a.values.value(QStringLiteral("--text"));
    if (text.isEmpty())
        return usageError(io, QStringLiteral("watermark needs a non-empty --text TEXT"));
    WatermarkSettings settings;  // the defaults, not the user's store
    settings.textEnabled = true;
    settings.imageEnabled = false;
    settings.text = text;
    settings.textTiledMode = a.flags.contains(QStringLiteral("--tiled"));
    if (a.values.contains(QStringLiteral("--angle"))
        && !parseInt(a.values.value(QStringLiteral("--angle")), -180, 180, &settings.textRotation))
        return usageError(io, QStringLiteral("--angle must be a whole number from -180 to 180"));
    if (a.values.contains(QStringLiteral("--opacity"))
        && !parseInt(a.values.value(QStringLiteral("--opacity")), 0, 100, &settings.textOpacity))
        return usageError(io, QStringLiteral("--opacity must be a whole number from 0 to 100"));
    const QString output = a.values.value(QStringLiteral("-o"));
    if (!checkOutput(a.positional[0], output, io))
        return kBadInput;
    const std::optional<QImage> image = readInput(a.positional[0], io);
    if (!image)
        return kBadInput;
    return writeOutput(applyWatermark(*image, settings), output, io);
}

int runOrient(const QStringList& args, Streams io)
{
    const Arguments a = parse(args, {}, {});
    if (const std::optional<int> done = checkOneImage(a, "orient", kOrientUsage, false, io))
        return *done;
    const std::optional<QImage> image = readInput(a.positional[0], io);
    if (!image)
        return kBadInput;
    OrientationDetector detector;
    if (!loadOrientationModel(detector, io))
        return kOperationFailed;
    io.out << detector.detect(qImageToMat(*image)) << "\n";
    return kSuccess;
}

int runIdPhoto(const QStringList& args, Streams io)
{
    const Arguments a = parse(args, {QStringLiteral("-o"), QStringLiteral("--background")}, {});
    if (const std::optional<int> done = checkOneImage(a, "idphoto", kIdPhotoUsage, true, io))
        return *done;
    // The panel's colour buttons.
    const QString name = a.values.value(QStringLiteral("--background"), QStringLiteral("white")).toLower();
    QColor background;
    if (name == QLatin1String("white"))
        background = QColor(255, 255, 255);
    else if (name == QLatin1String("red"))
        background = QColor(168, 43, 53);
    else if (name == QLatin1String("blue"))
        background = QColor(61, 145, 206);
    else if (QRegularExpression(QStringLiteral("^#[0-9a-f]{6}$")).match(name).hasMatch())
        background = QColor(name);
    if (!background.isValid())
        return usageError(io, QStringLiteral("--background must be white, red, blue or #rrggbb"));
    const QString output = a.values.value(QStringLiteral("-o"));
    if (!checkOutput(a.positional[0], output, io))
        return kBadInput;
    const std::optional<QImage> image = readInput(a.positional[0], io);
    if (!image)
        return kBadInput;
    const MattingResult result = cutOutPerson(*image, background, image->rect());
    if (result.method == MattingMethod::None || result.image.isNull()) {
        io.err << "lumadoc-cli: no person could be cut out\n";
        return kOperationFailed;
    }
    return writeOutput(result.image, output, io);
}

int run(const QStringList& args, Streams io)
{
    if (args.isEmpty()) {
        io.err << kOverview;
        return kBadInput;
    }
    const QString command = args.first();
    const QStringList rest = args.mid(1);
    if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        io.out << kOverview;
        return kSuccess;
    }
    using Runner = int (*)(const QStringList&, Streams);
    static const std::pair<const char*, Runner> commands[] = {
        {"detect", runDetect}, {"crop", runCrop},         {"orient", runOrient}, {"clean", runClean},
        {"idphoto", runIdPhoto}, {"watermark", runWatermark}, {"pdf", runPdf},  {"ofd", runOfd},
        {"ocr", runOcr},       {"codes", runCodes},       {"flatten", runFlatten},
        {"ticket", runTicket}, {"record", runRecord}, {"records", runRecords}};
    for (const auto& [name, runner] : commands)
        if (command == QLatin1String(name))
            return runner(rest, io);
    return usageError(io, QStringLiteral("unknown command %1").arg(command));
}

int usageError(Streams io, const QString& message)
{
    io.err << "lumadoc-cli: " << message << " (see --help)\n";
    return kBadInput;
}

namespace {
void dropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}
} // namespace

QuietLogs::QuietLogs()
{
    if (!qEnvironmentVariableIsSet("LUMADOC_CLI_VERBOSE")) {
        m_previous = qInstallMessageHandler(dropMessage);
        m_installed = true;
    }
}

QuietLogs::~QuietLogs()
{
    if (m_installed)
        qInstallMessageHandler(m_previous);
}

std::optional<QImage> readInput(const QString& path, Streams io)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        io.err << "lumadoc-cli: cannot read image " << path << ": " << reader.errorString() << "\n";
        return std::nullopt;
    }
    return image;
}

} // namespace cli
