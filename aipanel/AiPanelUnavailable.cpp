#include "AiPanelAvailability.h"

bool aiPanelAvailable()
{
    return false;
}
