#include "CompareCellWidget.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {
const QColor kBackground(26, 26, 46);
const QColor kLabelColor(255, 255, 255, 180);
const QColor kBadgeColor(220, 50, 50, 200);
const QColor kPlaceholderColor(100, 100, 140);
constexpr int kBadgeWidth = 50;
constexpr int kBadgeHeight = 16;
constexpr int kBadgeRightMargin = 5;
constexpr int kBadgeBottomMargin = 4;
constexpr int kLabelMargin = 6;
// The eraser is wider than the pen so that wiping a mark does not take pixel-exact aim.
constexpr int kEraserWidthFactor = 4;
constexpr int kWheelNotch = 120; // angle delta of one wheel notch

const char* const kSelectedStyle = "border: 2px solid #5a6ea5;";
const char* const kUnselectedStyle = "border: 2px solid #333355;";

QString localFileOf(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().isEmpty())
        return {};
    const QUrl url = mime->urls().first();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}
} // namespace

CompareCellWidget::CompareCellWidget(int index, QWidget* parent) : QWidget(parent), m_index(index)
{
    setAcceptDrops(true);
    setMinimumSize(80, 60);
    setStyleSheet(QString::fromLatin1(kUnselectedStyle));
}

QImage CompareCellWidget::picture() const
{
    return (m_live && !m_liveFrame.isNull()) ? m_liveFrame : m_image;
}

void CompareCellWidget::setImage(const QImage& image)
{
    m_image = image;
    m_drag = Drag::None;
    m_strokes.clear();
    update();
}

void CompareCellWidget::setLive(bool live)
{
    m_live = live;
    if (!live)
        m_liveFrame = QImage();
    update();
}

void CompareCellWidget::setLiveFrame(const QImage& frame)
{
    m_liveFrame = frame;
    update();
}

void CompareCellWidget::clear()
{
    m_image = QImage();
    m_liveFrame = QImage();
    m_live = false;
    m_strokes.clear();
    m_drag = Drag::None;
    m_zoom = kDefaultZoom;
    m_panOffset = QPoint();
    update();
}

void CompareCellWidget::setZoom(int zoomPercent)
{
    m_zoom = std::clamp(zoomPercent, kMinZoom, kMaxZoom);
    update();
}

void CompareCellWidget::setPanOffset(const QPoint& offsetPx)
{
    m_panOffset = offsetPx;
    update();
}

void CompareCellWidget::setAnnotate(bool on)
{
    m_annotate = on;
    if (!on && m_drag == Drag::Stroke)
        m_drag = Drag::None;
    update();
}

void CompareCellWidget::setStrokes(const QVector<CompareStroke>& strokes)
{
    m_strokes = strokes;
    update();
}

bool CompareCellWidget::undoStroke()
{
    if (m_strokes.isEmpty())
        return false;
    m_strokes.removeLast();
    update();
    return true;
}

void CompareCellWidget::clearStrokes()
{
    m_strokes.clear();
    if (m_drag == Drag::Stroke)
        m_drag = Drag::None;
    update();
}

void CompareCellWidget::setSelected(bool selected)
{
    setStyleSheet(QString::fromLatin1(selected ? kSelectedStyle : kUnselectedStyle));
}

qreal CompareCellWidget::displayScale() const
{
    const QImage pic = picture();
    if (pic.isNull() || width() <= 0 || height() <= 0)
        return 1.0;
    const qreal fit = std::min(qreal(width()) / pic.width(), qreal(height()) / pic.height());
    return fit * m_zoom / 100.0;
}

QRectF CompareCellWidget::pictureRect() const
{
    const QImage pic = picture();
    if (pic.isNull())
        return {};
    const qreal scale = displayScale();
    const QSizeF shown(pic.width() * scale, pic.height() * scale);
    const QPointF centre(width() / 2.0 + m_panOffset.x(), height() / 2.0 + m_panOffset.y());
    return QRectF(centre.x() - shown.width() / 2.0, centre.y() - shown.height() / 2.0, shown.width(),
                  shown.height());
}

QPointF CompareCellWidget::toPicture(const QPointF& widgetPos) const
{
    const QRectF shown = pictureRect();
    const qreal scale = displayScale();
    return (widgetPos - shown.topLeft()) / scale;
}

QImage CompareCellWidget::renderAnnotated() const
{
    return renderAnnotatedPicture(picture(), m_strokes);
}

void CompareCellWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The style sheet's selection border first: an application-wide style sheet may give every widget a
    // background, which drawn last would cover the picture. The cell then paints inside the border.
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    constexpr int kBorderPx = 2;
    painter.setClipRect(rect().adjusted(kBorderPx, kBorderPx, -kBorderPx, -kBorderPx));
    painter.fillRect(rect(), kBackground);

    const QImage pic = picture();
    if (!pic.isNull()) {
        const QRectF shown = pictureRect();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(shown, pic);

        QVector<CompareStroke> strokes = m_strokes;
        if (m_drag == Drag::Stroke && !m_current.path.isEmpty())
            strokes.append(m_current);
        if (!strokes.isEmpty()) {
            // Strokes go through their own layer so that eraser strokes wipe marks, not the picture.
            const qreal dpr = devicePixelRatioF();
            const qreal scale = displayScale() * dpr;
            const QTransform toLayer(scale, 0, 0, scale, shown.left() * dpr, shown.top() * dpr);
            QImage layer = renderStrokeLayer(size() * dpr, toLayer, strokes);
            layer.setDevicePixelRatio(dpr);
            painter.drawImage(0, 0, layer);
        }
    }
    paintLabels(painter);
}

