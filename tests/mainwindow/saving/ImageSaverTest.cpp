#include "ImageSaver.h"

#include "SavingTestHelpers.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <sys/mount.h>

using savingtest::allEntries;
using savingtest::FakeExporter;
using savingtest::LogCapture;
using savingtest::readAll;
using savingtest::writeFile;

namespace {

const QDateTime kNow(QDate(2024, 1, 31), QTime(14, 25, 2, 123));

// A saver whose encoder can be told to write some bytes and then fail, for the first N attempts.
class ScriptedSaver : public ImageSaver
{
public:
    using ImageSaver::ImageSaver;
    int failFirstAttempts = 0;
    QList<EncodeAttempt> attempts;

protected:
    bool encode(const QImage& image, QIODevice& device, const EncodeAttempt& attempt) override
    {
        attempts << attempt;
        if (attempts.size() <= failFirstAttempts) {
            device.write(QByteArray(1000, 'P')); // half an image, then the encoder gives up
            return false;
        }
        return ImageSaver::encode(image, device, attempt);
    }
};

QImage testPattern(QImage::Format format, int width = 64, int height = 48)
{
    QImage image(width, height, format);
    image.fill(QColor(200, 40, 30));
    QPainter p(&image);
    p.fillRect(QRect(0, 0, width / 2, height), QColor(20, 60, 220));
    return image;
}

class ImageSaverTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_app.isValid());
        m_app.applyToCurrentProcess();
        m_dir = m_app.filePath(QStringLiteral("captures"));
        m_saver.setSyncInBackground(false);
    }

    QString path(const QString& name) const { return m_dir + QLatin1Char('/') + name; }

    testsupport::TempAppDir m_app;
    testsupport::FixedClock m_clock{kNow};
    ScriptedSaver m_saver{[this] { return m_clock.now(); }};
    QString m_dir;
};

TEST_F(ImageSaverTest, SavesAJpegAndSaysWhere)
{
    LogCapture log;
    const SaveResult result =
        m_saver.saveCapture(testPattern(QImage::Format_RGB32), "DOC_0007.jpg", m_dir, 0);
    ASSERT_TRUE(result.ok) << result.statusText.toStdString();
    EXPECT_EQ(result.writtenPath, path("DOC_0007.jpg"));
    EXPECT_EQ(result.statusText, QStringLiteral("Image saved: ") + path("DOC_0007.jpg"));
    EXPECT_EQ(result.statusDurationMs, 3000);
    EXPECT_FALSE(result.formatNotAvailable);
    QImageReader reader(result.writtenPath);
    EXPECT_EQ(reader.format(), QByteArray("jpeg"));
    EXPECT_EQ(reader.read().size(), QSize(64, 48));
    EXPECT_EQ(allEntries(m_dir), QStringList{"DOC_0007.jpg"}) << "no probe or temporary file left";
    EXPECT_TRUE(log.has("savePath = " + m_dir)) << log.all();
    EXPECT_TRUE(log.has("create save directory sucess!")) << log.all();
    EXPECT_TRUE(log.has("filePath = " + path("DOC_0007.jpg"))) << log.all();
    ASSERT_EQ(m_saver.attempts.size(), 1);
    EXPECT_EQ(m_saver.attempts[0].quality, 75);
}

TEST_F(ImageSaverTest, ASecondSaveUnderTheSameNameNeverOverwritesTheFirst)
{
    const QImage image = testPattern(QImage::Format_RGB32);
    const SaveResult first = m_saver.saveCapture(image, "IMG_0001.jpg", m_dir, 0);
    ASSERT_TRUE(first.ok);
    const QByteArray firstBytes = readAll(first.writtenPath);

    const SaveResult second =
        m_saver.saveCapture(testPattern(QImage::Format_RGB32, 80, 60), "IMG_0001.jpg", m_dir, 0);
    ASSERT_TRUE(second.ok);
    EXPECT_EQ(second.writtenPath, path("IMG_0001_2.jpg"));
    EXPECT_EQ(second.statusText, QStringLiteral("Image saved: ") + path("IMG_0001_2.jpg"));
    EXPECT_EQ(readAll(first.writtenPath), firstBytes);
    EXPECT_EQ(QImage(second.writtenPath).size(), QSize(80, 60));

    const SaveResult third = m_saver.saveCapture(image, "IMG_0001.jpg", m_dir, 0);
    EXPECT_EQ(third.writtenPath, path("IMG_0001_3.jpg"));
    EXPECT_EQ(allEntries(m_dir), (QStringList{"IMG_0001.jpg", "IMG_0001_2.jpg", "IMG_0001_3.jpg"}));
}

