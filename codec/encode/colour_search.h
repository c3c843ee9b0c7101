// Internal operations of the colour end-point search: the block's colours as
// the search sees them, the axes that order them, and the least-squares fits
// of evenly spaced levels to an order. Exposed here so that each step can be
// tested on its own; FitColourBlock is the only caller in the library.
#ifndef QUARN_CODEC_ENCODE_COLOUR_SEARCH_H
#define QUARN_CODEC_ENCODE_COLOUR_SEARCH_H

#include <cstdint>

#include "codec/encode/colour_block_fit.h"
#include "codec/encode/endpoint_refinement.h"

namespace quarn {

// The block's distinct colours with what the fits need besides the
// refinement's inputs. Everything is on the weighted scale (each channel
// multiplied by its weight); "centred" means minus the block's mean colour.
struct BlockColours {
  DistinctColours distinct;    // U colours v_j in order of first appearance, fractions f_j
  double weight[3] = {};       // effective channel weights (negative ones as 0)
  double centred[16][3] = {};  // P_j: sum of the centred texels of colour j, times 1/N
  double lower[3] = {};        // the range a centred colour can take: -mean ...
  double upper[3] = {};        // ... to weight - mean
};

// A permutation of the U distinct colours.
struct ColourOrder {
  int32_t count = 0;
  int32_t item[16] = {};
};

// Result of a cluster fit: the end points of the fitted line on the centred
// scale, its kind (1: two groups, else the highest level used), its error and
// the line's direction, which orders the colours for the next pass.
struct ClusterFitResult {
  double error = 0.0;
  int32_t kind = 0;
  double end[2][3] = {};
  double axis[3] = {};
};

// Where FitColourBlock's preparation leaves a block: the uniform path, or a
// refinement from a start kind and two end points on the weighted scale.
struct ColourFitPlan {
  bool uniform = false;
  int32_t startKind = StartTwoColours;
  double start[2][3] = {};
};

// Dominant direction of `count` centred colours (unit length), by repeated
// squaring of their scatter matrix.
void PrincipalAxis(const double (*centred)[3], int32_t count, double axis[3]);

// Unit direction from the second to the first colour of the most distant
// pair of distinct colours (the first such pair in visiting order).
void FarthestPairAxis(const DistinctColours& colours, double axis[3]);

// The distinct colours by ascending projection on `axis`; among equal
// projections variant 0 takes the lowest index first, variant 1 the highest.
ColourOrder OrderByProjection(const double axis[3], const DistinctColours& colours, int32_t tieVariant);

// True when the orders are equal, or one is the other reversed.
bool SameOrder(const ColourOrder& first, const ColourOrder& second);

// Best split of `order` into contiguous groups at evenly spaced levels
// 0 .. maxLevel (2 or 3), end points unconstrained.
ClusterFitResult ClusterFit(const BlockColours& colours, const ColourOrder& order, int32_t maxLevel);

// The same search with the end points held inside the box [lower, upper].
ClusterFitResult BoundedClusterFit(const BlockColours& colours, const ColourOrder& order, int32_t maxLevel);

// What the search over orders found: the chosen fit (its kind and end points
// are what the refinement starts from), which candidate it came from, and how
// many fits each stage made.
struct SearchOutcome {
  ClusterFitResult fit;
  int32_t chosen = 0;
  int32_t fits[2] = {0, 0};
  int32_t boundedFits = 0;
};

// Candidate 1 is chosen when it has fitted and its error is not greater than
// candidate 0's; ties go to candidate 1.
int32_t ChooseCandidate(const ClusterFitResult candidate[2], const bool fitted[2]);

// The search over orders: the principal-axis candidate, the farthest-pair
// candidate, and the bounded phase when the chosen fit leaves the box.
// `centred` are the block's `texelCount` centred texels.
SearchOutcome SearchEndpoints(const BlockColours& colours, const double (*centred)[3], int32_t texelCount,
                              int32_t colourCount);

// Steps of FitColourBlock before the refinement: sets `colours` to 4 when the
// block has an alpha block, tests for a uniform block, gathers the distinct
// colours (with each texel's colour in `texelColour`) and runs the search
// when it is needed.
ColourFitPlan PlanColourFit(ColourBlockFit& fit, BlockColours& colours, int32_t texelColour[16]);

}  // namespace quarn

#endif
