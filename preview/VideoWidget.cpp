#include "VideoWidget.h"

#include "AnnotationOverlay.h"
#include "DocumentCrop.h"
#include "VideoWidgetMenu.h"
#include "VideoWidgetUpload.h"
#include "ViewGeometry.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDebug>
#include <QElapsedTimer>
#include <QGestureEvent>
#include <QKeyEvent>
#include <QLineF>
#include <QMatrix4x4>
#include <QMenu>
#include <QMouseEvent>
#include <QMutexLocker>
#include <QOpenGLBuffer>
#include <QOpenGLContext>
#include <QOpenGLShaderProgram>
#include <QOpenGLTexture>
#include <QOpenGLVertexArrayObject>
#include <QPainter>
#include <QPinchGesture>
#include <QResizeEvent>
#include <QRadialGradient>
#include <QTouchEvent>
#include <QTimer>
#include <QTransform>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

const char* const kVertexShader = "#version 330 core\n"
                                  "layout (location = 0) in vec2 aPos;\n"
                                  "layout (location = 1) in vec2 aTexCoord;\n"
                                  "out vec2 TexCoord;\n"
                                  "uniform mat4 matrix;\n"
                                  "void main()\n"
                                  "{\n"
                                  "    gl_Position = matrix*vec4(aPos, 0.0, 1.0);\n"
                                  "    TexCoord = aTexCoord;\n"
                                  "}\n";

const char* const kFragmentShader = "#version 330 core\n"
                                    "in vec2 TexCoord;\n"
                                    "out vec4 FragColor;\n"
                                    "uniform sampler2D texture1;\n"
                                    "void main()\n"
                                    "{\n"
                                    "    vec2 mirr = vec2(TexCoord.x, 1.0 - TexCoord.y);\n"
                                    "    FragColor = texture(texture1, mirr);\n"
                                    "}\n";

// x, y, u, v per corner.
const float kQuadVertices[] = {
    1.0f, 1.0f, 1.0f, 1.0f,    //
    1.0f, -1.0f, 1.0f, 0.0f,   //
    -1.0f, -1.0f, 0.0f, 0.0f,  //
    -1.0f, 1.0f, 0.0f, 1.0f,   //
};
const quint32 kQuadIndices[] = {0, 1, 3, 1, 2, 3};

constexpr int kZoomStepPercent = 10;
constexpr int kLowLatencyRepaintMs = 50;
constexpr int kRateWindowMs = 1000;
// A texture this close to the new image's size is refilled instead of reallocated, so small
// widget-resize jitter does not churn GPU memory.
constexpr int kTextureReuseTolerancePx = 5;
// Passport photo aspect, 35 mm by 53 mm.
constexpr double kIdPhotoAspect = 35.0 / 53.0;
constexpr double kIdPhotoMinScale = 0.3;
constexpr double kIdPhotoMaxScale = 1.0;
constexpr double kIdPhotoDefaultScale = 0.9;

bool isQuarterTurn(int normalizedDeg) { return normalizedDeg == 90 || normalizedDeg == 270; }

// The displayed rotation is counter-clockwise on screen; QTransform turns clockwise in y-down
// coordinates, so 90 shown is 270 applied and vice versa.
QTransform displayTransform(int normalizedDeg) { return QTransform().rotate((360 - normalizedDeg) % 360); }

} // namespace

struct VideoWidget::Private {
    ViewGeometry geometry;

    mutable QMutex mutex;
    std::deque<QImage> queue;  // guarded by mutex
    QImage currentFrame;
    bool currentFrameRectified = false;
    std::deque<bool> queueRectified;  // guarded by mutex, parallel to queue
    bool opening = false;

    bool glAvailable = true;  // until initializeGL says otherwise
    bool glInitialized = false;
    QString glFailureReason;
    std::unique_ptr<QOpenGLShaderProgram> program;
    std::unique_ptr<QOpenGLBuffer> vertexBuffer;
    std::unique_ptr<QOpenGLBuffer> indexBuffer;
    std::unique_ptr<QOpenGLVertexArrayObject> vao;
    std::unique_ptr<QOpenGLTexture> texture;
    bool textureDirty = true;
    int maxTextureSize = 0;

    bool lowLatency = false;
    bool highQuality = false;
    QElapsedTimer lastRepaintRequest;
    QTimer* throttleTimer = nullptr;  // owned by the widget

    bool autoFit = false;

