#include "ScreenCompareDialog.h"

#include "CompareCellWidget.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtDebug>

#include <algorithm>
#include <iterator>

namespace {

struct LayoutEntry
{
    const char* text;
    int mode;
    int rows;
    int columns;
};

const LayoutEntry kLayouts[] = {
    {QT_TRANSLATE_NOOP("ScreenCompareDialog", "2 Screens (1x2)"), 2, 1, 2},
    {QT_TRANSLATE_NOOP("ScreenCompareDialog", "2 Screens (2x1)"), 3, 2, 1},
    {QT_TRANSLATE_NOOP("ScreenCompareDialog", "4 Screens (2x2)"), 4, 2, 2},
    {QT_TRANSLATE_NOOP("ScreenCompareDialog", "6 Screens (2x3)"), 6, 2, 3},
    {QT_TRANSLATE_NOOP("ScreenCompareDialog", "9 Screens (3x3)"), 9, 3, 3},
    {QT_TRANSLATE_NOOP("ScreenCompareDialog", "12 Screens (4x3)"), 12, 3, 4},
    {QT_TRANSLATE_NOOP("ScreenCompareDialog", "16 Screens (4x4)"), 16, 4, 4},
};

const LayoutEntry* findLayout(int mode)
{
    for (const LayoutEntry& entry : kLayouts)
        if (entry.mode == mode)
            return &entry;
    return nullptr;
}

constexpr int kSplitterHandlePx = 4;
constexpr int kMinPenWidth = 1;
constexpr int kMaxPenWidth = 20;

// What a cell holds, carried over when the grid is rebuilt for another layout.
struct CellState
{
    QImage image;
    bool live = false;
    QImage liveFrame;
    int zoom = CompareCellWidget::kDefaultZoom;
    QPoint pan;
    QVector<CompareStroke> strokes;
};

CellState stateOf(const CompareCellWidget& cell)
{
    return {cell.image(), cell.isLive(), cell.liveFrame(), cell.zoom(), cell.panOffset(), cell.strokes()};
}

void restore(CompareCellWidget& cell, const CellState& state)
{
    cell.setImage(state.image);
    cell.setLive(state.live);
    cell.setLiveFrame(state.liveFrame);
    cell.setZoom(state.zoom);
    cell.setPanOffset(state.pan);
    cell.setStrokes(state.strokes);
}

// The path for an exported cell that does not replace an earlier export: "compare_cell_N.png", or
// "compare_cell_N_2.png", "_3" ... when that name is taken.
QString freeExportPath(const QString& folder, int cellNumber)
{
    const QString base = folder + QStringLiteral("/compare_cell_") + QString::number(cellNumber);
    QString path = base + QStringLiteral(".png");
    for (int copy = 2; QFileInfo::exists(path); ++copy)
        path = base + QStringLiteral("_%1.png").arg(copy);
    return path;
}

QImage readImage(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true); // photos from phones carry their orientation in EXIF
    return reader.read();
}

QString imageFilter()
{
    return ScreenCompareDialog::tr("Images (*.png *.jpg *.jpeg *.bmp *.tif *.tiff);;All Files (*)");
}

} // namespace

ScreenCompareDialog::GridShape ScreenCompareDialog::gridShape(int mode)
{
    const LayoutEntry* entry = findLayout(mode);
    if (!entry)
        entry = findLayout(kDefaultLayoutMode);
    return {entry->rows, entry->columns};
}

ScreenCompareDialog::ScreenCompareDialog(FrameProvider frameProvider, QWidget* parent,
                                         std::unique_ptr<ComparePrompts> prompts)
    : QDialog(parent), m_frameProvider(std::move(frameProvider)), m_prompts(std::move(prompts)),
      m_lastFolder(QDir::homePath())
{
    if (!m_prompts)
        m_prompts = std::make_unique<QtComparePrompts>();
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    m_liveTimer = new QTimer(this);
    m_liveTimer->setObjectName(QStringLiteral("liveTimer"));
    m_liveTimer->setInterval(kLiveIntervalMs);
    connect(m_liveTimer, &QTimer::timeout, this, &ScreenCompareDialog::onLiveTimerTick);

    buildUi();
    retranslateUi();
    onLayoutChanged(kDefaultLayoutMode);
    resize(1200, 800);
}

