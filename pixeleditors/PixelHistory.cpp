#include "PixelHistory.h"

#include <algorithm>
#include <cstring>

namespace {
// Regions up to this many bytes (a key's cell, a short stroke) are kept as they are.
constexpr qsizetype kRawBytes = 256;

// The smallest rectangle holding every pixel in which two images of one size differ; null when
// they are equal.
QRect Changed(const TPixelGrid& a, const TPixelGrid& b) {
  const int w = a.Width();
  int left = w, right = -1, top = -1, bottom = -1;
  for (int y = 0; y < a.Height(); ++y) {
    const TPixelGrid::TRow& ra = a.Row(y);
    const TPixelGrid::TRow& rb = b.Row(y);
    if (ra == rb) continue;
    int first = 0, last = w - 1;
    while (ra[size_t(first)] == rb[size_t(first)]) ++first;
    while (ra[size_t(last)] == rb[size_t(last)]) --last;
    left = std::min(left, first);
    right = std::max(right, last);
    if (top < 0) top = y;
    bottom = y;
  }
  return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect Whole(const TPixelGrid& image) { return QRect(0, 0, image.Width(), image.Height()); }
}  // namespace

TPixelHistory::TPixelHistory(int maxSteps, size_t maxBytes) : FMaxSteps(std::max(1, maxSteps)), FMaxBytes(maxBytes) {}

TPixelHistory::TRegion TPixelHistory::Take(const TPixelGrid& image, const QRect& rect) {
  TRegion region;
  region.Rect = rect;
  region.Width = image.Width();
  region.Height = image.Height();
  const qsizetype n = qsizetype(rect.width()) * rect.height();
  QByteArray bytes(n * 8, Qt::Uninitialized);
  char* out = bytes.data();
  if (bytes.size() <= kRawBytes) {
    for (int y = rect.top(); y <= rect.bottom(); ++y, out += rect.width() * 8)
      std::memcpy(out, image.Row(y).data() + rect.left(), size_t(rect.width()) * 8);
    region.Data = std::move(bytes);
    return region;
  }
  // Byte plane p holds byte p of every value, the green and red bytes less (XOR) the byte below
  // them: zero upper halves and the equal colour bytes of grays make runs of zeros for zlib.
  qsizetype i = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    const uint64_t* row = image.Row(y).data() + rect.left();
    for (int x = 0; x < rect.width(); ++x, ++i) {
      const uint64_t v = row[x] ^ ((row[x] << 8) & 0xFFFF00u);
      for (int p = 0; p < 8; ++p) out[p * n + i] = char(v >> (8 * p));
    }
  }
  region.Data = qCompress(bytes, 1);
  region.Compressed = true;
  return region;
}

void TPixelHistory::Put(const TRegion& region, TPixelGrid& image) {
  if (image.Width() != region.Width || image.Height() != region.Height) image.Resize(region.Width, region.Height, 0);
  const QRect& rect = region.Rect;
  if (!region.Compressed) {
    const char* in = region.Data.constData();
    for (int y = rect.top(); y <= rect.bottom(); ++y, in += rect.width() * 8)
      for (int x = 0; x < rect.width(); ++x) {
        uint64_t v;
        std::memcpy(&v, in + x * 8, 8);
        image.Set(rect.left() + x, y, v);
      }
    return;
  }
  const QByteArray bytes = qUncompress(region.Data);
  const qsizetype n = qsizetype(rect.width()) * rect.height();
  const auto* in = reinterpret_cast<const uchar*>(bytes.constData());
  qsizetype i = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = 0; x < rect.width(); ++x, ++i) {
      uint64_t v = 0;
      for (int p = 0; p < 8; ++p) v |= uint64_t(in[p * n + i]) << (8 * p);
      v ^= (v << 8) & 0xFF00u;  // green first, then red from the green it gives back
      v ^= (v << 8) & 0xFF0000u;
      image.Set(rect.left() + x, y, v);
    }
}

size_t TPixelHistory::BytesOf(const TStep& step) {
  return sizeof(TStep) + size_t(step.Before.Data.size() + step.After.Data.size() + step.Fold.size() * 2);
}

void TPixelHistory::Commit(const TPixelGrid& image, const QString& fold) {
  if (!FStarted) {
    FRecorded = image;
    FStarted = true;
    return;
  }
  const bool sameSize = image.Width() == FRecorded.Width() && image.Height() == FRecorded.Height();
  const QRect rect = sameSize ? Changed(FRecorded, image) : QRect();
  if (sameSize && rect.isNull()) return;
  if (!fold.isEmpty() && FCanFold && !FUndo.empty() && sameSize) {
    TStep& last = FUndo.back();
    if (last.Fold == fold && last.After.Width == image.Width() && last.After.Height == image.Height() &&
        last.After.Rect.contains(rect)) {
      FBytes -= BytesOf(last);
      last.After = Take(image, last.After.Rect);
      FBytes += BytesOf(last);
      FRecorded = image;
      return;
    }
  }
  TStep step;
  const QRect before = sameSize ? rect : Whole(FRecorded);
  // After a run of whole-image operations the region before is the last step's region after:
  // shared, it costs neither time nor memory (though Bytes counts it twice).
  const TRegion* last = FCanFold && !FUndo.empty() ? &FUndo.back().After : nullptr;
  step.Before = last && last->Rect == before && last->Width == FRecorded.Width() && last->Height == FRecorded.Height()
                    ? *last
                    : Take(FRecorded, before);
  step.After = Take(image, sameSize ? rect : Whole(image));
  step.Fold = fold;
  FRecorded = image;
  Push(std::move(step));
}

void TPixelHistory::Push(TStep step) {
  for (const TStep& undone : FRedo) FBytes -= BytesOf(undone);
  FRedo.clear();
  FBytes += BytesOf(step);
  FUndo.push_back(std::move(step));
  while (int(FUndo.size()) > FMaxSteps || (FBytes > FMaxBytes && FUndo.size() > 1)) {
    FBytes -= BytesOf(FUndo.front());
    FUndo.pop_front();
  }
  FCanFold = true;
}

bool TPixelHistory::Undo(TPixelGrid& image) {
  if (FUndo.empty()) return false;
  TStep step = std::move(FUndo.back());
  FUndo.pop_back();
  Put(step.Before, FRecorded);
  image = FRecorded;
  FRedo.push_back(std::move(step));
  FCanFold = false;
  return true;
}

bool TPixelHistory::Redo(TPixelGrid& image) {
  if (FRedo.empty()) return false;
  TStep step = std::move(FRedo.back());
  FRedo.pop_back();
  Put(step.After, FRecorded);
  image = FRecorded;
  FUndo.push_back(std::move(step));
  FCanFold = false;
  return true;
}