    QPolygon documentPolygon;
    bool documentPolygonValid = false;

    bool idPhotoMode = false;
    double idPhotoScale = kIdPhotoDefaultScale;

    OverlayFunction overlayFunction;
    bool overlayEnabled = false;
    bool overlayDirty = true;
    QImage overlayCache;

    QElapsedTimer rateTimer;
    int rateCount = 0;
    double displayRate = 0.0;

    bool panning = false;
    QPoint pressPos;
    QPoint panAtPress;

    int pinchStartPercent = 100;
    double touchStartDistance = 0.0;
    int touchStartPercent = 100;
};

VideoWidget::VideoWidget(QWidget* parent) : QOpenGLWidget(parent), d(new Private)
{
    setObjectName("videoWidget");
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(640, 480);
    setAttribute(Qt::WA_AcceptTouchEvents);
    grabGesture(Qt::PinchGesture);

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

// ------------------------------------------------------------------------------- copy / capture

QImage VideoWidget::rotatedCurrentFrame() const
{
    const QImage frame = currentFrame();
    if (frame.isNull())
        return QImage();
    const int deg = d->geometry.normalizedRotation();
    if (deg == 0)
        return frame;
    return frame.transformed(displayTransform(deg), Qt::SmoothTransformation);
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
            QImage::trueMatrix(displayTransform(d->geometry.normalizedRotation()), frameSize.width(), frameSize.height());
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

void VideoWidget::initializeGL()
{
    QOpenGLContext* ctx = context();
    const bool contextValid = ctx && ctx->isValid();
    if (!contextValid) {
        qInfo().noquote() << "[GL] context=NULL version=0.0 profile=NoProfile renderableType=GL "
                             "initializeOpenGLFunctions=FAILED";
        qCritical() << "OpenGL context is not valid";
        d->glAvailable = false;
        d->glFailureReason = QStringLiteral("context invalid");
        emit glInitFailed(d->glFailureReason);
        return;
    }
    const QSurfaceFormat fmt = ctx->format();
    const bool functionsOk = initializeOpenGLFunctions();
    const char* profile = fmt.profile() == QSurfaceFormat::CoreProfile
                              ? "Core"
                              : (fmt.profile() == QSurfaceFormat::CompatibilityProfile ? "Compat" : "NoProfile");
    qInfo().noquote() << QStringLiteral("[GL] context=valid version=%1.%2 profile=%3 renderableType=%4 "
                                        "initializeOpenGLFunctions=%5")
                             .arg(fmt.majorVersion())
                             .arg(fmt.minorVersion())
                             .arg(QLatin1String(profile))
                             .arg(ctx->isOpenGLES() ? QStringLiteral("GLES") : QStringLiteral("GL"))
                             .arg(functionsOk ? QStringLiteral("OK") : QStringLiteral("FAILED"));
    if (!functionsOk) {
        qCritical().noquote() << QStringLiteral("[GL] 当前 OpenGL 不满足 3.3 Core（老显卡驱动或 ANGLE 只提供 GLES2）。");
        qCritical().noquote() << QStringLiteral("本控件已停用 GPU 渲染，不再执行任何 gl 调用，避免读取空函数指针表崩溃。");
        d->glAvailable = false;
        d->glFailureReason = QStringLiteral("OpenGL 3.3 Core unavailable");
        // Frames queued before we knew: keep the newest as the current one for copy and capture.
        {
            QMutexLocker lock(&d->mutex);
            if (!d->queue.empty()) {
                d->currentFrame = d->queue.back();
                d->currentFrameRectified = d->queueRectified.back();
                d->queue.clear();
                d->queueRectified.clear();
            }
        }
        adoptFrameSize();
        emit glInitFailed(d->glFailureReason);
        return;
    }

    // A widget moved to another top-level window gets a new context: the old one takes our objects
    // with it, so free them while it is still current.
    connect(ctx, &QOpenGLContext::aboutToBeDestroyed, this, [this] { releaseGlResources(); });

    glClearColor(0.2f, 0.3f, 0.3f, 1.0f);
    GLint maxTexture = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTexture);
    d->maxTextureSize = maxTexture > 0 ? int(maxTexture) : videoupload::kFallbackMaxTextureSize;

    d->program = std::make_unique<QOpenGLShaderProgram>();
    if (!d->program->addShaderFromSourceCode(QOpenGLShader::Vertex, kVertexShader))
        qWarning().noquote() << "Vertex shader compile error:" << d->program->log();
    else if (!d->program->addShaderFromSourceCode(QOpenGLShader::Fragment, kFragmentShader))
        qWarning().noquote() << "Fragment shader compile error:" << d->program->log();
    else if (!d->program->link())
        qWarning().noquote() << "Shader program link error:" << d->program->log();
    else
        qInfo() << "Shaders initialized successfully";

    // A core context draws nothing without a bound vertex-array object, whatever the extension string
    // says; a compatibility context accepts one too, so create one whenever the driver can.
    d->vao = std::make_unique<QOpenGLVertexArrayObject>();
    if (!d->vao->create()) {
        if (fmt.profile() == QSurfaceFormat::CoreProfile)
            qWarning() << "Vertex array object could not be created on a core context";
        d->vao.reset();
    }
    if (d->vao)
        d->vao->bind();

    d->vertexBuffer = std::make_unique<QOpenGLBuffer>(QOpenGLBuffer::VertexBuffer);
    d->vertexBuffer->create();
    d->vertexBuffer->setUsagePattern(QOpenGLBuffer::StaticDraw);
    d->vertexBuffer->bind();
    d->vertexBuffer->allocate(kQuadVertices, int(sizeof(kQuadVertices)));

    d->indexBuffer = std::make_unique<QOpenGLBuffer>(QOpenGLBuffer::IndexBuffer);
    d->indexBuffer->create();
    d->indexBuffer->setUsagePattern(QOpenGLBuffer::StaticDraw);
    d->indexBuffer->bind();
    d->indexBuffer->allocate(kQuadIndices, int(sizeof(kQuadIndices)));

    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), reinterpret_cast<void*>(2 * sizeof(float)));

    if (d->vao) {
        d->vao->release();
        // The element buffer binding is part of the VAO; release the array buffer only.
        d->vertexBuffer->release();
    } else {
        d->vertexBuffer->release();
        d->indexBuffer->release();
    }

    d->glInitialized = true;
    d->textureDirty = true;
    qInfo() << "OpenGL initialized successfully";
}

