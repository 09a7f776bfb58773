#pragma once
// VideoWidget's private state and constants, shared by its source files (core, GL, input).
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
#include <QResizeEvent>
#include <QRadialGradient>
#include <QTouchEvent>
#include <QTimer>
#include <QTransform>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <memory>


namespace videowidget {

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

inline bool isQuarterTurn(int normalizedDeg) { return normalizedDeg == 90 || normalizedDeg == 270; }


} // namespace videowidget


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
    bool scannerGunMode = false;
    QElapsedTimer lastRepaintRequest;
    QTimer* throttleTimer = nullptr;  // owned by the widget

    bool autoFit = false;

    QPolygon documentPolygon;
    bool documentPolygonValid = false;

    bool idPhotoMode = false;
    double idPhotoScale = videowidget::kIdPhotoDefaultScale;

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

    // What the fingers of the current touch sequence are doing. A sequence that became a pinch stays
    // one until every finger is up, so a finger left behind neither draws nor pans.
    enum class TouchGesture { None, Pointer, Pinch, Finished };
    TouchGesture touchGesture = TouchGesture::None;
    bool touchSequenceActive = false;  // between TouchBegin and TouchEnd or TouchCancel
    int touchPointerId = -1;           // the finger acting as the mouse
    QPointF touchPointerPos;           // its last position, widget pixels
    double touchStartDistance = 0.0;
    int touchStartPercent = 100;
    QPoint touchAnchor;  // midpoint of the fingers when the pinch began
};
