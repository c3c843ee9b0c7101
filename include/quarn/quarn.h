/*
 * Quarn texture codec: the library's C interface.
 *
 * A host loads the Quarn shared library (Quarn.dll on Windows, libquarn.so
 * elsewhere) and calls these functions to turn 24- or 32-bit images into GPU
 * textures with their whole mip chain, and to read DDS files back.
 *
 * Images are passed as a pointer to the first byte of the first row; rows
 * follow each other without padding, width x planes bytes each; a pixel is
 * blue, green, red (planes 3) or blue, green, red, alpha (planes 4). Rows are
 * used in the order the caller stores them.
 *
 * Format codes: 10 DXT1, 11 DXT1 with one-bit alpha, 12 DXT3, 13 DXT5,
 * 14 4444, 15 1555, 16 565, 17 8888, 18 888, 19 555. The DXT formats need
 * sides that are powers of two (1 included); sides are at most 32767.
 *
 * The library keeps process-wide state: calls must not overlap, neither from
 * two threads nor from inside a write callback.
 */
#ifndef QUARN_QUARN_H
#define QUARN_QUARN_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define QUARN_CALL __stdcall
#else
#define QUARN_CALL
#endif

#if defined(QUARN_BUILDING_LIBRARY) && !defined(_WIN32)
#define QUARN_API __attribute__((visibility("default")))
#else
#define QUARN_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Receives one encoded level: its bytes (valid only during the call), its
 * level number (0 for the image itself) and its byte count. The result is
 * ignored. */
typedef int32_t(QUARN_CALL* QuarnWriteCallback)(const uint8_t* bytes, int32_t level, int32_t byteCount);

/* Encodes the image and its whole mip chain. With a callback, each level goes
 * to the callback and the file at outputPath is created empty; without one,
 * a DDS file is written to outputPath. Always returns 0; when outputPath
 * cannot be created nothing is encoded and the callback is never called.
 * `spare` has no effect. */
QUARN_API int32_t QUARN_CALL DXTcompress(const uint8_t* image, int32_t width, int32_t height, int32_t format,
                                         uint8_t spare, uint8_t dither, int32_t planes,
                                         QuarnWriteCallback callback, const char* outputPath);

/* Writes an FS70 BMP texture: a header announcing the format (for formats
 * 10, 11, 12, 14, 15, 16 and 17; the others get none), then every level from
 * the image down to 1 x 1. `mipmap` only decides what the header declares.
 * Returns the number of the last level written, 0 when the output cannot be
 * created. The number is kept between calls: when the image is refused
 * (see the size rules above) the file holds only the header and the result
 * is the previous call's. */
QUARN_API int32_t QUARN_CALL DXTcompressBMP(const uint8_t* image, int32_t width, int32_t height, int32_t format,
                                            uint8_t mipmap, uint8_t dither, int32_t planes, const char* outputPath);

/* Writes one FS70 BMP texture file per level, named "<pathPrefix><level>.bmp",
 * each header declaring its own level's sides. Returns the number of the
 * last level written (kept between calls, like DXTcompressBMP's); 0, with
 * nothing written, for a prefix of 256 characters or more. */
QUARN_API int32_t QUARN_CALL DXTcreateMIPS(const uint8_t* image, int32_t width, int32_t height, int32_t format,
                                           uint8_t dither, int32_t planes, const char* pathPrefix);

/* The picture that Read_DDS hands over. */
typedef struct ReadDdsResult {
  int32_t width;        /* in pixels; cube maps and volume textures: all faces side by side */
  int32_t height;       /* in pixels */
  int32_t bitsPerPixel; /* 24 */
  int32_t reserved1;    /* set to 0 */
  int32_t reserved2;    /* left as the host set it */
  char caption[860];    /* "<kind> : <width> x <height>", e.g. "DDS DXT5 : 256 x 256" */
  uint8_t* rgbPixels;   /* width x height pixels of red, green, blue bytes, top row first,
                           no row padding; allocated with malloc and owned by the host */
} ReadDdsResult;

/* Reads the top level of a DDS file (DXT1 to DXT5, or the r8g8b8, a8r8g8b8,
 * r5g6b5, x1r5g5b5, a1r5g5b5 and a4r4g4b4 pixel formats) into *result.
 * Returns 1 on success. Returns 0 and leaves the record as it was when the
 * file cannot be opened, is not a readable DDS file, or has a side above
 * 32767 or needs more than 1 GiB to read; when only the RGB buffer cannot be
 * allocated the result is 0 with the other fields filled and rgbPixels null.
 * A file that ends early reads as zeros. */
QUARN_API int32_t QUARN_CALL Read_DDS(const char* path, ReadDdsResult* result);

/* Writes an ACE texture: a 128-byte header, a level table (for widths 64,
 * 128, 256 and 512), each level with a length word down to the first 8-byte
 * level (4 x 4 in DXT1), then 5 (or, for format 11, 6) copies of the first
 * pixel's blue, green and red bytes in place of the two smallest levels.
 * Meant for format 10 or 11. Returns the number of the last level the file
 * took, 0 when the image is null or the output cannot be created. `spare`
 * has no effect. */
QUARN_API int32_t QUARN_CALL DXTcompressACE(const uint8_t* image, int32_t width, int32_t height, int32_t format,
                                            uint8_t spare, uint8_t dither, int32_t planes, const char* outputPath);

/* Converts an uncompressed 24- or 32-bit TGA (pixels after the image-ID
 * field, rows as stored) into an FS70 BMP texture like DXTcompressBMP.
 * Returns DXTcompressBMP's result, or 0 without writing anything when the
 * file cannot be read, is colour-mapped or run-length encoded, has another
 * depth, or a side outside 1 to 9999. */
QUARN_API int32_t QUARN_CALL TGAcompressBMP(const char* tgaPath, int32_t format, uint8_t mipmap, uint8_t dither,
                                            const char* outputPath);

/* Converts a 24-bit colour BMP and an 8-bit alpha BMP of the same size (rows
 * bottom-up as stored, each from its file's pixel-data offset) into a 4-plane
 * image and that into an FS70 BMP texture like DXTcompressBMP. Returns
 * DXTcompressBMP's result, or 0 without writing anything when a file cannot
 * be opened or does not start with "BM", the colour file is not 24-bit, or a
 * side is outside 1 to 9999 (top-down files included). */
QUARN_API int32_t QUARN_CALL BMPScompressBMP(const char* colourPath, const char* alphaPath, int32_t format,
                                             uint8_t mipmap, uint8_t dither, const char* outputPath);

/* Merges a 256 x 256 24-bit colour BMP and an 8-bit alpha BMP into a DXT1
 * FS70 texture with one-bit alpha (alpha below 128 is transparent) and six
 * further levels down to 4 x 4, 43762 bytes. The smaller levels are
 * resampled from the sources by the library Vorel (function _bmpresize),
 * loaded by name. Returns 1 when the texture was written; 0, with the output
 * untouched, when Vorel or its function is missing or any level or the final
 * copy could not be produced. */
QUARN_API int32_t QUARN_CALL CombineAlphaDXT1(const char* colourPath, const char* alphaPath,
                                              const char* outputPath);

#ifdef __cplusplus
}
#endif

#endif
