#include "Probe.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace launchscope {

namespace {


// Lines "key=value" of a child's answer.
std::string field(const std::string& text, const std::string& key)
{
    const std::string tag = key + "=";
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t nl = text.find('\n', at);
        if (nl == std::string::npos)
            nl = text.size();
        if (text.compare(at, tag.size(), tag) == 0)
            return text.substr(at + tag.size(), nl - at - tag.size());
        at = nl + 1;
    }
    return {};
}

std::string oneLine(const char* text)
{
    std::string s = text ? text : "";
    for (char& c : s)
        if (c == '\n' || c == '\r')
            c = ' ';
    return s;
}

std::string describeChildEnd(const ChildResult& r)
{
    switch (r.outcome) {
    case ChildResult::Crashed:
        return "加载时崩溃（" + signalName(r.signal) + "）";
    case ChildResult::TimedOut:
        return "加载超时（探测进程无响应，已结束）";
    case ChildResult::ForkFailed:
        return "无法创建探测进程";
    case ChildResult::Finished:
        break;
    }
    return "探测进程异常结束，退出码 " + std::to_string(r.exitCode);
}

// --- GL, all through dlsym -------------------------------------------------------------------------

using GetStringFn = const unsigned char* (*)(unsigned);
constexpr unsigned kGlVendor = 0x1F00, kGlRenderer = 0x1F01, kGlVersion = 0x1F02;

std::string glStrings(GetStringFn getString)
{
    auto text = [&](unsigned name) {
        const unsigned char* s = getString ? getString(name) : nullptr;
        return s ? oneLine(reinterpret_cast<const char*>(s)) : std::string("?");
    };
    return "version=" + text(kGlVersion) + "\nrenderer=" + text(kGlRenderer) + "\nvendor=" + text(kGlVendor) +
           "\n";
}

