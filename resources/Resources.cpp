#include "Resources.h"

#include <QtCore/qglobal.h>

static void registerLumadocResources()
{
    Q_INIT_RESOURCE(lumadoc);
}

namespace lumadoc {
void initResources()
{
    static const bool registered = (registerLumadocResources(), true);
    (void)registered;
}
} // namespace lumadoc
