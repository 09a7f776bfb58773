#pragma once
// What the machine offers for OpenGL, for the start-up log and the back-end choice.

#include <string>
#include <utility>
#include <vector>

namespace startup {

// "card0 (i915, 8086:5916)" for the first DRM card; "" when none can be read.
std::string displayAdapterDescription();

// The GL, EGL and Mesa software-rasteriser libraries and whether each can be found.
std::vector<std::pair<std::string, bool>> graphicsComponents();

// Path of the first DRM render node, or "" when there is none.
std::string firstRenderNode();

} // namespace startup
