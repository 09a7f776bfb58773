#include "GraphicsBackend.h"
#include "BootLog.h"

#include <cstdlib>
#include <strings.h>

namespace startup {

BackendChoice chooseBackend(const BackendInputs& in)
{
    BackendChoice c;
    if (!in.qtOpenGl.empty()) {
        c.row = 1;
        c.logLine = "[MAIN] QT_OPENGL 已由外部指定=" + in.qtOpenGl + "，跳过自动选择\n";
    } else if (in.glSoftwareFlag) {
        c.row = 2;
        c.switchToSoftware = true;
        c.reason = "检测到 gl_software.flag（该机 GL 3.3 不可用，已确认走软件渲染）";
    } else if (in.runIncompleteFlag) {
        c.row = 3;
        c.switchToSoftware = true;
        c.reason = "检测到上次启动未走完初始化（图形相关崩溃嫌疑）";
    } else if (in.renderNodeExists) {
        c.row = 5;
        c.logLine = "[MAIN] 图形后端: OpenGL / DRM 硬件渲染节点 " + in.renderNode + "\n";
    } else {
        c.row = 7;
        c.switchToSoftware = true;
        c.reason = "未找到 DRM 渲染节点（无可用显卡驱动） → 回退 Mesa";
    }
    return c;
}

void switchToSoftwareRendering(const char* reason)
{
    ::setenv("QT_OPENGL", "software", 1);
    ::setenv("MESA_GL_VERSION_OVERRIDE", "3.3COMPAT", 1);
    ::setenv("MESA_GLSL_VERSION_OVERRIDE", "330", 1);
    // QT_OPENGL alone changes nothing on X11; this is what makes Mesa pick its software rasteriser.
    ::setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    if (reason && *reason)
        bootlog::log("[MAIN] %s → QT_OPENGL=software + MESA_GL_VERSION_OVERRIDE=3.3COMPAT\n", reason);
}

bool isSoftwareRendering(const char* qtOpenGl)
{
    return qtOpenGl && ::strcasecmp(qtOpenGl, "software") == 0;
}

RestartAction decideRestart(const RestartInputs& in)
{
    if (in.checkPassed)
        return RestartAction::Continue;
    if (in.software)
        return RestartAction::ContinueWithoutPreview;
    if (!in.flagWritten)
        return RestartAction::ContinueFlagUnwritable;
    if (in.isRestartedChild)
        return RestartAction::ContinueAlreadyRestarted;
    return RestartAction::Restart;
}

} // namespace startup