ScreenCompareDialog::~ScreenCompareDialog() = default;

void ScreenCompareDialog::setPrompts(std::unique_ptr<ComparePrompts> prompts)
{
    if (prompts)
        m_prompts = std::move(prompts);
}

CompareCellWidget* ScreenCompareDialog::cell(int index) const
{
    return (index >= 0 && index < m_cells.size()) ? m_cells[index] : nullptr;
}

bool ScreenCompareDialog::isLiveTimerActive() const
{
    return m_liveTimer->isActive();
}

void ScreenCompareDialog::buildUi()
{
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    layout->addLayout(bar);

    auto named = [](QWidget* widget, const char* name) {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };
    auto toolButton = [this, &named](const char* name, int id) {
        auto* button = new QToolButton(this);
        named(button, name);
        button->setCheckable(true);
        m_toolGroup->addButton(button, id);
        return button;
    };

    m_layoutLabel = new QLabel(this);
    m_layoutCombo = new QComboBox(this);
    named(m_layoutCombo, "layoutCombo");
    for (const LayoutEntry& entry : kLayouts)
        m_layoutCombo->addItem(QString(), entry.mode);
    m_loadImagesButton = new QPushButton(this);
    named(m_loadImagesButton, "loadImagesButton");
    m_clearAllButton = new QPushButton(this);
    named(m_clearAllButton, "clearAllButton");
    m_linkedZoomCheck = new QCheckBox(this);
    named(m_linkedZoomCheck, "linkedZoomCheck");
    m_zoomSlider = new QSlider(Qt::Horizontal, this);
    named(m_zoomSlider, "zoomSlider");
    m_zoomSlider->setRange(CompareCellWidget::kMinZoom, CompareCellWidget::kMaxZoom);
    m_zoomSlider->setValue(CompareCellWidget::kDefaultZoom);
    m_zoomSlider->setMinimumWidth(120);
    m_zoomLabel = new QLabel(this);
    named(m_zoomLabel, "zoomLabel");
    m_zoomLabel->setMinimumWidth(48);
    m_annotateButton = new QPushButton(this);
    named(m_annotateButton, "annotateButton");
    m_annotateButton->setCheckable(true);
    m_colorButton = new QPushButton(this);
    named(m_colorButton, "penColorButton");
    m_colorButton->setFixedSize(24, 24);
    m_penWidthSpin = new QSpinBox(this);
    named(m_penWidthSpin, "penWidthSpin");
    m_penWidthSpin->setRange(kMinPenWidth, kMaxPenWidth);
    m_penWidthSpin->setValue(m_penWidth);
    m_toolGroup = new QButtonGroup(this);
    m_penButton = toolButton("toolPenButton", int(CompareTool::Pen));
    m_lineButton = toolButton("toolLineButton", int(CompareTool::Line));
    m_rectButton = toolButton("toolRectButton", int(CompareTool::Rect));
    m_ellipseButton = toolButton("toolEllipseButton", int(CompareTool::Ellipse));
    m_eraserButton = toolButton("toolEraserButton", int(CompareTool::Eraser));
    m_penButton->setChecked(true);
    m_undoButton = new QToolButton(this);
    named(m_undoButton, "undoButton");
    m_clearAnnoButton = new QPushButton(this);
    named(m_clearAnnoButton, "clearAnnoButton");
    m_saveCellButton = new QPushButton(this);
    named(m_saveCellButton, "saveCellButton");
    m_exportAllButton = new QPushButton(this);
    named(m_exportAllButton, "exportAllButton");

    // Two rows: in one the tool bar would be wider than a laptop screen.
    for (QWidget* widget : std::initializer_list<QWidget*>{m_layoutLabel, m_layoutCombo, m_loadImagesButton,
                                                           m_clearAllButton, m_linkedZoomCheck, m_zoomSlider,
                                                           m_zoomLabel, m_saveCellButton, m_exportAllButton})
        bar->addWidget(widget);
    bar->addStretch();
    auto* drawingBar = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{
             m_annotateButton, m_colorButton, m_penWidthSpin, m_penButton, m_lineButton, m_rectButton,
             m_ellipseButton, m_eraserButton, m_undoButton, m_clearAnnoButton})
        drawingBar->addWidget(widget);
    drawingBar->addStretch();
    layout->addLayout(drawingBar);

    m_gridHolder = new QVBoxLayout;
    layout->addLayout(m_gridHolder, 1);
    m_tipLabel = new QLabel(this);
    named(m_tipLabel, "tipLabel");
    layout->addWidget(m_tipLabel);

    for (QWidget* control : std::initializer_list<QWidget*>{m_colorButton, m_penWidthSpin, m_penButton,
                                                            m_lineButton, m_rectButton, m_ellipseButton,
                                                            m_eraserButton, m_undoButton, m_clearAnnoButton})
        control->setEnabled(false);
    updateColorButton();
    showZoomOnSlider(CompareCellWidget::kDefaultZoom);

    connect(m_layoutCombo, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int row) { onLayoutChanged(m_layoutCombo->itemData(row).toInt()); });
    connect(m_loadImagesButton, &QPushButton::clicked, this, &ScreenCompareDialog::onLoadImages);
    connect(m_clearAllButton, &QPushButton::clicked, this, &ScreenCompareDialog::onClearAll);
    connect(m_linkedZoomCheck, &QCheckBox::toggled, this, &ScreenCompareDialog::onLinkedZoomToggled);
    connect(m_zoomSlider, &QSlider::valueChanged, this, &ScreenCompareDialog::onZoomSliderChanged);
    connect(m_annotateButton, &QPushButton::clicked, this, &ScreenCompareDialog::onToggleAnnotation);
    connect(m_colorButton, &QPushButton::clicked, this, &ScreenCompareDialog::onToolSelectColor);
    connect(m_penWidthSpin, qOverload<int>(&QSpinBox::valueChanged), this,
            &ScreenCompareDialog::onPenWidthChanged);
    connect(m_penButton, &QToolButton::clicked, this, &ScreenCompareDialog::onToolPen);
    connect(m_lineButton, &QToolButton::clicked, this, &ScreenCompareDialog::onToolLine);
    connect(m_rectButton, &QToolButton::clicked, this, &ScreenCompareDialog::onToolRect);
    connect(m_ellipseButton, &QToolButton::clicked, this, &ScreenCompareDialog::onToolEllipse);
    connect(m_eraserButton, &QToolButton::clicked, this, &ScreenCompareDialog::onToolEraser);
    connect(m_undoButton, &QToolButton::clicked, this, &ScreenCompareDialog::onUndo);
    connect(m_clearAnnoButton, &QPushButton::clicked, this, &ScreenCompareDialog::onClearAnnotations);
    connect(m_saveCellButton, &QPushButton::clicked, this, &ScreenCompareDialog::onSaveCurrentCell);
    connect(m_exportAllButton, &QPushButton::clicked, this, &ScreenCompareDialog::onExportAll);
}

