// Gathering an order's colours and settling the best arrangement of a fit.
#include "codec/encode/cluster_arrangements.h"

namespace quarn {

OrderedColours GatherAlongOrder(const BlockColours& colours, const ColourOrder& order) {
  OrderedColours ordered;
  ordered.count = order.count;
  for (int32_t i = 0; i < order.count; ++i) {
    const int32_t j = order.item[i];
    ordered.y[i][0] = colours.centred[j][0];
    ordered.y[i][1] = colours.centred[j][1];
    ordered.y[i][2] = colours.centred[j][2];
    ordered.g[i] = colours.distinct.fraction[j];
  }
  return ordered;
}

SettledArrangement SettleArrangement(const OrderedColours& ordered, const Arrangement& best) {
  const int32_t u = ordered.count;
  const bool used1 = best.a < best.b;
  const bool used2 = best.b < best.d;
  const bool used3 = best.d < u;
  const bool twoGroups = (int32_t{used1} + int32_t{used2} + int32_t{used3}) == 1;

  // Two groups at levels 0 and 3 are the same line as at 0 and 2; the lower
  // level keeps the fit within the levels a three-colour block has.
  Arrangement final = best;
  if (twoGroups && used3) final.d = u;

  SettledArrangement settled;
  settled.highest = final.d < u ? 3 : final.b < u ? 2 : final.a < u ? 1 : 0;
  settled.kind = twoGroups ? 1 : settled.highest;

  double w = 0.0;
  double squares = 0.0;
  double s[3] = {0.0, 0.0, 0.0};
  for (int32_t i = 0; i < u; ++i) {
    const int32_t k = int32_t{i >= final.a} + int32_t{i >= final.b} + int32_t{i >= final.d};
    settled.level[i] = k;
    const double level = k;
    w = w + ordered.g[i] * level;
    squares = squares + ordered.g[i] * (level * level);
    s[0] = s[0] + level * ordered.y[i][0];
    s[1] = s[1] + level * ordered.y[i][1];
    s[2] = s[2] + level * ordered.y[i][2];
  }
  settled.sums.w = w;
  settled.sums.v = squares - w * w;
  settled.sums.s[0] = s[0];
  settled.sums.s[1] = s[1];
  settled.sums.s[2] = s[2];
  return settled;
}

}  // namespace quarn
