// The rules around a scan, without a window: which texts are web addresses, what the result panel shows,
// which addresses may be fetched on the program's own, and the two-second guard against repeats.
#include "ScanRequestPolicy.h"
#include "ScanResult.h"
#include "ScanSession.h"

#include <gtest/gtest.h>

TEST(ScanResult, UrlTestAndLinkTargets)
{
    struct Case
    {
        const char* data;
        bool isUrl;
        const char* target; // empty: no link
    };
    const Case cases[] = {
        {"https://example.org/a?b=1", true, "https://example.org/a?b=1"},
        {"http://example.org", true, "http://example.org"},
        {"example.org", true, "http://example.org"}, // bare host name
        {"www.example.com.cn", true, "http://www.example.com.cn"},
        {"example.org/path", false, ""},   // more than a host
        {"hello world.txt", false, ""},    // dot and space: plain text
        {"HTTP://EXAMPLE.ORG", false, ""}, // the prefix test is case-sensitive
        {"Example.org", false, ""},        // the host comes back lower-cased
        {"6901234567892", false, ""},
        {"javascript:alert(1).x", false, ""},
        {"file:///etc/passwd", false, ""},
        {"mailto:someone@example.org", false, ""},
        {"", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.data);
        EXPECT_EQ(ScanResult::looksLikeUrl(QString::fromUtf8(c.data)), c.isUrl);
        EXPECT_EQ(ScanResult::linkTarget(QString::fromUtf8(c.data)).toString(), QString::fromUtf8(c.target));
    }
}

TEST(ScanResult, PanelShowsEveryCodeEscapedAndLinksOnlyWebAddresses)
{
    const QTime at(14, 25, 2);
    const ScanResult::PanelText one = ScanResult::panelText({{"QR-Code", "example.org"}}, at);
    EXPECT_EQ(one.title, QStringLiteral("Barcode/QR Code"));
    EXPECT_EQ(one.info, QStringLiteral("Type: Barcode/QR Code | Time: 14:25:02 | Count: 1"));
    EXPECT_EQ(one.html, QStringLiteral("<div style='padding: 5px;'>[QR-Code] <a href=\"http://example.org\">"
                                       "example.org</a></div>"));

    const ScanResult::PanelText two = ScanResult::panelText(
        {{"EAN-13", "6901234567892"}, {"QR-Code", "https://example.org/?a=1&b=\"2\""}}, at);
    EXPECT_EQ(two.title, QStringLiteral("Multiple Barcodes/QR Codes"));
    EXPECT_EQ(two.info, QStringLiteral("Type: Multiple Barcodes/QR Codes | Time: 14:25:02 | Count: 2"));
    EXPECT_EQ(two.html, QStringLiteral("<div style='padding: 5px;'>[EAN-13] 6901234567892<br>[QR-Code] "
                                       "<a href=\"https://example.org/?a=1&amp;b=%222%22\">"
                                       "https://example.org/?a=1&amp;b=&quot;2&quot;</a></div>"));

    // Markup in a code stays text; an address that tries to break out of the attribute stays inside it.
    const ScanResult::PanelText hostile =
        ScanResult::panelText({{"QR-Code", "<script>alert(1)</script>"},
                               {"QR-Code", "<a href=\"file:///etc/passwd\">x</a>"},
                               {"QR-Code", "https://e.org/\"><img src=x onerror=alert(1)>"}},
                              at);
    EXPECT_FALSE(hostile.html.contains("<script>"));
    EXPECT_TRUE(hostile.html.contains("&lt;script&gt;alert(1)&lt;/script&gt;"));
    EXPECT_FALSE(hostile.html.contains("file:///etc/passwd\">"));
    EXPECT_FALSE(hostile.html.contains("<img"));
    EXPECT_EQ(hostile.html.count("<a href="), 1);
}