void CompareCellWidget::paintLabels(QPainter& painter)
{
    const QRect inner = rect().adjusted(kLabelMargin, kLabelMargin / 2, -kLabelMargin, -kLabelMargin / 2);
    QFont labelFont(QStringLiteral("Arial"), 10);
    labelFont.setBold(true);
    painter.setFont(labelFont);
    painter.setPen(kLabelColor);
    painter.drawText(inner, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("#%1").arg(m_index + 1));
    painter.drawText(inner, Qt::AlignRight | Qt::AlignTop, QStringLiteral("%1%").arg(m_zoom));

    if (m_live) {
        const QRect badge(width() - kBadgeRightMargin - kBadgeWidth,
                          height() - kBadgeBottomMargin - kBadgeHeight, kBadgeWidth, kBadgeHeight);
        painter.fillRect(badge, kBadgeColor);
        painter.setFont(QFont(QStringLiteral("Arial"), 8));
        painter.setPen(Qt::white);
        painter.drawText(badge, Qt::AlignCenter, tr("LIVE"));
    }
    if (!hasPicture()) {
        painter.setFont(QFont(QStringLiteral("Arial"), 11));
        painter.setPen(kPlaceholderColor);
        painter.drawText(rect(), Qt::AlignCenter, tr("Double-click to load\nor drag image"));
    }
}

void CompareCellWidget::mousePressEvent(QMouseEvent* event)
{
    emit clicked(m_index);
    if (m_drag != Drag::None)
        return; // a second button during a drag changes nothing

    const bool onPicture = pictureRect().contains(event->pos());
    const Qt::MouseButton button = event->button();
    if (button == Qt::LeftButton && onPicture && m_annotate) {
        m_drag = Drag::Stroke;
        m_dragButton = button;
        m_strokeStart = toPicture(event->pos());
        m_current = CompareStroke();
        m_current.tool = m_tool;
        m_current.color = m_penColor;
        const int widthPx = m_tool == CompareTool::Eraser ? m_penWidth * kEraserWidthFactor : m_penWidth;
        // Width in picture pixels, so the mark keeps the thickness it had on screen when it was drawn.
        m_current.width = widthPx / displayScale();
        m_current.path = QPainterPath(m_strokeStart);
        return;
    }
    const bool panButton = button == Qt::RightButton || button == Qt::MiddleButton;
    if ((panButton && hasPicture()) || (button == Qt::LeftButton && onPicture && !m_annotate)) {
        m_drag = Drag::Pan;
        m_dragButton = button;
        m_pressPos = event->pos();
        m_panAtPress = m_panOffset;
        m_panThresholdPassed = false;
        setCursor(Qt::ClosedHandCursor);
        return;
    }
    if (button == Qt::RightButton) {
        m_dragButton = button;
        m_pressPos = event->pos();
    }
}

void CompareCellWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & m_dragButton))
        return;
    if (m_drag == Drag::Pan) {
        const QPoint moved = event->pos() - m_pressPos;
        if (!m_panThresholdPassed && std::abs(moved.x()) < kPanThresholdPx &&
            std::abs(moved.y()) < kPanThresholdPx)
            return;
        m_panThresholdPassed = true;
        m_panOffset = m_panAtPress + moved;
        emit panOffsetChanged(m_index, m_panOffset);
        update();
    } else if (m_drag == Drag::Stroke) {
        const QPointF at = toPicture(event->pos());
        if (m_current.tool == CompareTool::Pen || m_current.tool == CompareTool::Eraser)
            m_current.path.lineTo(at);
        else
            m_current.path = compareShapePath(m_current.tool, m_strokeStart, at);
        update();
    }
}

void CompareCellWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != m_dragButton)
        return;
    const Drag ended = m_drag;
    const bool panned = m_panThresholdPassed;
    m_drag = Drag::None;
    m_dragButton = Qt::NoButton;
    m_panThresholdPassed = false;
    if (ended == Drag::Stroke) {
        if (!m_current.path.isEmpty())
            m_strokes.append(m_current);
        m_current = CompareStroke();
        update();
    } else if (ended == Drag::Pan) {
        setCursor(Qt::ArrowCursor);
    }
    // A right click that did not pan offers what a cell can do.
    if (event->button() == Qt::RightButton && !panned)
        showContextMenu(event->globalPos());
}

void CompareCellWidget::showContextMenu(const QPoint& globalPos)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(tr("Load Image..."), this, [this] { emit requestLoadImage(m_index); });
    menu->addAction(m_live ? tr("Stop Live Video") : tr("Show Live Video"), this,
                    [this] { emit requestToggleLiveVideo(m_index); });
    menu->popup(globalPos);
}

void CompareCellWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        // The press before it may have begun a stroke or a pan; a double-click is neither.
        m_drag = Drag::None;
        m_dragButton = Qt::NoButton;
        unsetCursor();
        emit requestLoadImage(m_index);
    }
}

void CompareCellWidget::wheelEvent(QWheelEvent* event)
{
    // Fine-grained wheels and touch pads send parts of a notch; they add up to whole notches.
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / kWheelNotch;
    m_wheelRemainder -= notches * kWheelNotch;
    event->accept();
    if (notches == 0)
        return;
    const int zoom = std::clamp(m_zoom + notches * kZoomStep, kMinZoom, kMaxZoom);
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    emit zoomChanged(m_index, m_zoom);
    update();
}

void CompareCellWidget::dragEnterEvent(QDragEnterEvent* event)
{
    if (!localFileOf(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CompareCellWidget::dropEvent(QDropEvent* event)
{
    const QString path = localFileOf(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    emit requestLoadFile(m_index, path);
}