void VideoWidget::resizeGL(int w, int h)
{
    if (d->glAvailable && d->glInitialized) {
        const qreal dpr = std::max<qreal>(1.0, devicePixelRatioF());
        glViewport(0, 0, int(w * dpr), int(h * dpr));
    }
    d->geometry.setWidgetSize(size());
    d->geometry.setPan(d->geometry.clampPan(d->geometry.pan()));
    m_annotations->resizeLayer(size());
    d->textureDirty = true;
    if (d->autoFit && d->geometry.hasFrame())
        fitToView();
}

void VideoWidget::takeQueuedFrame()
{
    bool taken = false;
    {
        QMutexLocker lock(&d->mutex);
        if (!d->queue.empty()) {
            if (d->lowLatency) {
                // Low latency shows the newest frame; older ones would only add delay.
                d->currentFrame = d->queue.back();
                d->currentFrameRectified = d->queueRectified.back();
                d->queue.clear();
                d->queueRectified.clear();
            } else {
                d->currentFrame = d->queue.front();
                d->currentFrameRectified = d->queueRectified.front();
                d->queue.pop_front();
                d->queueRectified.pop_front();
            }
            taken = true;
        }
    }
    if (!taken)
        return;
    d->textureDirty = true;
    adoptFrameSize();

    // The rate counts paints that put a new frame on screen, not frames handed in.
    if (!d->rateTimer.isValid())
        d->rateTimer.start();
    ++d->rateCount;
    const qint64 elapsedMs = d->rateTimer.elapsed();
    if (elapsedMs >= kRateWindowMs) {
        d->displayRate = d->rateCount * 1000.0 / double(elapsedMs);
        d->rateCount = 0;
        d->rateTimer.start();
    }
}