TEST_F(ImageSaverTest, DateNamesClashingWithinAMillisecondGetASuffixToo)
{
    const QString name = QStringLiteral("IMG_20240131_142502_123.png");
    ASSERT_TRUE(m_saver.saveCapture(testPattern(QImage::Format_RGB32), name, m_dir, 1).ok);
    EXPECT_EQ(m_saver.saveCapture(testPattern(QImage::Format_RGB32), name, m_dir, 1).writtenPath,
              path("IMG_20240131_142502_123_2.png"));
}

TEST_F(ImageSaverTest, BarcodeVariantKeepsTheFirstFileAndStampsTheSecond)
{
    LogCapture log;
    const QImage image = testPattern(QImage::Format_RGB32);
    const SaveResult first = m_saver.saveBarcodeCapture(image, "A_B_1.jpg", m_dir, 0);
    ASSERT_TRUE(first.ok);
    EXPECT_EQ(first.statusText, QStringLiteral("Image saved with barcode: ") + path("A_B_1.jpg"));
    EXPECT_EQ(first.statusDurationMs, 3000);
    EXPECT_TRUE(log.has("[ScannerGun] Image saved: " + path("A_B_1.jpg"))) << log.all();
    EXPECT_FALSE(log.hasPrefix("savePath =")) << "the scanner-gun variant logs no directory lines";
    const QByteArray firstBytes = readAll(first.writtenPath);

    const SaveResult second = m_saver.saveBarcodeCapture(image, "A_B_1.jpg", m_dir, 0);
    ASSERT_TRUE(second.ok);
    EXPECT_EQ(second.writtenPath, path("A_B_1_20240131_142502_123.jpg"));
    const SaveResult third = m_saver.saveBarcodeCapture(image, "A_B_1.jpg", m_dir, 0);
    EXPECT_EQ(third.writtenPath, path("A_B_1_20240131_142502_123_2.jpg")) << "same millisecond: counted on";
    EXPECT_EQ(readAll(first.writtenPath), firstBytes);
}

TEST_F(ImageSaverTest, BarcodeVariantNeverLeavesTheFolder)
{
    const SaveResult result =
        m_saver.saveBarcodeCapture(testPattern(QImage::Format_RGB32), "../A/B.jpg", m_dir, 0);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.writtenPath, path(".._A_B.jpg"));
}

TEST_F(ImageSaverTest, PathOf260CharactersIsAcceptedAnd261Refused)
{
    const QString dirPrefix = m_dir + QLatin1Char('/');
    const QString name260 = QString(260 - dirPrefix.size() - 4, QLatin1Char('n')) + QStringLiteral(".jpg");
    ASSERT_EQ((dirPrefix + name260).size(), 260);
    const SaveResult accepted = m_saver.saveCapture(testPattern(QImage::Format_RGB32), name260, m_dir, 0);
    EXPECT_TRUE(accepted.ok) << accepted.statusText.toStdString();
    EXPECT_EQ(accepted.writtenPath, dirPrefix + name260);

    const QString name261 = QStringLiteral("m") + name260;
    const SaveResult refused = m_saver.saveCapture(testPattern(QImage::Format_RGB32), name261, m_dir, 0);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.statusText, QStringLiteral("File path is too long: ") + dirPrefix + name261);
    EXPECT_EQ(refused.statusDurationMs, 3000);
    EXPECT_FALSE(QFile::exists(dirPrefix + name261));
    EXPECT_EQ(allEntries(m_dir), QStringList{name260});
}

TEST_F(ImageSaverTest, QuestionMarkInThePrefixIsRefused)
{
    const SaveResult result =
        m_saver.saveCapture(testPattern(QImage::Format_RGB32), "DOC?_0001.jpg", m_dir, 0);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.statusText, QStringLiteral("File name contains invalid characters: DOC?_0001.jpg"));
    EXPECT_EQ(result.statusDurationMs, 3000);
    EXPECT_TRUE(allEntries(m_dir).isEmpty());
}

