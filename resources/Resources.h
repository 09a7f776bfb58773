#pragma once

namespace lumadoc {
// Registers the compiled-in icons and style sheet. The resource code sits in a static library, where the
// linker would otherwise drop its self-registering initialiser.
void initResources();
} // namespace lumadoc
