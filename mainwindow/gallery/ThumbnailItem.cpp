#include "ThumbnailItem.h"

#include "GalleryImage.h"

#include <QCheckBox>
#include <QDateTime>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const char* const kItemStyle = "QWidget {   background-color: #2b2b2b;   border: 1px solid #3c3c3c;   border-radius: 5px;}"
                               "QWidget:hover {   background-color: #3c3c3c;   border: 1px solid #5a6ea5;}";
const char* const kButtonStyle = "QPushButton {   font-size: 9px;   padding: 0px;   color: #ffffff;"
                                 "   background-color: rgba(60, 60, 60, 0.85);   border: 1px solid #5a6ea5;"
                                 "   border-radius: 2px;}"
                                 "QPushButton:hover {   background-color: #5a6ea5;}";
const char* const kDeleteButtonStyle = "QPushButton {   font-size: 9px;   padding: 0px;   color: #ffffff;"
                                       "   background-color: rgba(200, 40, 40, 0.9);   border: 1px solid #e05050;"
                                       "   border-radius: 2px;}"
                                       "QPushButton:hover {   background-color: #e05050;}";

// Lies over the picture and paints the flattening animation; it never takes the mouse, so clicks
// still reach the item.
class ProcessingOverlay : public QWidget
{
public:
    explicit ProcessingOverlay(ThumbnailItem* item, QWidget* parent) : QWidget(parent), m_item(item)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setStyleSheet(QStringLiteral("background: transparent; border: none;"));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!m_item->isProcessing())
            return;
        QPainter painter(this);
        ThumbnailItem::paintProcessing(painter, rect(), m_item->scanPosition(), m_item->progress());
    }

private:
    ThumbnailItem* m_item;
};

} // namespace

ThumbnailItem::ThumbnailItem(const QImage& image, int index, const QString& filePath, QWidget* parent)
    : QWidget(parent), m_thumbnail(gallery::makeThumbnail(image)), m_originalSize(image.size()), m_index(index)
{
    buildUi();
    setFilePath(filePath);
}

