// Mouse events go through the window system path so that moves carry the pressed button.
#define QTEST_QPA_MOUSE_HANDLING
#include "AnnotationOverlay.h"
#include "ImagePreviewDialog.h"
#include "TestSupport.h"
#include "VideoWidget.h"
#include "ViewGeometry.h"

#include <QAction>
#include <QClipboard>
#include <QImageReader>
#include <QSignalSpy>
#include <QtTest>
#include <gtest/gtest.h>

#include <malloc.h>
#include <memory>

namespace {

struct Message {
    QMessageBox::Icon icon;
    QString title;
    QString text;
};

class ImagePreviewDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_tmp.applyToCurrentProcess();
        m_dialog = std::make_unique<ImagePreviewDialog>();
        m_dialog->setMessageFunction([this](QMessageBox::Icon icon, const QString& title, const QString& text,
                                            QMessageBox::StandardButtons) {
            m_messages.append({icon, title, text});
            return icon == QMessageBox::Question ? m_answer : QMessageBox::Ok;
        });
        m_dialog->setFilePrompter([this](const QString& proposal) {
            m_proposals.append(proposal);
            return m_savePath;
        });
        m_dialog->resize(1000, 700);
        m_dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
        // Window shortcuts need the active window; there is no window manager to activate it.
        QApplication::setActiveWindow(m_dialog.get());
        ASSERT_EQ(QApplication::activeWindow(), m_dialog.get());
    }

    void loadWhiteImage(const QSize& size = QSize(400, 300))
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        m_dialog->setImage(image);
        // The canvas takes its frame at the next paint.
        ASSERT_TRUE(QTest::qWaitFor([this] { return !m_dialog->canvas()->currentFrame().isNull(); }, 5000));
        ASSERT_TRUE(m_dialog->canvas()->videoRect().isValid());
    }

    VideoWidget* canvas() const { return m_dialog->canvas(); }

    // A horizontal pen stroke at `fractionY` of the picture's height, over its middle half.
    void drawStroke(double fractionY)
    {
        const QRect video = canvas()->videoRect();
        const QPoint from(video.left() + video.width() / 4, video.top() + int(video.height() * fractionY));
        const QPoint to(video.left() + video.width() * 3 / 4, from.y());
        QTest::mousePress(canvas(), Qt::LeftButton, Qt::NoModifier, from);
        for (int i = 1; i <= 10; ++i)
            QTest::mouseMove(canvas(), from + (to - from) * i / 10);
        QTest::mouseRelease(canvas(), Qt::LeftButton, Qt::NoModifier, to);
    }

    // Where a stroke at `fractionY` crosses the middle of the picture, in frame pixels.
    QPoint strokePixel(double fractionY) const
    {
        const QRect video = canvas()->videoRect();
        const double scale = canvas()->geometry().displayScale();
        const QPoint widget(video.center().x(), video.top() + int(video.height() * fractionY));
        return QPoint(int((widget.x() - video.left()) / scale), int((widget.y() - video.top()) / scale));
    }

    // Bytes the allocator has handed out and not got back, over every arena and mapped block.
    static qint64 heapBytesInUse()
    {
        const struct mallinfo2 info = mallinfo2();
        return qint64(info.uordblks) + qint64(info.hblkhd);
    }

    static bool isRed(QRgb pixel) { return qRed(pixel) > 180 && qGreen(pixel) < 90 && qBlue(pixel) < 90; }

    testsupport::TempAppDir m_tmp;
    std::unique_ptr<ImagePreviewDialog> m_dialog;
    QVector<Message> m_messages;
    QStringList m_proposals;
    QString m_savePath;
    QMessageBox::StandardButton m_answer = QMessageBox::Yes;
};

TEST_F(ImagePreviewDialogTest, NullImageIsRefusedAndChangesNothing)
{
    const QString title = m_dialog->windowTitle();
    m_dialog->setImage(QImage());
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0].title, "Error");
    EXPECT_EQ(m_messages[0].text, "Invalid image");
    EXPECT_EQ(m_dialog->windowTitle(), title);
    EXPECT_FALSE(m_dialog->saveAction()->isEnabled());

    loadWhiteImage();
    m_messages.clear();
    m_dialog->setImage(QImage());
    EXPECT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_dialog->image().size(), QSize(400, 300));
    EXPECT_EQ(m_dialog->windowTitle(), "Image Preview - 400x300");
}