void ScreenCompareDialog::retranslateUi()
{
    setWindowTitle(tr("Screen Comparison"));
    m_layoutLabel->setText(tr("Layout:"));
    for (int row = 0; row < m_layoutCombo->count(); ++row)
        m_layoutCombo->setItemText(row, tr(kLayouts[row].text));
    m_loadImagesButton->setText(tr("Load Images"));
    m_clearAllButton->setText(tr("Clear All"));
    m_linkedZoomCheck->setText(tr("Linked Zoom"));
    m_annotateButton->setText(tr("Annotate"));
    m_annotateButton->setToolTip(tr("Enable/disable annotation mode"));
    m_colorButton->setToolTip(tr("Pen color"));
    m_penWidthSpin->setToolTip(tr("Pen width"));
    m_penButton->setText(tr("Pen"));
    m_lineButton->setText(tr("Line"));
    m_rectButton->setText(tr("Rect"));
    m_ellipseButton->setText(tr("Ellipse"));
    m_eraserButton->setText(tr("Eraser"));
    m_undoButton->setText(tr("Undo"));
    m_clearAnnoButton->setText(tr("Clear Anno"));
    m_saveCellButton->setText(tr("Save Cell"));
    m_exportAllButton->setText(tr("Export All"));
    m_tipLabel->setText(
        tr("Tip: Click a cell to load an image. Mouse wheel to zoom. Enable annotation for marking."));
}

void ScreenCompareDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

