#pragma once
// Whether the user has turned high contrast on. The skin asks here, and only here:
// with high contrast on it steps aside and draws with the system's colours.

namespace skin {

// The current answer of the query in use (by default, the system's).
bool IsHighContrastOn();

// The system's own answer: SPI_GETHIGHCONTRAST with HCF_HIGHCONTRASTON.
bool SystemHighContrast();

// Replaces the query and returns the one it replaces; null puts the system's back.
// Wine's SystemParametersInfo always answers that high contrast is off (it reports
// no flags), so under Wine the tests could never see the skin step aside: they put
// a query of their own here, and set the system colours high contrast would bring.
using HighContrastQuery = bool (*)();
HighContrastQuery SetHighContrastQuery(HighContrastQuery query);

} // namespace skin
