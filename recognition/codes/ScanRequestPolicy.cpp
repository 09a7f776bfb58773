#include "ScanRequestPolicy.h"

#include <QString>

namespace ScanRequestPolicy {

namespace {

bool inRange(quint32 address, quint32 network, int prefixLength)
{
    const quint32 mask = prefixLength == 0 ? 0 : ~quint32(0) << (32 - prefixLength);
    return (address & mask) == (network & mask);
}

bool isPublicIPv4(quint32 a)
{
    struct Range
    {
        quint32 network;
        int prefixLength;
    };
    static const Range kNonPublic[] = {
        {0x00000000, 8},  // "this network", including 0.0.0.0 which reaches the local host
        {0x0A000000, 8},  // private
        {0x64400000, 10}, // carrier-grade NAT shared space
        {0x7F000000, 8},  // loopback
        {0xA9FE0000, 16}, // link-local
        {0xAC100000, 12}, // private
        {0xC0A80000, 16}, // private
        {0xE0000000, 3},  // multicast, reserved and broadcast
    };
    for (const Range& range : kNonPublic)
        if (inRange(a, range.network, range.prefixLength))
            return false;
    return true;
}

} // namespace

bool isPublicAddress(const QHostAddress& address)
{
    if (address.isNull())
        return false;
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4); // also unwraps ::ffff:a.b.c.d
    if (isV4)
        return isPublicIPv4(v4);
    if (address.protocol() != QAbstractSocket::IPv6Protocol)
        return false;
    if (address.isLoopback() || address.isLinkLocal() || address.isSiteLocal() ||
        address.isUniqueLocalUnicast() || address.isMulticast() ||
        address == QHostAddress(QHostAddress::AnyIPv6))
        return false;
    // IPv4-compatible (::a.b.c.d) and NAT64 forms of a non-public IPv4 address.
    const Q_IPV6ADDR bytes = address.toIPv6Address();
    bool leadingZeros = true;
    for (int i = 0; i < 12; ++i)
        leadingZeros = leadingZeros && bytes[i] == 0;
    if (leadingZeros) {
        const quint32 embedded = (quint32(bytes[12]) << 24) | (quint32(bytes[13]) << 16) |
                                 (quint32(bytes[14]) << 8) | quint32(bytes[15]);
        return isPublicIPv4(embedded);
    }
    return true;
}

bool mayRequestAutomatically(const QUrl& url)
{
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return false;
    QString host = url.host(QUrl::FullyDecoded).toLower();
    while (host.endsWith(QLatin1Char('.')))
        host.chop(1);
    if (host.isEmpty())
        return false;
    if (host == QLatin1String("localhost") || host.endsWith(QLatin1String(".localhost")) ||
        host.endsWith(QLatin1String(".local")))
        return false;
    QHostAddress literal;
    if (literal.setAddress(host))
        return isPublicAddress(literal);
    // The resolver also reads all-digit and hexadecimal forms ("2130706433", "0x7f.1") as IPv4; a
    // real host name always has a letter outside the hex digits or a label that is not a number.
    bool allNumeric = true;
    for (const QString& label : host.split(QLatin1Char('.'))) {
        bool isNumber = false;
        label.toUInt(&isNumber, 0);
        allNumeric = allNumeric && isNumber;
    }
    return !allNumeric;
}

} // namespace ScanRequestPolicy