TEST_F(ImageSaverTest, SlashInTheNameIsRefusedRatherThanMakingASubfolder)
{
    const SaveResult result =
        m_saver.saveCapture(testPattern(QImage::Format_RGB32), "a/b_0001.jpg", m_dir, 0);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.statusText, QStringLiteral("File name contains invalid characters: a/b_0001.jpg"));
    EXPECT_FALSE(QFileInfo::exists(path("a")));
}

TEST_F(ImageSaverTest, AlphaImageBecomesOpaqueRgbForJpeg)
{
    LogCapture log;
    QImage image = testPattern(QImage::Format_ARGB32);
    image.setPixelColor(63, 47, QColor(10, 250, 10, 128)); // half transparent: its colour is what stays
    const SaveResult result = m_saver.saveCapture(image, "alpha.jpg", m_dir, 0);
    ASSERT_TRUE(result.ok);
    EXPECT_TRUE(log.has("Converted image format for JPEG from 5 to 4")) << log.all();
    const QImage loaded(result.writtenPath);
    EXPECT_FALSE(loaded.hasAlphaChannel());
    const QColor left = loaded.pixelColor(5, 24), right = loaded.pixelColor(50, 24);
    EXPECT_NEAR(left.red(), 20, 6);
    EXPECT_NEAR(left.green(), 60, 6);
    EXPECT_NEAR(left.blue(), 220, 6);
    EXPECT_NEAR(right.red(), 200, 6);
    EXPECT_NEAR(right.green(), 40, 6);
    EXPECT_NEAR(right.blue(), 30, 6);
}

TEST_F(ImageSaverTest, PremultipliedAndOtherAlphaFormatsAreConvertedForJpegToo)
{
    LogCapture log;
    ASSERT_TRUE(m_saver.saveCapture(testPattern(QImage::Format_ARGB32_Premultiplied), "pm.jpg", m_dir, 0).ok);
    EXPECT_TRUE(log.has("Converted image format for JPEG from 6 to 4")) << log.all();
    ASSERT_TRUE(m_saver.saveCapture(testPattern(QImage::Format_RGBA8888), "rgba.jpg", m_dir, 0).ok);
    EXPECT_TRUE(log.has("Converted image format for JPEG from 17 to 4")) << log.all();
    ASSERT_TRUE(m_saver.saveCapture(testPattern(QImage::Format_RGB888), "rgb.jpg", m_dir, 0).ok);
    EXPECT_EQ(log.lines().filter("Converted image format").size(), 2) << "an opaque image is left alone";
}

TEST_F(ImageSaverTest, PngKeepsTheAlphaChannelAndNamesTheSoftware)
{
    QImage image = testPattern(QImage::Format_ARGB32);
    image.setPixelColor(3, 3, QColor(10, 250, 10, 77));
    image.setPixelColor(4, 4, QColor(0, 0, 0, 0));
    const SaveResult result = m_saver.saveCapture(image, "alpha.png", m_dir, 1);
    ASSERT_TRUE(result.ok);
    QImageReader reader(result.writtenPath);
    EXPECT_EQ(reader.text("Software"), QStringLiteral("Lumadoc"));
    const QImage loaded = reader.read();
    ASSERT_TRUE(loaded.hasAlphaChannel());
    EXPECT_EQ(loaded.pixelColor(3, 3), QColor(10, 250, 10, 77));
    EXPECT_EQ(loaded.pixelColor(4, 4).alpha(), 0);
    EXPECT_EQ(loaded.pixelColor(40, 40), QColor(200, 40, 30));
    ASSERT_EQ(m_saver.attempts.size(), 1);
    EXPECT_TRUE(m_saver.attempts[0].useWriter);
    EXPECT_EQ(m_saver.attempts[0].quality, 75);
}

TEST_F(ImageSaverTest, BmpRoundTripsExactly)
{
    const QImage image = testPattern(QImage::Format_RGB32);
    const SaveResult result = m_saver.saveCapture(image, "x.bmp", m_dir, 2);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(QImage(result.writtenPath).convertToFormat(QImage::Format_RGB32), image);
    EXPECT_EQ(m_saver.attempts[0].quality, 95);
}

TEST_F(ImageSaverTest, TiffIsWrittenAsRgb32)
{
    if (!QImageWriter::supportedImageFormats().contains("tiff"))
        GTEST_SKIP() << "no TIFF plug-in installed";
    LogCapture log;
    const SaveResult result = m_saver.saveCapture(testPattern(QImage::Format_ARGB32), "x.tif", m_dir, 3);
    ASSERT_TRUE(result.ok) << result.statusText.toStdString();
    EXPECT_TRUE(log.has("Converted image format for TIFF from 5 to 4")) << log.all();
    const QImage loaded(result.writtenPath);
    EXPECT_FALSE(loaded.hasAlphaChannel());
    EXPECT_EQ(loaded.pixelColor(40, 40), QColor(200, 40, 30));
}