void ScreenCompareDialog::onLayoutChanged(int mode)
{
    if (!findLayout(mode))
        mode = kDefaultLayoutMode;
    m_layoutMode = mode;
    {
        const QSignalBlocker blocker(m_layoutCombo);
        m_layoutCombo->setCurrentIndex(m_layoutCombo->findData(mode));
    }
    rebuildGrid(gridShape(mode));
}

void ScreenCompareDialog::rebuildGrid(const GridShape& shape)
{
    // Cells are made anew for the new grid; the pictures, marks and views of the cells that remain
    // are carried over so that switching layouts loses nothing on screen.
    QVector<CellState> kept;
    for (const CompareCellWidget* old : m_cells)
        kept.append(stateOf(*old));
    delete m_grid;
    m_cells.clear();

    m_grid = new QSplitter(Qt::Vertical, this);
    m_grid->setObjectName(QStringLiteral("gridSplitter"));
    m_grid->setChildrenCollapsible(false);
    m_grid->setHandleWidth(kSplitterHandlePx);
    for (int r = 0; r < shape.rows; ++r) {
        auto* row = new QSplitter(Qt::Horizontal, m_grid);
        row->setChildrenCollapsible(false);
        row->setHandleWidth(kSplitterHandlePx);
        for (int c = 0; c < shape.columns; ++c) {
            const int index = r * shape.columns + c;
            auto* cell = new CompareCellWidget(index, row);
            cell->setAnnotate(m_annotate);
            cell->setPenColor(m_penColor);
            cell->setPenWidth(m_penWidth);
            cell->setTool(m_tool);
            if (index < kept.size())
                restore(*cell, kept[index]);
            connect(cell, &CompareCellWidget::clicked, this, &ScreenCompareDialog::onCellClicked);
            connect(cell, &CompareCellWidget::requestLoadImage, this,
                    &ScreenCompareDialog::onCellRequestLoadImage);
            connect(cell, &CompareCellWidget::requestLoadFile, this, &ScreenCompareDialog::loadImageIntoCell);
            connect(cell, &CompareCellWidget::requestToggleLiveVideo, this,
                    &ScreenCompareDialog::onCellRequestToggleLiveVideo);
            connect(cell, &CompareCellWidget::zoomChanged, this, &ScreenCompareDialog::onCellZoomChanged);
            connect(cell, &CompareCellWidget::panOffsetChanged, this,
                    &ScreenCompareDialog::onCellPanOffsetChanged);
            row->addWidget(cell);
            m_cells.append(cell);
        }
    }
    m_gridHolder->addWidget(m_grid);
    onCellClicked(std::min(m_selectedIndex, int(m_cells.size()) - 1));
    updateLiveTimer();
}

void ScreenCompareDialog::onCellClicked(int index)
{
    if (!cell(index))
        return;
    m_selectedIndex = index;
    for (CompareCellWidget* c : m_cells)
        c->setSelected(c->index() == index);
    showZoomOnSlider(m_cells[index]->zoom());
}

void ScreenCompareDialog::showZoomOnSlider(int zoom)
{
    const QSignalBlocker blocker(m_zoomSlider);
    m_zoomSlider->setValue(zoom);
    m_zoomLabel->setText(QStringLiteral("%1%").arg(zoom));
}

void ScreenCompareDialog::onCellRequestLoadImage(int index)
{
    if (!cell(index))
        return;
    const QString path = m_prompts->openFile(this, tr("Load Image"), imageFilter());
    if (!path.isEmpty())
        loadImageIntoCell(index, path);
}

bool ScreenCompareDialog::loadImageIntoCell(int index, const QString& path)
{
    CompareCellWidget* target = cell(index);
    if (!target)
        return false;
    const QImage image = readImage(path);
    if (image.isNull()) {
        qWarning().noquote() << "[Compare] cannot load image" << path;
        m_prompts->warning(this, tr("Error"), tr("Failed to load image."));
        return false;
    }
    target->setImage(image);
    return true;
}