TEST_F(ImagePreviewDialogTest, ImageInformationAndStatus)
{
    QImage image(100, 50, QImage::Format_RGB888);
    image.fill(Qt::gray);
    m_dialog->setImage(image);
    EXPECT_EQ(m_dialog->imageInfoText(), "Size: 100 x 50\nFormat: RGB888\nSize: 14 KB");
    EXPECT_EQ(m_dialog->windowTitle(), "Image Preview - 100x50");
    EXPECT_TRUE(m_dialog->saveAction()->isEnabled());
    m_dialog->onToolChanged(AnnotationOverlay::EllipseTool);
    EXPECT_TRUE(m_dialog->statusText().startsWith("Current tool: Ellipse"));
    EXPECT_TRUE(m_dialog->statusText().endsWith("Size: 100 x 50"));

    QImage grey(10, 10, QImage::Format_Grayscale8);
    grey.fill(0);
    m_dialog->setImage(grey);
    EXPECT_TRUE(m_dialog->imageInfoText().contains("Format: Grayscale 8-bit"));
}

TEST_F(ImagePreviewDialogTest, UndoWithNothingToUndoDoesNothing)
{
    loadWhiteImage();
    EXPECT_FALSE(m_dialog->undoAction()->isEnabled());
    EXPECT_FALSE(m_dialog->redoAction()->isEnabled());
    m_dialog->onUndo();
    m_dialog->onRedo();
    EXPECT_FALSE(m_dialog->undoAction()->isEnabled());
    EXPECT_FALSE(m_dialog->redoAction()->isEnabled());
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(ImagePreviewDialogTest, SavedJpegCarriesTheStroke)
{
    loadWhiteImage();
    m_dialog->onToolChanged(AnnotationOverlay::PenTool);
    m_dialog->onPenWidthChanged(8);
    drawStroke(0.5);
    EXPECT_TRUE(m_dialog->undoAction()->isEnabled());

    QSignalSpy saved(m_dialog.get(), &ImagePreviewDialog::imageSaved);
    m_savePath = m_tmp.filePath("x.jpg");
    m_dialog->onSave();
    ASSERT_EQ(saved.count(), 1);
    EXPECT_EQ(saved.at(0).at(0).toString(), m_savePath);
    ASSERT_EQ(m_proposals.size(), 1);
    EXPECT_TRUE(QRegularExpression("^\\d{8}_\\d{6}\\.png$").match(m_proposals[0]).hasMatch()) << m_proposals[0].toStdString();
    ASSERT_FALSE(m_messages.isEmpty());
    EXPECT_EQ(m_messages.last().title, "Save Successful");
    EXPECT_EQ(m_messages.last().text, "Image saved to: " + m_savePath);

    QImageReader reader(m_savePath);
    EXPECT_EQ(reader.format(), "jpeg");
    const QImage written = reader.read();
    ASSERT_EQ(written.size(), QSize(400, 300));
    const QPoint onStroke = strokePixel(0.5);
    EXPECT_TRUE(isRed(written.pixel(onStroke))) << QColor(written.pixel(onStroke)).name().toStdString();
    EXPECT_EQ(qGray(written.pixel(onStroke + QPoint(0, 40))), 255);
}

TEST_F(ImagePreviewDialogTest, CancelledOrFailedSave)
{
    QSignalSpy saved(m_dialog.get(), &ImagePreviewDialog::imageSaved);
    m_dialog->onSave();
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0].text, "No image to save");

    loadWhiteImage();
    m_savePath.clear();
    m_dialog->onSaveAs();
    EXPECT_EQ(m_messages.size(), 1);

    m_savePath = m_tmp.filePath("no/such/folder/x.png");
    m_dialog->onSave();
    ASSERT_EQ(m_messages.size(), 2);
    EXPECT_EQ(m_messages[1].text, "Failed to save image");
    EXPECT_EQ(saved.count(), 0);
}

TEST_F(ImagePreviewDialogTest, CopyPutsTheAnnotatedImageOnTheClipboard)
{
    loadWhiteImage();
    m_dialog->onToolChanged(AnnotationOverlay::PenTool);
    m_dialog->onPenWidthChanged(8);
    drawStroke(0.3);
    m_dialog->onCopyToClipboard();
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0].title, "Copy Successful");
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(400, 300));
    EXPECT_TRUE(isRed(copied.pixel(strokePixel(0.3))));
}

