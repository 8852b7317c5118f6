#pragma once
// The 24-bit picture a paint routine composes before showing it in the window: a bottom-up DIB
// in the layout of a Bitmap. Point (x, y) is x pixels from the left edge and y rows from the
// BOTTOM edge. A canvas takes its size and header from the first picture copied into it, or
// stands for a part of a larger picture (CopyPartFrom), and then its blits take points of the
// whole picture.
//
// Sprite sheets are cut into cols x rows cells, col 0 at the left and row 0 at the bottom. A
// cell spans (sheet width x 3) / cols bytes of each row and sheet height / rows rows. Pixels
// equal to the colour key (the screens pass 0xFF00FF, magenta) are not drawn. Colours are
// 0x00BBGGRR.
//
// Every drawing operation returns false and draws nothing when given no picture (the null a
// bank yields for a name without one), a picture of width or height 0, or when the canvas has
// no memory yet. Everything is clipped to the canvas and never reads outside the picture's
// pixel block, so a cell that overhangs an edge is drawn in part.
#include <cstdint>
#include <vector>

#include "media/bitmap.h"
#include "platform/win.h"

// A rectangle of a picture's points: x from left to right, y from bottom to top, right and top
// excluded.
struct CanvasArea {
  std::int32_t left, bottom, right, top;
};

class Canvas {
 public:
  Canvas() = default;

  // Replaces the canvas's pixels with the whole picture. The first copy sizes the canvas and
  // gives it the picture's header; a later, larger picture is cut to the canvas's memory.
  bool CopyFrom(const Bitmap* b);
  // Replaces the canvas with the part of the picture whose lower-left corner is (left, bottom),
  // width x height, cut to the picture: the canvas takes that part's size (keeping its memory
  // when it is large enough, so a canvas refilled on every paint allocates once) and the
  // picture's header with the part's size, and its blits take points of the whole picture, so
  // what falls outside the part is clipped away. False, the canvas left without pixels (but not
  // without its memory), without a picture or when the part misses it. A canvas is filled either
  // by CopyFrom or by CopyPartFrom, never by both.
  bool CopyPartFrom(const Bitmap* b, std::int32_t left, std::int32_t bottom, std::int32_t width,
                    std::int32_t height);
  // Copies the area of the picture back onto a canvas filled from it by CopyPartFrom, cut to the
  // canvas: a screen that redraws its sprites puts back only what they covered. False without
  // pixels or picture.
  bool RestoreArea(const Bitmap* b, const CanvasArea& area);
  // While a list is given, every blit adds to it the area (in the picture's points, cut to the
  // canvas) of every pixel it may have changed; nothing while it is null.
  void RecordAreasTo(std::vector<CanvasArea>* areas) { areas_ = areas; }

  // Cell (col, row) of a cols x rows sheet with its lower-left corner at (x, y).
  bool BlitCell(const Bitmap* b, std::int32_t x, std::int32_t y, std::int32_t col, std::int32_t row, std::int32_t cols,
                std::int32_t rows, COLORREF key);
  // The same, each drawn channel mixed: canvas x percent / 100 + sprite x (100 - percent) / 100,
  // each part rounded down. Percent 0 draws the sprite, 100 leaves the canvas.
  bool BlitCellBlend(const Bitmap* b, std::int32_t x, std::int32_t y, std::int32_t col, std::int32_t row,
                     std::int32_t cols, std::int32_t rows, std::int32_t percent, COLORREF key);
  // As BlitCell, and sprite pixels of colour `from` are drawn in colour `to` even when `from`
  // is the key (the field screen's tints of a character's 0x393939 cloth).
  bool BlitCellRecolour(const Bitmap* b, std::int32_t x, std::int32_t y, std::int32_t col, std::int32_t row,
                        std::int32_t cols, std::int32_t rows, COLORREF key, COLORREF from, COLORREF to);
  // A second entry point to BlitCellRecolour, kept for the field screen's tactic tint.
  bool BlitCellRecolourCopy(const Bitmap* b, std::int32_t x, std::int32_t y, std::int32_t col, std::int32_t row,
                            std::int32_t cols, std::int32_t rows, COLORREF key, COLORREF from, COLORREF to);
  // As BlitCell, the cell mirrored left to right: its left column lands on its right edge.
  bool BlitCellMirrored(const Bitmap* b, std::int32_t x, std::int32_t y, std::int32_t col, std::int32_t row,
                        std::int32_t cols, std::int32_t rows, COLORREF key);
  bool BlitCellMirroredRecolour(const Bitmap* b, std::int32_t x, std::int32_t y, std::int32_t col, std::int32_t row,
                                std::int32_t cols, std::int32_t rows, COLORREF key, COLORREF from, COLORREF to);
  // A second entry point to BlitCellMirroredRecolour, kept for the field screen's tactic tint.
  bool BlitCellMirroredRecolourCopy(const Bitmap* b, std::int32_t x, std::int32_t y, std::int32_t col, std::int32_t row,
                                    std::int32_t cols, std::int32_t rows, COLORREF key, COLORREF from, COLORREF to);

  // Releases the pixel memory (nothing when there is none). The header is kept.
  void Free();
  // Makes the canvas as a new one is (no pixels, no header) but keeps its memory, so that a
  // screen composing its picture on every tick refills the same memory: the next CopyFrom sizes
  // the canvas afresh and everything draws exactly as on a new canvas.
  void Clear();

  // The picture point at the canvas's lower-left corner: (0, 0) unless filled by CopyPartFrom.
  std::int32_t GetLeft() const { return left_; }
  std::int32_t GetBottom() const { return bottom_; }
  // The header taken from the first picture copied in; null before that.
  const BITMAPINFOHEADER* GetHeader() const { return has_header_ ? &header_ : nullptr; }
  // The first byte of the bottom row; null while the canvas has no memory.
  std::uint8_t* GetPixels() { return pixels_.empty() ? nullptr : pixels_.data(); }
  const std::uint8_t* GetPixels() const { return pixels_.empty() ? nullptr : pixels_.data(); }

 private:
  enum class Ink { kCopy, kBlend, kRecolour };

  template <Ink ink, bool mirrored>
  bool Blit(const Bitmap* b, std::int64_t x, std::int64_t y, std::int64_t col, std::int64_t row, std::int64_t cols,
            std::int64_t rows, COLORREF key, std::int64_t percent, COLORREF from, COLORREF to);

  // Copies rows y0..y1 - 1, columns x0..x1 - 1 of the picture onto the same points of the canvas.
  void CopyRows(const Bitmap* b, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);

  std::vector<std::uint8_t> pixels_;
  std::vector<CanvasArea>* areas_ = nullptr;
  BITMAPINFOHEADER header_{};
  bool has_header_ = false;
  std::int32_t left_ = 0;
  std::int32_t bottom_ = 0;
};
