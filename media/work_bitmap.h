#pragma once
// Each screen holds one WorkBitmap. Its two operations in use read nothing of the object: the
// window blit that shows a composed canvas, and the brightness change of the fades (the ending
// darkens by 30 a step, the field screen by 20).
#include <cstdint>

#include "media/bitmap.h"
#include "platform/win.h"

class WorkBitmap : public Bitmap {
 public:
  WorkBitmap() = default;

  // Shows the source rectangle of a bottom-up 24-bit image (source y counted from its bottom
  // edge) at the destination rectangle of the device context, copying its pixels. Returns what
  // StretchDIBits returns (the rows drawn); 0, drawing nothing, without a header or pixels.
  static int StretchToDC(HDC dc, int src_x, int src_y, int src_w, int src_h, int dst_x, int dst_y, int dst_w, int dst_h,
                         const BITMAPINFOHEADER* header, const void* pixels);

  // Adds the signed offset to every colour byte of the image (width x 3 bytes of each of its
  // rows), clamped to 0..255. False, touching nothing, without a header or pixels.
  static bool AdjustBrightness(const BITMAPINFOHEADER* header, void* pixels, int offset);
};