TEST_F(ImageSaverTest, RegularFileWhereTheFolderShouldBeIsReportedAndLeftAlone)
{
    writeFile(m_dir, "not a folder");
    const QStringList before = allEntries(m_app.path());
    const SaveResult result = m_saver.saveCapture(testPattern(QImage::Format_RGB32), "a.jpg", m_dir, 0);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.statusText, QStringLiteral("Failed to create save directory: ") + m_dir);
    EXPECT_EQ(result.statusDurationMs, 3000);
    EXPECT_EQ(readAll(m_dir), QByteArray("not a folder"));
    EXPECT_EQ(allEntries(m_app.path()), before);

    const QString below = m_dir + QStringLiteral("/sub");
    const SaveResult nested =
        m_saver.saveBarcodeCapture(testPattern(QImage::Format_RGB32), "a.jpg", below, 0);
    EXPECT_FALSE(nested.ok);
    EXPECT_EQ(nested.statusText, QStringLiteral("Failed to create save directory: ") + below);
    EXPECT_EQ(readAll(m_dir), QByteArray("not a folder"));
}

TEST_F(ImageSaverTest, FailingEncoderLeavesNoPartialFileAndNoTemporaryFile)
{
    m_saver.failFirstAttempts = 99;
    const SaveResult result = m_saver.saveCapture(testPattern(QImage::Format_RGB32), "broken.jpg", m_dir, 0);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.writtenPath.isEmpty());
    ASSERT_EQ(m_saver.attempts.size(), 3) << "quality 75, quality 50, then the image writer";
    EXPECT_EQ(m_saver.attempts[0].quality, 75);
    EXPECT_EQ(m_saver.attempts[1].quality, 50);
    EXPECT_TRUE(m_saver.attempts[2].useWriter);
    EXPECT_EQ(m_saver.attempts[2].format, QByteArray("jpeg"));
    EXPECT_TRUE(allEntries(m_dir).isEmpty()) << allEntries(m_dir).join(",").toStdString();
}

TEST_F(ImageSaverTest, FallbackAttemptStartsFromAnEmptyFile)
{
    m_saver.failFirstAttempts = 1;
    const SaveResult result = m_saver.saveCapture(testPattern(QImage::Format_RGB32), "retry.jpg", m_dir, 0);
    ASSERT_TRUE(result.ok);
    const QByteArray bytes = readAll(result.writtenPath);
    EXPECT_TRUE(bytes.startsWith("\xFF\xD8")) << "the failed attempt's bytes are gone";
    EXPECT_FALSE(bytes.contains(QByteArray(1000, 'P')));
    EXPECT_EQ(m_saver.attempts.size(), 2);
    EXPECT_EQ(QImage(result.writtenPath).size(), QSize(64, 48));
}

TEST_F(ImageSaverTest, FailureReportNamesEverythingAndSparesTheUsersFile)
{
    ASSERT_TRUE(QDir().mkpath(m_dir));
    writeFile(path("keep.jpg"), "the user's own file");
    m_saver.failFirstAttempts = 99;
    LogCapture log;
    const SaveResult result =
        m_saver.saveCapture(testPattern(QImage::Format_ARGB32, 30, 20), "keep.jpg", m_dir, 0);
    EXPECT_FALSE(result.ok);
    const QString expected =
        QStringLiteral("Failed to save image. Path: %1. Format: JPEG. Image size: 30x20. "
                       "Original format: 5. Compatible format: 4. Is JPEG: Yes. Is TIFF: No. "
                       "Is PNG/BMP: No. Qt version: %2. File open successful, but save failed. ")
            .arg(path("keep.jpg"), QString::fromLatin1(qVersion()));
    EXPECT_EQ(result.statusText, expected);
    EXPECT_EQ(result.statusDurationMs, 15000);
    EXPECT_TRUE(log.has(expected)) << log.all();
    EXPECT_EQ(readAll(path("keep.jpg")), QByteArray("the user's own file"));
    EXPECT_EQ(allEntries(m_dir), QStringList{"keep.jpg"});
}

