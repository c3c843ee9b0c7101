// FitColourBlock: the refinement (or the uniform fitter) run from the start
// that the preparation chose, with the indices of the distinct colours
// handed back to the texels.
#include "codec/encode/colour_block_fit.h"
#include "codec/encode/colour_search.h"
#include "codec/encode/endpoint_refinement.h"

namespace quarn {

void FitColourBlock(ColourBlockFit& fit) {
  BlockColours colours;
  int32_t texelColour[16];
  const ColourFitPlan plan = PlanColourFit(fit, colours, texelColour);
  if (plan.uniform) {
    FitUniformBlock(fit);
    return;
  }
  const QuantisedEndpoints result =
      RefineEndpoints(plan.startKind, fit.colours, colours.distinct, colours.weight, plan.start[0], plan.start[1]);
  fit.mode = result.mode;
  for (int32_t e = 0; e < 2; ++e) {
    for (int32_t ch = 0; ch < 3; ++ch) fit.end[e][ch] = result.end[e][ch];
  }
  for (int32_t i = 0; i < fit.count; ++i) fit.index[i] = result.index[texelColour[i]];
}

}  // namespace quarn
