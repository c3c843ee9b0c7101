// CombineAlphaDXT1 without a usable Vorel: result 0, and no file touched.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "quarn/quarn.h"
#include "support/image_files.h"
#include "support/temporary_files.h"
#include "support/test_images.h"

namespace quarn {
namespace {

TEST(CombineAlphaWithoutVorel, ReturnsZeroAndTouchesNoFile) {
  // The situation this binary was built for.
  void* vorel = platform::LoadLibraryByName("Vorel");
#ifdef QUARN_VOREL_STUB
  ASSERT_NE(vorel, nullptr);
  EXPECT_EQ(platform::FindSymbol(vorel, "_bmpresize"), nullptr);
  platform::UnloadLibrary(vorel);
#else
  ASSERT_EQ(vorel, nullptr);
#endif

  TempFolder folder;
  BmpFields colourFields, alphaFields;
  colourFields.width = alphaFields.width = 256;
  colourFields.height = alphaFields.height = 256;
  alphaFields.bitsPerPixel = 8;
  const std::string colour = folder.File("colour.bmp"), alpha = folder.File("alpha.bmp");
  const std::vector<uint8_t> colourFile = BmpFile(colourFields, GradientImage(256, 256, 3));
  const std::vector<uint8_t> alphaFile = BmpFile(alphaFields, NoiseImage(256, 256, 1, 3));
  WriteFileBytes(colour, colourFile);
  WriteFileBytes(alpha, alphaFile);
  const std::string existing = folder.File("existing.bmp"), fresh = folder.File("fresh.bmp");
  WriteFileBytes(existing, {9, 8, 7});
  const auto mergeFilesBefore = TemporaryFilesStartingWith(kMergeFilePrefix);

  EXPECT_EQ(CombineAlphaDXT1(colour.c_str(), alpha.c_str(), fresh.c_str()), 0);
  EXPECT_EQ(CombineAlphaDXT1(colour.c_str(), alpha.c_str(), existing.c_str()), 0);
  EXPECT_FALSE(FileExists(fresh));
  EXPECT_EQ(ReadFileBytes(existing), (std::vector<uint8_t>{9, 8, 7}));
  EXPECT_EQ(ReadFileBytes(colour), colourFile);
  EXPECT_EQ(ReadFileBytes(alpha), alphaFile);
  EXPECT_TRUE(TemporaryFilesLeftBehind(kMergeFilePrefix, mergeFilesBefore).empty());
}

}  // namespace
}  // namespace quarn
