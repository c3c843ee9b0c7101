// libFuzzer target: Read_DDS over a file holding the input, as a host calls
// it. Every successful read must hand over a picture of exactly
// width x height x 3 readable bytes and a NUL-terminated caption.
//
// Headers whose layout is accepted but needs more than kMaxFuzzBytes are
// only planned, not read: decoding hundreds of megabytes of zeros under the
// sanitizers takes seconds and would starve the search, and their sizes go
// through the same 64-bit arithmetic as small ones (the refusals above the
// ceiling are still fuzzed, by PlanDdsLayout).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "codec/decode/dds_layout.h"
#include "quarn/quarn.h"

namespace {

constexpr uint64_t kMaxFuzzBytes = uint64_t{16} << 20;

// True when the input would be read (not refused) and needs more than
// kMaxFuzzBytes.
bool TooSlowToRead(const uint8_t* data, size_t size) {
  uint8_t header[quarn::kDdsHeaderSize] = {};
  if (size > 4) std::memcpy(header, data + 4, size - 4 < sizeof header ? size - 4 : sizeof header);
  const quarn::SurfaceDesc desc = quarn::ParseDdsHeader(header);
  quarn::DdsLayout layout;
  if (quarn::PlanDdsLayout(desc, layout) != quarn::DdsLayoutResult::Ok) return false;
  return layout.pictureBytes + uint64_t{desc.width} * desc.height * 8 > kMaxFuzzBytes;
}

std::string TempPath() {
  const char* dir = std::getenv("TMPDIR");
  std::string path = std::string(dir && *dir ? dir : "/tmp") + "/quarn_fuzz_read_dds_" + std::to_string(getpid());
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (TooSlowToRead(data, size)) return 0;
  static const std::string path = TempPath();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) std::abort();
  if (size != 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);

  ReadDdsResult record;
  std::memset(&record, 0x5A, sizeof record);
  record.rgbPixels = nullptr;
  const ReadDdsResult before = record;
  const int32_t result = Read_DDS(path.c_str(), &record);
  if (result == 0) {
    // Failure leaves the record as it was.
    if (std::memcmp(&record, &before, sizeof record) != 0 && record.rgbPixels != nullptr) std::abort();
    return 0;
  }
  if (result != 1 || record.width < 1 || record.height < 1 || record.bitsPerPixel != 24 || record.reserved1 != 0)
    std::abort();
  if (std::memchr(record.caption, 0, sizeof record.caption) == nullptr) std::abort();
  // Touch every byte so that AddressSanitizer checks the buffer's size.
  const size_t bytes = size_t(record.width) * size_t(record.height) * 3;
  volatile uint32_t sum = 0;
  for (size_t i = 0; i < bytes; ++i) sum = sum + record.rgbPixels[i];
  std::free(record.rgbPixels);
  return 0;
}
