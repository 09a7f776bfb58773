#include "CameraDock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QPushButton* iconButton(const char* objectName, const char* icon, QWidget* parent)
{
    auto* b = new QPushButton(parent);
    b->setObjectName(QString::fromLatin1(objectName));
    if (icon)
        b->setIcon(QIcon(QString::fromLatin1(icon)));
    return b;
}

QPushButton* colourButton(const char* objectName, const QColor& colour, QWidget* parent)
{
    auto* b = new QPushButton(parent);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setFixedSize(26, 26);
    b->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid #7f8c8d; border-radius: 3px; }")
                         .arg(colour.name()));
    return b;
}

} // namespace

CameraDock::CameraDock(QWidget* parent) : QDockWidget(parent)
{
    setObjectName(QStringLiteral("cameraDockWidget"));
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("cameraDockScrollArea"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* content = new QWidget(scroll);
    content->setObjectName(QStringLiteral("cameraDockContents"));
    auto* column = new QVBoxLayout(content);
    m_column = column;
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(8);

    // Camera Device
    m_deviceGroup = new QGroupBox(content);
    m_deviceGroup->setObjectName(QStringLiteral("cameraDeviceGroup"));
    deviceCombo = new QComboBox(m_deviceGroup);
    deviceCombo->setObjectName(QStringLiteral("deviceComboBox"));
    resolutionCombo = new QComboBox(m_deviceGroup);
    resolutionCombo->setObjectName(QStringLiteral("resolutionComboBox"));
    m_deviceLabel = new QLabel(m_deviceGroup);
    m_resolutionLabel = new QLabel(m_deviceGroup);
    m_deviceForm = new QFormLayout(m_deviceGroup);
    m_deviceForm->addRow(m_deviceLabel, deviceCombo);
    m_deviceForm->addRow(m_resolutionLabel, resolutionCombo);
    column->addWidget(m_deviceGroup);

    // Camera Control
    m_controlGroup = new QGroupBox(content);
    m_controlGroup->setObjectName(QStringLiteral("cameraControlGroup"));
    rotateLeftButton = iconButton("rotateLeftButton", ":/icons/rotate_left.png", m_controlGroup);
    rotateRightButton = iconButton("rotateRightButton", ":/icons/rotate_right.png", m_controlGroup);
    auto* controlRow = new QHBoxLayout(m_controlGroup);
    controlRow->addWidget(rotateLeftButton);
    controlRow->addWidget(rotateRightButton);
    column->addWidget(m_controlGroup);

    // Advanced Tools
    m_toolsGroup = new QGroupBox(content);
    m_toolsGroup->setObjectName(QStringLiteral("advancedToolsGroup"));
    scanCodeButton = iconButton("scanCodeButton", ":/icons/scan.png", m_toolsGroup);
    ocrButton = iconButton("ocrButton", ":/icons/ocr.png", m_toolsGroup);
    auto* toolsRow = new QHBoxLayout(m_toolsGroup);
    toolsRow->addWidget(scanCodeButton);
    toolsRow->addWidget(ocrButton);
    column->addWidget(m_toolsGroup);

    // Image Processing
    m_processingGroup = new QGroupBox(content);
    m_processingGroup->setObjectName(QStringLiteral("imageProcessingGroup"));
    auto* grid = new QGridLayout(m_processingGroup);
    grid->setVerticalSpacing(6);
    int row = 0;
    autoCropCheck = new QCheckBox(m_processingGroup);
    autoCropCheck->setObjectName(QStringLiteral("autoCropCheckBox"));
    grid->addWidget(autoCropCheck, row++, 0, 1, 4);
    cropDocumentButton = iconButton("cropDocumentButton", ":/icons/crop_select.png", m_processingGroup);
    grid->addWidget(cropDocumentButton, row++, 0, 1, 4);
    autoCaptureCheck = new QCheckBox(m_processingGroup);
    autoCaptureCheck->setObjectName(QStringLiteral("autoCaptureCheckBox"));
    grid->addWidget(autoCaptureCheck, row++, 0, 1, 4);
    timerCaptureCheck = new QCheckBox(m_processingGroup);
    timerCaptureCheck->setObjectName(QStringLiteral("timerCaptureCheckBox"));
    timerCaptureSpin = new QSpinBox(m_processingGroup);
    timerCaptureSpin->setObjectName(QStringLiteral("timerCaptureSpinBox"));
    timerCaptureSpin->setRange(1, 60);
    timerCaptureSpin->setValue(5);
    grid->addWidget(timerCaptureCheck, row, 0, 1, 2);
    grid->addWidget(timerCaptureSpin, row++, 2, 1, 2);
    recordButton = iconButton("recordButton", ":/icons/record.png", m_processingGroup);
    recordTimeLabel = new QLabel(QStringLiteral("00:00:00"), m_processingGroup);
    recordTimeLabel->setObjectName(QStringLiteral("recordTimeLabel"));
    grid->addWidget(recordButton, row, 0, 1, 2);
    grid->addWidget(recordTimeLabel, row++, 2, 1, 2);
    // The ID-photo controls sit in one container, so a camera without ID-photo support greys them out
    // together and nothing else.
    idPhotoContainer = new QWidget(m_processingGroup);
    idPhotoContainer->setObjectName(QStringLiteral("idPhotoContainer"));
    auto* idPhotoColumn = new QVBoxLayout(idPhotoContainer);
    idPhotoColumn->setContentsMargins(0, 0, 0, 0);
    idPhotoCheck = new QCheckBox(idPhotoContainer);
    idPhotoCheck->setObjectName(QStringLiteral("mattingCheckBox"));
    idPhotoColumn->addWidget(idPhotoCheck);
    idRedButton = colourButton("idPhotoRedButton", QColor(168, 43, 53), idPhotoContainer);
    idBlueButton = colourButton("idPhotoBlueButton", QColor(61, 145, 206), idPhotoContainer);
    idWhiteButton = colourButton("idPhotoWhiteButton", Qt::white, idPhotoContainer);
    idCustomButton = new QPushButton(idPhotoContainer);
    idCustomButton->setObjectName(QStringLiteral("idPhotoCustomButton"));
    idCustomButton->setFixedSize(70, 26);
    idCustomButton->setStyleSheet(QStringLiteral("QPushButton { padding: 0px; }"));
    auto* colours = new QHBoxLayout;
    colours->addWidget(idRedButton);
    colours->addWidget(idBlueButton);
    colours->addWidget(idWhiteButton);
    colours->addWidget(idCustomButton);
    colours->addStretch();
    idPhotoColumn->addLayout(colours);
    grid->addWidget(idPhotoContainer, row++, 0, 1, 4);
    removeBackgroundCheck = new QCheckBox(m_processingGroup);
    removeBackgroundCheck->setObjectName(QStringLiteral("removeBackgroundCheckBox"));
    grid->addWidget(removeBackgroundCheck, row++, 0, 1, 4);
    backgroundModeCombo = new QComboBox(m_processingGroup);
    backgroundModeCombo->setObjectName(QStringLiteral("backgroundModeComboBox"));
    grid->addWidget(backgroundModeCombo, row++, 0, 1, 4);
    backgroundModeCombo->hide();  // shown while removal is on
    thresholdContainer = new QWidget(m_processingGroup);
    thresholdContainer->setObjectName(QStringLiteral("thresholdContainer"));
    auto* thresholdRow = new QHBoxLayout(thresholdContainer);
    thresholdRow->setContentsMargins(0, 0, 0, 0);
    m_thresholdLabel = new QLabel(thresholdContainer);
    m_thresholdLabel->setObjectName(QStringLiteral("thresholdLabel"));
    thresholdSlider = new QSlider(Qt::Horizontal, thresholdContainer);
    thresholdSlider->setObjectName(QStringLiteral("thresholdSlider"));
    thresholdSlider->setRange(0, 255);
    thresholdSlider->setValue(127);
    thresholdValueLabel = new QLabel(QStringLiteral("127"), thresholdContainer);
    thresholdValueLabel->setObjectName(QStringLiteral("thresholdValueLabel"));
    thresholdRow->addWidget(m_thresholdLabel);
    thresholdRow->addWidget(thresholdSlider, 1);
    thresholdRow->addWidget(thresholdValueLabel);
    thresholdContainer->hide();  // only for the fixed threshold, while removal is on
    grid->addWidget(thresholdContainer, row++, 0, 1, 4);
    m_frameLabel = new QLabel(m_processingGroup);
    frameSpin = new QSpinBox(m_processingGroup);
    frameSpin->setObjectName(QStringLiteral("frameSpinBox"));
    frameSpin->setRange(0, 100);
    grid->addWidget(m_frameLabel, row, 0);
    grid->addWidget(frameSpin, row++, 1, 1, 3);
    watermarkCheck = new QCheckBox(m_processingGroup);
    watermarkCheck->setObjectName(QStringLiteral("watermarkCheckBox"));
    watermarkSettingsButton = new QPushButton(m_processingGroup);
    watermarkSettingsButton->setObjectName(QStringLiteral("watermarkSettingsButton"));
    grid->addWidget(watermarkCheck, row, 0, 1, 2);
    grid->addWidget(watermarkSettingsButton, row++, 2, 1, 2);
    compositeCheck = new QCheckBox(m_processingGroup);
    compositeCheck->setObjectName(QStringLiteral("compositeCaptureCheckBox"));
    compositeDirectionCombo = new QComboBox(m_processingGroup);
    compositeDirectionCombo->setObjectName(QStringLiteral("compositeDirectionComboBox"));
    compositeDirectionCombo->setEnabled(false); // only while composite capture is on
    grid->addWidget(compositeCheck, row, 0, 1, 2);
    grid->addWidget(compositeDirectionCombo, row++, 2, 1, 2);
    column->addWidget(m_processingGroup);

    // Zoom Control
    m_zoomGroup = new QGroupBox(content);
    m_zoomGroup->setObjectName(QStringLiteral("zoomControlGroup"));
    zoomInButton = iconButton("zoomInButton", ":/icons/zoom_in.png", m_zoomGroup);
    zoomOutButton = iconButton("zoomOutButton", ":/icons/zoom_out.png", m_zoomGroup);
    zoomResetButton = iconButton("zoomResetButton", ":/icons/zoom_reset.png", m_zoomGroup);
    fitButton = iconButton("fitButton", ":/icons/fit.png", m_zoomGroup);
    auto* zoomGrid = new QGridLayout(m_zoomGroup);
    zoomGrid->addWidget(zoomInButton, 0, 0);
    zoomGrid->addWidget(zoomOutButton, 0, 1);
    zoomGrid->addWidget(zoomResetButton, 1, 0);
    zoomGrid->addWidget(fitButton, 1, 1);
    column->addWidget(m_zoomGroup);

    captureButton = iconButton("captureButton", ":/icons/capture.png", content);
    captureButton->setMinimumHeight(56);
    captureButton->setIconSize(QSize(32, 32));
    column->addWidget(captureButton);
    column->addStretch();

    scroll->setWidget(content);
    setWidget(scroll);
    connect(thresholdSlider, &QSlider::valueChanged, thresholdValueLabel,
            [this](int v) { thresholdValueLabel->setNum(v); });
    connect(compositeCheck, &QCheckBox::toggled, compositeDirectionCombo, &QComboBox::setEnabled);
    retranslateUi();
}

void CameraDock::insertPanel(int position, QWidget* panel)
{
    m_column->insertWidget(position, panel);
}

void CameraDock::setRecording(bool recording)
{
    m_recording = recording;
    recordButton->setText(recording ? tr("Stop Recording") : tr("Start Recording"));
    recordButton->setIcon(QIcon(recording ? QStringLiteral(":/icons/stop_record.png")
                                          : QStringLiteral(":/icons/record.png")));
}

void CameraDock::takeBackCameraBoxes()
{
    for (QComboBox* box : {deviceCombo, resolutionCombo}) {
        box->setParent(m_deviceGroup);  // leaves the borrower's layout
        box->setStyleSheet(QString());
    }
    while (m_deviceForm->rowCount() > 0) {
        const QFormLayout::TakeRowResult row = m_deviceForm->takeRow(0);
        delete row.labelItem;
        delete row.fieldItem;
    }
    m_deviceForm->addRow(m_deviceLabel, deviceCombo);
    m_deviceForm->addRow(m_resolutionLabel, resolutionCombo);
    deviceCombo->show();
    resolutionCombo->show();
}

void CameraDock::retranslateUi()
{
    setWindowTitle(tr("Camera Control"));
    m_deviceGroup->setTitle(tr("Camera Device"));
    m_deviceLabel->setText(tr("Device:"));
    m_resolutionLabel->setText(tr("Resolution:"));
    m_controlGroup->setTitle(tr("Camera Control"));
    rotateLeftButton->setText(tr("Rotate Left"));
    rotateRightButton->setText(tr("Rotate Right"));
    m_toolsGroup->setTitle(tr("Advanced Tools"));
    scanCodeButton->setText(tr("Scan Code"));
    ocrButton->setText(tr("OCR"));
    m_processingGroup->setTitle(tr("Image Processing"));
    autoCropCheck->setText(tr("Auto Document Detection"));
    autoCropCheck->setToolTip(tr("Automatically detect document boundaries and apply rotation correction"));
    cropDocumentButton->setText(tr("Crop Document"));
    autoCaptureCheck->setText(tr("Auto Capture"));
    autoCaptureCheck->setToolTip(tr("Automatically capture image when video becomes stable"));
    timerCaptureCheck->setText(tr("Timer Capture"));
    timerCaptureSpin->setSuffix(tr(" s"));
    setRecording(m_recording);
    idPhotoCheck->setText(tr("ID Photo"));
    idRedButton->setToolTip(tr("Red background"));
    idBlueButton->setToolTip(tr("Blue background"));
    idWhiteButton->setToolTip(tr("White background"));
    idCustomButton->setText(tr("Custom"));
    removeBackgroundCheck->setText(tr("Remove Background"));
    const int mode = qMax(0, backgroundModeCombo->currentIndex());
    backgroundModeCombo->clear();
    backgroundModeCombo->addItems({tr("Adaptive"), tr("Otsu"), tr("Fixed Threshold")});
    backgroundModeCombo->setCurrentIndex(mode);
    m_thresholdLabel->setText(tr("Threshold:"));
    m_frameLabel->setText(tr("Frame:"));
    watermarkCheck->setText(tr("Watermark"));
    watermarkSettingsButton->setText(tr("Settings..."));
    compositeCheck->setText(tr("Composite Capture"));
    const int direction = qMax(0, compositeDirectionCombo->currentIndex());
    compositeDirectionCombo->clear();
    compositeDirectionCombo->addItem(tr("Vertical"), 0);
    compositeDirectionCombo->addItem(tr("Horizontal"), 1);
    compositeDirectionCombo->setCurrentIndex(direction);
    m_zoomGroup->setTitle(tr("Zoom Control"));
    // The zoom buttons keep their Chinese labels in every language, as the keys they stand for do.
    zoomInButton->setText(QStringLiteral("放大 (+)"));
    zoomOutButton->setText(QStringLiteral("缩小 (-)"));
    zoomResetButton->setText(tr("Reset"));
    fitButton->setText(tr("Fit"));
    captureButton->setText(tr("Capture"));
}
