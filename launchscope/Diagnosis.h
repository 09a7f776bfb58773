#pragma once
// The whole diagnosis, section by section, written into one report.

#include "Launch.h"

#include <string>

namespace launchscope {

struct DiagnosisOptions
{
    std::string appDir;                         // the folder of this tool, where LumadocApp is expected
    int launchWaitSeconds = kLaunchWaitSeconds; // how long the started program is watched
};

struct DiagnosisResult
{
    std::string conclusion;
    std::string launchResult;
    std::string reportPath; // "" when no report file could be written
};

DiagnosisResult runDiagnosis(const DiagnosisOptions& options);

} // namespace launchscope