TEST(ScanRequestPolicy, OnlyWebAddressesOutsideThisMachineAndItsNetwork)
{
    struct Case
    {
        const char* url;
        bool allowed;
    };
    const Case cases[] = {
        {"https://example.org/x", true},
        {"http://93.184.216.34/", true},
        {"http://[2606:2800:220:1:248:1893:25c8:1946]/", true},
        {"ftp://example.org/", false},
        {"file:///etc/passwd", false},
        {"javascript:alert(1)", false},
        {"http://localhost:8080/", false},
        {"http://LOCALHOST./", false},
        {"http://api.localhost/", false},
        {"http://printer.local/", false},
        {"http://127.0.0.1/", false},
        {"http://127.1.2.3/", false},
        {"http://0.0.0.0/", false},
        {"http://10.1.2.3/", false},
        {"http://172.16.0.1/", false},
        {"http://172.31.255.255/", false},
        {"http://172.32.0.1/", true},
        {"http://192.168.1.1/admin", false},
        {"http://100.64.0.1/", false},
        {"http://169.254.169.254/latest/meta-data/", false},
        {"http://224.0.0.1/", false},
        {"http://255.255.255.255/", false},
        {"http://[::1]/", false},
        {"http://[fe80::1]/", false},
        {"http://[fd00::1]/", false},
        {"http://[::ffff:127.0.0.1]/", false},
        {"http://[::ffff:192.168.0.1]/", false},
        {"http://2130706433/", false}, // 127.0.0.1 as one number
        {"http://0x7f.1/", false},
        {"http:///nohost", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(ScanRequestPolicy::mayRequestAutomatically(QUrl(QString::fromLatin1(c.url))), c.allowed);
    }
}

TEST(ScanSession, RepeatGuardClearAndTheOneRequest)
{
    ScanSession session;
    const QDateTime t0(QDate(2024, 1, 31), QTime(14, 25, 2, 0));
    const ScannedCodes page = {{"EAN-13", "6901234567892"}, {"QR-Code", "example.org"}, {"QR-Code", "b.org"}};

    ScanSession::Outcome first = session.scan(page, t0);
    ASSERT_EQ(first.kind, ScanSession::Kind::Accepted);
    EXPECT_EQ(first.panel.title, QStringLiteral("Multiple Barcodes/QR Codes"));
    EXPECT_EQ(first.request, QUrl("http://example.org")); // the first address only

    // The same codes within two seconds: no result, no request.
    ScanSession::Outcome again = session.scan(page, t0.addMSecs(1999));
    EXPECT_EQ(again.kind, ScanSession::Kind::Repeated);
    EXPECT_FALSE(again.request.isValid());
    // Other codes are a new scan at once; then the first ones are new again.
    EXPECT_EQ(session.scan({{"QR-Code", "other"}}, t0.addMSecs(2100)).kind, ScanSession::Kind::Accepted);
    EXPECT_EQ(session.scan(page, t0.addMSecs(2200)).kind, ScanSession::Kind::Accepted);
    // "Clear" accepts the same codes immediately.
    EXPECT_EQ(session.scan(page, t0.addMSecs(2300)).kind, ScanSession::Kind::Repeated);
    session.clear();
    ScanSession::Outcome afterClear = session.scan(page, t0.addMSecs(2400));
    EXPECT_EQ(afterClear.kind, ScanSession::Kind::Accepted);
    EXPECT_TRUE(afterClear.request.isValid());
    // Two whole seconds later the guard has lapsed.
    EXPECT_EQ(session.scan(page, t0.addMSecs(4400)).kind, ScanSession::Kind::Accepted);
    // A clock set back does not lock the code out.
    EXPECT_EQ(session.scan(page, t0.addSecs(-3600)).kind, ScanSession::Kind::Accepted);

    // Nothing found clears the panel and the guard.
    EXPECT_EQ(session.scan({}, t0.addSecs(10)).kind, ScanSession::Kind::NothingFound);
    EXPECT_TRUE(session.lastSignature().isEmpty());

    // An address into the local network is shown as a link but never fetched on its own.
    ScanSession::Outcome router = session.scan({{"QR-Code", "http://192.168.1.1/"}}, t0.addSecs(20));
    EXPECT_EQ(router.kind, ScanSession::Kind::Accepted);
    EXPECT_TRUE(router.panel.html.contains("<a href=\"http://192.168.1.1/\">"));
    EXPECT_FALSE(router.request.isValid());
}
