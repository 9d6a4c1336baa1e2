#include "Place.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// The picture pixels one output pixel covers along one axis, with the share of each.
struct TTaps {
  std::vector<int> first;  // per output index: start in source/weight
  std::vector<int> source;
  std::vector<float> weight;
};

// Output i covers [i from / to, (i + 1) from / to); counted in 1/to of a source pixel the bounds
// are whole numbers, so the overlaps are exact before the one division.
TTaps AreaTaps(int from, int to) {
  TTaps taps;
  taps.first.reserve(size_t(to) + 1);
  for (int i = 0; i < to; ++i) {
    taps.first.push_back(int(taps.source.size()));
    const qint64 lo = qint64(i) * from, hi = qint64(i + 1) * from;
    for (qint64 s = lo / to; s * to < hi; ++s) {
      const qint64 overlap = std::min(hi, (s + 1) * to) - std::max(lo, s * to);
      if (overlap <= 0) continue;
      taps.source.push_back(int(s));
      taps.weight.push_back(float(double(overlap) / double(from)));
    }
  }
  taps.first.push_back(int(taps.source.size()));
  return taps;
}

QImage AreaAverage(const QImage& src, QSize size) {
  const int W = src.width(), H = src.height(), w = size.width(), h = size.height();
  const TTaps across = AreaTaps(W, w), down = AreaTaps(H, h);
  // For each source row, the output rows it reaches and its share in each, so that the picture is
  // read once, row by row, and only one reduced row is kept besides the output sums.
  std::vector<std::vector<std::pair<int, float>>> reach(static_cast<size_t>(H));
  for (int y = 0; y < h; ++y)
    for (int t = down.first[y]; t < down.first[y + 1]; ++t) reach[size_t(down.source[t])].push_back({y, down.weight[t]});

  std::vector<float> sums(size_t(w) * size_t(h) * 4, 0.f), row(size_t(w) * 4), premultiplied(size_t(W) * 4);
  for (int sy = 0; sy < H; ++sy) {
    if (reach[size_t(sy)].empty()) continue;
    const QRgb* line = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
    for (int x = 0; x < W; ++x) {
      const QRgb p = line[x];
      const float a = float(qAlpha(p)), k = a / 255.f;
      float* o = &premultiplied[size_t(x) * 4];
      o[0] = a;
      o[1] = float(qRed(p)) * k;
      o[2] = float(qGreen(p)) * k;
      o[3] = float(qBlue(p)) * k;
    }
    for (int x = 0; x < w; ++x) {
      float acc[4] = {0, 0, 0, 0};
      for (int t = across.first[x]; t < across.first[x + 1]; ++t) {
        const float* p = &premultiplied[size_t(across.source[t]) * 4];
        const float k = across.weight[t];
        for (int c = 0; c < 4; ++c) acc[c] += p[c] * k;
      }
      std::memcpy(&row[size_t(x) * 4], acc, sizeof acc);
    }
    for (const auto& [y, k] : reach[size_t(sy)]) {
      float* out = &sums[size_t(y) * size_t(w) * 4];
      for (size_t i = 0; i < row.size(); ++i) out[i] += row[i] * k;
    }
  }

  QImage result(size, QImage::Format_ARGB32);
  for (int y = 0; y < h; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(result.scanLine(y));
    const float* s = &sums[size_t(y) * size_t(w) * 4];
    for (int x = 0; x < w; ++x, s += 4) {
      const int a = std::clamp(int(std::lround(s[0])), 0, 255);
      if (a == 0) {
        line[x] = 0;
        continue;
      }
      const auto channel = [&](float c) { return std::clamp(int(std::lround(c * 255.f / s[0])), 0, 255); };
      line[x] = qRgba(channel(s[1]), channel(s[2]), channel(s[3]), a);
    }
  }
  return result;
}

QImage Nearest(const QImage& src, QSize size) {
  const int W = src.width(), H = src.height(), w = size.width(), h = size.height();
  std::vector<int> column(static_cast<size_t>(w));
  for (int x = 0; x < w; ++x) column[size_t(x)] = int((qint64(2 * x + 1) * W) / (qint64(2) * w));
  QImage result(size, QImage::Format_ARGB32);
  for (int y = 0; y < h; ++y) {
    const QRgb* from = reinterpret_cast<const QRgb*>(src.constScanLine(int((qint64(2 * y + 1) * H) / (qint64(2) * h))));
    QRgb* to = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < w; ++x) to[x] = from[column[size_t(x)]];
  }
  return result;
}

}  // namespace

QSize PlacedSize(QSize picture, QSize target, TPlacement placement) {
  switch (placement) {
    case TPlacement::TopLeft:
    case TPlacement::Centre: return picture;
    case TPlacement::Stretch: return target;
    case TPlacement::Fit: break;
  }
  if (picture.isEmpty() || target.isEmpty()) return {};
  const double scale = std::min(double(target.width()) / picture.width(), double(target.height()) / picture.height());
  return {std::clamp(int(std::lround(picture.width() * scale)), 1, target.width()),
          std::clamp(int(std::lround(picture.height() * scale)), 1, target.height())};
}

QImage ScalePicture(const QImage& picture, QSize size, TScaling scaling) {
  if (picture.isNull() || size.isEmpty()) return {};
  const QImage src = picture.convertToFormat(QImage::Format_ARGB32);
  if (src.size() == size) return src;
  return scaling == TScaling::Nearest ? Nearest(src, size) : AreaAverage(src, size);
}

QImage FillBackground(const QImage& picture, TBackground background) {
  QImage result = picture.convertToFormat(QImage::Format_ARGB32);
  if (background == TBackground::Keep || result.isNull()) return result;
  const int b = background == TBackground::White ? 255 : 0;
  const auto over = [b](int c, int a) { return (c * a + b * (255 - a) + 127) / 255; };
  for (int y = 0; y < result.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < result.width(); ++x) {
      const QRgb p = line[x];
      const int a = qAlpha(p);
      if (a != 255) line[x] = qRgb(over(qRed(p), a), over(qGreen(p), a), over(qBlue(p), a));
    }
  }
  return result;
}

QImage PlacePicture(const QImage& picture, QSize target, const TPlaceOptions& options) {
  if (picture.isNull() || target.isEmpty()) return {};
  const QImage placed = ScalePicture(picture, PlacedSize(picture.size(), target, options.Placement), options.Scaling);
  QImage canvas(target, QImage::Format_ARGB32);
  canvas.fill(0);
  const int left = options.Placement == TPlacement::TopLeft ? 0 : (target.width() - placed.width()) / 2 -
                                                                     ((target.width() - placed.width()) % 2 < 0);
  const int top = options.Placement == TPlacement::TopLeft ? 0 : (target.height() - placed.height()) / 2 -
                                                                    ((target.height() - placed.height()) % 2 < 0);
  const int x0 = std::max(0, left), x1 = std::min(target.width(), left + placed.width());
  for (int y = std::max(0, top); y < std::min(target.height(), top + placed.height()); ++y)
    if (x1 > x0)
      std::memcpy(canvas.scanLine(y) + size_t(x0) * 4, placed.constScanLine(y - top) + size_t(x0 - left) * 4,
                  size_t(x1 - x0) * 4);
  return FillBackground(canvas, options.Background);
}
