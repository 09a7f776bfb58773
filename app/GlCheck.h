#pragma once
// Whether this process can really get the OpenGL 3.3 functions the preview is written against.

#include <QString>

namespace startup {

struct GlCheckResult
{
    bool passed = false;
    int major = 0, minor = 0;
    QString profile;            // "Core", "Compat" or "NoProfile"
    bool functionsOk = false;
    QString version, renderer, vendor;
    QString failureReason;      // empty when passed
};

// Needs the application object. A context of version 3.3 or newer whose 3.3 core function set
// initialises passes, whatever its profile: Mesa answers a compatibility request with a 4.5
// compatibility context, and the 3.3 core functions work on it.
GlCheckResult checkOpenGl33();

// The failure text for a context of the given version and profile.
QString unsuitableContextReason(int major, int minor, bool coreProfile);

// The decision alone, for tests: version at least 3.3 and the function set initialised.
bool contextIsUsable(int major, int minor, bool functionsOk);

} // namespace startup
