#include "codec/encode/order_ring.h"

namespace quarn {

void OrderRing::Restart(const ColourOrder& first) {
  position_ = 0;
  wrapped_ = false;
  slot_[0] = first;
}

bool OrderRing::Advance(const double axis[3], const DistinctColours& colours, int32_t budget) {
  position_ = (position_ + 1) % 16;
  if (position_ == 0) wrapped_ = true;
  slot_[position_] = OrderByProjection(axis, colours, 0);
  bool repeats = CurrentRepeats();
  if (repeats && budget != 0) {
    slot_[position_] = OrderByProjection(axis, colours, 1);
    repeats = CurrentRepeats();
  }
  return repeats;
}

bool OrderRing::CurrentRepeats() const {
  const ColourOrder& order = slot_[position_];
  for (int32_t s = position_ - 1; s >= 0; --s) {
    if (SameOrder(order, slot_[s])) return true;
  }
  if (wrapped_) {
    for (int32_t s = position_ + 1; s < 16; ++s) {
      if (SameOrder(order, slot_[s])) return true;
    }
  }
  return false;
}

}  // namespace quarn
