// Ordering the distinct colours along an axis, and recognising an order seen
// before (the search stops re-ordering once an order comes back, in either
// direction, since the fit of a reversed order is the same split).
#include "codec/encode/colour_search.h"

namespace quarn {
namespace {

template <bool kLowestIndexFirst>
void CountPlaces(const double* t, int32_t n, int32_t* place) {
  for (int32_t i = 0; i < n; ++i) {
    int32_t after = 0;  // colours j > i that precede i
    for (int32_t j = i + 1; j < n; ++j) {
      const int32_t iFirst = kLowestIndexFirst ? int32_t{t[i] <= t[j]} : int32_t{t[i] < t[j]};
      place[j] += iFirst;
      after += 1 - iFirst;
    }
    place[i] += after;
  }
}

}  // namespace

ColourOrder OrderByProjection(const double axis[3], const DistinctColours& colours, int32_t tieVariant) {
  double t[16];
  for (int32_t j = 0; j < colours.count; ++j) {
    t[j] = axis[0] * colours.colour[j][0] + axis[1] * colours.colour[j][1] + axis[2] * colours.colour[j][2];
  }
  // Each colour's place is the number of colours that precede it. Of a
  // pair i < j, i precedes when its projection is smaller, or equal in
  // variant 0 (lowest index first); j precedes otherwise. Counting without
  // branches keeps the cost flat whatever the data.
  const int32_t n = colours.count;
  int32_t place[16] = {};
  if (tieVariant == 0) {
    CountPlaces<true>(t, n, place);
  } else {
    CountPlaces<false>(t, n, place);
  }
  ColourOrder order;
  order.count = n;
  for (int32_t j = 0; j < n; ++j) order.item[place[j]] = j;
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
