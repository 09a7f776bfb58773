// The AI panel against local pages only (never the network): requests pasted through the clipboard, a
// dragged picture placed in the page, the failure page, reloads after renderer crashes, and windows
// that scripts open. One panel is shared because every page load costs about a second.
#include "AiCollaborationPanel.h"
#include "CustomWebEngineView.h"
#include "TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

const int kLoadTimeoutMs = 15000;

QUrl writePage(const QTemporaryDir& dir, const QString& name, const QString& html)
{
    QFile file(dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(html.toUtf8());
    return QUrl::fromLocalFile(file.fileName());
}

bool loadAndWait(QWebEngineView* view, const QUrl& url)
{
    QSignalSpy finished(view, &QWebEngineView::loadFinished);
    view->load(url);
    return finished.wait(kLoadTimeoutMs);
}

QVariant runJs(QWebEngineView* view, const QString& script)
{
    QVariant result;
    bool done = false;
    view->page()->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    return QTest::qWaitFor([&] { return done; }, kLoadTimeoutMs) ? result : QVariant();
}

// Eight colour blocks: a picture that comes back with a different size, order or colour is told apart.
QImage blockImage()
{
    QImage image(40, 20, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int i = 0; i < 8; ++i)
        painter.fillRect((i % 4) * 10, (i / 4) * 10, 10, 10, QColor::fromHsv(i * 45, 255, 90 + i * 20));
    return image;
}

} // namespace

class AiPanelWeb : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        s_panel = new AiCollaborationPanel(nullptr, {});
        s_panel->resize(900, 700);
        s_panel->show();
    }
    static void TearDownTestSuite()
    {
        delete s_panel;
        delete s_dir;
    }
    CustomWebEngineView* view() const { return s_panel->webView(); }

    static inline QTemporaryDir* s_dir = nullptr;
    static inline AiCollaborationPanel* s_panel = nullptr;
};

TEST_F(AiPanelWeb, RealActionsArePastedAndThePlaceholderLeavesTheClipboard)
{
    const QUrl page = writePage(*s_dir, QStringLiteral("input.html"),
                                QStringLiteral("<html><body><textarea id='t'></textarea></body></html>"));
    ASSERT_TRUE(loadAndWait(view(), page));
    auto* actions = s_panel->findChild<QComboBox*>(QStringLiteral("aiActionComboBox"));
    auto* addButton = s_panel->findChild<QPushButton*>(QStringLiteral("aiAddActionButton"));
    ASSERT_NE(actions, nullptr);
    ASSERT_NE(addButton, nullptr);
    const QString untouched = QStringLiteral("clipboard before the choice");

    const struct
    {
        const char* name;
        const char* addAnswer; // nullptr: nothing added before choosing
        int choice;            // combo index; -1: the last entry
        const char* expected;  // clipboard afterwards; nullptr: left alone
    } cases[] = {
        {"placeholder", nullptr, 0, nullptr},
        {"prepared analysis", nullptr, 1, "Please analyze this problem"},
        {"added, trimmed", "  Explain step 3  ", -1, "Explain step 3"},
        {"cancelled add changes nothing", "", -1, "Explain step 3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int countBefore = actions->count();
        if (c.addAnswer) {
            const QString answer = QString::fromUtf8(c.addAnswer);
            s_panel->setTextPrompter([answer](QWidget*, const QString&, const QString&) { return answer; });
            QTest::mouseClick(addButton, Qt::LeftButton);
            EXPECT_EQ(actions->count(), countBefore + (answer.trimmed().isEmpty() ? 0 : 1));
        }
        ASSERT_TRUE(
            runJs(view(), QStringLiteral("var t = document.getElementById('t'); t.value = ''; t.focus();"
                                         " document.activeElement === t"))
                .toBool());
        QApplication::clipboard()->setText(untouched);
        const int index = c.choice < 0 ? actions->count() - 1 : c.choice;
        emit actions->activated(index);

        const QString expected = c.expected ? QString::fromUtf8(c.expected) : untouched;
        EXPECT_EQ(QApplication::clipboard()->text(), expected);
        // The paste reaches the page's focused input, asynchronously; the placeholder pastes nothing.
        const QString pasted = c.expected ? expected : QString();
        (void)QTest::qWaitFor(
            [&] {
                return runJs(view(), QStringLiteral("document.getElementById('t').value")).toString() ==
                       pasted;
            },
            c.expected ? kLoadTimeoutMs : 500);
        EXPECT_EQ(runJs(view(), QStringLiteral("document.getElementById('t').value")).toString(), pasted);
    }
}

TEST_F(AiPanelWeb, DraggedPictureGoesAfterTheTextAreaOrAtTheEndOfTheBody)
{
    const struct
    {
        const char* name;
        const char* body;
        const char* placementCheck; // script; true when the picture sits where it should
    } cases[] = {
        {"text area", "<p>before</p><textarea></textarea><p id='after'>after</p>",
         "var t = document.querySelector('textarea'); t.nextSibling === img && document.activeElement === t"},
        {"no text area", "<p>first</p><div><p>last</p></div>", "document.body.lastElementChild === img"},
    };
    const QImage picture = blockImage();
    const QStringList pngBefore = QDir::temp().entryList({QStringLiteral("*.png")});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QUrl page =
            writePage(*s_dir, QStringLiteral("drop.html"),
                      QStringLiteral("<html><body>%1</body></html>").arg(QString::fromUtf8(c.body)));
        ASSERT_TRUE(loadAndWait(view(), page));
        s_panel->injectImage(picture);
        EXPECT_EQ(runJs(view(), QStringLiteral("document.images.length")).toInt(), 1);
        const QString prefix = QStringLiteral("var img = document.images[0]; ");
        EXPECT_TRUE(runJs(view(), prefix + QString::fromUtf8(c.placementCheck)).toBool());
        EXPECT_EQ(
            runJs(view(), prefix + QStringLiteral("img.style.maxWidth + ' ' + img.style.marginTop + ' ' +"
                                                  " img.style.marginBottom"))
                .toString(),
            QStringLiteral("100% 10px 10px"));

        const QString source = runJs(view(), prefix + QStringLiteral("img.src")).toString();
        const QString dataPrefix = QStringLiteral("data:image/png;base64,");
        ASSERT_TRUE(source.startsWith(dataPrefix)) << source.left(60).toStdString();
        const QImage decoded =
            QImage::fromData(QByteArray::fromBase64(source.mid(dataPrefix.size()).toLatin1()), "PNG");
        EXPECT_EQ(decoded.convertToFormat(QImage::Format_RGB32), picture);
    }
    EXPECT_EQ(QDir::temp().entryList({QStringLiteral("*.png")}), pngBefore);

    // A null picture changes nothing.
    s_panel->injectImage(QImage());
    EXPECT_EQ(runJs(view(), QStringLiteral("document.images.length")).toInt(), 1);
}

