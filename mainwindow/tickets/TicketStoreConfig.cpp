#include "TicketStoreConfig.h"

#include <QCoreApplication>
#include <QSettings>
#include <QSysInfo>
#include <QUrl>

namespace {

QString decoded(const QString& part)
{
    return QUrl::fromPercentEncoding(part.toUtf8());
}

} // namespace

QString TicketStoreConfig::counterName() const
{
    const QString name = counter.trimmed();
    if (!name.isEmpty())
        return name;
    const QString hostName = QSysInfo::machineHostName();
    return hostName.isEmpty() ? QStringLiteral("counter") : hostName;
}

QString TicketStoreConfig::url() const
{
    QString text = QStringLiteral("postgresql://");
    if (!user.isEmpty())
        text += QString::fromUtf8(QUrl::toPercentEncoding(user)) + QLatin1Char('@');
    // A socket folder cannot stand in the host part; it goes into the query, as the client library reads it.
    const bool socketFolder = host.startsWith(QLatin1Char('/'));
    if (!socketFolder)
        text += host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    text += QLatin1Char(':') + QString::number(port) + QLatin1Char('/') +
            QString::fromUtf8(QUrl::toPercentEncoding(database));
    QStringList query;
    if (socketFolder)
        query << QStringLiteral("host=") + QString::fromUtf8(QUrl::toPercentEncoding(host));
    if (sslMode != QLatin1String("prefer"))
        query << QStringLiteral("sslmode=") + sslMode;
    if (!query.isEmpty())
        text += QLatin1Char('?') + query.join(QLatin1Char('&'));
    return text;
}

QStringList TicketStoreConfig::sslModes()
{
    return {QStringLiteral("disable"), QStringLiteral("allow"),     QStringLiteral("prefer"),
            QStringLiteral("require"), QStringLiteral("verify-ca"), QStringLiteral("verify-full")};
}

std::optional<TicketStoreConfig> TicketStoreConfig::fromUrl(const QString& url, QString* error)
{
    auto fail = [error](const QString& reason) -> std::optional<TicketStoreConfig> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    QString rest = url.trimmed();
    if (rest.startsWith(QLatin1String("postgresql://")))
        rest = rest.mid(13);
    else if (rest.startsWith(QLatin1String("postgres://")))
        rest = rest.mid(11);
    else
        return fail(tr("The record store address must start with postgresql://"));

    TicketStoreConfig config;
    QString query;
    const int queryAt = rest.indexOf(QLatin1Char('?'));
    if (queryAt >= 0) {
        query = rest.mid(queryAt + 1);
        rest.truncate(queryAt);
    }
    const int slash = rest.indexOf(QLatin1Char('/'));
    QString authority = slash >= 0 ? rest.left(slash) : rest;
    config.database = slash >= 0 ? decoded(rest.mid(slash + 1)) : QString();

    const int at = authority.lastIndexOf(QLatin1Char('@'));
    if (at >= 0) {
        const QString userInfo = authority.left(at);
        // Refused rather than dropped: whoever wrote it would believe the password is in use.
        if (userInfo.contains(QLatin1Char(':')))
            return fail(tr("The record store address must not contain a password; keep it in ~/.pgpass"));
        config.user = decoded(userInfo);
        authority = authority.mid(at + 1);
    }
    QString portText;
    if (authority.startsWith(QLatin1Char('['))) {
        const int close = authority.indexOf(QLatin1Char(']'));
        if (close < 0)
            return fail(tr("The record store address has an unclosed [ in its host"));
        config.host = authority.mid(1, close - 1);
        const QString tail = authority.mid(close + 1);
        if (!tail.isEmpty() && !tail.startsWith(QLatin1Char(':')))
            return fail(tr("The record store address has text after its host"));
        portText = tail.mid(1);
    } else {
        const int colon = authority.lastIndexOf(QLatin1Char(':'));
        config.host = decoded(colon >= 0 ? authority.left(colon) : authority);
        portText = colon >= 0 ? authority.mid(colon + 1) : QString();
    }

    for (const QString& item : query.split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
        const int eq = item.indexOf(QLatin1Char('='));
        const QString key = decoded(eq >= 0 ? item.left(eq) : item);
        const QString value = eq >= 0 ? decoded(item.mid(eq + 1)) : QString();
        if (key == QLatin1String("password"))
            return fail(tr("The record store address must not contain a password; keep it in ~/.pgpass"));
        if (key == QLatin1String("sslmode"))
            config.sslMode = value;
        else if (key == QLatin1String("host"))
            config.host = value;
        else if (key == QLatin1String("port"))
            portText = value;
        else if (key == QLatin1String("user"))
            config.user = value;
        else
            return fail(tr("The record store address has an unknown option: %1").arg(key));
    }
    if (!portText.isEmpty()) {
        bool ok = false;
        config.port = portText.toInt(&ok);
        if (!ok || config.port < 1 || config.port > 65535)
            return fail(tr("The record store address has an invalid port: %1").arg(portText));
    }
    if (!sslModes().contains(config.sslMode))
        return fail(tr("The record store address has an unknown TLS mode: %1").arg(config.sslMode));
    if (config.host.isEmpty())
        config.host = QStringLiteral("localhost");
    if (config.database.isEmpty())
        return fail(tr("The record store address names no database"));
    return config;
}

TicketStoreConfig TicketStoreConfig::load(QSettings& store)
{
    TicketStoreConfig config;
    config.host = store.value(QStringLiteral("tickets/sharedHost")).toString().trimmed();
    const int port = store.value(QStringLiteral("tickets/sharedPort"), kDefaultPort).toInt();
    config.port = port >= 1 && port <= 65535 ? port : kDefaultPort;
    config.database = store.value(QStringLiteral("tickets/sharedDatabase")).toString().trimmed();
    config.user = store.value(QStringLiteral("tickets/sharedUser")).toString().trimmed();
    const QString mode = store.value(QStringLiteral("tickets/sharedSslMode")).toString();
    if (sslModes().contains(mode))
        config.sslMode = mode;
    config.counter = store.value(QStringLiteral("tickets/counterName")).toString().trimmed();
    return config;
}

void TicketStoreConfig::save(QSettings& store) const
{
    store.setValue(QStringLiteral("tickets/sharedHost"), host.trimmed());
    store.setValue(QStringLiteral("tickets/sharedPort"), port);
    store.setValue(QStringLiteral("tickets/sharedDatabase"), database.trimmed());
    store.setValue(QStringLiteral("tickets/sharedUser"), user.trimmed());
    store.setValue(QStringLiteral("tickets/sharedSslMode"), sslMode);
    store.setValue(QStringLiteral("tickets/counterName"), counter.trimmed());
}

std::optional<TicketStoreConfig> TicketStoreConfig::resolve(const TicketStoreConfig& settings, QString* error)
{
    const QString url = qEnvironmentVariable("LUMADOC_TICKET_DB").trimmed();
    if (url.isEmpty())
        return settings;
    std::optional<TicketStoreConfig> config = fromUrl(url, error);
    if (config)
        config->counter = settings.counter;
    return config;
}
