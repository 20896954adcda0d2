#include "pictures.h"

namespace tqr::art {

void DrawButtonEdge(Canvas& c, int x0, int y0, int x1, int y1, bool pressed) {
  const int u = kBitmapUnits;  // one pixel
  const Color outerTopLeft = pressed ? kDarkShadow : kHighlight;
  const Color innerTopLeft = pressed ? kShadow : kLight;
  const Color outerBottomRight = pressed ? kHighlight : kDarkShadow;
  const Color innerBottomRight = pressed ? kLight : kShadow;
  c.Rect(x0, y1 - u, x1, y1, outerBottomRight);
  c.Rect(x1 - u, y0, x1, y1, outerBottomRight);
  c.Rect(x0, y0, x1 - u, y0 + u, outerTopLeft);
  c.Rect(x0, y0, x0 + u, y1 - u, outerTopLeft);
  c.Rect(x0 + u, y1 - 2 * u, x1 - u, y1 - u, innerBottomRight);
  c.Rect(x1 - 2 * u, y0 + u, x1 - u, y1 - u, innerBottomRight);
  c.Rect(x0 + u, y0 + u, x1 - 2 * u, y0 + 2 * u, innerTopLeft);
  c.Rect(x0 + u, y0 + u, x0 + 2 * u, y1 - 2 * u, innerTopLeft);
}

}  // namespace tqr::art
