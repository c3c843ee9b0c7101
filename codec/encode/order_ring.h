// The orders that the search has visited: sixteen slots used in a ring, so
// that a long search compares each new order with the sixteen most recent.
#ifndef QUARN_CODEC_ENCODE_ORDER_RING_H
#define QUARN_CODEC_ENCODE_ORDER_RING_H

#include <cstdint>

#include "codec/encode/colour_search.h"

namespace quarn {

class OrderRing {
 public:
  // Empties the ring and puts `first` in slot 0.
  void Restart(const ColourOrder& first);

  // The order in the current slot.
  const ColourOrder& Current() const { return slot_[position_]; }

  // Moves to the next slot and fills it with the colours ordered along
  // `axis`. When that order repeats one in another filled slot and
  // `budget` is not 0, the slot is refilled with the other tie variant.
  // Returns whether the order left in the slot repeats.
  bool Advance(const double axis[3], const DistinctColours& colours, int32_t budget);

  // Whether the order in the current slot equals (or reverses) the order of
  // any other filled slot.
  bool CurrentRepeats() const;

  int32_t Position() const { return position_; }
  bool Wrapped() const { return wrapped_; }

 private:
  ColourOrder slot_[16];
  int32_t position_ = 0;
  bool wrapped_ = false;
};

}  // namespace quarn

#endif
