#pragma once

#include <QChar>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
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
  template <class F>
  void Transform(F f) {
    for (TRow& row : FRows)
      for (uint64_t& v : row) v = f(v);
  }

  friend bool operator==(const TPixelGrid&, const TPixelGrid&) = default;

private:
  std::vector<TRow> FRows;
};

// Keyboard editing of colour channels: an upper-case channel letter raises the channel by 1, the
// lower-case one lowers it; "+" and "*" raise the colour (and the white) channels, "-" lowers the
// colour channels only.
struct TChannelStep {
  int Alpha = 0, White = 0, Red = 0, Green = 0, Blue = 0;
};
// The step a character asks for, or nothing for a character that edits no channel. White letters
// count only when the pixels have a white channel.
std::optional<TChannelStep> ChannelStepOf(QChar key, bool withWhite);
// A channel moved by delta, saturating at 0 and 255.
constexpr uint8_t StepChannel(uint8_t value, int delta) { return uint8_t(std::clamp(int(value) + delta, 0, 255)); }
