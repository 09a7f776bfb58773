#pragma once
// Which scanned addresses the program may fetch on its own. A code is untrusted input: without this a
// printed code could make the program send requests into the user's own machine or local network
// (a router's admin page, a service on localhost). Only http and https to a public address qualify.

#include <QHostAddress>
#include <QUrl>

namespace ScanRequestPolicy {

// False for any scheme but http and https, for no host, for "localhost" names and mDNS ".local" names,
// and for a literal address that isPublicAddress rejects. A host name's address is only known once it
// is resolved: check that with isPublicAddress too where the lookup happens.
bool mayRequestAutomatically(const QUrl& url);

// False for loopback, private (10/8, 172.16/12, 192.168/16, 100.64/10, fc00::/7), link-local
// (169.254/16, fe80::/10), unspecified, "this network" (0/8), multicast and broadcast addresses,
// also when written as an IPv4-mapped IPv6 address.
bool isPublicAddress(const QHostAddress& address);

} // namespace ScanRequestPolicy
