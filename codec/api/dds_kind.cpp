#include "codec/api/dds_kind.h"

#include "codec/engine/dds_header.h"
#include "codec/engine/little_endian.h"

namespace quarn {

DdsKind SniffDdsKind(const uint8_t sniffHeader[128]) {
  const uint8_t* header = sniffHeader + 4;  // past the magic
  const uint32_t fourCC = LoadLE32(header + DdsFourCC);
  if (fourCC == FourCC('D', 'X', 'T', '1')) {
    return LoadLE32(header + DdsPfFlags) == (kDdsPfFourCC | kDdsPfAlpha) ? DdsKindDxt1Alpha : DdsKindDxt1Opaque;
  }
  if (fourCC == FourCC('D', 'X', 'T', '3')) return DdsKindDxt3;
  if (fourCC == FourCC('D', 'X', 'T', '5')) return DdsKindDxt5;
  switch (LoadLE32(header + DdsGreenMask)) {
    case 0x00F0:
      return DdsKind4444;
    case 0x07E0:
      return DdsKind565;
    case 0x03E0:
      return DdsKind1555;
    default:
      return DdsKindUnknown;
  }
}

const char* DdsKindName(DdsKind kind) {
  switch (kind) {
    case DdsKindDxt1Opaque:
      return "DDS DXT1 Opaque";
    case DdsKindDxt1Alpha:
      return "DDS DXT1 Opaque+Alpha";
    case DdsKind4444:
      return "DDS 444-4 16 bit";
    case DdsKind565:
      return "DDS 565 16 bit";
    case DdsKind1555:
      return "DDS 555-1 16 bit";
    case DdsKindDxt3:
      return "DDS DXT3";
    case DdsKindDxt5:
      return "DDS DXT5";
    default:
      return "DDS ???";
  }
}

}  // namespace quarn