TEST_F(ImageSaverTest, ProbesNeverTouchAnExistingFileOnASuccessfulSaveEither)
{
    ASSERT_TRUE(QDir().mkpath(m_dir));
    writeFile(path("temp_test_write.txt"), "notes");
    writeFile(path("keep.jpg"), "precious");
    const SaveResult result = m_saver.saveCapture(testPattern(QImage::Format_RGB32), "keep.jpg", m_dir, 0);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.writtenPath, path("keep_2.jpg"));
    EXPECT_EQ(readAll(path("keep.jpg")), QByteArray("precious"));
    EXPECT_EQ(readAll(path("temp_test_write.txt")), QByteArray("notes"));
}

TEST_F(ImageSaverTest, BarcodeVariantFailureIsLoggedAndReported)
{
    m_saver.failFirstAttempts = 99;
    LogCapture log;
    const SaveResult result =
        m_saver.saveBarcodeCapture(testPattern(QImage::Format_RGB32), "C.png", m_dir, 1);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(log.has("[ScannerGun] Failed to save image")) << log.all();
    EXPECT_TRUE(result.statusText.startsWith("Failed to save image. "));
    ASSERT_EQ(m_saver.attempts.size(), 1) << "one writer attempt, no quality";
    EXPECT_EQ(m_saver.attempts[0].quality, -1);
    EXPECT_TRUE(allEntries(m_dir).isEmpty());
}

TEST_F(ImageSaverTest, EmptySavePathUsesPicturesLumadocInHome)
{
    const SaveResult result =
        m_saver.saveCapture(testPattern(QImage::Format_RGB32), "home.jpg", QString(), 0);
    ASSERT_TRUE(result.ok) << result.statusText.toStdString();
    const QString expected = QDir::homePath() + QStringLiteral("/Pictures/Lumadoc/home.jpg");
    EXPECT_EQ(result.writtenPath, expected);
    EXPECT_TRUE(QFile::exists(expected));
    EXPECT_EQ(ImageSaver::resolveSaveDirectory(QString()),
              QDir::homePath() + QStringLiteral("/Pictures/Lumadoc"));
    EXPECT_EQ(ImageSaver::resolveSaveDirectory(QStringLiteral("/x/y")), QStringLiteral("/x/y"));
}

TEST_F(ImageSaverTest, NullImageAndEmptyNameAreRefused)
{
    const SaveResult noImage = m_saver.saveCapture(QImage(), "a.jpg", m_dir, 0);
    EXPECT_EQ(noImage.statusText, QStringLiteral("Invalid image"));
    EXPECT_FALSE(noImage.ok);
    const SaveResult noName = m_saver.saveCapture(testPattern(QImage::Format_RGB32), QString(), m_dir, 0);
    EXPECT_EQ(noName.statusText, QStringLiteral("Invalid file path"));
    EXPECT_EQ(m_saver.saveBarcodeCapture(QImage(), "a.jpg", m_dir, 0).statusText,
              QStringLiteral("Invalid image"));
    EXPECT_TRUE(allEntries(m_dir).isEmpty());
}

TEST_F(ImageSaverTest, PdfAndOfdWithoutAnExporterWriteNothing)
{
    const SaveResult pdf = m_saver.saveCapture(testPattern(QImage::Format_RGB32), "a.pdf", m_dir, 4);
    EXPECT_FALSE(pdf.ok);
    EXPECT_TRUE(pdf.formatNotAvailable);
    EXPECT_EQ(pdf.statusText, QStringLiteral("PDF export is not available yet"));
    EXPECT_EQ(pdf.statusDurationMs, 3000);
    const SaveResult ofd = m_saver.saveBarcodeCapture(testPattern(QImage::Format_RGB32), "a.ofd", m_dir, 5);
    EXPECT_TRUE(ofd.formatNotAvailable);
    EXPECT_EQ(ofd.statusText, QStringLiteral("OFD export is not available yet"));
    EXPECT_FALSE(QFileInfo::exists(m_dir)) << "not even the folder is created";
    EXPECT_TRUE(allEntries(QDir::tempPath()).filter("lumadoc_capture_temp_").isEmpty());
}