TEST_F(AiPanelWeb, FailurePageShowsTheAddressAsText)
{
    // A local file that does not exist, its name carrying markup and a script.
    const QString hostile = QUrl::fromLocalFile(s_dir->filePath(QStringLiteral("missing"))).toString() +
                            QStringLiteral("/<b>bold</b><script>document.title='ran'</script>.html");
    QSignalSpy finished(view(), &QWebEngineView::loadFinished);
    testsupport::LogCapture log;
    view()->load(QUrl(hostile));
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() >= 2; }, kLoadTimeoutMs)) << log.all();
    EXPECT_FALSE(finished.at(0).at(0).toBool());
    EXPECT_TRUE(log.contains(QStringLiteral("[WebEngine] Page load failed! URL: file:///"))) << log.all();

    const QString text = runJs(view(), QStringLiteral("document.body.innerText")).toString();
    EXPECT_TRUE(text.contains(QStringLiteral("页面加载失败"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("URL: ") + hostile)) << text.toStdString();
    EXPECT_EQ(runJs(view(), QStringLiteral("document.getElementsByTagName('b').length + "
                                           "document.getElementsByTagName('script').length"))
                  .toInt(),
              0);
    EXPECT_NE(runJs(view(), QStringLiteral("document.title")).toString(), QStringLiteral("ran"));
}

TEST_F(AiPanelWeb, ScriptOpenedWindowsOpenAndKeepTheOpener)
{
    const QUrl popup =
        writePage(*s_dir, QStringLiteral("popup.html"),
                  QStringLiteral("<html><head><title>popup</title></head><body>p</body></html>"));
    const QUrl opener =
        writePage(*s_dir, QStringLiteral("opener.html"),
                  QStringLiteral("<html><body><script>window.open('popup.html');</script></body></html>"));
    ASSERT_TRUE(loadAndWait(view(), opener));

    CustomWebEngineView* opened = nullptr;
    (void)QTest::qWaitFor(
        [&] {
            for (CustomWebEngineView* candidate : s_panel->window()->findChildren<CustomWebEngineView*>()) {
                if (candidate != view() && candidate->title() == QLatin1String("popup"))
                    opened = candidate;
            }
            return opened != nullptr;
        },
        kLoadTimeoutMs);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->url(), popup);
    EXPECT_TRUE(opened->isWindow());
    EXPECT_EQ(view()->url(), opener);
    // A script closing the window closes and removes it.
    QPointer<CustomWebEngineView> guard(opened);
    opened->page()->runJavaScript(QStringLiteral("window.close()"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return guard.isNull(); }, kLoadTimeoutMs));
}

// Fresh panels without sites: nothing loads, so only the reload decisions are seen.
TEST(AiPanelCrash, ReloadsOnlyAFewTimesAndOnlyWhileShown)
{
    const struct
    {
        const char* name;
        bool active;
        int crashes;
        bool destroyedBeforeTheDelay;
        int crashesAfterASuccessfulLoad;
        int expectedReloads;
    } cases[] = {
        {"shown", true, 1, false, 0, 1},
        {"mode left", false, 1, false, 0, 0},
        {"crash loop", true, 5, false, 0, AiCollaborationPanel::kMaxCrashReloads},
        {"a good load renews the budget", true, 5, false, 2, AiCollaborationPanel::kMaxCrashReloads + 2},
        {"panel destroyed", true, 1, true, 0, 0},
    };
    const QString reloadLine = QStringLiteral("[WebEngine] Attempting reload after renderer crash...");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::LogCapture log;
        auto panel = std::make_unique<AiCollaborationPanel>(nullptr, QList<AiSite>{});
        panel->setCrashReloadDelayMs(50);
        panel->setActive(c.active);
        const auto crash = [&panel](int times) {
            for (int i = 0; i < times; ++i)
                emit panel->webView()->page()->renderProcessTerminated(
                    QWebEnginePage::CrashedTerminationStatus, 11);
        };
        crash(c.crashes);
        if (c.crashesAfterASuccessfulLoad > 0) {
            panel->onLoadFinished(true);
            crash(c.crashesAfterASuccessfulLoad);
        }
        if (c.destroyedBeforeTheDelay)
            panel.reset();
        QTest::qWait(300);
        EXPECT_EQ(log.lines().count(reloadLine), c.expectedReloads) << log.all();
        EXPECT_TRUE(
            log.has(QtWarningMsg,
                    QStringLiteral("[WebEngine] renderProcessTerminated: status=CrashedTerminationStatus "
                                   "exitCode=11")));
    }
}
