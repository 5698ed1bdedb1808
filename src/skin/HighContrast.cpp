#include "HighContrast.h"

#include <windows.h>

namespace skin {

namespace {
HighContrastQuery g_query = &SystemHighContrast;
}

bool SystemHighContrast()
{
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    return ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool IsHighContrastOn()
{
    return g_query();
}

HighContrastQuery SetHighContrastQuery(HighContrastQuery query)
{
    const HighContrastQuery previous = g_query;
    g_query = query ? query : &SystemHighContrast;
    return previous;
}

} // namespace skin
