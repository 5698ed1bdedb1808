#include "BitmapPlacement.h"

namespace skin {

std::vector<POINT> BitmapOrigins(BYTE mode, int cw, int ch, int bw, int bh)
{
    std::vector<POINT> origins;
    if (bw <= 0 || bh <= 0)
        return origins;
    const int centreX = (cw - bw) / 2;
    const int centreY = (ch - bh) / 2;
    auto row = [&](int y) { for (int x = 0; x < cw; x += bw) origins.push_back({x, y}); };
    auto column = [&](int x) { for (int y = 0; y < ch; y += bh) origins.push_back({x, y}); };
    switch (mode) {
    case 0:  for (int y = 0; y < ch; y += bh) row(y); break;   // tile
    case 1:  origins.push_back({centreX, centreY}); break;      // centre
    case 2:  break;                                             // stretch
    case 3:  row(0); break;                                     // tile along the top
    case 4:  row(ch - bh); break;                               // ... the bottom
    case 5:  column(0); break;                                  // ... the left
    case 6:  column(cw - bw); break;                            // ... the right
    case 7:  origins.push_back({0, 0}); break;
    case 8:  origins.push_back({cw - bw, 0}); break;
    case 9:  origins.push_back({centreX, 0}); break;
    case 10: origins.push_back({0, ch - bh}); break;
    case 11: origins.push_back({cw - bw, ch - bh}); break;
    case 12: origins.push_back({centreX, ch - bh}); break;
    default: break;
    }
    return origins;
}

} // namespace skin
