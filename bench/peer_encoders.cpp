#include "peer_encoders.h"

#if QUARN_BENCH_SQUISH
#include <squish.h>
#endif
#if QUARN_BENCH_STB
#include <stb_dxt.h>
#endif

namespace quarn::bench {

namespace {

// Gathers the 4x4 block at (bx, by) of an RGBA level into 64 bytes.
void GatherBlock(const std::vector<uint8_t>& rgba, int32_t width, int32_t bx, int32_t by, uint8_t block[64]) {
  for (int32_t y = 0; y < 4; ++y) {
    for (int32_t i = 0; i < 16; ++i) block[16 * y + i] = rgba[4 * static_cast<size_t>((by + y) * width + bx) + i];
  }
}

// Encodes every 4x4 block of the level with `encodeBlock(block, dest)`,
// block by block on this thread (a peer's whole-image call may run on
// several threads, and the benchmark compares one thread with one thread).
template <typename EncodeBlock>
std::vector<uint8_t> EncodeBlockByBlock(const std::vector<uint8_t>& rgba, int32_t width, int32_t height, bool dxt5,
                                        EncodeBlock encodeBlock) {
  const size_t blockBytes = dxt5 ? 16 : 8;
  std::vector<uint8_t> out(blockBytes * static_cast<size_t>(width / 4) * static_cast<size_t>(height / 4));
  uint8_t* dest = out.data();
  uint8_t block[64];
  for (int32_t by = 0; by < height; by += 4) {
    for (int32_t bx = 0; bx < width; bx += 4) {
      GatherBlock(rgba, width, bx, by, block);
      encodeBlock(block, dest);
      dest += blockBytes;
    }
  }
  return out;
}

#if QUARN_BENCH_SQUISH
std::vector<uint8_t> EncodeSquish(const std::vector<uint8_t>& rgba, int32_t width, int32_t height, bool dxt5,
                                  int fitFlag) {
  const int flags = (dxt5 ? squish::kDxt5 : squish::kDxt1) | fitFlag;
  return EncodeBlockByBlock(rgba, width, height, dxt5,
                            [flags](uint8_t* block, uint8_t* dest) { squish::Compress(block, dest, flags); });
}
std::vector<uint8_t> SquishClusterFit(const std::vector<uint8_t>& rgba, int32_t width, int32_t height, bool dxt5) {
  return EncodeSquish(rgba, width, height, dxt5, squish::kColourClusterFit);
}
std::vector<uint8_t> SquishIterativeClusterFit(const std::vector<uint8_t>& rgba, int32_t width, int32_t height,
                                               bool dxt5) {
  return EncodeSquish(rgba, width, height, dxt5, squish::kColourIterativeClusterFit);
}
#endif

#if QUARN_BENCH_STB
std::vector<uint8_t> StbHighQuality(const std::vector<uint8_t>& rgba, int32_t width, int32_t height, bool dxt5) {
  return EncodeBlockByBlock(rgba, width, height, dxt5, [dxt5](uint8_t* block, uint8_t* dest) {
    stb_compress_dxt_block(dest, block, dxt5 ? 1 : 0, STB_DXT_HIGHQUAL);
  });
}
#endif

}  // namespace

std::vector<PeerEncoder> AvailablePeers() {
  std::vector<PeerEncoder> peers;
#if QUARN_BENCH_SQUISH
  peers.push_back({"libsquish cluster fit", SquishClusterFit});
  peers.push_back({"libsquish iterative cluster fit", SquishIterativeClusterFit});
#endif
#if QUARN_BENCH_STB
  peers.push_back({"stb_dxt high quality", StbHighQuality});
#endif
  return peers;
}

}  // namespace quarn::bench