void VideoWidget::uploadTexture()
{
    const QImage frame = currentFrame();
    const qreal dpr = std::max<qreal>(1.0, devicePixelRatioF());
    const QSize target(int(width() * dpr), int(height() * dpr));
    const QSize cap = videoupload::capSize(frame.size(), target, d->highQuality, d->lowLatency, d->maxTextureSize);
    QImage image = videoupload::prepareRgba(frame, cap);
    d->textureDirty = false;
    if (image.isNull()) {
        qWarning() << "Failed to convert display image";
        return;
    }
    if (d->overlayEnabled && d->overlayFunction) {
        if (d->overlayDirty || d->overlayCache.size() != image.size()) {
            QImage canvas(image.size(), QImage::Format_RGBA8888);
            canvas.fill(Qt::transparent);
            // The function comes from the main window; whatever it throws must not unwind through
            // the paint event.
            try {
                d->overlayCache = d->overlayFunction(canvas);
            } catch (...) {
                qWarning() << "Overlay function failed; drawing the frame without it";
                d->overlayCache = QImage();
            }
            d->overlayDirty = false;
        }
        videoupload::drawOverlay(image, d->overlayCache);
    }

    QOpenGLTexture* texture = d->texture.get();
    if (texture && texture->isCreated() && std::abs(texture->width() - image.width()) < kTextureReuseTolerancePx
        && std::abs(texture->height() - image.height()) < kTextureReuseTolerancePx) {
        const QSize textureSize(texture->width(), texture->height());
        if (image.size() != textureSize)
            image = image.scaled(textureSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        texture->setData(QOpenGLTexture::RGBA, QOpenGLTexture::UInt8, image.constBits());
        return;
    }

    const bool recreate = texture != nullptr;
    d->texture.reset();
    auto fresh = std::make_unique<QOpenGLTexture>(QOpenGLTexture::Target2D);
    fresh->setSize(image.width(), image.height());
    fresh->setFormat(QOpenGLTexture::RGBA8_UNorm);
    fresh->setMipLevels(1);
    fresh->setMinificationFilter(QOpenGLTexture::Linear);
    fresh->setMagnificationFilter(QOpenGLTexture::Linear);
    fresh->setWrapMode(QOpenGLTexture::ClampToEdge);
    fresh->allocateStorage(QOpenGLTexture::RGBA, QOpenGLTexture::UInt8);
    if (!fresh->isCreated() || !fresh->isStorageAllocated()) {
        qWarning() << (recreate ? "Failed to recreate video texture" : "Failed to create video texture");
        return;
    }
    fresh->setData(QOpenGLTexture::RGBA, QOpenGLTexture::UInt8, image.constBits());
    qInfo() << (recreate ? "Video texture recreated with new size:" : "Video texture created with size:")
            << image.size();
    d->texture = std::move(fresh);
}

QMatrix4x4 VideoWidget::quadMatrix() const
{
    // Built from the video rect itself so the picture lands exactly where the geometry (and with it
    // the annotations and crop mapping) says it is.
    const QRect rect = d->geometry.videoRect();
    QMatrix4x4 m;
    m.ortho(-1.0f, 1.0f, -1.0f, 1.0f, -1.0f, 1.0f);
    if (!rect.isValid() || width() <= 0 || height() <= 0)
        return m;
    const double w = width();
    const double h = height();
    const double centreX = (rect.left() + rect.width() / 2.0) / w * 2.0 - 1.0;
    const double centreY = 1.0 - (rect.top() + rect.height() / 2.0) / h * 2.0;
    const double halfX = rect.width() / w;
    const double halfY = rect.height() / h;
    const int deg = d->geometry.normalizedRotation();
    m.translate(float(centreX), float(centreY));
    m.rotate(float(deg), 0.0f, 0.0f, 1.0f);
    // The quad is scaled before it turns, so at a quarter turn its x becomes the screen's y.
    if (isQuarterTurn(deg))
        m.scale(float(halfY), float(halfX));
    else
        m.scale(float(halfX), float(halfY));
    return m;
}

void VideoWidget::paintGL()
{
    if (!d->glAvailable || !d->glInitialized)
        return;
    glClear(GL_COLOR_BUFFER_BIT);
    takeQueuedFrame();

    const QImage frame = currentFrame();
    if (frame.isNull()) {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(26, 26, 26));
        painter.setPen(QColor(200, 200, 200));
        painter.drawText(rect(), Qt::AlignCenter, d->opening ? tr("Opening...") : tr("No Video"));
        painter.drawText(QPoint(10, 40), tr("Queue size: %1").arg(queuedFrameCount()));
        return;
    }

    if (d->textureDirty || !d->texture)
        uploadTexture();

    if (d->texture && d->program && d->program->isLinked()) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        d->program->bind();
        glActiveTexture(GL_TEXTURE0);
        d->texture->bind(0);
        d->program->setUniformValue("texture1", 0);
        d->program->setUniformValue("matrix", quadMatrix());
        if (d->vao) {
            d->vao->bind();
        } else {
            d->vertexBuffer->bind();
            d->indexBuffer->bind();
            glEnableVertexAttribArray(0);
            glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
            glEnableVertexAttribArray(1);
            glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 4 * sizeof(float),
                                  reinterpret_cast<void*>(2 * sizeof(float)));
        }
        glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_INT, nullptr);
        if (d->vao) {
            d->vao->release();
        } else {
            d->vertexBuffer->release();
            d->indexBuffer->release();
        }
        d->texture->release();
        d->program->release();
        glDisable(GL_BLEND);
    }

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_annotations->paint(painter);
    drawIdPhotoGuide(painter);
    if (d->displayRate > 0.0) {
        painter.setPen(Qt::green);
        painter.drawText(QPoint(10, 20), QStringLiteral("FPS: %1").arg(d->displayRate, 0, 'f', 1));
    }
    painter.setPen(Qt::yellow);
    // Right-aligned: a fixed 100-pixel slot cuts "Zoom: 400%" off in wider fonts.
    const QString zoomText = QStringLiteral("Zoom: %1%").arg(d->geometry.zoomPercent());
    const int textWidth = painter.fontMetrics().horizontalAdvance(zoomText);
    painter.drawText(QPoint(std::min(width() - 100, width() - 10 - textWidth), 20), zoomText);
}

