#include "VideoWidgetPrivate.h"

using namespace videowidget;

VideoWidget::VideoWidget(QWidget* parent) : QOpenGLWidget(parent), d(new Private)
{
    setObjectName("videoWidget");
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(640, 480);
    // Touch is handled here, one finger as the mouse and two as a pinch, so the pinch gesture is not
    // grabbed as well: it would zoom a second time from the same fingers.
    setAttribute(Qt::WA_AcceptTouchEvents);

    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setSwapInterval(1);
    setFormat(format);

    d->geometry.setWidgetSize(size());

    d->throttleTimer = new QTimer(this);
    d->throttleTimer->setSingleShot(true);
    connect(d->throttleTimer, &QTimer::timeout, this, [this] {
        d->lastRepaintRequest.start();
        update();
    });

    m_annotations = new AnnotationOverlay(this, &d->geometry, this);
    m_annotations->setFrameSources([this] { return currentFrame(); }, [this] { return rotatedCurrentFrame(); });
    connect(m_annotations, &AnnotationOverlay::annotationAdded, this, &VideoWidget::annotationAdded);
    connect(m_annotations, &AnnotationOverlay::annotationModified, this, &VideoWidget::annotationModified);
    connect(m_annotations, &AnnotationOverlay::cropRectChanged, this, &VideoWidget::cropRectChanged);
    connect(m_annotations, &AnnotationOverlay::imageDragged, this, &VideoWidget::imageDragged);
}

VideoWidget::~VideoWidget()
{
    releaseGlResources();
    // QOpenGLWidget destroys the context after this body; its signal must not reach us then.
    if (context())
        disconnect(context(), nullptr, this, nullptr);
    delete d;
    d = nullptr;
}

void VideoWidget::releaseGlResources()
{
    // GL objects must go while their own context is current.
    if (!d || !d->glInitialized || !context())
        return;
    makeCurrent();
    d->texture.reset();
    d->vao.reset();
    d->vertexBuffer.reset();
    d->indexBuffer.reset();
    d->program.reset();
    doneCurrent();
    d->glInitialized = false;
    d->textureDirty = true;
}

void VideoWidget::resizeEvent(QResizeEvent* event)
{
    // QOpenGLWidget only calls resizeGL once it is initialised; the geometry must follow a hidden
    // widget's size too.
    d->geometry.setWidgetSize(event->size());
    QOpenGLWidget::resizeEvent(event);
}

// ---------------------------------------------------------------------------------------- frames

void VideoWidget::setFrame(const QImage& frame)
{
    if (frame.isNull()) {
        qWarning() << "Attempted to set null video frame";
        return;
    }
    QImage image = frame;
    bool rectified = false;
    if (d->documentPolygonValid && d->documentPolygon.size() == 4
        && frame.rect().contains(d->documentPolygon.boundingRect())) {
        QImage straightened;
        try {
            straightened = rectifyQuad(frame, d->documentPolygon);
        } catch (...) {
            qWarning() << "Straightening the document failed; showing the frame as is";
        }
        if (!straightened.isNull() && !straightened.size().isEmpty()) {
            image = straightened;
            rectified = true;
        }
    }

    if (!d->glAvailable) {
        // Nothing is drawn without GL, but the frame stays available for copy and capture.
        {
            QMutexLocker lock(&d->mutex);
            d->currentFrame = image;
            d->currentFrameRectified = rectified;
            d->opening = false;
        }
        adoptFrameSize();
        return;
    }

    {
        QMutexLocker lock(&d->mutex);
        if (d->queue.size() > size_t(kMaxQueuedFrames - 1)) {
            d->queue.pop_front();
            d->queueRectified.pop_front();
        }
        d->queue.push_back(image);
        d->queueRectified.push_back(rectified);
        d->opening = false;
    }
    if (d->lowLatency && d->lastRepaintRequest.isValid()) {
        const qint64 sinceLastMs = d->lastRepaintRequest.elapsed();
        if (sinceLastMs < kLowLatencyRepaintMs) {
            // Throttled, but not dropped: without this trailing repaint the last frame of a burst
            // (or the final frame before the stream pauses) would never reach the screen.
            if (!d->throttleTimer->isActive())
                d->throttleTimer->start(int(kLowLatencyRepaintMs - sinceLastMs));
            return;
        }
    }
    d->lastRepaintRequest.start();
    update();
}

void VideoWidget::clearFrame()
{
    {
        QMutexLocker lock(&d->mutex);
        d->queue.clear();
        d->queueRectified.clear();
        d->currentFrame = QImage();
        d->currentFrameRectified = false;
    }
    d->documentPolygon = QPolygon();
    d->documentPolygonValid = false;
    d->textureDirty = true;
    adoptFrameSize();
    update();
}

QImage VideoWidget::currentFrame() const
{
    QMutexLocker lock(&d->mutex);
    return d->currentFrame;
}

