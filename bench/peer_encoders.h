// The peer encoders of the benchmark, each behind one plain call: encode a
// whole level (sides a multiple of 4) of pixels 0xAARRGGBB into DXT1 or DXT5
// blocks in the published layout.
#ifndef QUARN_BENCH_PEER_ENCODERS_H
#define QUARN_BENCH_PEER_ENCODERS_H

#include <cstdint>
#include <string>
#include <vector>

namespace quarn::bench {

struct PeerEncoder {
  std::string name;
  // `rgba` holds the level as bytes red, green, blue, alpha, row-major.
  std::vector<uint8_t> (*encode)(const std::vector<uint8_t>& rgba, int32_t width, int32_t height, bool dxt5);
};

// The peers this build was linked with.
std::vector<PeerEncoder> AvailablePeers();

}  // namespace quarn::bench

#endif
