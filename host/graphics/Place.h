#pragma once

#include <QImage>
#include <QSize>

// Placing a picture on an image of a given size: where it goes, how it is scaled and what shows
// through its transparent pixels. Pure functions of the picture; the pixel dialogs import with them.

enum class TPlacement { TopLeft, Centre, Fit, Stretch };
enum class TScaling { Smooth, Nearest };
enum class TBackground { Keep, White, Black };

struct TPlaceOptions {
  TPlacement Placement = TPlacement::TopLeft;
  TScaling Scaling = TScaling::Smooth;
  TBackground Background = TBackground::Keep;
  friend bool operator==(const TPlaceOptions&, const TPlaceOptions&) = default;
};

// The size the picture takes on the target: its own for TopLeft and Centre, the target for
// Stretch, and for Fit the largest size of the picture's aspect ratio inside the target (each side
// round(side * min(tw / w, th / h)), at least 1).
QSize PlacedSize(QSize picture, QSize target, TPlacement placement);

// Scales to `size` (Format_ARGB32, not premultiplied).
// - Nearest: pixel (x, y) is the picture's pixel (floor((x + 1/2) W / w), floor((y + 1/2) H / h)).
// - Smooth (area averaging): pixel (x, y) covers [x W / w, (x + 1) W / w) x [y H / h, (y + 1) H / h)
//   of the picture; its premultiplied channels are the average of the picture's premultiplied
//   channels weighted by the area each picture pixel shares with it. Alpha is that average rounded;
//   a colour channel is its average divided by the alpha's, rounded; a fully transparent average
//   gives 0x00000000. Results stay within one level of the exact average (float arithmetic).
// A null picture or an empty size gives a null image.
QImage ScalePicture(const QImage& picture, QSize size, TScaling scaling);

// Every pixel composed over opaque white or black: c' = round(c a / 255 + b (255 - a) / 255), alpha
// 255. Keep returns the picture as it is (Format_ARGB32).
QImage FillBackground(const QImage& picture, TBackground background);

// The picture on an image of `target` size (Format_ARGB32): scaled to PlacedSize, its top-left
// corner at (0, 0) for TopLeft, centred for the others (offset floor((target - placed) / 2), which
// is negative, and cuts equally, when the picture is larger), transparent where it does not reach,
// then the background filled.
QImage PlacePicture(const QImage& picture, QSize target, const TPlaceOptions& options);
