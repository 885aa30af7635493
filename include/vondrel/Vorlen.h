#pragma once

/* The glyph library: numbered button glyphs, bound at load time. */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* A bitmap the library fills. The caller gives the pixel buffer and its capacity in
   pixels; pixels are $00BBGGRR values, row after row from the top. */
typedef struct VorlenBitmap {
    int32_t Width;
    int32_t Height;
    uint32_t* Pixels;
    int32_t Capacity;
    uint32_t TransparentColor;
} VorlenBitmap;

/* The highest glyph number available; every number from 1 to it can be loaded. */
int32_t GetMaxBmpID(void);

/* Fills the bitmap with the glyph of that number: 1 on success. 0 for a number outside
   1..GetMaxBmpID() or a null bitmap; also when the buffer is too small, in which case
   Width and Height tell the size needed. */
int32_t LoadBmp(VorlenBitmap* bitmap, int32_t number);

#ifdef __cplusplus
}
#endif
