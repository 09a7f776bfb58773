#pragma once
// The capture workflow's parts the window owns; shared by the files that build and destroy them.
#include "AutoCaptureStateMachine.h"
#include "CaptureStore.h"
#include "CaptureProcessor.h"
#include "FileNamer.h"
#include "ImageSaver.h"
#include "ScanSession.h"
#include "ZBarCodeDecoder.h"
#include "ImagingSteps.h"
#include "SinglePageExporters.h"
#include "MainWindow.h"

#include <memory>

class QTimer;
class ScannerGunBuffer;
class ScanResultPanel;
class QNetworkAccessManager;

struct MainWindow::CaptureParts {
    std::unique_ptr<CaptureProcessor> processor;
    std::unique_ptr<ImagingSteps> steps;  // after the processor: it goes first, nothing calls it then
    std::unique_ptr<AutoCaptureStateMachine> autoCapture;
    std::unique_ptr<FileNamer> namer;
    CaptureStore* store = nullptr;
    // Formats 4 and 5 of a single capture; the saver holds them by pointer.
    PdfSinglePageExporter pdfExporter;
    OfdSinglePageExporter ofdExporter;
    ScannerGunBuffer* scannerGun = nullptr;
    QTimer* timer = nullptr;
};

// "Scan Code": the repeat guard, the decoder that names captures by their code, the result panel.
struct MainWindow::ScanParts {
    ScanSession session;
    ZBarCodeDecoder decoder;
    ScanResultPanel* panel = nullptr;
    QNetworkAccessManager* network = nullptr;
};
