// The OCR engine and its adapter on pages drawn with a known text at known places: what is read, where
// the blocks are, how failures come back, and two callers at once.
#include "OCRProcessor.h"
#include "OcrEngine.h"
#include "OcrPages.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include <unistd.h>

using ocrpages::TextRun;

namespace {

// Every test of this program stages into a private folder, never the user's own.
class PrivateFolders : public ::testing::Environment
{
public:
    void SetUp() override
    {
        m_dir = std::make_unique<testsupport::TempAppDir>();
        m_dir->applyToCurrentProcess();
        QDir().mkpath(m_dir->runtimeDir());
        QDir().mkpath(m_dir->filePath("tmp"));
    }
    void TearDown() override { m_dir.reset(); }

private:
    std::unique_ptr<testsupport::TempAppDir> m_dir;
};
const auto* const g_folders = ::testing::AddGlobalTestEnvironment(new PrivateFolders);

QString packageText()
{
    return testsupport::readFile(QString(LUMADOC_BIN_DIR) + "/models.bin");
}

// The drawn box and the block's box agree within `tolerancePx` on every edge.
::testing::AssertionResult boxNear(const OcrTextBlockEx& b, const QRect& drawn, int tolerancePx)
{
    const int d[] = {b.x1 - drawn.left(), b.y1 - drawn.top(), b.x2 - (drawn.right() + 1),
                     b.y2 - (drawn.bottom() + 1)};
    for (int v : d) {
        if (std::abs(v) > tolerancePx)
            return ::testing::AssertionFailure()
                   << "block " << b.text.toStdString() << " (" << b.x1 << "," << b.y1 << ")-(" << b.x2 << ","
                   << b.y2 << ") drawn (" << drawn.left() << "," << drawn.top() << ")-(" << drawn.right() + 1
                   << "," << drawn.bottom() + 1 << ")";
    }
    return ::testing::AssertionSuccess();
}

std::string describe(const QList<OcrTextBlockEx>& blocks)
{
    std::string all;
    for (const auto& b : blocks)
        all += b.text.toStdString() + " (" + std::to_string(b.x1) + "," + std::to_string(b.y1) + ")-(" +
               std::to_string(b.x2) + "," + std::to_string(b.y2) + ") | ";
    return all;
}

QImage page(const QVector<TextRun>& runs, QVector<QRect>* drawn = nullptr, QSize size = QSize(1200, 300))
{
    return ocrpages::renderRuns(size, runs, drawn);
}

} // namespace