int VideoWidget::queuedFrameCount() const
{
    QMutexLocker lock(&d->mutex);
    return int(d->queue.size());
}

void VideoWidget::setOpening(bool opening)
{
    if (d->opening == opening)
        return;
    d->opening = opening;
    update();
}

bool VideoWidget::isOpening() const { return d->opening; }

void VideoWidget::adoptFrameSize()
{
    const QSize size = currentFrame().size();
    if (size == d->geometry.frameSize())
        return;
    d->geometry.setFrameSize(size);
    d->geometry.setWidgetSize(this->size());
    d->geometry.setPan(d->geometry.clampPan(d->geometry.pan()));
    m_annotations->rebuildLayer();
}

// ------------------------------------------------------------------------------------------ view

void VideoWidget::zoomIn()
{
    setZoom(std::min(d->geometry.zoomPercent() + kZoomStepPercent, ViewGeometry::kMaxZoomPercent),
            QPoint(width() / 2, height() / 2));
}

void VideoWidget::zoomOut()
{
    setZoom(std::max(d->geometry.zoomPercent() - kZoomStepPercent, ViewGeometry::kMinZoomPercent),
            QPoint(width() / 2, height() / 2));
}

void VideoWidget::setZoom(int percent, const QPoint& anchor)
{
    const int clamped = std::clamp(percent, ViewGeometry::kMinZoomPercent, ViewGeometry::kMaxZoomPercent);
    d->geometry.setWidgetSize(size());
    if (!d->geometry.zoomAt(clamped, anchor))
        return;
    viewChanged();
    emit zoomChanged(d->geometry.zoomPercent());
}

void VideoWidget::fitToView()
{
    if (!d->geometry.hasFrame())
        return;
    d->geometry.setZoomPercent(100);
    d->geometry.setPan(QPoint());
    viewChanged();
    emit zoomChanged(d->geometry.zoomPercent());
}

void VideoWidget::resetZoom()
{
    if (!d->geometry.hasFrame())
        return;
    d->geometry.setWidgetSize(size());
    d->geometry.setZoomPercent(d->geometry.resetZoomPercent());
    d->geometry.setPan(QPoint());
    viewChanged();
    emit zoomChanged(d->geometry.zoomPercent());
}

void VideoWidget::rotateLeft() { setRotation(d->geometry.rotation() + 90); }

void VideoWidget::rotateRight() { setRotation(d->geometry.rotation() - 90); }

void VideoWidget::setRotation(int angleDeg)
{
    const int stored = angleDeg % 360;
    if (stored == d->geometry.rotation())
        return;
    d->geometry.setRotation(stored);
    // A polygon found on the old orientation no longer matches the picture.
    d->documentPolygon = QPolygon();
    d->documentPolygonValid = false;
    d->textureDirty = true;
    d->geometry.setPan(d->geometry.clampPan(d->geometry.pan()));
    viewChanged();
    emit rotationChanged(d->geometry.rotation());
}

void VideoWidget::setAutoFit(bool on)
{
    d->autoFit = on;
    if (on && d->geometry.hasFrame())
        fitToView();
}

int VideoWidget::zoomPercent() const { return d->geometry.zoomPercent(); }

int VideoWidget::rotation() const { return d->geometry.rotation(); }

QRect VideoWidget::videoRect() const { return d->geometry.videoRect(); }

const ViewGeometry& VideoWidget::geometry() const { return d->geometry; }

void VideoWidget::viewChanged()
{
    d->geometry.setWidgetSize(size());
    m_annotations->rebuildLayer();
    update();
}

// -------------------------------------------------------------------------------- extras on top

void VideoWidget::setDocumentPolygon(const QPolygon& polygon)
{
    d->documentPolygon = polygon;
    d->documentPolygonValid = !polygon.isEmpty();
    update();
}

void VideoWidget::clearDocumentPolygon()
{
    d->documentPolygon = QPolygon();
    d->documentPolygonValid = false;
    update();
}

void VideoWidget::setIdPhotoMode(bool on)
{
    d->idPhotoMode = on;
    update();
}

void VideoWidget::setIdPhotoGuideScale(double scale)
{
    d->idPhotoScale = std::clamp(scale, kIdPhotoMinScale, kIdPhotoMaxScale);
    update();
}

QRect VideoWidget::idPhotoGuideRect() const
{
    const QRect rect = d->geometry.videoRect();
    if (!d->idPhotoMode || !rect.isValid())
        return QRect();
    double w = 0.0;
    double h = 0.0;
    if (double(rect.width()) / rect.height() <= kIdPhotoAspect) {
        w = rect.width() * d->idPhotoScale;
        h = w / kIdPhotoAspect;
    } else {
        h = rect.height() * d->idPhotoScale;
        w = h * kIdPhotoAspect;
    }
    const QSize guideSize{int(w), int(h)};
    QRect guide(QPoint(), guideSize);
    guide.moveCenter(rect.center());
    return guide;
}