void VideoWidget::drawIdPhotoGuide(QPainter& painter) const
{
    const QRect guide = idPhotoGuideRect();
    if (!guide.isValid())
        return;
    painter.save();

    const QRect glowRect = guide.adjusted(-5, -5, 5, 5);
    QRadialGradient glow(glowRect.center(), std::max(glowRect.width(), glowRect.height()) / 2.0);
    glow.setColorAt(0.0, QColor(0, 100, 255, 100));
    glow.setColorAt(1.0, QColor(0, 100, 255, 0));
    painter.fillRect(glowRect, glow);

    painter.setPen(QPen(QColor(0, 150, 255, 220), 3));
    painter.setBrush(QColor(0, 150, 255, 30));
    painter.drawRect(guide);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 180), 1));
    painter.drawRect(guide.adjusted(3, 3, -3, -3));

    const int leg = 12;
    painter.setPen(QPen(QColor(0, 150, 255), 3));
    const QPoint tl = guide.topLeft();
    const QPoint tRight = guide.topRight();
    const QPoint bl = guide.bottomLeft();
    const QPoint br = guide.bottomRight();
    painter.drawLine(tl, tl + QPoint(leg, 0));
    painter.drawLine(tl, tl + QPoint(0, leg));
    painter.drawLine(tRight, tRight + QPoint(-leg, 0));
    painter.drawLine(tRight, tRight + QPoint(0, leg));
    painter.drawLine(bl, bl + QPoint(leg, 0));
    painter.drawLine(bl, bl + QPoint(0, -leg));
    painter.drawLine(br, br + QPoint(-leg, 0));
    painter.drawLine(br, br + QPoint(0, -leg));

    painter.setPen(QPen(QColor(255, 255, 255, 100), 1, Qt::DashLine));
    const QPoint c = guide.center();
    painter.drawLine(QPoint(guide.left(), c.y()), QPoint(guide.right(), c.y()));
    painter.drawLine(QPoint(c.x(), guide.top()), QPoint(c.x(), guide.bottom()));

    QFont font = painter.font();
    font.setBold(true);
    font.setPointSize(14);
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 255, 200));
    painter.drawText(guide.adjusted(0, 8, 0, 0), Qt::AlignHCenter | Qt::AlignTop, tr("ID Photo"));
    painter.restore();
}

// ----------------------------------------------------------------------------------------- input

void VideoWidget::mousePressEvent(QMouseEvent* event)
{
    const AnnotationOverlay::PressResult result = m_annotations->mousePress(event);
    if (result == AnnotationOverlay::PressResult::StartPan && event->button() == Qt::LeftButton) {
        d->panning = true;
        d->pressPos = event->pos();
        d->panAtPress = d->geometry.pan();
        event->accept();
        return;
    }
    if (result == AnnotationOverlay::PressResult::Handled) {
        event->accept();
        return;
    }
    QOpenGLWidget::mousePressEvent(event);
}

void VideoWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (d->panning && (event->buttons() & Qt::LeftButton)) {
        d->geometry.setWidgetSize(size());
        d->geometry.setPan(d->geometry.dragPan(d->panAtPress, event->pos() - d->pressPos));
        m_annotations->rebuildLayer();
        update();
        event->accept();
        return;
    }
    if (m_annotations->mouseMove(event)) {
        event->accept();
        return;
    }
    QOpenGLWidget::mouseMoveEvent(event);
}

void VideoWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (d->panning && event->button() == Qt::LeftButton) {
        d->panning = false;
        m_annotations->mouseRelease(event);
        event->accept();
        return;
    }
    if (m_annotations->mouseRelease(event)) {
        event->accept();
        return;
    }
    QOpenGLWidget::mouseReleaseEvent(event);
}

void VideoWidget::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    const int current = d->geometry.zoomPercent();
    const int percent = delta > 0 ? std::min(current + kZoomStepPercent, ViewGeometry::kMaxZoomPercent)
                                  : std::max(current - kZoomStepPercent, ViewGeometry::kMinZoomPercent);
    setZoom(percent, event->position().toPoint());
    event->accept();
}

bool VideoWidget::handleKey(QKeyEvent* event, bool perform)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    const int key = event->key();
    std::function<void()> action;
    if (mods == Qt::NoModifier) {
        if (key == Qt::Key_Plus || key == Qt::Key_Equal)
            action = [this] { zoomIn(); };
        else if (key == Qt::Key_Minus)
            action = [this] { zoomOut(); };
        else if (key == Qt::Key_F)
            action = [this] { fitToView(); };
        else if (key == Qt::Key_Delete)
            action = [this] { clearAnnotations(); };
    } else if (mods == Qt::ControlModifier) {
        if (key == Qt::Key_0)
            action = [this] { resetZoom(); };
        else if (key == Qt::Key_C)
            action = [this] { copy(); };
        else if (key == Qt::Key_Z)
            action = [this] { undo(); };
        else if (key == Qt::Key_Y)
            action = [this] { redo(); };
    }
    if (!action)
        return false;
    if (perform)
        action();
    return true;
}

void VideoWidget::keyPressEvent(QKeyEvent* event)
{
    // Keys handled here stop here: passing them on would let the main window act on the same press
    // a second time.
    if (handleKey(event, true)) {
        event->accept();
        return;
    }
    QOpenGLWidget::keyPressEvent(event);
}

void VideoWidget::contextMenuEvent(QContextMenuEvent* event)
{
    std::unique_ptr<QMenu> menu(createVideoWidgetContextMenu(this, nullptr));
    menu->exec(event->globalPos());
    event->accept();
}

bool VideoWidget::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Claim our keys before a window-wide shortcut with the same keys fires as well.
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (handleKey(keyEvent, false)) {
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::Gesture: {
        auto* gestureEvent = static_cast<QGestureEvent*>(event);
        if (auto* pinch = static_cast<QPinchGesture*>(gestureEvent->gesture(Qt::PinchGesture))) {
            if (pinch->state() == Qt::GestureStarted)
                d->pinchStartPercent = d->geometry.zoomPercent();
            const int percent = std::clamp(int(d->pinchStartPercent * pinch->totalScaleFactor()),
                                           ViewGeometry::kMinZoomPercent, ViewGeometry::kMaxZoomPercent);
            setZoom(percent, QPoint(width() / 2, height() / 2));
            gestureEvent->accept(pinch);
        }
        return true;
    }
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd: {
        auto* touch = static_cast<QTouchEvent*>(event);
        const auto points = touch->touchPoints();
        if (points.size() == 2 && event->type() != QEvent::TouchEnd) {
            const QPointF a = points[0].pos();
            const QPointF b = points[1].pos();
            const double distance = QLineF(a, b).length();
            if (d->touchStartDistance <= 0.0) {
                d->touchStartDistance = distance;
                d->touchStartPercent = d->geometry.zoomPercent();
            } else if (distance > 0.0) {
                const int percent =
                    std::clamp(int(d->touchStartPercent * (distance / d->touchStartDistance)),
                               ViewGeometry::kMinZoomPercent, ViewGeometry::kMaxZoomPercent);
                setZoom(percent, ((a + b) / 2.0).toPoint());
            }
        } else {
            d->touchStartDistance = 0.0;
        }
        event->accept();
        return true;
    }
    default:
        break;
    }
    return QOpenGLWidget::event(event);
}