TEST_F(ImagePreviewDialogTest, CtrlZUndoesOnceEvenWithTheCanvasFocused)
{
    loadWhiteImage();
    m_dialog->onToolChanged(AnnotationOverlay::PenTool);
    m_dialog->onPenWidthChanged(8);
    drawStroke(0.3);
    drawStroke(0.7);

    canvas()->setFocus();
    QTest::keyClick(canvas(), Qt::Key_Z, Qt::ControlModifier);
    // Once: a second undo would take the first stroke as well.
    QImage annotated = m_dialog->annotatedImage();
    EXPECT_TRUE(isRed(annotated.pixel(strokePixel(0.3))));
    EXPECT_FALSE(isRed(annotated.pixel(strokePixel(0.7))));
    EXPECT_TRUE(m_dialog->undoAction()->isEnabled());
    EXPECT_TRUE(m_dialog->redoAction()->isEnabled());

    QTest::keyClick(canvas(), Qt::Key_Y, Qt::ControlModifier);
    annotated = m_dialog->annotatedImage();
    EXPECT_TRUE(isRed(annotated.pixel(strokePixel(0.3))));
    EXPECT_TRUE(isRed(annotated.pixel(strokePixel(0.7))));
    EXPECT_FALSE(m_dialog->redoAction()->isEnabled());
}

TEST_F(ImagePreviewDialogTest, DeleteAsksOnceAndClears)
{
    loadWhiteImage();
    m_dialog->onToolChanged(AnnotationOverlay::PenTool);
    drawStroke(0.5);
    canvas()->setFocus();

    m_answer = QMessageBox::No;
    QTest::keyClick(canvas(), Qt::Key_Delete);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_EQ(m_messages[0].title, "Clear Annotations");
    EXPECT_EQ(m_messages[0].text, "Are you sure you want to clear all annotations?");
    EXPECT_TRUE(canvas()->annotations()->hasAnnotations());

    m_answer = QMessageBox::Yes;
    QTest::keyClick(canvas(), Qt::Key_Delete);
    EXPECT_EQ(m_messages.size(), 2);
    EXPECT_FALSE(canvas()->annotations()->hasAnnotations());
    EXPECT_FALSE(m_dialog->undoAction()->isEnabled());
}

TEST_F(ImagePreviewDialogTest, EveryStrokeUndoesAndRedoesWithoutAPictureKeptPerStroke)
{
    // 1000x750: a copy of the picture per stroke would grow the heap by 3 MB a stroke.
    loadWhiteImage(QSize(1000, 750));
    m_dialog->onToolChanged(AnnotationOverlay::PenTool);
    const int strokes = 25;
    auto strokeY = [strokes](int i) { return 0.04 + 0.92 * i / (strokes - 1); };

    drawStroke(strokeY(0));
    const qint64 heapBefore = heapBytesInUse();
    for (int i = 1; i < strokes; ++i)
        drawStroke(strokeY(i));
    const qint64 heapGrowth = heapBytesInUse() - heapBefore;
    const qint64 pictureBytes = m_dialog->image().sizeInBytes();
    EXPECT_LT(heapGrowth, 2 * pictureBytes) << "heap grew by " << heapGrowth << " bytes over " << strokes - 1
                                            << " strokes; one picture is " << pictureBytes;

    // Each undo takes back exactly the newest stroke left, down to the very first.
    for (int i = strokes - 1; i >= 0; --i) {
        ASSERT_TRUE(m_dialog->undoAction()->isEnabled()) << i;
        m_dialog->onUndo();
        const QImage annotated = m_dialog->annotatedImage();
        EXPECT_FALSE(isRed(annotated.pixel(strokePixel(strokeY(i))))) << i;
        if (i > 0) {
            EXPECT_TRUE(isRed(annotated.pixel(strokePixel(strokeY(i - 1))))) << i;
        }
    }
    EXPECT_FALSE(m_dialog->undoAction()->isEnabled());

    for (int i = 0; i < strokes; ++i) {
        ASSERT_TRUE(m_dialog->redoAction()->isEnabled()) << i;
        m_dialog->onRedo();
    }
    EXPECT_FALSE(m_dialog->redoAction()->isEnabled());
    const QImage annotated = m_dialog->annotatedImage();
    for (int i = 0; i < strokes; ++i)
        EXPECT_TRUE(isRed(annotated.pixel(strokePixel(strokeY(i))))) << i;
}

TEST_F(ImagePreviewDialogTest, ToolsPanelToggles)
{
    QWidget* panel = m_dialog->findChild<QWidget*>("toolsPanel");
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    m_dialog->toggleToolsPanel();
    EXPECT_FALSE(panel->isVisible());
    QTest::keyClick(m_dialog.get(), Qt::Key_T);
    EXPECT_TRUE(panel->isVisible());
}

} // namespace
