#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The image of a pixel dialog: rows of whole 64-bit pixel values, row 0 at the top. Every row holds
// Width() values. Operations move values whole, except Invert, which works on the ARGB colour in the
// low 32 bits.
class TPixelGrid {
public:
  using TRow = std::vector<uint64_t>;

  int Width() const { return FRows.empty() ? 0 : int(FRows.front().size()); }
  int Height() const { return int(FRows.size()); }
  uint64_t Get(int x, int y) const { return FRows[size_t(y)][size_t(x)]; }
  void Set(int x, int y, uint64_t value) { FRows[size_t(y)][size_t(x)] = value; }
  const TRow& Row(int y) const { return FRows[size_t(y)]; }

  // Keeps the pixels inside both sizes where they are; new pixels get fill.
  void Resize(int width, int height, uint64_t fill);
  void Fill(uint64_t value);
  // One pixel with wrap-around: what leaves one edge comes back at the other.
  void ShiftLeft();
  void ShiftRight();
  void ShiftUp();
  void ShiftDown();
  void MirrorHorizontal();  // top and bottom exchange
  void MirrorVertical();    // left and right exchange
  // A quarter turn; the result is Height() wide and Width() high.
  TPixelGrid RotatedLeft() const;   // counter-clockwise: the top-right corner comes to the top left
  TPixelGrid RotatedRight() const;  // clockwise: the bottom-left corner comes to the top left
  // Each colour byte b of the low 32 bits becomes 255 - b, alpha kept; the upper 32 bits become 0.
  void Invert();

  friend bool operator==(const TPixelGrid&, const TPixelGrid&) = default;

private:
  std::vector<TRow> FRows;
};
