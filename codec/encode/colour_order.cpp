// Ordering the distinct colours along an axis, and recognising an order seen
// before (the search stops re-ordering once an order comes back, in either
// direction, since the fit of a reversed order is the same split).
#include "codec/encode/colour_search.h"

namespace quarn {

ColourOrder OrderByProjection(const double axis[3], const DistinctColours& colours, int32_t tieVariant) {
  double t[16];
  for (int32_t j = 0; j < colours.count; ++j) {
    t[j] = axis[0] * colours.colour[j][0] + axis[1] * colours.colour[j][1] + axis[2] * colours.colour[j][2];
  }
  // Insertion by ascending projection. Variant 0 places a colour after the
  // equal ones already placed (lowest index first), variant 1 before them.
  ColourOrder order;
  order.count = colours.count;
  for (int32_t j = 0; j < colours.count; ++j) {
    int32_t pos = j;
    if (tieVariant == 0) {
      while (pos > 0 && t[order.item[pos - 1]] > t[j]) {
        order.item[pos] = order.item[pos - 1];
        --pos;
      }
    } else {
      while (pos > 0 && t[order.item[pos - 1]] >= t[j]) {
        order.item[pos] = order.item[pos - 1];
        --pos;
      }
    }
    order.item[pos] = j;
  }
  return order;
}

bool SameOrder(const ColourOrder& first, const ColourOrder& second) {
  const int32_t n = first.count;
  if (n != second.count) return false;
  bool forward = true;
  bool reversed = true;
  for (int32_t i = 0; i < n; ++i) {
    forward = forward && first.item[i] == second.item[i];
    reversed = reversed && first.item[i] == second.item[n - 1 - i];
  }
  return forward || reversed;
}

}  // namespace quarn
