#include "CustomWordsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace voice {

namespace {

QString unquote(QString v)
{
    v = v.trimmed();
    if (v.size() >= 2 && v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"'))) {
        v = v.mid(1, v.size() - 2);
        v.replace(QLatin1String("\\\""), QLatin1String("\""));
        v.replace(QLatin1String("\\\\"), QLatin1String("\\"));
    }
    return v;
}

} // namespace

bool readCustomWordsFile(const QString& path, QMap<QString, QString>* values)
{
    values->clear();
    if (!QFileInfo::exists(path))
        return true;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QString text = QString::fromUtf8(f.readAll());
    bool general = true; // keys before any section belong to the general one
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            general = line.compare(QLatin1String("[General]"), Qt::CaseInsensitive) == 0;
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (!general || eq <= 0)
            continue;
        values->insert(line.left(eq).trimmed(), unquote(line.mid(eq + 1)));
    }
    return true;
}

bool writeCustomWordsFile(const QString& path, const QMap<QString, QString>& values, QString* error)
{
    QStringList keys = values.keys();
    std::sort(keys.begin(), keys.end(), [](const QString& a, const QString& b) {
        bool okA = false, okB = false;
        const int na = a.toInt(&okA), nb = b.toInt(&okB);
        return okA && okB ? na < nb : a < b;
    });
    QByteArray out("[General]\n");
    for (const QString& key : keys)
        out += key.toUtf8() + '=' + values.value(key).toUtf8() + '\n';
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(out) != out.size() || !f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}

QStringList splitCustomWords(const QString& value)
{
    QStringList words;
    for (const QString& part : value.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString word = part.trimmed();
        if (!word.isEmpty() && !words.contains(word, Qt::CaseSensitive))
            words << word;
    }
    return words;
}

} // namespace voice
