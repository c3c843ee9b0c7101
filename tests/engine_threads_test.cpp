// Everything below the exports is re-entrant: several threads encoding at
// once through the internal API give the same bytes as one after another.
#include <gtest/gtest.h>

#include <cstdint>
#include <thread>
#include <vector>

#include "codec/engine/compress_image.h"
#include "codec/engine/texture_format.h"
#include "support/corpus_images.h"

namespace quarn {
namespace {

std::vector<uint8_t> EncodeAllLevels(const RgbaImage& image, int32_t format) {
  std::vector<uint8_t> out;
  const EncodeSettings settings = SettingsForFormat(format, false);
  CompressImage(
      reinterpret_cast<const uint8_t*>(image.pixels()), image.width, image.height, image.width * 4, settings, 4,
      [&](const uint8_t* bytes, int32_t, int32_t count) { out.insert(out.end(), bytes, bytes + count); }, nullptr);
  return out;
}

TEST(EngineThreads, ConcurrentEncodesMatchSerialOnes) {
  const std::unique_ptr<RgbaImage> coffee = test::LoadCorpusImage(QUARN_CORPUS_DIR, "coffee_256");
  const std::unique_ptr<RgbaImage> chelsea = test::LoadCorpusImage(QUARN_CORPUS_DIR, "chelsea_vignette_256");
  if (!coffee || !chelsea) GTEST_SKIP() << "corpus not found at " << QUARN_CORPUS_DIR;

  struct Job {
    const RgbaImage* image;
    int32_t format;
    std::vector<uint8_t> serial, concurrent;
  };
  std::vector<Job> jobs = {{coffee.get(), FormatDXT1, {}, {}},  {chelsea.get(), FormatDXT5, {}, {}},
                           {coffee.get(), FormatDXT3, {}, {}},  {chelsea.get(), FormatDXT1a, {}, {}},
                           {chelsea.get(), FormatDXT1, {}, {}}, {coffee.get(), FormatDXT5, {}, {}}};
  for (Job& job : jobs) job.serial = EncodeAllLevels(*job.image, job.format);

  std::vector<std::thread> threads;
  for (Job& job : jobs) threads.emplace_back([&job] { job.concurrent = EncodeAllLevels(*job.image, job.format); });
  for (std::thread& thread : threads) thread.join();

  for (const Job& job : jobs) {
    ASSERT_FALSE(job.serial.empty());
    EXPECT_EQ(job.concurrent, job.serial) << "format " << job.format;
  }
}

}  // namespace
}  // namespace quarn
