#include "PixelGrid.h"

#include "package/hostapi/Runtime.h"

#include <algorithm>

void TPixelGrid::Resize(int width, int height, uint64_t fill) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  FRows.resize(size_t(height));
  for (TRow& row : FRows) row.resize(size_t(width), fill);
}

void TPixelGrid::Fill(uint64_t value) {
  for (TRow& row : FRows) std::fill(row.begin(), row.end(), value);
}

void TPixelGrid::ShiftLeft() {
  for (TRow& row : FRows)
    if (!row.empty()) std::rotate(row.begin(), row.begin() + 1, row.end());
}

void TPixelGrid::ShiftRight() {
  for (TRow& row : FRows)
    if (!row.empty()) std::rotate(row.rbegin(), row.rbegin() + 1, row.rend());
}

void TPixelGrid::ShiftUp() {
  if (!FRows.empty()) std::rotate(FRows.begin(), FRows.begin() + 1, FRows.end());
}

void TPixelGrid::ShiftDown() {
  if (!FRows.empty()) std::rotate(FRows.rbegin(), FRows.rbegin() + 1, FRows.rend());
}

void TPixelGrid::MirrorHorizontal() { std::reverse(FRows.begin(), FRows.end()); }

void TPixelGrid::MirrorVertical() {
  for (TRow& row : FRows) std::reverse(row.begin(), row.end());
}

TPixelGrid TPixelGrid::RotatedLeft() const {
  const int w = Width(), h = Height();
  TPixelGrid result;
  result.FRows.assign(size_t(w), TRow(size_t(h)));
  // new (x, y) = old (w - 1 - y, x)
  for (int y = 0; y < w; ++y) {
    TRow& dst = result.FRows[size_t(y)];
    for (int x = 0; x < h; ++x) dst[size_t(x)] = FRows[size_t(x)][size_t(w - 1 - y)];
  }
  return result;
}

TPixelGrid TPixelGrid::RotatedRight() const {
  const int w = Width(), h = Height();
  TPixelGrid result;
  result.FRows.assign(size_t(w), TRow(size_t(h)));
  // new (x, y) = old (y, h - 1 - x)
  for (int y = 0; y < w; ++y) {
    TRow& dst = result.FRows[size_t(y)];
    for (int x = 0; x < h; ++x) dst[size_t(x)] = FRows[size_t(h - 1 - x)][size_t(y)];
  }
  return result;
}

void TPixelGrid::Invert() {
  for (TRow& row : FRows)
    for (uint64_t& v : row) v = MakeARGBColor(GetAlpha(TAlphaColor(v)), TAlphaColor(v) ^ 0x00FFFFFFu);
}

std::optional<TChannelStep> ChannelStepOf(QChar key, bool withWhite) {
  TChannelStep step;
  switch (key.unicode()) {
    case 'A': step.Alpha = 1; break;
    case 'a': step.Alpha = -1; break;
    case 'R': step.Red = 1; break;
    case 'r': step.Red = -1; break;
    case 'G': step.Green = 1; break;
    case 'g': step.Green = -1; break;
    case 'B': step.Blue = 1; break;
    case 'b': step.Blue = -1; break;
    case '+':
    case '*': step = {0, withWhite ? 1 : 0, 1, 1, 1}; break;
    case '-': step = {0, 0, -1, -1, -1}; break;
    case 'W':
    case 'w':
      if (!withWhite) return std::nullopt;
      step.White = key == QLatin1Char('W') ? 1 : -1;
      break;
    default: return std::nullopt;
  }
  return step;
}
