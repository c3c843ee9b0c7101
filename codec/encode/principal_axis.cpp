// The dominant direction of a block's centred colours. Raising the scatter
// matrix to a high power leaves only its largest eigenvalue's direction; the
// trace is rescaled between rounds so the powers stay within range.
#include <cmath>

#include "codec/encode/colour_search.h"

namespace quarn {
namespace {

struct Symmetric3 {
  double m[3][3] = {};
};

// Product of a symmetric matrix with itself. Only the upper triangle is
// computed; the lower one mirrors it exactly, since each product term of
// (i, j) equals the matching term of (j, i).
Symmetric3 Square(const Symmetric3& a) {
  Symmetric3 r;
  for (int i = 0; i < 3; ++i) {
    for (int j = i; j < 3; ++j) {
      r.m[i][j] = a.m[i][0] * a.m[0][j] + a.m[i][1] * a.m[1][j] + a.m[i][2] * a.m[2][j];
      r.m[j][i] = r.m[i][j];
    }
  }
  return r;
}

}  // namespace

void PrincipalAxis(const double (*centred)[3], int32_t count, double axis[3]) {
  Symmetric3 m;
  for (int i = 0; i < 3; ++i) {
    for (int j = i; j < 3; ++j) {
      double sum = 0.0;
      for (int32_t t = 0; t < count; ++t) sum = sum + centred[t][i] * centred[t][j];
      m.m[i][j] = sum;
      m.m[j][i] = sum;
    }
  }

  Symmetric3 root;  // the last T, whose square is the final M
  for (int round = 0; round < 3; ++round) {
    const double scale = 3.5 / (m.m[0][0] + m.m[1][1] + m.m[2][2]);
    for (auto& row : m.m) {
      for (double& value : row) value = value * scale;
    }
    for (int step = 0; step < 4; ++step) {
      root = Square(m);
      m = Square(root);
    }
  }

  // Largest diagonal entry, later positions winning ties.
  int d;
  if (m.m[0][0] > m.m[1][1]) {
    d = m.m[2][2] < m.m[0][0] ? 0 : 2;
  } else {
    d = m.m[2][2] < m.m[1][1] ? 1 : 2;
  }
  // M = T T with T symmetric, so M_dd is the squared length of T's column d.
  const double length = std::sqrt(m.m[d][d]);
  for (int i = 0; i < 3; ++i) axis[i] = root.m[i][d] / length;
}

void FarthestPairAxis(const DistinctColours& colours, double axis[3]) {
  double best = 0.0;
  int32_t first = 0;
  int32_t second = 0;
  for (int32_t i = 0; i < colours.count; ++i) {
    for (int32_t j = i; j < colours.count; ++j) {
      const double d0 = colours.colour[i][0] - colours.colour[j][0];
      const double d1 = colours.colour[i][1] - colours.colour[j][1];
      const double d2 = colours.colour[i][2] - colours.colour[j][2];
      const double squared = d0 * d0 + d1 * d1 + d2 * d2;
      if (squared > best) {
        best = squared;
        first = i;
        second = j;
      }
    }
  }
  const double length = std::sqrt(best);
  for (int ch = 0; ch < 3; ++ch) axis[ch] = (colours.colour[first][ch] - colours.colour[second][ch]) / length;
}

}  // namespace quarn
