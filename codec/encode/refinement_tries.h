// The quantisation tries that end-point refinement makes, in order.
#ifndef QUARN_CODEC_ENCODE_REFINEMENT_TRIES_H
#define QUARN_CODEC_ENCODE_REFINEMENT_TRIES_H

#include <cstdint>

namespace quarn {

// One try: the colour count to quantise for and the two end points
// (weighted scale).
struct EndpointTry {
  int32_t colourCount = 3;
  double first[3] = {};
  double second[3] = {};
};

inline constexpr int32_t kMaxRefinementTries = 9;

// Fills `tries` with the start end points a and b (four colours for a
// four-level start, else three) followed by the reinterpretations of a and
// b for the start kind: the three-colour ones, then, when `colours` is 4,
// the four-colour ones. Returns the number of tries (1 to 9). With
// `colours` 3 every try is a three-colour one.
int32_t ListRefinementTries(int32_t startKind, int32_t colours, const double a[3], const double b[3],
                            EndpointTry tries[kMaxRefinementTries]);

}  // namespace quarn

#endif