void ScreenCompareDialog::onLoadImages()
{
    const QStringList paths = m_prompts->openFiles(this, tr("Select Images"), imageFilter());
    QStringList failed;
    int next = 0;
    for (const QString& path : paths) {
        if (next >= m_cells.size())
            break;
        const QImage image = readImage(path);
        if (image.isNull()) {
            failed.append(QFileInfo(path).fileName());
            continue;
        }
        m_cells[next++]->setImage(image);
    }
    if (!failed.isEmpty()) {
        qWarning().noquote() << "[Compare] cannot load images" << failed.join(QStringLiteral(", "));
        m_prompts->warning(this, tr("Error"),
                           tr("Some images could not be loaded:\n%1").arg(failed.join(QLatin1Char('\n'))));
    }
}

void ScreenCompareDialog::onClearAll()
{
    if (!m_prompts->question(this, tr("Confirm"), tr("Clear all images and annotations?")))
        return;
    for (CompareCellWidget* c : m_cells)
        c->clear();
    showZoomOnSlider(CompareCellWidget::kDefaultZoom);
    updateLiveTimer();
}

void ScreenCompareDialog::onCellRequestToggleLiveVideo(int index)
{
    CompareCellWidget* target = cell(index);
    if (!target)
        return;
    target->setLive(!target->isLive());
    updateLiveTimer();
}

void ScreenCompareDialog::updateLiveTimer()
{
    const bool anyLive =
        std::any_of(m_cells.cbegin(), m_cells.cend(), [](const CompareCellWidget* c) { return c->isLive(); });
    // A closed dialog keeps its live cells but feeds them again only when it is shown once more.
    if (anyLive && !m_closedEmitted) {
        if (!m_liveTimer->isActive())
            m_liveTimer->start();
    } else {
        m_liveTimer->stop();
    }
}

void ScreenCompareDialog::onLiveTimerTick()
{
    const QImage frame = m_frameProvider ? m_frameProvider() : QImage();
    if (frame.isNull())
        return;
    for (CompareCellWidget* c : m_cells)
        if (c->isLive())
            c->setLiveFrame(frame);
}

void ScreenCompareDialog::onCellZoomChanged(int index, int zoom)
{
    // Other cells are set through setters that never emit, so a linked change cannot come back here.
    if (m_linkedZoom) {
        showZoomOnSlider(zoom);
        for (CompareCellWidget* c : m_cells)
            if (c->index() != index)
                c->setZoom(zoom);
    } else if (index == m_selectedIndex) {
        showZoomOnSlider(zoom);
    }
}

void ScreenCompareDialog::onCellPanOffsetChanged(int index, QPoint offset)
{
    if (!m_linkedZoom)
        return;
    for (CompareCellWidget* c : m_cells)
        if (c->index() != index)
            c->setPanOffset(offset);
}

void ScreenCompareDialog::onZoomSliderChanged(int zoom)
{
    m_zoomLabel->setText(QStringLiteral("%1%").arg(zoom));
    if (m_linkedZoom) {
        for (CompareCellWidget* c : m_cells)
            c->setZoom(zoom);
    } else if (CompareCellWidget* selected = cell(m_selectedIndex)) {
        selected->setZoom(zoom);
    }
}

void ScreenCompareDialog::onLinkedZoomToggled(bool linked)
{
    m_linkedZoom = linked;
    const QSignalBlocker blocker(m_linkedZoomCheck);
    m_linkedZoomCheck->setChecked(linked);
}

void ScreenCompareDialog::onToggleAnnotation()
{
    m_annotate = !m_annotate;
    {
        const QSignalBlocker blocker(m_annotateButton);
        m_annotateButton->setChecked(m_annotate);
    }
    for (QWidget* control : std::initializer_list<QWidget*>{m_colorButton, m_penWidthSpin, m_penButton,
                                                            m_lineButton, m_rectButton, m_ellipseButton,
                                                            m_eraserButton, m_undoButton, m_clearAnnoButton})
        control->setEnabled(m_annotate);
    for (CompareCellWidget* c : m_cells)
        c->setAnnotate(m_annotate);
}

void ScreenCompareDialog::onClearAnnotations()
{
    for (CompareCellWidget* c : m_cells)
        c->clearStrokes();
}

void ScreenCompareDialog::onPenWidthChanged(int width)
{
    m_penWidth = std::clamp(width, kMinPenWidth, kMaxPenWidth);
    for (CompareCellWidget* c : m_cells)
        c->setPenWidth(m_penWidth);
}

