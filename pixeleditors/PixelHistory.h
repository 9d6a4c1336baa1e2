#pragma once

#include "pixeleditors/PixelGrid.h"

#include <QByteArray>
#include <QRect>
#include <QString>
#include <cstddef>
#include <deque>
#include <vector>

// The undo history of a pixel dialog. It keeps the image as last recorded; each Commit compares the
// image with it and records the difference as one step: the smallest rectangle holding every
// changed pixel, with its values before and after (the whole image, both sizes, when the size
// changed). Regions of more than a few pixels are kept compressed, byte plane by byte plane, so
// that the upper halves that most editors leave zero cost next to nothing. The oldest steps are
// dropped beyond the step limit and beyond the byte limit.
class TPixelHistory {
public:
  static constexpr int kDefaultSteps = 100;
  static constexpr size_t kDefaultBytes = size_t(32) << 20;

  explicit TPixelHistory(int maxSteps = kDefaultSteps, size_t maxBytes = kDefaultBytes);

  // Records the change from the last recorded image to `image` as one step; nothing when they are
  // equal. The first call only records the image it starts from. A change with a non-empty fold
  // key that equals the key of the step just recorded, and that lies inside that step's rectangle,
  // joins that step: a burst of one key on one cell is one step.
  void Commit(const TPixelGrid& image, const QString& fold = {});
  // Steps back and forth: `image` must be the image last recorded (Commit first). False when there
  // is nothing to undo or redo, and then `image` is left alone.
  bool Undo(TPixelGrid& image);
  bool Redo(TPixelGrid& image);

  int RedoCount() const { return int(FRedo.size()); }
  // What the steps keep, in bytes.
  size_t Bytes() const { return FBytes; }

private:
  // The values of one rectangle of an image of a given size.
  struct TRegion {
    QRect Rect;
    int Width = 0, Height = 0;  // of the whole image
    QByteArray Data;
    bool Compressed = false;
  };
  struct TStep {
    TRegion Before, After;
    QString Fold;
  };

  static TRegion Take(const TPixelGrid& image, const QRect& rect);
  static void Put(const TRegion& region, TPixelGrid& image);
  static size_t BytesOf(const TStep& step);
  void Push(TStep step);

  int FMaxSteps;
  size_t FMaxBytes;
  std::deque<TStep> FUndo;
  std::vector<TStep> FRedo;
  size_t FBytes = 0;
  TPixelGrid FRecorded;
  bool FStarted = false;
  bool FCanFold = false;  // the last undo step was recorded last (its region after is the image recorded)
};
