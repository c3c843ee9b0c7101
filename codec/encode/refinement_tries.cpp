#include "codec/encode/refinement_tries.h"

#include "codec/encode/endpoint_refinement.h"

namespace quarn {
namespace {

// The variants combine a and b channel by channel so that a and b land on
// other palette positions (midpoint, one or two thirds).
enum Variant : int32_t {
  AsGiven,          // (a, b)
  AMidpoint,        // (2a - b, b)
  BMidpoint,        // (a, 2b - a)
  BAtTwoThirds,     // (a, 3b - 2a): b is entry 2 of four
  AAtOneThird,      // (3a - 2b, b): a is entry 3 of four
  BothInside,       // (2a - b, 2b - a): a and b are entries 2 and 3
  AAtEntryTwo,      // (1.5a - 0.5b, b)
  BAtEntryThree,    // (a, 1.5b - 0.5a)
};

void MakeVariant(Variant variant, int32_t colourCount, const double a[3], const double b[3], EndpointTry& out) {
  out.colourCount = colourCount;
  for (int32_t ch = 0; ch < 3; ++ch) {
    double first = a[ch];
    double second = b[ch];
    switch (variant) {
      case AsGiven:
        break;
      case AMidpoint:
        first = 2.0 * a[ch] - b[ch];
        break;
      case BMidpoint:
        second = 2.0 * b[ch] - a[ch];
        break;
      case BAtTwoThirds:
        second = 3.0 * b[ch] - 2.0 * a[ch];
        break;
      case AAtOneThird:
        first = 3.0 * a[ch] - 2.0 * b[ch];
        break;
      case BothInside:
        first = 2.0 * a[ch] - b[ch];
        second = 2.0 * b[ch] - a[ch];
        break;
      case AAtEntryTwo:
        first = 1.5 * a[ch] - 0.5 * b[ch];
        break;
      case BAtEntryThree:
        second = 1.5 * b[ch] - 0.5 * a[ch];
        break;
    }
    out.first[ch] = first;
    out.second[ch] = second;
  }
}

}  // namespace

int32_t ListRefinementTries(int32_t startKind, int32_t colours, const double a[3], const double b[3],
                            EndpointTry tries[kMaxRefinementTries]) {
  int32_t n = 0;
  // A four-level start is a four-colour block only when the block may use
  // four colours; a block that must keep index 3 free never gets one.
  const int32_t firstCount = startKind == StartFourLevels && colours == 4 ? 4 : 3;
  MakeVariant(AsGiven, firstCount, a, b, tries[n++]);
  if (startKind == StartTwoColours) {
    MakeVariant(AMidpoint, 3, a, b, tries[n++]);
    MakeVariant(BMidpoint, 3, a, b, tries[n++]);
  }
  if (colours != 4) return n;
  if (startKind == StartTwoColours) {
    static constexpr Variant kFourColourVariants[] = {AsGiven, BAtTwoThirds, AAtOneThird, BothInside, AAtEntryTwo,
                                                      BAtEntryThree};
    for (Variant v : kFourColourVariants) MakeVariant(v, 4, a, b, tries[n++]);
  } else if (startKind == StartThreeLevels) {
    MakeVariant(AAtEntryTwo, 4, a, b, tries[n++]);
    MakeVariant(BAtEntryThree, 4, a, b, tries[n++]);
  }
  return n;
}

}  // namespace quarn
