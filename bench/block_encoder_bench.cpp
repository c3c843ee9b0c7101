// Throughput and quality of the block encoder on level 0 of the 512x512
// corpus images, on one thread, beside the peer encoders.
//   quarn_block_bench [repeats] [corpus dir]
// Each encode runs `repeats` times (default 3) and the fastest run counts.
// Prints megapixels per second over the images together, by processor time of
// this (single-threaded) process, which other load on a shared machine
// disturbs far less than wall time, and by wall time; and the mean over the
// images of plain and weighted RGB PSNR (test decoder, all texels).
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "codec/encode/block_encoder.h"
#include "peer_encoders.h"
#include "support/corpus_images.h"
#include "support/dxt_test_decoder.h"
#include "support/image_quality.h"

namespace {

using quarn::RgbaImage;
using Clock = std::chrono::steady_clock;

struct Image {
  std::string name;
  std::unique_ptr<RgbaImage> working;
  std::vector<uint8_t> rgba;        // for the peers' DXT5
  std::vector<uint8_t> rgbaOpaque;  // for the peers' DXT1: alpha 255, as our DXT1 ignores alpha
};

struct Row {
  std::string encoder;
  const char* format;
  double seconds = 0.0;     // processor time
  double wallSeconds = 0.0;
  double pixels = 0.0;
  double plainSum = 0.0;
  double weightedSum = 0.0;
  int32_t images = 0;
};

struct Timing {
  double seconds = 0.0;      // processor time of the fastest run
  double wallSeconds = 0.0;  // wall time of the fastest run
};

template <typename Encode>
std::vector<uint8_t> Timed(int32_t repeats, Timing& best, Encode encode) {
  std::vector<uint8_t> out;
  for (int32_t r = 0; r < repeats; ++r) {
    const Clock::time_point start = Clock::now();
    const std::clock_t cpuStart = std::clock();
    out = encode();
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    if (r == 0 || cpu < best.seconds) best.seconds = cpu;
    if (r == 0 || wall < best.wallSeconds) best.wallSeconds = wall;
  }
  return out;
}

void Measure(Row& row, const Image& image, const std::vector<uint8_t>& blocks, bool dxt5, const Timing& timing) {
  const quarn::test::DxtKind kind = dxt5 ? quarn::test::DxtKind::DXT5 : quarn::test::DxtKind::DXT1;
  const int32_t w = image.working->width;
  const int32_t h = image.working->height;
  const std::vector<uint32_t> decoded = quarn::test::DecodeDxt(kind, blocks.data(), w, h);
  const quarn::test::RgbPsnr psnr =
      quarn::test::MeasureRgbPsnr(image.working->pixels(), decoded.data(), decoded.size(), false);
  std::printf("  %-34s %-5s %-22s %8.3f MPix/s  PSNR %7.3f  weighted %7.3f\n", row.encoder.c_str(), row.format,
              image.name.c_str(), static_cast<double>(w) * h / timing.seconds / 1e6, psnr.plain, psnr.weighted);
  row.seconds += timing.seconds;
  row.wallSeconds += timing.wallSeconds;
  row.pixels += static_cast<double>(w) * h;
  row.plainSum += psnr.plain;
  row.weightedSum += psnr.weighted;
  ++row.images;
}

}  // namespace

int main(int argc, char** argv) {
  const int32_t repeats = argc > 1 ? std::atoi(argv[1]) : 3;
  const std::string corpus = argc > 2 ? argv[2] : QUARN_CORPUS_DIR;
  std::vector<Image> images;
  for (const std::string& name : quarn::test::CorpusImageNames()) {
    std::unique_ptr<RgbaImage> working = quarn::test::LoadCorpusImage(corpus, name);
    if (!working) {
      std::fprintf(stderr, "missing corpus image %s in %s\n", name.c_str(), corpus.c_str());
      return 1;
    }
    if (working->width != 512 || working->height != 512) continue;
    Image image{name, std::move(working), {}, {}};
    const size_t count = static_cast<size_t>(image.working->width) * image.working->height;
    image.rgba.resize(4 * count);
    for (size_t i = 0; i < count; ++i) {
      const uint32_t p = image.working->pixels()[i];
      image.rgba[4 * i] = static_cast<uint8_t>(quarn::PixelRed(p));
      image.rgba[4 * i + 1] = static_cast<uint8_t>(quarn::PixelGreen(p));
      image.rgba[4 * i + 2] = static_cast<uint8_t>(quarn::PixelBlue(p));
      image.rgba[4 * i + 3] = static_cast<uint8_t>(quarn::PixelAlpha(p));
    }
    image.rgbaOpaque = image.rgba;
    for (size_t i = 0; i < count; ++i) image.rgbaOpaque[4 * i + 3] = 255;
    images.push_back(std::move(image));
  }

  std::vector<Row> rows;
  for (const bool dxt5 : {false, true}) {
    const char* format = dxt5 ? "DXT5" : "DXT1";
    Row own{"quarn", format};
    for (const Image& image : images) {
      Timing timing;
      const std::vector<uint8_t> blocks = Timed(repeats, timing, [&] {
        return dxt5 ? quarn::EncodeDXT5(*image.working) : quarn::EncodeDXT1(*image.working);
      });
      Measure(own, image, blocks, dxt5, timing);
    }
    rows.push_back(own);
    for (const quarn::bench::PeerEncoder& peer : quarn::bench::AvailablePeers()) {
      Row row{peer.name, format};
      for (const Image& image : images) {
        Timing timing;
        const std::vector<uint8_t> blocks = Timed(repeats, timing, [&] {
          return peer.encode(dxt5 ? image.rgba : image.rgbaOpaque, image.working->width, image.working->height, dxt5);
        });
        Measure(row, image, blocks, dxt5, timing);
      }
      rows.push_back(row);
    }
  }

  std::printf(
      "\n| encoder | format | MPix/s (processor time) | MPix/s (wall time) | RGB PSNR (dB) | weighted RGB PSNR (dB) |\n"
      "|---|---|---|---|---|---|\n");
  for (const Row& row : rows) {
    std::printf("| %s | %s | %.2f | %.2f | %.2f | %.2f |\n", row.encoder.c_str(), row.format,
                row.pixels / row.seconds / 1e6, row.pixels / row.wallSeconds / 1e6, row.plainSum / row.images,
                row.weightedSum / row.images);
  }
  return 0;
}