std::string glxProbe(const char* display)
{
    void* x11 = ::dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    if (!x11)
        return "error=libX11.so.6: " + oneLine(::dlerror()) + "\n";
    void* gl = ::dlopen("libGL.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!gl)
        return "error=libGL.so.1: " + oneLine(::dlerror()) + "\n";
    using OpenDisplay = void* (*)(const char*);
    using ScreenOf = int (*)(void*);
    using SizeOf = int (*)(void*, int);
    using ChooseFbConfig = void** (*)(void*, int, const int*, int*);
    using CreatePbuffer = unsigned long (*)(void*, void*, const int*);
    using CreateNewContext = void* (*)(void*, void*, int, void*, int);
    using MakeContextCurrent = int (*)(void*, unsigned long, unsigned long, void*);
    auto openDisplay = reinterpret_cast<OpenDisplay>(::dlsym(x11, "XOpenDisplay"));
    auto defaultScreen = reinterpret_cast<ScreenOf>(::dlsym(x11, "XDefaultScreen"));
    auto width = reinterpret_cast<SizeOf>(::dlsym(x11, "XDisplayWidth"));
    auto height = reinterpret_cast<SizeOf>(::dlsym(x11, "XDisplayHeight"));
    auto chooseFbConfig = reinterpret_cast<ChooseFbConfig>(::dlsym(gl, "glXChooseFBConfig"));
    auto createPbuffer = reinterpret_cast<CreatePbuffer>(::dlsym(gl, "glXCreatePbuffer"));
    auto createNewContext = reinterpret_cast<CreateNewContext>(::dlsym(gl, "glXCreateNewContext"));
    auto makeCurrent = reinterpret_cast<MakeContextCurrent>(::dlsym(gl, "glXMakeContextCurrent"));
    auto getString = reinterpret_cast<GetStringFn>(::dlsym(gl, "glGetString"));
    if (!openDisplay || !defaultScreen || !width || !height || !chooseFbConfig || !createPbuffer ||
        !createNewContext || !makeCurrent || !getString)
        return "error=GLX 函数缺失\n";
    void* dpy = openDisplay(display);
    if (!dpy)
        return std::string("error=无法连接显示服务 ") + display + "\n";
    const int screen = defaultScreen(dpy);
    std::string out = "width=" + std::to_string(width(dpy, screen)) +
                      "\nheight=" + std::to_string(height(dpy, screen)) + "\n";
    // GLX_DRAWABLE_TYPE = PBUFFER, GLX_RENDER_TYPE = RGBA, 8 bits per colour, 24-bit depth.
    const int configAttribs[] = {0x8010, 0x4, 0x8011, 0x1, 8, 8, 9, 8, 10, 8, 12, 24, 0};
    int count = 0;
    void** configs = chooseFbConfig(dpy, screen, configAttribs, &count);
    if (!configs || count <= 0)
        return out + "error=GLX 没有可用的帧缓冲配置（显示服务不支持 GLX？）\n";
    const int pbufferAttribs[] = {0x8041, 1, 0x8040, 1, 0}; // GLX_PBUFFER_WIDTH / HEIGHT
    const unsigned long pbuffer = createPbuffer(dpy, configs[0], pbufferAttribs);
    void* context = createNewContext(dpy, configs[0], 0x8014 /* GLX_RGBA_TYPE */, nullptr, 1);
    if (!pbuffer || !context)
        return out + "error=GLX 上下文创建失败\n";
    if (!makeCurrent(dpy, pbuffer, pbuffer, context))
        return out + "error=glXMakeContextCurrent 失败\n";
    return out + glStrings(getString);
}

std::string eglSurfacelessProbe()
{
    void* egl = ::dlopen("libEGL.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!egl)
        return "error=libEGL.so.1: " + oneLine(::dlerror()) + "\n";
    using GetPlatformDisplay = void* (*)(unsigned, void*, const long*);
    using Initialize = unsigned (*)(void*, int*, int*);
    using BindApi = unsigned (*)(unsigned);
    using CreateContext = void* (*)(void*, void*, void*, const int*);
    using MakeCurrent = unsigned (*)(void*, void*, void*, void*);
    using GetProcAddress = void* (*)(const char*);
    auto getPlatformDisplay = reinterpret_cast<GetPlatformDisplay>(::dlsym(egl, "eglGetPlatformDisplay"));
    auto initialize = reinterpret_cast<Initialize>(::dlsym(egl, "eglInitialize"));
    auto bindApi = reinterpret_cast<BindApi>(::dlsym(egl, "eglBindAPI"));
    auto createContext = reinterpret_cast<CreateContext>(::dlsym(egl, "eglCreateContext"));
    auto makeCurrent = reinterpret_cast<MakeCurrent>(::dlsym(egl, "eglMakeCurrent"));
    auto getProcAddress = reinterpret_cast<GetProcAddress>(::dlsym(egl, "eglGetProcAddress"));
    if (!getPlatformDisplay || !initialize || !bindApi || !createContext || !makeCurrent || !getProcAddress)
        return "error=EGL 1.5 函数缺失\n";
    void* dpy = getPlatformDisplay(0x31DD /* EGL_PLATFORM_SURFACELESS_MESA */, nullptr, nullptr);
    int major = 0, minor = 0;
    if (!dpy || !initialize(dpy, &major, &minor))
        return "error=EGL surfaceless 平台不可用\n";
    if (!bindApi(0x30A2 /* EGL_OPENGL_API */))
        return "error=EGL 不支持桌面 OpenGL\n";
    // No config and no surface: EGL_KHR_no_config_context and EGL_KHR_surfaceless_context.
    void* context = createContext(dpy, nullptr, nullptr, nullptr);
    if (!context || !makeCurrent(dpy, nullptr, nullptr, context))
        return "error=EGL 无表面上下文创建失败\n";
    return glStrings(reinterpret_cast<GetStringFn>(getProcAddress("glGetString")));
}

} // namespace

std::string signalName(int signal)
{
    switch (signal) {
    case SIGSEGV:
        return "SIGSEGV";
    case SIGBUS:
        return "SIGBUS";
    case SIGILL:
        return "SIGILL";
    case SIGFPE:
        return "SIGFPE";
    case SIGABRT:
        return "SIGABRT";
    case SIGKILL:
        return "SIGKILL";
    case SIGTERM:
        return "SIGTERM";
    case SIGINT:
        return "SIGINT";
    case SIGHUP:
        return "SIGHUP";
    case SIGPIPE:
        return "SIGPIPE";
    case SIGTRAP:
        return "SIGTRAP";
    case SIGSYS:
        return "SIGSYS";
    default:
        return "信号 " + std::to_string(signal);
    }
}

long long monotonicMs()
{
    struct timespec ts
    {
    };
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

ChildResult runInChild(const std::function<std::string()>& work, int timeoutMs)
{
    ChildResult result;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return result;
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return result;
    }
    if (pid == 0) {
        ::close(fds[0]);
        const std::string text = work();
        const char* p = text.data();
        std::size_t left = text.size();
        while (left > 0) {
            const ssize_t n = ::write(fds[1], p, left);
            if (n <= 0)
                break;
            p += n;
            left -= static_cast<std::size_t>(n);
        }
        // No exit handlers: they belong to the parent (and a GL driver's may hang).
        ::_exit(0);
    }
    ::close(fds[1]);
    const long long deadline = monotonicMs() + timeoutMs;
    bool timedOut = false;
    char buffer[4096];
    for (;;) {
        const long long left = deadline - monotonicMs();
        if (left <= 0) {
            timedOut = true;
            break;
        }
        struct pollfd p
        {
            fds[0], POLLIN, 0
        };
        const int ready = ::poll(&p, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            timedOut = ready == 0;
            break;
        }
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        result.text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    if (timedOut)
        ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (timedOut) {
        result.outcome = ChildResult::TimedOut;
    } else if (WIFSIGNALED(status)) {
        result.outcome = ChildResult::Crashed;
        result.signal = WTERMSIG(status);
    } else {
        result.outcome = ChildResult::Finished;
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return result;
}

LibraryProbe probeLibrary(const std::string& fileOrPath, int timeoutMs)
{
    const ChildResult r = runInChild(
        [&]() -> std::string {
            void* handle = ::dlopen(fileOrPath.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (!handle)
                return "error=" + oneLine(::dlerror()) + "\n";
            link_map* map = nullptr;
            std::string path = "?";
            if (::dlinfo(handle, RTLD_DI_LINKMAP, &map) == 0 && map && map->l_name && *map->l_name)
                path = map->l_name;
            return "loaded=" + path + "\n";
        },
        timeoutMs);
    LibraryProbe probe;
    if (r.outcome == ChildResult::Finished && r.exitCode == 0) {
        probe.loadedPath = field(r.text, "loaded");
        probe.loaded = !probe.loadedPath.empty();
        probe.error = field(r.text, "error");
        if (!probe.loaded && probe.error.empty())
            probe.error = "未知错误";
    } else {
        probe.error = describeChildEnd(r);
    }
    return probe;
}

GlProbe probeGl(int timeoutMs)
{
    GlProbe probe;
    const char* display = std::getenv("DISPLAY");
    const bool x11 = display && *display;
    probe.method = x11 ? "GLX" : "EGL surfaceless";
    probe.attempted = true;
    const ChildResult r =
        runInChild([&] { return x11 ? glxProbe(display) : eglSurfacelessProbe(); }, timeoutMs);
    if (r.outcome != ChildResult::Finished) {
        probe.error = r.outcome == ChildResult::Crashed
                          ? "图形驱动在探测中崩溃（" + signalName(r.signal) + "）"
                      : r.outcome == ChildResult::TimedOut ? std::string("图形驱动探测超时")
                                                           : std::string("无法创建探测进程");
        return probe;
    }
    probe.screenWidth = std::atoi(field(r.text, "width").c_str());
    probe.screenHeight = std::atoi(field(r.text, "height").c_str());
    probe.error = field(r.text, "error");
    probe.version = field(r.text, "version");
    probe.renderer = field(r.text, "renderer");
    probe.vendor = field(r.text, "vendor");
    probe.ok = probe.error.empty() && !probe.version.empty();
    if (!probe.ok && probe.error.empty())
        probe.error = r.exitCode != 0 ? "探测进程异常结束（X 错误？），退出码 " + std::to_string(r.exitCode)
                                      : std::string("未取得 GL 版本");
    return probe;
}

} // namespace launchscope
