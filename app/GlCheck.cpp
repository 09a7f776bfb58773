#include "GlCheck.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions_3_3_Core>
#include <QSurfaceFormat>

namespace startup {

namespace {

QString profileName(QSurfaceFormat::OpenGLContextProfile p)
{
    switch (p) {
    case QSurfaceFormat::CoreProfile:
        return QStringLiteral("Core");
    case QSurfaceFormat::CompatibilityProfile:
        return QStringLiteral("Compat");
    default:
        return QStringLiteral("NoProfile");
    }
}

QString glString(QOpenGLFunctions_3_3_Core& f, GLenum name)
{
    const GLubyte* s = f.glGetString(name);
    return s ? QString::fromLatin1(reinterpret_cast<const char*>(s)) : QStringLiteral("?");
}

} // namespace

bool contextIsUsable(int major, int minor, bool functionsOk)
{
    return functionsOk && (major > 3 || (major == 3 && minor >= 3));
}

QString unsuitableContextReason(int major, int minor, bool coreProfile)
{
    return QStringLiteral("实际上下文 %1.%2 %3，不满足 3.3 Core")
        .arg(major)
        .arg(minor)
        .arg(coreProfile ? QStringLiteral("Core") : QStringLiteral("Compat"));
}

GlCheckResult checkOpenGl33()
{
    GlCheckResult r;
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);

    QOffscreenSurface surface;
    surface.setFormat(format);
    surface.create();
    if (!surface.isValid()) {
        r.failureReason = QStringLiteral("离屏 surface 创建失败");
        return r;
    }
    QOpenGLContext context;
    context.setFormat(format);
    if (!context.create()) {
        r.failureReason = QStringLiteral("QOpenGLContext::create() 失败（驱动不接受 3.3 Core）");
        return r;
    }
    if (!context.makeCurrent(&surface)) {
        r.failureReason = QStringLiteral("makeCurrent() 失败");
        return r;
    }
    QOpenGLFunctions_3_3_Core functions;
    r.functionsOk = functions.initializeOpenGLFunctions();
    const QSurfaceFormat actual = context.format();
    r.major = actual.majorVersion();
    r.minor = actual.minorVersion();
    r.profile = profileName(actual.profile());
    if (r.functionsOk) {
        r.version = glString(functions, GL_VERSION);
        r.renderer = glString(functions, GL_RENDERER);
        r.vendor = glString(functions, GL_VENDOR);
    }
    r.passed = contextIsUsable(r.major, r.minor, r.functionsOk);
    if (!r.passed)
        r.failureReason =
            unsuitableContextReason(r.major, r.minor, actual.profile() == QSurfaceFormat::CoreProfile);
    context.doneCurrent();
    return r;
}

} // namespace startup