TEST_F(ImageSaverTest, PdfGoesThroughATemporaryJpegThatIsRemovedAfterwards)
{
    FakeExporter exporter;
    m_saver.setPdfExporter(&exporter);
    const SaveResult result = m_saver.saveCapture(testPattern(QImage::Format_ARGB32), "doc.pdf", m_dir, 4);
    ASSERT_TRUE(result.ok) << result.statusText.toStdString();
    EXPECT_EQ(result.writtenPath, path("doc.pdf"));
    EXPECT_EQ(readAll(path("doc.pdf")), exporter.body);
    ASSERT_EQ(exporter.receivedImages.size(), 1);
    EXPECT_TRUE(exporter.pageImageExistedDuringCall);
    EXPECT_TRUE(QFileInfo(exporter.receivedImages[0])
                    .fileName()
                    .startsWith("lumadoc_capture_temp_20240131142502123"));
    EXPECT_FALSE(QFile::exists(exporter.receivedImages[0]));
    EXPECT_EQ(QFileInfo(exporter.receivedOutput).absolutePath(), m_dir) << "written beside the target";
    EXPECT_NE(exporter.receivedOutput, path("doc.pdf")) << "never straight onto the final name";
    ASSERT_FALSE(m_saver.attempts.isEmpty());
    EXPECT_EQ(m_saver.attempts[0].quality, 85);
    EXPECT_EQ(allEntries(m_dir), QStringList{"doc.pdf"});
}

TEST_F(ImageSaverTest, FailedOfdExportLeavesNothingBehind)
{
    FakeExporter exporter;
    exporter.succeed = false;
    m_saver.setOfdExporter(&exporter);
    LogCapture log;
    const SaveResult result = m_saver.saveCapture(testPattern(QImage::Format_RGB32), "doc.ofd", m_dir, 5);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.formatNotAvailable);
    EXPECT_TRUE(log.has("OFD save failed, normalizedPath: " + path("doc.ofd"))) << log.all();
    EXPECT_TRUE(result.statusText.contains("Format: OFD. "));
    EXPECT_TRUE(result.statusText.contains("Is PNG/BMP: No. "));
    EXPECT_TRUE(allEntries(m_dir).isEmpty()) << allEntries(m_dir).join(",").toStdString();
    EXPECT_FALSE(QFile::exists(exporter.receivedImages.value(0)));
}

TEST_F(ImageSaverTest, BackgroundSyncDoesNotDisturbTheResult)
{
    m_saver.setSyncInBackground(true);
    const SaveResult result = m_saver.saveCapture(testPattern(QImage::Format_RGB32), "sync.jpg", m_dir, 0);
    ASSERT_TRUE(result.ok);
    QThreadPool::globalInstance()->waitForDone();
    EXPECT_EQ(QImage(result.writtenPath).size(), QSize(64, 48));
}

class SaveImageToPathTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QTemporaryDir m_dir;
};

TEST_F(SaveImageToPathTest, FormatFollowsTheSuffix)
{
    const QImage image = testPattern(QImage::Format_ARGB32);
    ASSERT_TRUE(saveImageToPath(image, m_dir.filePath("a.png")));
    ASSERT_TRUE(saveImageToPath(image, m_dir.filePath("b.JPG")));
    ASSERT_TRUE(saveImageToPath(image, m_dir.filePath("c.bmp")));
    EXPECT_EQ(QImageReader(m_dir.filePath("a.png")).format(), QByteArray("png"));
    EXPECT_EQ(QImageReader(m_dir.filePath("b.JPG")).format(), QByteArray("jpeg"));
    EXPECT_EQ(QImageReader(m_dir.filePath("c.bmp")).format(), QByteArray("bmp"));
    EXPECT_EQ(QImage(m_dir.filePath("a.png")).convertToFormat(QImage::Format_ARGB32), image);
    EXPECT_EQ(allEntries(m_dir.path()), (QStringList{"a.png", "b.JPG", "c.bmp"}));
}

TEST_F(SaveImageToPathTest, UnknownSuffixOrNoImageFails)
{
    EXPECT_FALSE(saveImageToPath(testPattern(QImage::Format_RGB32), m_dir.filePath("a.xyz")));
    EXPECT_FALSE(saveImageToPath(testPattern(QImage::Format_RGB32), m_dir.filePath("noext")));
    EXPECT_FALSE(saveImageToPath(QImage(), m_dir.filePath("a.png")));
    EXPECT_FALSE(saveImageToPath(testPattern(QImage::Format_RGB32), m_dir.filePath("missing/a.png")));
    EXPECT_TRUE(allEntries(m_dir.path()).isEmpty());
}