QRect VideoWidget::idPhotoRect() const
{
    const QRect guide = idPhotoGuideRect();
    const QRect rect = d->geometry.videoRect();
    if (!guide.isValid() || !rect.isValid())
        return QRect();
    const QSize shown = d->geometry.rotatedFrameSize();
    const double fx = double(shown.width()) / rect.width();
    const double fy = double(shown.height()) / rect.height();
    return QRect(int((guide.x() - rect.x()) * fx), int((guide.y() - rect.y()) * fy), int(guide.width() * fx),
                 int(guide.height() * fy));
}

void VideoWidget::setOverlayFunction(OverlayFunction function)
{
    d->overlayFunction = std::move(function);
    d->overlayDirty = true;
    d->textureDirty = true;
    update();
}

void VideoWidget::setOverlayEnabled(bool on)
{
    d->overlayEnabled = on;
    d->overlayDirty = true;
    d->textureDirty = true;
    update();
}

void VideoWidget::setLowLatency(bool on)
{
    d->lowLatency = on;
    d->lastRepaintRequest.invalidate();
    d->throttleTimer->stop();
    d->textureDirty = true;
    if (!on)
        update();
}

void VideoWidget::setHighQuality(bool on)
{
    d->highQuality = on;
    d->textureDirty = true;
    update();
}

void VideoWidget::setScannerGunMode(bool on) { d->scannerGunMode = on; }

bool VideoWidget::isScannerGunMode() const { return d->scannerGunMode; }

// ------------------------------------------------------------------------------- copy / capture

QImage VideoWidget::rotatedCurrentFrame() const
{
    const QImage frame = currentFrame();
    if (frame.isNull())
        return QImage();
    const int deg = d->geometry.normalizedRotation();
    if (deg == 0)
        return frame;
    return frame.transformed(ViewGeometry::displayTransform(deg), Qt::SmoothTransformation);
}

QImage VideoWidget::displayedImage() const
{
    const QImage rotated = rotatedCurrentFrame();
    if (rotated.isNull())
        return QImage();

    const QRect selection = m_annotations->cropMode() ? m_annotations->cropSelection() : QRect();
    if (selection.isValid()) {
        const QRect imageRect = mapToImageRect(selection).intersected(rotated.rect());
        if (!imageRect.isValid())
            return QImage();
        return rotated.copy(imageRect);
    }

    bool rectified = false;
    {
        QMutexLocker lock(&d->mutex);
        rectified = d->currentFrameRectified;
    }
    // A frame already straightened from the polygon is the document itself; cutting the polygon's
    // box out of it again would cut away part of the page.
    if (d->documentPolygonValid && !rectified) {
        // The polygon is in received-frame pixels; turn its box the way the picture was turned.
        const QSize frameSize = currentFrame().size();
        const QTransform turn =
            QImage::trueMatrix(ViewGeometry::displayTransform(d->geometry.normalizedRotation()), frameSize.width(), frameSize.height());
        const QRect box = turn.mapRect(QRectF(d->documentPolygon.boundingRect())).toAlignedRect();
        const QRect cut = box.intersected(rotated.rect());
        if (cut.isValid())
            return rotated.copy(cut);
    }
    return rotated;
}

void VideoWidget::copy()
{
    const QImage image = displayedImage();
    if (image.isNull())
        return;
    QApplication::clipboard()->setImage(image);
}

QImage VideoWidget::annotatedImage() const
{
    QImage image = rotatedCurrentFrame();
    if (image.isNull())
        return image;
    m_annotations->burnInto(image);
    return image;
}

double VideoWidget::displayRate() const { return d->displayRate; }

bool VideoWidget::isGlAvailable() const { return d->glAvailable; }

QString VideoWidget::glFailureReason() const { return d->glFailureReason; }

// ------------------------------------------------------------------------------ overlay forwards

void VideoWidget::setTool(int tool) { m_annotations->setTool(tool); }
void VideoWidget::setPenColor(const QColor& color) { m_annotations->setPenColor(color); }
void VideoWidget::setPenWidth(int width) { m_annotations->setPenWidth(width); }
void VideoWidget::setEraserSize(int size) { m_annotations->setEraserSize(size); }
void VideoWidget::undo() { m_annotations->undo(); }
void VideoWidget::redo() { m_annotations->redo(); }
void VideoWidget::clearAnnotations() { m_annotations->clear(); }
void VideoWidget::setCropMode(bool on) { m_annotations->setCropMode(on); }
void VideoWidget::setCropRect(const QRect& widgetRect) { m_annotations->setCropRect(widgetRect); }

QRect VideoWidget::mapToImageRect(const QRect& widgetRect) const
{
    return d->geometry.mapToImageRect(widgetRect);
}

// ------------------------------------------------------------------------------------------- GL

