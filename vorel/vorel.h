/*
 * Vorel: the resampling library that Quarn's CombineAlphaDXT1 loads at run
 * time (Vorel.dll on Windows, libVorel.so elsewhere). Its one function scales
 * a BMP file to a new size.
 */
#ifndef VOREL_VOREL_H
#define VOREL_VOREL_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define VOREL_CALL __stdcall
#else
#define VOREL_CALL
#endif

#if defined(VOREL_BUILDING_LIBRARY) && !defined(_WIN32)
#define VOREL_API __attribute__((visibility("default")))
#else
#define VOREL_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Reads the BMP at `source` (24-bit, or 8-bit with a palette; uncompressed;
 * bottom-up or top-down) and writes it to `destination` resampled to
 * newWidth x newHeight with an area-averaging filter: every destination pixel
 * is the mean of the source area it covers, rounded to nearest. A 24-bit
 * source gives a 24-bit BMP with its pixels at byte 54; an 8-bit source gives
 * an 8-bit BMP with a 256-entry grey palette and its pixels at byte 1078,
 * palette entries turned into grey levels first. Rows are written bottom-up,
 * each padded to a multiple of 4 bytes. `work` is not used (any value,
 * null included). Returns 1 when the destination was written; 0, leaving the
 * destination untouched, when the source cannot be read or is of another
 * kind, or a new side is below 1 or above 65535. */
VOREL_API int32_t VOREL_CALL _bmpresize(const char* source, const char* destination, void* work, int32_t newWidth,
                                        int32_t newHeight);

#ifdef __cplusplus
}
#endif

#endif