void ScreenCompareDialog::onToolSelectColor()
{
    const QColor chosen = m_prompts->color(this, m_penColor, tr("Select Pen Color"));
    if (!chosen.isValid())
        return;
    m_penColor = chosen;
    updateColorButton();
    for (CompareCellWidget* c : m_cells)
        c->setPenColor(m_penColor);
}

void ScreenCompareDialog::updateColorButton()
{
    m_colorButton->setStyleSheet(
        QStringLiteral("background-color: %1; border: 2px solid #666; border-radius: 3px;")
            .arg(m_penColor.name()));
}

void ScreenCompareDialog::setTool(CompareTool tool)
{
    m_tool = tool;
    if (QAbstractButton* button = m_toolGroup->button(int(tool)))
        button->setChecked(true);
    for (CompareCellWidget* c : m_cells)
        c->setTool(tool);
}

void ScreenCompareDialog::onToolPen()
{
    setTool(CompareTool::Pen);
}
void ScreenCompareDialog::onToolLine()
{
    setTool(CompareTool::Line);
}
void ScreenCompareDialog::onToolRect()
{
    setTool(CompareTool::Rect);
}
void ScreenCompareDialog::onToolEllipse()
{
    setTool(CompareTool::Ellipse);
}
void ScreenCompareDialog::onToolEraser()
{
    setTool(CompareTool::Eraser);
}

void ScreenCompareDialog::onUndo()
{
    if (CompareCellWidget* selected = cell(m_selectedIndex))
        selected->undoStroke();
}

void ScreenCompareDialog::onSaveCurrentCell()
{
    CompareCellWidget* selected = cell(m_selectedIndex);
    if (!selected || !selected->hasPicture()) {
        m_prompts->information(this, tr("Info"), tr("No image in selected cell."));
        return;
    }
    const QString proposed = m_lastFolder + QStringLiteral("/compare_cell_") +
                             QString::number(m_selectedIndex + 1) + QStringLiteral(".png");
    QString path =
        m_prompts->saveFile(this, tr("Save Image"), proposed, tr("PNG (*.png);;JPEG (*.jpg);;BMP (*.bmp)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".png");
    m_lastFolder = QFileInfo(path).absolutePath();

    // Only a file that was really written is announced as saved.
    if (!selected->renderAnnotated().save(path)) {
        qWarning().noquote() << "[Compare] cannot save cell" << m_selectedIndex + 1 << "to" << path;
        m_prompts->warning(this, tr("Error"),
                           tr("Could not save the image to:\n%1").arg(QDir::toNativeSeparators(path)));
        return;
    }
    m_prompts->information(this, tr("Success"),
                           tr("Image saved to:\n%1").arg(QDir::toNativeSeparators(path)));
}

void ScreenCompareDialog::onExportAll()
{
    const QString folder = m_prompts->directory(this, tr("Select Export Directory"));
    if (folder.isEmpty())
        return;
    m_lastFolder = folder;
    int withPicture = 0;
    int written = 0;
    for (const CompareCellWidget* c : m_cells) {
        if (!c->hasPicture())
            continue;
        ++withPicture;
        // Earlier exports into the same folder are kept: a taken name gets a number instead.
        const QString path = freeExportPath(folder, c->index() + 1);
        if (c->renderAnnotated().save(path, "PNG"))
            ++written;
        else
            qWarning().noquote() << "[Compare] cannot export cell" << c->index() + 1 << "to" << path;
    }
    const QString report = tr("%1 of %2 cells exported to:\n%3")
                               .arg(written)
                               .arg(m_cells.size())
                               .arg(QDir::toNativeSeparators(folder));
    if (written < withPicture)
        m_prompts->warning(this, tr("Export Complete"), report);
    else
        m_prompts->information(this, tr("Export Complete"), report);
}

void ScreenCompareDialog::finish()
{
    m_liveTimer->stop();
    if (!m_closedEmitted) {
        m_closedEmitted = true;
        emit closed();
    }
}

void ScreenCompareDialog::done(int result)
{
    finish();
    QDialog::done(result);
}

void ScreenCompareDialog::closeEvent(QCloseEvent* event)
{
    finish();
    QDialog::closeEvent(event);
}

void ScreenCompareDialog::showEvent(QShowEvent* event)
{
    m_closedEmitted = false;
    QDialog::showEvent(event);
    updateLiveTimer();
}
