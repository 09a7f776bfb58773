#include "RecordCommands.h"

#include "AppRecordingFactory.h"
#include "CameraController.h"
#include "MediaCaptureWrapper.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimer>

#include <algorithm>

namespace cli {
namespace {

const char* const kRecordUsage =
    "Usage: lumadoc-cli record -o OUT.mp4 --seconds N [--size WxH] [--mic]\n"
    "Records N seconds (1 to 86400) of the first camera that LUMADOC_CAMERA's back end lists (the virtual\n"
    "camera when there is no other) into OUT.mp4, H.264 with AAC sound from the microphone when --mic is\n"
    "given. --size asks the camera for that size (default: 1280x720 when offered). OUT is written as the\n"
    "recording goes, so a recording that is cut short still plays up to the last second or two.\n";

constexpr int kMaxSeconds = 86400;

} // namespace

int runRecord(const QStringList& args, Streams io)
{
    QString output;
    int seconds = 0;
    QSize size;
    bool microphone = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            io.out << kRecordUsage;
            return kSuccess;
        } else if (arg == QLatin1String("-o")) {
            if (!hasValue)
                return usageError(io, QStringLiteral("-o needs a file name"));
            output = args[++i];
        } else if (arg == QLatin1String("--seconds")) {
            bool ok = false;
            seconds = hasValue ? args[++i].toInt(&ok) : 0;
            if (!ok || seconds < 1 || seconds > kMaxSeconds)
                return usageError(
                    io, QStringLiteral("--seconds must be a whole number from 1 to %1").arg(kMaxSeconds));
        } else if (arg == QLatin1String("--size")) {
            const auto match = QRegularExpression(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"))
                                   .match(hasValue ? args[++i] : QString());
            if (!match.hasMatch() || match.captured(1).toInt() < 2 || match.captured(2).toInt() < 2)
                return usageError(io, QStringLiteral("--size must be WIDTHxHEIGHT, e.g. 1280x720"));
            size = QSize(match.captured(1).toInt(), match.captured(2).toInt());
        } else if (arg == QLatin1String("--mic")) {
            microphone = true;
        } else {
            return usageError(io, QStringLiteral("unknown argument %1").arg(arg));
        }
    }
    if (output.isEmpty())
        return usageError(io, QStringLiteral("record needs -o OUT.mp4"));
    if (seconds < 1)
        return usageError(io, QStringLiteral("record needs --seconds N"));
    if (!QFileInfo(QFileInfo(output).absolutePath()).isDir()) {
        io.err << "lumadoc-cli: the folder of " << output << " does not exist\n";
        return kBadInput;
    }

    bool microphoneRuns = false;
    AppRecordingOptions options;
    options.microphone = microphone;
    options.microphoneStarted = [&microphoneRuns](bool started) { microphoneRuns = started; };
    QuietLogs quiet;
    CameraController controller(nullptr,
                                new MediaCaptureWrapper(nullptr, {}, makeAppRecordingFactory(options)));
    if (!controller.initialize() || controller.deviceList().isEmpty()) {
        io.err << "lumadoc-cli: no camera found\n";
        return kOperationFailed;
    }
    const CameraDeviceInfo device = controller.deviceList().first();
    const bool sizeOffered =
        size.isEmpty() || std::any_of(device.resolutions.begin(), device.resolutions.end(),
                                      [&](const CameraResolution& r) { return r.size() == size; });
    if (!sizeOffered) {
        io.err << "lumadoc-cli: " << device.name << " does not offer " << size.width() << "x" << size.height()
               << "\n";
        return kBadInput;
    }
    int fps = 30;
    for (const CameraResolution& r : device.resolutions)
        if (r.size() == size && !r.frameRates.isEmpty())
            fps = r.frameRates.first();
    if (!controller.openDevice(device, size, fps) || !controller.startPreview()) {
        io.err << "lumadoc-cli: cannot open " << device.name << "\n";
        return kOperationFailed;
    }
    if (!controller.startRecording(QFileInfo(output).absoluteFilePath())) {
        io.err << "lumadoc-cli: cannot start recording into " << output << "\n";
        controller.closeDevice();
        return kOperationFailed;
    }
    if (microphone && !microphoneRuns)
        io.err << "lumadoc-cli: no microphone, recording video only\n";
    io.err.flush();

    // The microphone's blocks reach the recorder through this thread's event loop.
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();

    const bool saved = controller.stopRecording();
    controller.stopPreview();
    controller.closeDevice();
    if (!saved) {
        io.err << "lumadoc-cli: the recording could not be finished in " << output << "\n";
        return kOperationFailed;
    }
    io.out << QFileInfo(output).absoluteFilePath() << "\n";
    return kSuccess;
}

} // namespace cli
