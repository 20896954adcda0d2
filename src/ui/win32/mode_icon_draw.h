// Drawing a print mode as its lists show it: an icon over its title. The
// Main page's list and picture and the Save page's lists share it.
#pragma once

#include <windows.h>

#include <string>

namespace tqr {

// Paints a rectangle in a colour without disturbing the DC's brush.
void FillColor(HDC dc, const RECT& rect, COLORREF color);

// An icon, centred horizontally, over its title, the two together centred
// vertically in `rect`; the title is clipped to the rectangle. No icon when
// `iconId` is 0 or the resource is missing; a greyed icon for a list that
// cannot be used. An empty title leaves the icon alone in the middle.
void DrawIconAndTitle(HDC dc, const RECT& rect, int iconId, const std::u16string& title,
                      HFONT font, bool greyed = false);

}  // namespace tqr
