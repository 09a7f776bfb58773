#include "IdCardReader.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QTextCodec>

#include <cstring>

namespace {

// A portrait of nobody: shapes only, on the white background card photos have.
QImage simulatedPortrait()
{
    QImage img(102, 126, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 80, 95));
    p.drawEllipse(QRectF(11, 84, 80, 70)); // shoulders
    p.setBrush(QColor(214, 180, 150));
    p.drawEllipse(QRectF(31, 26, 40, 50)); // face
    p.setBrush(QColor(40, 35, 30));
    p.drawChord(QRectF(29, 20, 44, 34), 0, 180 * 16); // hair
    return img;
}

} // namespace

SimulatedIdCardReader::SimulatedIdCardReader(int cardType, bool withPhoto)
    : m_cardType(cardType), m_withPhoto(withPhoto)
{
}

int SimulatedIdCardReader::open()
{
    m_open = true;
    return kPort;
}

void SimulatedIdCardReader::setPhotoDirectory(const QByteArray& localPath)
{
    m_photoDir = localPath;
}

int SimulatedIdCardReader::readCard(int)
{
    m_cardRead = m_open && m_cardType >= 1 && m_cardType <= 3;
    return m_open ? m_cardType : -1;
}

QString SimulatedIdCardReader::fieldText(int cardType, IdCardField field)
{
    // Made-up people; region codes 99xxxx and the names are not in use.
    switch (field) {
    case IdCardField::Name:
        return cardType == 2 ? QStringLiteral("SAMPLE, TESTER 样例") : QStringLiteral("林测试");
    case IdCardField::Gender:
        return cardType == 2 ? QStringLiteral("男") : QStringLiteral("女");
    case IdCardField::Ethnicity:
        return cardType == 1 ? QStringLiteral("汉") : QString();
    case IdCardField::BirthDate:
        return QStringLiteral("19900101");
    case IdCardField::Address:
        return cardType == 2 ? QString() : QStringLiteral("示例省演示市测试区样板路1号");
    case IdCardField::IdNumber:
        return cardType == 2 ? QStringLiteral("999000199001010010") : QStringLiteral("990000199001010025");
    case IdCardField::Issuer:
        return QStringLiteral("演示市公安局测试分局");
    case IdCardField::ValidFrom:
        return QStringLiteral("20200101");
    case IdCardField::ValidTo:
        return QStringLiteral("20300101");
    }
    return {};
}

void SimulatedIdCardReader::readField(IdCardField field, char* buffer, int size)
{
    if (!m_cardRead || !buffer || size <= 0)
        return;
    if (field == IdCardField::Address && m_cardType == 2)
        return;
    QTextCodec* gbk = QTextCodec::codecForName("GBK");
    const QByteArray bytes =
        gbk ? gbk->fromUnicode(fieldText(m_cardType, field)) : fieldText(m_cardType, field).toLocal8Bit();
    const int n = qMin(bytes.size(), size - 1);
    std::memcpy(buffer, bytes.constData(), size_t(n));
    buffer[n] = '\0';
}

int SimulatedIdCardReader::writePhoto()
{
    if (!m_cardRead || !m_withPhoto || m_photoDir.isEmpty())
        return 0;
    const QString path = QDir(QFile::decodeName(m_photoDir)).filePath(QStringLiteral("zp.bmp"));
    return simulatedPortrait().save(path, "BMP") ? 1 : 0;
}

std::unique_ptr<IdCardReader> makeIdCardReader(const QProcessEnvironment& env)
{
    if (env.value(QStringLiteral("LUMADOC_IDCARD_READER")).trimmed().toLower() ==
        QLatin1String("simulated")) {
        bool ok = false;
        int type = env.value(QStringLiteral("LUMADOC_IDCARD_SIM_TYPE")).toInt(&ok);
        if (!ok)
            type = 1;
        const bool photo = env.value(QStringLiteral("LUMADOC_IDCARD_SIM_PHOTO")) != QLatin1String("0");
        return std::make_unique<SimulatedIdCardReader>(type, photo);
    }
    return std::make_unique<NoIdCardReader>();
}