void ThumbnailItem::buildUi()
{
    setAttribute(Qt::WA_StyledBackground);
    setFixedHeight(kItemHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setStyleSheet(QString::fromLatin1(kItemStyle));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 8, 8, 8);
    row->setSpacing(10);

    m_imageArea = new QWidget(this);
    m_imageArea->setFixedSize(gallery::kThumbnailWidth, gallery::kThumbnailHeight);
    m_imageLabel = new QLabel(m_imageArea);
    m_imageLabel->setObjectName(QStringLiteral("thumbnailImageLabel"));
    m_imageLabel->setGeometry(0, 0, gallery::kThumbnailWidth, gallery::kThumbnailHeight);
    m_imageLabel->setAlignment(Qt::AlignCenter);
    m_imageLabel->setStyleSheet(QStringLiteral("QLabel {   border: 1px solid #555555;   border-radius: 3px;}"));
    showThumbnail();

    m_overlay = new ProcessingOverlay(this, m_imageArea);
    m_overlay->setGeometry(0, 0, gallery::kThumbnailWidth, gallery::kThumbnailHeight);

    m_checkBox = new QCheckBox(m_imageArea);
    m_checkBox->setObjectName(QStringLiteral("thumbnailCheckBox"));
    m_checkBox->setGeometry(4, 4, 16, 16);
    m_checkBox->setStyleSheet(QStringLiteral("QCheckBox {   background: transparent;   border: none;}"));

    m_badgeLabel = new QLabel(m_imageArea);
    m_badgeLabel->setObjectName(QStringLiteral("thumbnailFormatBadge"));
    m_badgeLabel->setAlignment(Qt::AlignCenter);
    m_badgeLabel->setGeometry(gallery::kThumbnailWidth - 32 - 4, 4, 32, 16);

    // The buttons sit along the bottom edge of the picture: Up and Down to the left, Del to the right.
    const int buttonTop = gallery::kThumbnailHeight - 18 - 4;
    m_upButton = new QPushButton(m_imageArea);
    m_upButton->setObjectName(QStringLiteral("thumbnailUpButton"));
    m_upButton->setGeometry(4, buttonTop, 30, 18);
    m_upButton->setStyleSheet(QString::fromLatin1(kButtonStyle));
    m_downButton = new QPushButton(m_imageArea);
    m_downButton->setObjectName(QStringLiteral("thumbnailDownButton"));
    m_downButton->setGeometry(4 + 30 + 3, buttonTop, 35, 18);
    m_downButton->setStyleSheet(QString::fromLatin1(kButtonStyle));
    m_deleteButton = new QPushButton(m_imageArea);
    m_deleteButton->setObjectName(QStringLiteral("thumbnailDeleteButton"));
    m_deleteButton->setGeometry(gallery::kThumbnailWidth - 30 - 4, buttonTop, 30, 18);
    m_deleteButton->setStyleSheet(QString::fromLatin1(kDeleteButtonStyle));
    for (QPushButton* button : {m_upButton, m_downButton, m_deleteButton})
        button->setCursor(Qt::PointingHandCursor);
    // Clicked, they must not keep the keyboard: the next Space would press them instead of capturing.
    for (QWidget* control : std::initializer_list<QWidget*>{m_upButton, m_downButton, m_deleteButton, m_checkBox})
        control->setFocusPolicy(Qt::TabFocus);
    row->addWidget(m_imageArea);

    auto* column = new QVBoxLayout;
    column->setSpacing(3);
    const QDateTime now = QDateTime::currentDateTime();
    m_timeLabel = new QLabel(now.toString(QStringLiteral("HH:mm:ss")), this);
    m_timeLabel->setObjectName(QStringLiteral("thumbnailTimeLabel"));
    m_timeLabel->setStyleSheet(QStringLiteral("QLabel {   color: #ffffff;   font-size: 14px;   font-weight: bold;"
                                              "   border: none;   background: transparent;}"));
    m_dateLabel = new QLabel(now.toString(QStringLiteral("yyyy-MM-dd")), this);
    m_dateLabel->setObjectName(QStringLiteral("thumbnailDateLabel"));
    m_dateLabel->setStyleSheet(QStringLiteral("QLabel {   color: #cccccc;   font-size: 13px;   border: none;"
                                              "   background: transparent;}"));
    m_sizeLabel = new QLabel(this);
    m_sizeLabel->setObjectName(QStringLiteral("thumbnailSizeLabel"));
    m_sizeLabel->setStyleSheet(QStringLiteral("QLabel {   color: #aaaaaa;   font-size: 11px;   border: none;"
                                              "   background: transparent;}"));
    updateSizeLabel();
    m_nameLabel = new QLabel(this);
    m_nameLabel->setObjectName(QStringLiteral("thumbnailNameLabel"));
    m_nameLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_nameLabel->setWordWrap(true);
    m_nameLabel->setStyleSheet(QStringLiteral("QLabel {   color: #aaaaaa;   font-size: 11px;   border: none;"
                                              "   background: transparent;}"));
    column->addWidget(m_timeLabel);
    column->addWidget(m_dateLabel);
    column->addWidget(m_sizeLabel);
    column->addWidget(m_nameLabel);
    column->addStretch();
    row->addLayout(column, 1);

    m_animationTimer = new QTimer(this);
    m_animationTimer->setInterval(kAnimationIntervalMs);
    connect(m_animationTimer, &QTimer::timeout, this, &ThumbnailItem::advanceScan);

    connect(m_checkBox, &QCheckBox::toggled, this, [this](bool checked) { emit selectionChanged(m_index, checked); });
    connect(m_upButton, &QPushButton::clicked, this, [this] { emit moveUpRequested(m_index); });
    connect(m_downButton, &QPushButton::clicked, this, [this] { emit moveDownRequested(m_index); });
    connect(m_deleteButton, &QPushButton::clicked, this, [this] { emit deleteRequested(m_index); });
    retranslateUi();
}

void ThumbnailItem::retranslateUi()
{
    m_upButton->setText(tr("Up"));
    m_downButton->setText(tr("Down"));
    m_deleteButton->setText(tr("Del"));
}

void ThumbnailItem::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange && m_upButton)
        retranslateUi();
    QWidget::changeEvent(event);
}

void ThumbnailItem::showThumbnail() { m_imageLabel->setPixmap(QPixmap::fromImage(m_thumbnail)); }

void ThumbnailItem::updateSizeLabel()
{
    m_sizeLabel->setText(QStringLiteral("%1x%2").arg(m_originalSize.width()).arg(m_originalSize.height()));
}

