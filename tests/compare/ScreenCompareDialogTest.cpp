// The "Screen Comparison" dialog with scripted prompts: grid layouts, linked zoom and pan, live cells,
// and the files Save Cell and Export All really write.
#include "ScreenCompareDialog.h"
#include "CompareCellWidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <vector>

namespace {

struct Box
{
    QString kind;
    QString title;
    QString text;
};

// Answers as the test scripted; records every message box.
class ScriptedPrompts : public ComparePrompts
{
public:
    QString fileToOpen;
    QStringList filesToOpen;
    QString saveAnswer;
    QString folderAnswer;
    QColor colorAnswer;
    bool yes = true;
    int saveAsked = 0;
    QString proposedSavePath;
    std::vector<Box> boxes;

    QString openFile(QWidget*, const QString&, const QString&) override { return fileToOpen; }
    QStringList openFiles(QWidget*, const QString&, const QString&) override { return filesToOpen; }
    QString saveFile(QWidget*, const QString&, const QString& proposed, const QString&) override
    {
        ++saveAsked;
        proposedSavePath = proposed;
        return saveAnswer;
    }
    QString directory(QWidget*, const QString&) override { return folderAnswer; }
    QColor color(QWidget*, const QColor&, const QString& title) override
    {
        boxes.push_back({QStringLiteral("color"), title, {}});
        return colorAnswer;
    }
    void information(QWidget*, const QString& t, const QString& x) override
    {
        boxes.push_back({"info", t, x});
    }
    void warning(QWidget*, const QString& t, const QString& x) override
    {
        boxes.push_back({"warning", t, x});
    }
    bool question(QWidget*, const QString& t, const QString& x) override
    {
        boxes.push_back({"question", t, x});
        return yes;
    }
};

struct DialogFixture
{
    QTemporaryDir dir;
    ScriptedPrompts* prompts = new ScriptedPrompts;
    QImage liveFrame;
    ScreenCompareDialog dialog{[this] { return liveFrame; }, nullptr,
                               std::unique_ptr<ComparePrompts>(prompts)};

