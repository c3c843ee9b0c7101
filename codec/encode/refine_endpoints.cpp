// Quantises the start end points and their reinterpretations and keeps the
// try with the smallest error (the earliest of equal ones).
#include "codec/encode/endpoint_refinement.h"
#include "codec/encode/refinement_tries.h"

namespace quarn {

QuantisedEndpoints RefineEndpoints(int32_t startKind, int32_t colourCount, const DistinctColours& colours,
                                   const double weight[3], const double a[3], const double b[3]) {
  EndpointTry tries[kMaxRefinementTries];
  const int32_t n = ListRefinementTries(startKind, colourCount, a, b, tries);
  QuantisedEndpoints kept = QuantiseEndpoints(tries[0].colourCount, colours, weight, tries[0].first, tries[0].second);
  for (int32_t t = 1; t < n; ++t) {
    const QuantisedEndpoints next =
        QuantiseEndpoints(tries[t].colourCount, colours, weight, tries[t].first, tries[t].second);
    if (next.error < kept.error) kept = next;
  }
  return kept;
}

}  // namespace quarn