void ThumbnailItem::setFilePath(const QString& filePath)
{
    m_filePath = filePath;
    if (filePath.isEmpty()) {
        m_nameLabel->setText(QStringLiteral("IMG_%1").arg(QTime::currentTime().toString(QStringLiteral("hhmmss"))));
        m_nameLabel->setToolTip(QString());
    } else {
        m_nameLabel->setText(QFileInfo(filePath).fileName());
        m_nameLabel->setToolTip(filePath);
    }
    const gallery::FormatBadge badge = gallery::badgeForPath(filePath);
    m_badgeLabel->setText(badge.text);
    m_badgeLabel->setStyleSheet(gallery::badgeStyleSheet(badge.color));
    const gallery::CaptureStamp stamp = gallery::parseCaptureStamp(filePath);
    if (stamp.valid) {
        m_timeLabel->setText(stamp.time.toString(QStringLiteral("HH:mm:ss")));
        m_dateLabel->setText(stamp.date.toString(QStringLiteral("yyyy-MM-dd")));
    }
}

void ThumbnailItem::setDisplayName(const QString& name)
{
    if (!m_filePath.isEmpty() || name.isEmpty())
        return;
    m_nameLabel->setText(name);
    m_nameLabel->setToolTip(tr("Not saved to a file yet"));
    const gallery::CaptureStamp stamp = gallery::parseCaptureStamp(name);
    if (stamp.valid) {
        m_timeLabel->setText(stamp.time.toString(QStringLiteral("HH:mm:ss")));
        m_dateLabel->setText(stamp.date.toString(QStringLiteral("yyyy-MM-dd")));
    }
}

void ThumbnailItem::setFullImage(const QImage& image)
{
    if (image.isNull())
        return;
    m_fullImage = image;
    m_hasFullImage = true;
    m_thumbnail = image.scaled(gallery::kThumbnailWidth, gallery::kThumbnailHeight, Qt::KeepAspectRatio,
                               Qt::SmoothTransformation);
    m_originalSize = image.size();
    showThumbnail();
    updateSizeLabel();
}

QImage ThumbnailItem::image() const
{
    if (m_hasFullImage)
        return m_fullImage;
    const QImage fromFile = gallery::readImageFile(m_filePath);
    return fromFile.isNull() ? m_thumbnail : fromFile;
}

bool ThumbnailItem::isChecked() const { return m_checkBox->isChecked(); }

void ThumbnailItem::setChecked(bool checked)
{
    const QSignalBlocker blocker(m_checkBox);
    m_checkBox->setChecked(checked);
}

void ThumbnailItem::startProcessing()
{
    m_processing = true;
    m_scanPos = 0;
    m_scanStep = 1;
    m_animationTimer->start();
    m_overlay->update();
}

void ThumbnailItem::stopProcessing()
{
    m_processing = false;
    m_animationTimer->stop();
    m_overlay->update();
}

void ThumbnailItem::setProgress(int percent)
{
    m_progress = qBound(0, percent, 100);
    m_overlay->update();
}

void ThumbnailItem::advanceScan()
{
    if (!m_processing)
        return;
    m_scanPos += 5 * m_scanStep;
    if (m_scanPos >= gallery::kThumbnailHeight) {
        m_scanPos = gallery::kThumbnailHeight;
        m_scanStep = -1;
    } else if (m_scanPos < 1) {
        m_scanPos = 0;
        m_scanStep = 1;
    }
    m_overlay->update();
}

void ThumbnailItem::paintProcessing(QPainter& painter, const QRect& area, int scanPos, int progress)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const int y = area.top() + scanPos;
    QLinearGradient band(0, y - 10, 0, y + 10);
    band.setColorAt(0.0, QColor(0, 200, 255, 0));
    band.setColorAt(0.5, QColor(0, 200, 255, 100));
    band.setColorAt(1.0, QColor(0, 200, 255, 0));
    painter.fillRect(QRect(area.left(), y - 10, area.width(), 20), band);
    painter.setPen(QPen(QColor(0, 200, 255), 2));
    painter.drawLine(area.left(), y, area.right(), y);
    painter.setPen(Qt::white);
    painter.setFont(QFont(QStringLiteral("Arial"), 10, QFont::Bold));
    painter.drawText(area, Qt::AlignCenter, QStringLiteral("%1%").arg(progress));
    painter.restore();
}

void ThumbnailItem::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked(m_index);
    QWidget::mousePressEvent(event);
}
