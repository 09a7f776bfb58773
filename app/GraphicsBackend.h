#pragma once
// Which graphics back-end the preview gets, and what to do when OpenGL 3.3 turns out to be missing.
// Pure decisions, so every row of the choice and every branch of the restart rule can be tested
// without a display.

#include <string>

namespace startup {

struct BackendInputs
{
    std::string qtOpenGl;        // QT_OPENGL as found at start ("" when unset)
    bool glSoftwareFlag = false; // gl_software.flag exists in the boot log directory
    bool runIncompleteFlag = false;
    bool renderNodeExists = false; // a DRM render node (/dev/dri/renderD*) is present
    std::string renderNode;        // its path, for the log line
};

struct BackendChoice
{
    int row = 0;                 // the row of the choice table that matched (1, 2, 3, 5 or 7)
    bool switchToSoftware = false;
    std::string reason;          // why software rendering was chosen; empty otherwise
    std::string logLine;         // the line to log when no switch happens
};

BackendChoice chooseBackend(const BackendInputs& in);

// The variables that make Qt and Mesa render in software. `reason` is logged when non-empty.
void switchToSoftwareRendering(const char* reason);

// QT_OPENGL equals "software", ignoring case.
bool isSoftwareRendering(const char* qtOpenGl);

enum class RestartAction {
    Continue,                    // the check passed
    ContinueWithoutPreview,      // failed while already rendering in software
    ContinueFlagUnwritable,      // failed, but gl_software.flag could not be written
    ContinueAlreadyRestarted,    // failed in the child of the one automatic restart
    Restart,                     // failed on a hardware path: restart once in software
};

struct RestartInputs
{
    bool checkPassed = false;
    bool software = false;        // QT_OPENGL is "software"
    bool isRestartedChild = false; // LD_GL_AUTORESTART starts with "1"
    bool flagWritten = false;     // gl_software.flag exists after the attempt to write it
};

RestartAction decideRestart(const RestartInputs& in);

} // namespace startup
