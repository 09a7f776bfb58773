// The GL side of the preview: context set-up, texture upload, drawing and the overlays on top.
#include "VideoWidgetPrivate.h"

using namespace videowidget;

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
            // Always the newest frame, in every mode: a frame arrives for each paint, so taking the
            // oldest would keep the picture as many frames late as the queue held after any hiccup
            // (a hidden window, a late paint), for the rest of the session. People write and point
            // under the lens; the older frames would only add delay.
            d->currentFrame = d->queue.back();
            d->currentFrameRectified = d->queueRectified.back();
            d->queue.clear();
            d->queueRectified.clear();
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