TEST(Ocr, ReadsLatinAndChineseWithoutSpacesBetweenChineseCharacters)
{
    struct Case
    {
        const char* name;
        TextRun run;
        QString languages;
        QString expected;
    } cases[] = {
        {"latin", {"HELLO 2024", ocrpages::kLatinFamily, 60, 80, 150}, {}, "HELLO 2024"},
        {"chinese", {"姓名 张三", ocrpages::kCjkFamily, 60, 80, 150}, {}, "姓名张三"},
        {"english only for this run",
         {"HELLO 2024", ocrpages::kLatinFamily, 60, 80, 150},
         "eng",
         "HELLO 2024"},
        {"chinese only for this run",
         {"姓名 张三", ocrpages::kCjkFamily, 60, 80, 150},
         "chi_sim",
         "姓名张三"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(OCRProcessor::instance()->performOCR(page({c.run}), 0, c.languages), c.expected);
    }
    // A language list that could smuggle anything into the package is refused; the next call is fine.
    EXPECT_TRUE(OCRProcessor::instance()->performOCR(page({cases[0].run}), 0, "eng\ndatapath=/x").isEmpty());
    EXPECT_EQ(OCRProcessor::instance()->performOCR(page({cases[1].run}), 0), "姓名张三");
}

TEST(Ocr, BlocksAreLabelAndValuePiecesWhereTheyWereDrawn)
{
    // A letter-spaced label ("姓", 40 px, "名") 42 px before its value stays together; phrases far apart on
    // one line are separate blocks in reading order.
    const QFontMetrics cjk([] {
        QFont f(ocrpages::kCjkFamily);
        f.setPixelSize(40);
        f.setHintingPreference(QFont::PreferNoHinting);
        return f;
    }());
    const int xing = 80;
    const int ming = xing + cjk.horizontalAdvance(QStringLiteral("姓")) + 40;
    const int value = ming + cjk.horizontalAdvance(QStringLiteral("名")) + 42;
    QVector<QRect> drawn;
    const QImage form = page({{"姓", ocrpages::kCjkFamily, 40, xing, 100},
                              {"名", ocrpages::kCjkFamily, 40, ming, 100},
                              {"张三", ocrpages::kCjkFamily, 40, value, 100},
                              {"发票号码", ocrpages::kCjkFamily, 40, 80, 220},
                              {"No. 20240517", ocrpages::kLatinFamily, 40, 700, 220}},
                             &drawn);
    const QList<OcrTextBlockEx> blocks = OCRProcessor::instance()->performOCRAdvanced(form, 0);
    ASSERT_EQ(blocks.size(), 3) << describe(blocks);
    EXPECT_EQ(blocks[0].text, "姓名张三");
    EXPECT_TRUE(boxNear(blocks[0], drawn[0].united(drawn[2]), 8));
    EXPECT_EQ(blocks[1].text, "发票号码");
    EXPECT_TRUE(boxNear(blocks[1], drawn[3], 8));
    EXPECT_EQ(blocks[2].text, "No. 20240517");
    EXPECT_TRUE(boxNear(blocks[2], drawn[4], 8));
    for (const auto& b : blocks)
        EXPECT_GT(b.confidence, 50.0f) << b.text.toStdString();
}

TEST(Ocr, LargeInputGivesBoxesInTheScaledPicture)
{
    // 4000x3000 is scaled to 1440x1080: the boxes come back in that picture's pixels.
    QVector<QRect> drawn;
    const QImage big = page({{"TOTAL 1234", ocrpages::kLatinFamily, 160, 400, 900},
                             {"金额 伍佰", ocrpages::kCjkFamily, 160, 2200, 2200}},
                            &drawn, QSize(4000, 3000));
    const QList<OcrTextBlockEx> blocks = OCRProcessor::instance()->performOCRAdvanced(big, 0);
    ASSERT_EQ(blocks.size(), 2) << describe(blocks);
    const double scale = 1080.0 / 3000.0;
    const auto scaled = [&](const QRect& r) {
        return QRect(QPoint(qRound(r.left() * scale), qRound(r.top() * scale)),
                     QPoint(qRound((r.right() + 1) * scale) - 1, qRound((r.bottom() + 1) * scale) - 1));
    };
    EXPECT_EQ(blocks[0].text, "TOTAL 1234");
    EXPECT_TRUE(boxNear(blocks[0], scaled(drawn[0]), 8));
    EXPECT_EQ(blocks[1].text, "金额伍佰");
    EXPECT_TRUE(boxNear(blocks[1], scaled(drawn[1]), 8));
    for (const auto& b : blocks)
        EXPECT_LE(b.x2, 1440);
}

TEST(Ocr, MissingModelPackageFailsUntilItIsPlaced)
{
    testsupport::TempAppDir appDir;
    setOcrApplicationDir(appDir.path());
    OCRProcessor processor;
    const QImage hello = page({{"HELLO 2024", ocrpages::kLatinFamily, 60, 80, 150}});
    {
        testsupport::LogCapture log;
        EXPECT_TRUE(processor.performOCR(hello, 0).isEmpty());
        EXPECT_TRUE(processor.performOCRAdvanced(hello, 0).isEmpty());
        EXPECT_TRUE(log.hasPrefix("[OCR] loadModels() Step1: model file NOT FOUND:")) << log.all();
    }
    QFile package(appDir.filePath("models.bin"));
    ASSERT_TRUE(package.open(QIODevice::WriteOnly));
    package.write(packageText().toUtf8());
    package.close();
    EXPECT_EQ(processor.performOCR(hello, 0), "HELLO 2024");
    setOcrApplicationDir(QString());
}

namespace {
int throwingInit(const char*)
{
    throw std::runtime_error("engine fault");
}
const char* throwingRecognize(const char*)
{
    throw std::bad_alloc();
}
OcrAdvancedResult throwingStruct(const char*)
{
    throw std::runtime_error("engine fault");
}
} // namespace

TEST(Ocr, FaultsBecomeEmptyResults)
{
    const QImage hello = page({{"HELLO 2024", ocrpages::kLatinFamily, 60, 80, 150}});
    {
        // A fault inside initialisation: no model, and the next call tries again.
        OcrEngineCalls calls;
        calls.initializeFromPackage = &throwingInit;
        setOcrEngineCalls(calls);
        OCRProcessor processor;
        testsupport::LogCapture log;
        EXPECT_TRUE(processor.performOCR(hello, 0).isEmpty());
        EXPECT_TRUE(log.has("[OCR] SEH crash inside OcrInitializeFromPackage")) << log.all();
        setOcrEngineCalls(OcrEngineCalls());
        EXPECT_EQ(processor.performOCR(hello, 0), "HELLO 2024");
    }
    {
        // Faults inside recognition.
        OcrEngineCalls calls;
        calls.recognize = &throwingRecognize;
        calls.recognizeAdvancedStruct = &throwingStruct;
        setOcrEngineCalls(calls);
        testsupport::LogCapture log;
        EXPECT_TRUE(OCRProcessor::instance()->performOCR(hello, 0).isEmpty());
        EXPECT_TRUE(OCRProcessor::instance()->performOCRAdvanced(hello, 0).isEmpty());
        EXPECT_TRUE(log.has("[OCR] SEH crash inside OcrRecognize")) << log.all();
        EXPECT_TRUE(log.has("[OCR] SEH crash inside OcrRecognizeAdvancedStruct")) << log.all();
        setOcrEngineCalls(OcrEngineCalls());
    }
    // The library itself on input it cannot read: null and all-zero, never a crash.
    testsupport::TempAppDir dir;
    QFile junk(dir.filePath("junk.jpg"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("\xff\xd8\xff\xe0 not really a JPEG");
    junk.close();
    const QByteArray junkPath = QFile::encodeName(junk.fileName());
    for (const char* path :
         {static_cast<const char*>(nullptr), "", "/nonexistent/x.jpg", junkPath.constData()}) {
        EXPECT_EQ(OcrRecognize(path), nullptr);
        EXPECT_EQ(OcrRecognizeAdvanced(path), nullptr);
        OcrAdvancedResult r = OcrRecognizeAdvancedStruct(path);
        EXPECT_EQ(r.blocks, nullptr);
        EXPECT_EQ(r.count, 0u);
        OcrFreeAdvancedResult(&r);
    }
    EXPECT_EQ(OcrInitializeFromPackage(nullptr), kOcrInitNoPath);
    EXPECT_EQ(OcrInitializeFromPackage(junkPath.constData()), kOcrInitPackageMalformed);
    EXPECT_EQ(OCRProcessor::instance()->performOCR(hello, 0), "HELLO 2024");
}

TEST(Ocr, ChainedBlockTextCarriesEachBlockWithItsBox)
{
    QVector<QRect> drawn;
    const QImage image = page({{"发票号码", ocrpages::kCjkFamily, 40, 80, 150},
                               {"No. 20240517", ocrpages::kLatinFamily, 40, 700, 150}},
                              &drawn);
    ASSERT_TRUE(image.save(QDir::tempPath() + "/chained.png"));
    ASSERT_TRUE(OCRProcessor::instance()->initialize());
    const QByteArray path = QFile::encodeName(QDir::tempPath() + "/chained.png");
    const char* chained = guardedOcrRecognizeAdvanced(path.constData());
    ASSERT_NE(chained, nullptr);
    static const QRegularExpression block(R"(<(.*?)\((\d+(?:\.\d+)?)\)>\((\d+),(\d+),(\d+),(\d+)\))");
    QStringList texts;
    auto it = block.globalMatch(QString::fromUtf8(chained));
    while (it.hasNext())
        texts << it.next().captured(1);
    EXPECT_EQ(texts, QStringList({"发票号码", "No. 20240517"})) << chained;
}

TEST(Ocr, TwoCallersAtOnceBothGetTheirText)
{
    const QImage latin = page({{"HELLO 2024", ocrpages::kLatinFamily, 60, 80, 150}});
    const QImage chinese = page({{"姓名 张三", ocrpages::kCjkFamily, 60, 80, 150}});
    QString plain[2];
    QList<OcrTextBlockEx> blocks[2];
    std::thread a([&] {
        plain[0] = OCRProcessor::instance()->performOCR(latin, 0);
        blocks[0] = OCRProcessor::instance()->performOCRAdvanced(chinese, 0);
    });
    std::thread b([&] {
        blocks[1] = OCRProcessor::instance()->performOCRAdvanced(latin, 0);
        plain[1] = OCRProcessor::instance()->performOCR(chinese, 0, "chi_sim");
    });
    // An export worker loading the package again meanwhile: it waits for the running recognition.
    int reloads[2] = {-1, -1};
    std::thread c([&] {
        const QByteArray package = ocrPathBytes(ocrStagedModelPath());
        for (int& result : reloads)
            result = guardedOcrInitialize(package.constData());
    });
    a.join();
    b.join();
    c.join();
    EXPECT_EQ(reloads[0], 0);
    EXPECT_EQ(reloads[1], 0);
    EXPECT_EQ(plain[0], "HELLO 2024");
    EXPECT_EQ(plain[1], "姓名张三");
    ASSERT_EQ(blocks[0].size(), 1);
    EXPECT_EQ(blocks[0][0].text, "姓名张三");
    ASSERT_EQ(blocks[1].size(), 1);
    EXPECT_EQ(blocks[1][0].text, "HELLO 2024");
    // Every temporary picture is gone again.
    EXPECT_TRUE(QDir(ocrStagingDir()).entryList({"ld_ocr_img_*"}, QDir::Files).isEmpty());
}

TEST(Ocr, CharacterErrorRateFloors)
{
    struct Case
    {
        const char* name;
        QImage image;
        QStringList truth;
        bool lineMatched;
        double maxCer;
    };
    QStringList zhLines, enLines;
    const QImage zh =
        ocrpages::renderParagraph(ocrpages::chineseParagraph(), ocrpages::kCjkFamily, 1760, &zhLines);
    const QImage en =
        ocrpages::renderParagraph(ocrpages::englishParagraph(), ocrpages::kLatinFamily, 1760, &enLines);
    const Case cases[] = {
        {"chinese paragraph", zh, zhLines, false, 0.02},
        {"english paragraph", en, enLines, false, 0.02},
        {"virtual camera page after crop", ocrpages::virtualCameraPageCrop(1280, 720),
         ocrpages::virtualCameraPageLines(), true, 0.05},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString text = OCRProcessor::instance()->performOCR(c.image, 0);
        const double cer = c.lineMatched ? ocrpages::lineMatchedErrorRate(c.truth, text)
                                         : ocrpages::characterErrorRate(c.truth.join(QString()), text);
        EXPECT_LE(cer, c.maxCer) << text.toStdString();
    }
}

TEST(Ocr, StagingFolderIsTheUsersOwnAndTheModelCopyFollowsItsSource)
{
    testsupport::TempAppDir dir;
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray savedTmp = qgetenv("TMPDIR");
    QDir().mkpath(dir.filePath("run"));
    QDir().mkpath(dir.filePath("tmp"));
    QDir().mkpath(dir.filePath("elsewhere"));
    const QString uidDir = dir.filePath("tmp") + QStringLiteral("/ld_ocr-%1").arg(::geteuid());

    // Under the runtime folder, private; without one, a per-user name in the temp folder; a planted
    // symlink in its place is never followed.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.filePath("run")));
    qputenv("TMPDIR", QFile::encodeName(dir.filePath("tmp")));
    EXPECT_EQ(ocrStagingDir(), dir.filePath("run") + "/ld_ocr");
    EXPECT_EQ(QFileInfo(ocrStagingDir()).permissions() & (QFile::ReadGroup | QFile::ReadOther), 0);
    qunsetenv("XDG_RUNTIME_DIR");
    ASSERT_TRUE(QFile::link(dir.filePath("elsewhere"), uidDir));
    EXPECT_EQ(ocrStagingDir(), QString());
    ASSERT_TRUE(QFile::remove(uidDir));
    EXPECT_EQ(ocrStagingDir(), uidDir);

    // The staged package is copied again when the source's time moves by a second at the same size.
    setOcrApplicationDir(dir.path());
    QFile source(dir.filePath("models.bin"));
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.write(packageText().toUtf8());
    source.close();
    const QString staged = ocrStagedModelPath();
    ASSERT_EQ(staged, uidDir + "/models.bin");
    {
        QFile stagedFile(staged);
        ASSERT_TRUE(stagedFile.open(QIODevice::ReadWrite));
        stagedFile.seek(0);
        stagedFile.write("X"); // same size, different bytes: only the time can tell
        stagedFile.flush();
        ASSERT_TRUE(stagedFile.setFileTime(QFileInfo(source).lastModified().addSecs(-1),
                                           QFileDevice::FileModificationTime));
    }
    EXPECT_EQ(ocrStagedModelPath(), staged);
    EXPECT_EQ(testsupport::readFile(staged), packageText());

    setOcrApplicationDir(QString());
    qputenv("XDG_RUNTIME_DIR", savedRuntime);
    qputenv("TMPDIR", savedTmp);
}