TEST_F(SaveImageToPathTest, ReplacesTheConfirmedFileInOneStep)
{
    writeFile(m_dir.filePath("a.png"), "old");
    ASSERT_TRUE(saveImageToPath(testPattern(QImage::Format_RGB32), m_dir.filePath("a.png")));
    EXPECT_EQ(QImage(m_dir.filePath("a.png")).size(), QSize(64, 48));
    EXPECT_EQ(allEntries(m_dir.path()), QStringList{"a.png"});
}

TEST(ProposedSaveImageName, IsTheTimeAsPng)
{
    EXPECT_EQ(proposedSaveImageName(kNow), QStringLiteral("20240131_142502.png"));
}

} // namespace

// A small file system of its own, filled to the last byte. Needs the right to mount (root, as in CI).
class FullDisk
{
public:
    explicit FullDisk(const QString& mountPoint) : m_mountPoint(mountPoint)
    {
        QDir().mkpath(mountPoint);
        const QByteArray point = QFile::encodeName(mountPoint);
        m_mounted = ::mount("tmpfs", point.constData(), "tmpfs", 0, "size=256k") == 0;
        if (!m_mounted)
            return;
        QDir().mkpath(mountPoint + "/captures");
        QFile filler(mountPoint + "/filler");
        if (filler.open(QIODevice::WriteOnly)) {
            const QByteArray block(4096, 'f');
            while (filler.write(block) == block.size() && filler.flush()) {
            }
        }
    }
    ~FullDisk()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_mountPoint).constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }

private:
    QString m_mountPoint;
    bool m_mounted = false;
};

TEST_F(ImageSaverTest, AFullDiskIsSaidPlainlyAndLeavesNothingBehind)
{
    FullDisk disk(m_app.filePath("stick"));
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a small file system here";
    const QString folder = m_app.filePath("stick/captures");
    for (const int format : {0, 1}) {  // JPEG and PNG
        LogCapture log;
        const SaveResult result = m_saver.saveCapture(testPattern(QImage::Format_RGB32, 640, 480),
                                                      "DOC_0007" + saving::saveFormatExtension(format), folder, format);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.diskFull);
        EXPECT_TRUE(result.statusText.startsWith("The disk holding the save folder " + folder + " is full"))
            << result.statusText.toStdString();
        EXPECT_FALSE(log.contains("Bogus message code")) << log.all();
        EXPECT_TRUE(allEntries(folder).isEmpty()) << allEntries(folder).join(',').toStdString();
    }
}

TEST_F(ImageSaverTest, ReplaceFileWritesOverTheCaptureInItsOwnFormatAndNeverWithoutAPath)
{
    ASSERT_TRUE(QDir().mkpath(m_dir));
    savingtest::FakeExporter pdf;
    m_saver.setPdfExporter(&pdf);
    QImage flattened(40, 30, QImage::Format_RGB32);
    flattened.fill(QColor(10, 200, 30));
    struct Case {
        const char* name;
        const char* format;  // what the written file must read as; null: through the exporter
    };
    for (const Case& c : {Case{"page.jpg", "jpeg"}, Case{"page.png", "png"}, Case{"page.bmp", "bmp"},
                          Case{"page.tif", "tiff"}, Case{"page.pdf", nullptr}}) {
        const QString file = path(QString::fromLatin1(c.name));
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the unflattened capture");
        old.close();
        ASSERT_TRUE(m_saver.replaceFile(flattened, QDir::toNativeSeparators(file))) << c.name;
        if (c.format) {
            QImageReader reader(file);
            EXPECT_EQ(reader.format(), QByteArray(c.format)) << c.name;
            EXPECT_EQ(reader.read().size(), QSize(40, 30)) << c.name;
        } else {
            EXPECT_EQ(savingtest::readAll(file), pdf.body);
            EXPECT_FALSE(QFile::exists(pdf.receivedImages.value(0)));  // the temporary JPEG is gone
        }
        EXPECT_EQ(QDir(m_dir).entryList(QDir::Files | QDir::Hidden).filter("lumadoc").size(), 0) << c.name;
    }
    // A failing export leaves the old document; an empty path writes nothing anywhere.
    pdf.succeed = false;
    EXPECT_FALSE(m_saver.replaceFile(flattened, path("page.pdf")));
    EXPECT_EQ(savingtest::readAll(path("page.pdf")), pdf.body);
    EXPECT_FALSE(m_saver.replaceFile(flattened, QString()));
}
