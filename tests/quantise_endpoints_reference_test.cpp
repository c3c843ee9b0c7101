// The tabulated, lane-wise quantiser must give the same bits as the plain
// evaluation: every cost recomputed where it is used, one choice at a time.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "codec/encode/endpoint_refinement.h"

namespace quarn {
namespace {

constexpr int32_t kBits[3] = {5, 6, 5};

int32_t Expand(int32_t q, int32_t bits) { return q + (q >> bits); }

void Candidates(double x, int32_t bits, int32_t out[2]) {
  const int32_t s = 1 << (8 - bits);
  int32_t q = static_cast<int32_t>(std::floor(x));  // inputs here stay far inside int range
  if (q < 0) {
    q = 0;
  } else if (q > 255) {
    q = 256 - s;
  }
  q &= 256 - s;
  if (Expand(q, bits) > x && q >= s) q -= s;
  out[0] = Expand(q, bits);
  out[1] = q + s < 256 ? Expand(q + s, bits) : Expand(q, bits);
}

// Entry k of a channel's palette on the weighted scale.
double Entry(int32_t colourCount, int32_t x0, int32_t x1, int32_t k, double w) {
  int32_t p = k == 0 ? x0 : x1;
  if (k == 2) p = colourCount == 4 ? (2 * x0 + x1 + 1) / 3 : (x0 + x1) / 2;
  if (k == 3) p = (x0 + 2 * x1 + 1) / 3;
  return p * w / 255;
}

QuantisedEndpoints PlainQuantise(int32_t colourCount, const DistinctColours& c, const double w[3], const double a[3],
                                 const double b[3]) {
  int32_t cand[3][2][2];
  for (int32_t ch = 0; ch < 3; ++ch) {
    Candidates(w[ch] == 0 ? 0.0 : a[ch] / w[ch] * 255, kBits[ch], cand[ch][0]);
    Candidates(w[ch] == 0 ? 0.0 : b[ch] / w[ch] * 255, kBits[ch], cand[ch][1]);
  }
  auto ends = [&](int32_t ch, int32_t j, int32_t& x0, int32_t& x1) {
    x0 = cand[ch][0][j >> 1];
    x1 = cand[ch][1][j & 1];
  };
  const double sw = w[0] * w[0] + w[1] * w[1] + w[2] * w[2];
  double best = 32 * sw;
  int32_t chosen = 0;
  for (int32_t m = 0; m < 64; ++m) {
    const int32_t comb[3] = {m % 4, (m / 4) % 4, m / 16};
    double total = 0.0;
    for (int32_t i = 0; i < c.count; ++i) {
      double e[4] = {};
      for (int32_t k = 0; k < colourCount; ++k) {
        double sum = 0.0;
        for (int32_t ch = 0; ch < 3; ++ch) {
          int32_t x0, x1;
          ends(ch, comb[ch], x0, x1);
          const double p = Entry(colourCount, x0, x1, k, w[ch]);
          sum += (c.colour[i][ch] - p) * c.fraction[i] * (c.colour[i][ch] - p);
        }
        e[k] = sum;
      }
      const double t = (e[0] + e[1]) - std::fabs(e[0] - e[1]);
      if (colourCount == 3) {
        total += (t + 2 * e[2]) - std::fabs(2 * e[2] - t);
      } else {
        const double u = (e[2] + e[3]) - std::fabs(e[2] - e[3]);
        total += (t + u) - std::fabs(t - u);
      }
    }
    if (total < best) {
      best = total;
      chosen = m;
    }
  }
  QuantisedEndpoints r;
  r.mode = colourCount;
  const int32_t comb[3] = {chosen % 4, (chosen / 4) % 4, chosen / 16};
  for (int32_t ch = 0; ch < 3; ++ch) {
    int32_t x0, x1;
    ends(ch, comb[ch], x0, x1);
    r.end[0][ch] = x0 >> (8 - kBits[ch]);
    r.end[1][ch] = x1 >> (8 - kBits[ch]);
  }
  for (int32_t i = 0; i < c.count; ++i) {
    double smallest = 2 * sw;
    for (int32_t k = 0; k < colourCount; ++k) {
      double d2 = 0.0;
      for (int32_t ch = 0; ch < 3; ++ch) {
        int32_t x0, x1;
        ends(ch, comb[ch], x0, x1);
        const double d = c.colour[i][ch] - Entry(colourCount, x0, x1, k, w[ch]);
        d2 += d * d;
      }
      if (c.fraction[i] * d2 < smallest) {
        smallest = c.fraction[i] * d2;
        r.index[i] = k;
      }
    }
    r.error += smallest;
  }
  return r;
}

TEST(QuantiseEndpoints, SameBitsAsThePlainEvaluation) {
  const double w[3] = {0.309f, 0.609f, 0.082f};
  std::mt19937 rng(20261211);
  std::uniform_int_distribution<int32_t> byte(0, 255);
  std::uniform_int_distribution<int32_t> colourCount(1, 16);
  std::uniform_real_distribution<double> spread(-0.6, 1.6);  // end points also outside the cube
  for (int32_t n = 0; n < 3000; ++n) {
    DistinctColours c;
    c.count = colourCount(rng);
    // Texel bytes as the fitter sees them: repeats make unequal fractions.
    int32_t texels = 0;
    for (int32_t i = 0; i < c.count; ++i) {
      const int32_t repeats = 1 + (n % 3 == 0 ? byte(rng) % 3 : 0);
      for (int32_t ch = 0; ch < 3; ++ch) c.colour[i][ch] = byte(rng) / 255.0 * w[ch];
      c.fraction[i] = repeats;
      texels += repeats;
    }
    for (int32_t i = 0; i < c.count; ++i) c.fraction[i] = c.fraction[i] * (1.0 / texels);
    double a[3], b[3];
    for (int32_t ch = 0; ch < 3; ++ch) {
      a[ch] = spread(rng) * w[ch];
      b[ch] = spread(rng) * w[ch];
    }
    for (int32_t k : {3, 4}) {
      const QuantisedEndpoints want = PlainQuantise(k, c, w, a, b);
      const QuantisedEndpoints got = QuantiseEndpoints(k, c, w, a, b);
      ASSERT_EQ(got.mode, want.mode);
      for (int32_t e = 0; e < 2; ++e) {
        for (int32_t ch = 0; ch < 3; ++ch) ASSERT_EQ(got.end[e][ch], want.end[e][ch]) << "case " << n;
      }
      for (int32_t i = 0; i < c.count; ++i) ASSERT_EQ(got.index[i], want.index[i]) << "case " << n << " colour " << i;
      ASSERT_EQ(got.error, want.error) << "case " << n;
    }
  }
}

}  // namespace
}  // namespace quarn
