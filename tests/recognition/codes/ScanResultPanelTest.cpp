// The result panel as the user meets it: scanned markup stays text, only web links reach the window,
// "Clear" and the 30 s timer ask the window to clear, "Copy" copies what is shown.
#include "ScanResultPanel.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

TEST(ScanResultPanel, ShowsCodesAsTextAndReportsOnlyWebLinks)
{
    ScanResultPanel panel;
    QList<QUrl> opened;
    int clears = 0;
    int copies = 0;
    QObject::connect(&panel, &ScanResultPanel::linkActivated, [&](const QUrl& url) { opened << url; });
    QObject::connect(&panel, &ScanResultPanel::clearRequested, [&] { ++clears; });
    QObject::connect(&panel, &ScanResultPanel::copied, [&] { ++copies; });
    EXPECT_EQ(panel.objectName(), QStringLiteral("scanResultWidget"));
    EXPECT_TRUE(panel.isHidden());

    const ScannedCodes codes = {{"QR-Code", "<script>alert(1)</script>"}, {"QR-Code", "example.org"}};
    panel.showResult(ScanResult::panelText(codes, QTime(9, 5, 7)));
    EXPECT_FALSE(panel.isHidden());
    EXPECT_EQ(panel.infoLabel()->text(),
              QStringLiteral("Type: Multiple Barcodes/QR Codes | Time: 09:05:07 | Count: 2"));
    EXPECT_EQ(panel.browser()->toPlainText(),
              QStringLiteral("[QR-Code] <script>alert(1)</script>\n[QR-Code] example.org"));
    EXPECT_TRUE(panel.autoHideTimer()->isActive());
    EXPECT_TRUE(panel.autoHideTimer()->isSingleShot());
    EXPECT_EQ(panel.autoHideTimer()->interval(), 30000);

    emit panel.browser()->anchorClicked(QUrl("http://example.org"));
    emit panel.browser()->anchorClicked(QUrl("file:///etc/passwd"));
    emit panel.browser()->anchorClicked(QUrl("javascript:alert(1)"));
    EXPECT_EQ(opened, QList<QUrl>{QUrl("http://example.org")});

    panel.copyButton()->click();
    EXPECT_EQ(copies, 1);
    EXPECT_EQ(QApplication::clipboard()->text(), panel.browser()->toPlainText());

    panel.closeButton()->click(); // only hides: the window's repeat guard stays
    EXPECT_TRUE(panel.isHidden());
    EXPECT_EQ(clears, 0);
    panel.clearButton()->click();
    EXPECT_EQ(clears, 1);
    QMetaObject::invokeMethod(panel.autoHideTimer(), "timeout"); // as when the 30 s have passed
    EXPECT_EQ(clears, 2);

    panel.clearResult();
    EXPECT_TRUE(panel.browser()->toPlainText().isEmpty());
    EXPECT_TRUE(panel.infoLabel()->text().isEmpty());
    EXPECT_FALSE(panel.autoHideTimer()->isActive());
}