    explicit DialogFixture(int mode)
    {
        dialog.onLayoutChanged(mode);
        dialog.resize(1000, 700);
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    QString writeImage(const QString& name, QColor colour, QSize size = {200, 100})
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }
    template <typename T> T* child(const char* name)
    {
        return dialog.findChild<T*>(QString::fromLatin1(name));
    }
};

void sendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, pos, w->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void leftDrag(QWidget* w, QPoint from, QPoint to)
{
    sendMouse(w, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    for (int step = 1; step <= 4; ++step)
        sendMouse(w, QEvent::MouseMove, from + (to - from) * step / 4, Qt::NoButton, Qt::LeftButton);
    sendMouse(w, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

void wheelNotch(QWidget* w)
{
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    QWheelEvent event(at, w->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &event);
}

// A horizontal stroke through the middle half of the cell's picture, in the current pen colour and
// wide enough to cover the centre pixel of the picture completely.
void strikeThrough(CompareCellWidget* cell)
{
    cell->setPenWidth(16);
    const QRectF shown = cell->pictureRect();
    const int y = int(shown.center().y());
    leftDrag(cell, QPoint(int(shown.left() + shown.width() / 4), y),
             QPoint(int(shown.right() - shown.width() / 4), y));
}

QColor colourAtCentre(const QString& path)
{
    const QImage image(path);
    return image.isNull() ? QColor() : QColor(image.pixel(image.width() / 2, image.height() / 2));
}

} // namespace

TEST(ScreenCompareDialog, LayoutModesBuildTheirGridAndKeepPictures)
{
    struct Row
    {
        int mode;
        int rows;
        int columns;
        int comboMode;
    };
    const Row rows[] = {{2, 1, 2, 2},   {3, 2, 1, 3},   {4, 2, 2, 4}, {6, 2, 3, 6}, {9, 3, 3, 9},
                        {12, 3, 4, 12}, {16, 4, 4, 16}, {5, 1, 2, 2}, {0, 1, 2, 2}, {-4, 1, 2, 2}};
    DialogFixture f(16);
    EXPECT_EQ(f.dialog.windowTitle(), QStringLiteral("Screen Comparison"));
    ASSERT_TRUE(f.dialog.loadImageIntoCell(0, f.writeImage("a.png", Qt::white)));
    for (const Row& row : rows) {
        f.dialog.onLayoutChanged(row.mode);
        EXPECT_EQ(f.child<QComboBox>("layoutCombo")->currentData().toInt(), row.comboMode) << row.mode;
        const auto cells = f.dialog.cells();
        ASSERT_EQ(cells.size(), row.rows * row.columns) << row.mode;
        auto* grid = f.child<QSplitter>("gridSplitter");
        ASSERT_NE(grid, nullptr);
        EXPECT_EQ(grid->orientation(), Qt::Vertical);
        EXPECT_FALSE(grid->childrenCollapsible());
        EXPECT_EQ(grid->handleWidth(), 4);
        ASSERT_EQ(grid->count(), row.rows) << row.mode;
        for (int r = 0; r < row.rows; ++r) {
            auto* line = qobject_cast<QSplitter*>(grid->widget(r));
            ASSERT_NE(line, nullptr);
            EXPECT_EQ(line->orientation(), Qt::Horizontal);
            EXPECT_FALSE(line->childrenCollapsible());
            EXPECT_EQ(line->handleWidth(), 4);
            ASSERT_EQ(line->count(), row.columns) << row.mode;
            for (int c = 0; c < row.columns; ++c) {
                EXPECT_EQ(line->widget(c), cells[r * row.columns + c]);
                EXPECT_EQ(cells[r * row.columns + c]->index(), r * row.columns + c);
            }
        }
        EXPECT_TRUE(cells[0]->hasPicture()) << "picture lost switching to " << row.mode;
        EXPECT_FALSE(cells[1]->hasPicture());
    }
    // Through the combo box as the user picks it.
    auto* combo = f.child<QComboBox>("layoutCombo");
    combo->setCurrentIndex(combo->findData(9));
    EXPECT_EQ(f.dialog.cells().size(), 9);
    EXPECT_EQ(f.dialog.layoutMode(), 9);
}

TEST(ScreenCompareDialog, LinkedZoomAndPanReachEveryCellOnceWithoutEcho)
{
    DialogFixture f(4);
    const QString picture = f.writeImage("a.png", Qt::white);
    f.prompts->filesToOpen = QStringList{picture, picture, picture, picture};
    f.dialog.onLoadImages();
    QTest::mouseClick(f.child<QCheckBox>("linkedZoomCheck"), Qt::LeftButton);
    ASSERT_TRUE(f.dialog.isLinkedZoom());

    const auto cells = f.dialog.cells();
    std::vector<std::unique_ptr<QSignalSpy>> zooms, pans;
    for (CompareCellWidget* cell : cells) {
        zooms.push_back(std::make_unique<QSignalSpy>(cell, &CompareCellWidget::zoomChanged));
        pans.push_back(std::make_unique<QSignalSpy>(cell, &CompareCellWidget::panOffsetChanged));
    }
    wheelNotch(cells[0]);
    for (int i = 0; i < cells.size(); ++i) {
        EXPECT_EQ(cells[i]->zoom(), 110) << i;
        EXPECT_EQ(zooms[i]->count(), i == 0 ? 1 : 0) << "cell " << i << " echoed the linked zoom";
    }
    for (int notch = 0; notch < 14; ++notch)
        wheelNotch(cells[0]);
    for (CompareCellWidget* cell : cells)
        EXPECT_EQ(cell->zoom(), 250);
    EXPECT_EQ(f.child<QLabel>("zoomLabel")->text(), QStringLiteral("250%"));
    EXPECT_EQ(f.child<QSlider>("zoomSlider")->value(), 250);

    const QPoint centre = cells[0]->rect().center();
    leftDrag(cells[0], centre, centre + QPoint(20, -8));
    for (int i = 0; i < cells.size(); ++i) {
        EXPECT_EQ(cells[i]->panOffset(), QPoint(20, -8)) << i;
        EXPECT_EQ(pans[i]->isEmpty(), i != 0) << i;
    }

    // Unlinked, a cell zooms alone.
    QTest::mouseClick(f.child<QCheckBox>("linkedZoomCheck"), Qt::LeftButton);
    wheelNotch(cells[1]);
    EXPECT_EQ(cells[1]->zoom(), 260);
    EXPECT_EQ(cells[0]->zoom(), 250);
    EXPECT_EQ(cells[3]->zoom(), 250);
}

TEST(ScreenCompareDialog, LiveCellsTakeProviderFramesAndTheLastOffStopsTheTimer)
{
    DialogFixture f(4);
    f.liveFrame = QImage(64, 48, QImage::Format_RGB32);
    f.liveFrame.fill(QColor(10, 200, 30));
    auto* timer = f.child<QTimer>("liveTimer");
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 33);
    QSignalSpy closed(&f.dialog, &ScreenCompareDialog::closed);

    struct Step
    {
        int toggle;
        bool timerRuns;
        std::vector<int> live;
    };
    const Step steps[] = {{0, true, {0}}, {2, true, {0, 2}}, {0, true, {2}}, {2, false, {}}, {3, true, {3}}};
    for (const Step& step : steps) {
        f.dialog.onCellRequestToggleLiveVideo(step.toggle);
        EXPECT_EQ(timer->isActive(), step.timerRuns) << "after toggling " << step.toggle;
        f.dialog.onLiveTimerTick();
        for (CompareCellWidget* cell : f.dialog.cells()) {
            const bool live = std::find(step.live.begin(), step.live.end(), cell->index()) != step.live.end();
            EXPECT_EQ(cell->isLive(), live) << cell->index();
            EXPECT_EQ(cell->hasPicture(), live) << cell->index();
            if (live) {
                EXPECT_EQ(cell->picture().pixelColor(5, 5), QColor(10, 200, 30));
            }
        }
    }
    f.dialog.close();
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(closed.count(), 1);
}

TEST(ScreenCompareDialog, SaveCellWritesStrokesAndReportsOnlyRealSaves)
{
    struct Row
    {
        const char* what;
        int selected;        // cell 0 holds the annotated picture, cell 1 is empty
        const char* answer;  // relative to the temporary folder; null = cancelled
        const char* written; // file expected, or null
        const char* boxKind; // null = no box
        const char* boxTitle;
    };
    const Row rows[] = {
        {"saved", 0, "out.png", "out.png", "info", "Success"},
        {"no suffix", 0, "plain", "plain.png", "info", "Success"},
        {"missing folder", 0, "missing/out.png", nullptr, "warning", "Error"},
        {"cancelled", 0, nullptr, nullptr, nullptr, nullptr},
        {"empty cell", 1, "never.png", nullptr, "info", "Info"},
    };
    for (const Row& row : rows) {
        DialogFixture f(2);
        f.prompts->fileToOpen = f.writeImage("white.png", Qt::white);
        QTest::mouseDClick(f.dialog.cell(0), Qt::LeftButton, {}, f.dialog.cell(0)->rect().center());
        ASSERT_TRUE(f.dialog.cell(0)->hasPicture());
        QTest::mouseClick(f.child<QPushButton>("annotateButton"), Qt::LeftButton);
        f.prompts->colorAnswer = QColor(0, 0, 255);
        QTest::mouseClick(f.child<QPushButton>("penColorButton"), Qt::LeftButton);
        EXPECT_TRUE(
            f.child<QPushButton>("penColorButton")->styleSheet().startsWith("background-color: #0000ff;"));
        strikeThrough(f.dialog.cell(0));
        f.dialog.onCellClicked(row.selected);
        f.prompts->boxes.clear();
        f.prompts->saveAnswer = row.answer ? f.dir.filePath(row.answer) : QString();

        f.dialog.onSaveCurrentCell();
        SCOPED_TRACE(row.what);
        if (row.selected == 1) {
            EXPECT_EQ(f.prompts->saveAsked, 0);
        } else {
            EXPECT_EQ(f.prompts->proposedSavePath, QDir::homePath() + "/compare_cell_1.png");
        }
        if (row.boxKind) {
            ASSERT_EQ(f.prompts->boxes.size(), 1u);
            EXPECT_EQ(f.prompts->boxes[0].kind, row.boxKind);
            EXPECT_EQ(f.prompts->boxes[0].title, row.boxTitle);
        } else {
            EXPECT_TRUE(f.prompts->boxes.empty());
        }
        if (row.written) {
            const QString path = f.dir.filePath(row.written);
            EXPECT_EQ(f.prompts->boxes[0].text, "Image saved to:\n" + path);
            EXPECT_EQ(colourAtCentre(path), QColor(0, 0, 255));
            EXPECT_EQ(QImage(path).pixelColor(100, 10), QColor(Qt::white));
        }
        if (row.selected == 1) {
            EXPECT_EQ(f.prompts->boxes[0].text, QStringLiteral("No image in selected cell."));
        }
    }
}

TEST(ScreenCompareDialog, ExportAllKeepsEarlierFilesAndCountsRealWrites)
{
    DialogFixture f(4);
    const QString white = f.writeImage("white.png", Qt::white);
    f.prompts->filesToOpen = QStringList{white, f.dir.filePath("broken.png"), white, white};
    f.dialog.onLoadImages();
    ASSERT_EQ(f.prompts->boxes.size(), 1u);
    EXPECT_EQ(f.prompts->boxes[0].text, QStringLiteral("Some images could not be loaded:\nbroken.png"));
    f.dialog.onToggleAnnotation();
    strikeThrough(f.dialog.cell(0));

    QDir out(f.dir.filePath("out"));
    ASSERT_TRUE(out.mkpath("."));
    const QString earlier = out.filePath("compare_cell_1.png");
    QImage green(10, 10, QImage::Format_RGB32);
    green.fill(Qt::green);
    ASSERT_TRUE(green.save(earlier));

    struct Row
    {
        QString folder;
        const char* kind;
        QString report;
        QStringList newFiles;
    };
    const QString missing = f.dir.filePath("missing");
    const Row rows[] = {
        {out.path(),
         "info",
         "3 of 4 cells exported to:\n" + out.path(),
         {"compare_cell_1_2.png", "compare_cell_2.png", "compare_cell_3.png"}},
        {out.path(),
         "info",
         "3 of 4 cells exported to:\n" + out.path(),
         {"compare_cell_1_3.png", "compare_cell_2_2.png", "compare_cell_3_2.png"}},
        {missing, "warning", "0 of 4 cells exported to:\n" + missing, {}},
    };
    QStringList expected = {"compare_cell_1.png"};
    for (const Row& row : rows) {
        f.prompts->boxes.clear();
        f.prompts->folderAnswer = row.folder;
        f.dialog.onExportAll();
        ASSERT_EQ(f.prompts->boxes.size(), 1u);
        EXPECT_EQ(f.prompts->boxes[0].kind, row.kind);
        EXPECT_EQ(f.prompts->boxes[0].title, QStringLiteral("Export Complete"));
        EXPECT_EQ(f.prompts->boxes[0].text, row.report);
        expected += row.newFiles;
        expected.sort();
        EXPECT_EQ(out.entryList(QDir::Files, QDir::Name), expected);
    }
    EXPECT_EQ(QImage(earlier).size(), QSize(10, 10));
    EXPECT_EQ(colourAtCentre(out.filePath("compare_cell_1_2.png")), QColor(Qt::red));
    EXPECT_EQ(colourAtCentre(out.filePath("compare_cell_2.png")), QColor(Qt::white));

    // Clear All only on yes.
    for (bool yes : {false, true}) {
        f.prompts->yes = yes;
        f.dialog.onClearAll();
        EXPECT_EQ(f.dialog.cell(0)->hasPicture(), !yes);
        EXPECT_EQ(f.dialog.cell(0)->strokes().isEmpty(), yes);
    }
    EXPECT_EQ(f.prompts->boxes.back().title, QStringLiteral("Confirm"));
    EXPECT_EQ(f.prompts->boxes.back().text, QStringLiteral("Clear all images and annotations?"));
}
