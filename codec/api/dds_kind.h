// Names the kind of texture a DDS file holds, from its first 128 bytes, for
// the caption of Read_DDS. Only names: which files can be read is the
// reader's decision.
#ifndef QUARN_CODEC_API_DDS_KIND_H
#define QUARN_CODEC_API_DDS_KIND_H

#include <cstdint>

namespace quarn {

enum DdsKind : int32_t {
  DdsKindUnknown = 0,
  DdsKindDxt1Opaque = 1,
  DdsKindDxt1Alpha = 2,
  DdsKind4444 = 3,
  DdsKind565 = 4,
  DdsKind1555 = 5,
  DdsKindDxt3 = 6,
  DdsKindDxt5 = 7,
};

// The kind from the file's first 128 bytes (magic included).
DdsKind SniffDdsKind(const uint8_t sniffHeader[128]);

// "DDS DXT5", "DDS 565 16 bit", ... ; "DDS ???" for anything else.
const char* DdsKindName(DdsKind kind);

}  // namespace quarn

#endif
