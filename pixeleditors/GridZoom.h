#pragma once

#include "package/hostapi/Toolkit.h"

#include <QObject>
#include <QPoint>

// The zoom of a pixel dialog's grid: its cell size, one of kLevels (4 to 48 pixels). Ctrl and the
// mouse wheel over the grid step through the levels keeping the cell under the mouse where it is;
// a selector at the right of the status bar picks a level keeping the current cell in place. No
// key is involved, and the selector takes no focus, so the grid keeps every key it had.
class TGridZoom : public QObject {
  Q_OBJECT
public:
  static constexpr int kLevels[] = {4, 6, 8, 10, 12, 14, 16, 18, 20, 24, 28, 32, 40, 48};

  TGridZoom(TDrawGrid* grid, TStatusBar* statusBar);

  int CellSize() const { return FGrid->DefaultColWidth(); }
  // The nearest level to `size`; the cell under `anchor` (viewport coordinates) stays in place as
  // far as the grid can scroll.
  void SetCellSize(int size, QPoint anchor);
  // Anchored at the current cell when it is in view.
  void SetCellSize(int size);
  TComboBox* Selector() const { return FSelector; }

  // The level `steps` levels above (or below) the nearest level to `size`, within the levels.
  static int Step(int size, int steps);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  TDrawGrid* FGrid;
  QWidget* FViewport;
  TComboBox* FSelector;
  int FWheel = 0;  // wheel movement short of a whole step
};
