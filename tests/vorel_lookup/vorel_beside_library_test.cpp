// A host that loads the quarn shared library by its path: CombineAlphaDXT1
// finds Vorel beside the library, although the host itself has no run path
// to that folder.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quarn/quarn.h"
#include "support/image_files.h"
#include "support/test_images.h"

namespace quarn {
namespace {

#if defined(__SANITIZE_ADDRESS__)
#define QUARN_DLOPEN_INTERCEPTED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUARN_DLOPEN_INTERCEPTED 1
#endif
#endif

TEST(VorelBesideLibrary, TheLibraryFindsItThroughItsOwnRunPath) {
#ifdef QUARN_DLOPEN_INTERCEPTED
  // The sanitizer's dlopen runs from its runtime, so the run path of the
  // library that asks is not searched: a limit of the instrumented build.
  GTEST_SKIP() << "run paths of the calling library are hidden by the sanitizer's dlopen";
#endif
  ASSERT_EQ(dlopen("libVorel.so", RTLD_NOW), nullptr) << "the host itself must not find Vorel";
  void* library = dlopen(QUARN_LIBRARY_FILE, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  using Combine = int32_t(QUARN_CALL*)(const char*, const char*, const char*);
  const auto combine = reinterpret_cast<Combine>(dlsym(library, "CombineAlphaDXT1"));
  ASSERT_NE(combine, nullptr);

  TempFolder folder;
  BmpFields colourFields, alphaFields;
  colourFields.width = alphaFields.width = 256;
  colourFields.height = alphaFields.height = 256;
  alphaFields.bitsPerPixel = 8;
  const std::string colour = folder.File("colour.bmp"), alpha = folder.File("alpha.bmp"), out = folder.File("out.bmp");
  WriteFileBytes(colour, BmpFile(colourFields, GradientImage(256, 256, 3)));
  WriteFileBytes(alpha, BmpFile(alphaFields, NoiseImage(256, 256, 1, 3)));
  EXPECT_EQ(combine(colour.c_str(), alpha.c_str(), out.c_str()), 1);
  EXPECT_EQ(ReadFileBytes(out).size(), 43762u);
  dlclose(library);
}

}  // namespace
}  // namespace quarn
