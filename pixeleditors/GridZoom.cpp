#include "GridZoom.h"

#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace {
int NearestIndex(int size) {
  const auto* best = std::min_element(std::begin(TGridZoom::kLevels), std::end(TGridZoom::kLevels),
                                      [size](int a, int b) { return std::abs(a - size) < std::abs(b - size); });
  return int(best - std::begin(TGridZoom::kLevels));
}
}  // namespace

TGridZoom::TGridZoom(TDrawGrid* grid, TStatusBar* statusBar)
    : QObject(grid), FGrid(grid), FViewport(grid->viewport()), FSelector(new TComboBox(statusBar)) {
  FSelector->setObjectName(QStringLiteral("ZoomSelector"));
  QStringList items;
  for (int level : kLevels) items << QStringLiteral("%1 px").arg(level);
  FSelector->SetItems(items);
  FSelector->setCurrentIndex(NearestIndex(CellSize()));
  FSelector->setFocusPolicy(Qt::NoFocus);
  FSelector->setToolTip(QStringLiteral("Cell size (Ctrl + mouse wheel over the grid)"));
  // Flat, so that its text fits the status bar's height.
  FSelector->setFrame(false);
  FSelector->setFixedHeight(statusBar->height() - 3);
  statusBar->addPermanentWidget(FSelector);
  connect(FSelector, &QComboBox::activated, this, [this](int index) { SetCellSize(kLevels[index]); });
  FViewport->installEventFilter(this);
}

int TGridZoom::Step(int size, int steps) {
  const int last = int(std::size(kLevels)) - 1;
  return kLevels[std::clamp(NearestIndex(size) + steps, 0, last)];
}

void TGridZoom::SetCellSize(int size, QPoint anchor) {
  const int level = kLevels[NearestIndex(size)];
  const QPoint cell = FGrid->MouseToCell(anchor);
  FGrid->SetDefaultColWidth(level);
  FGrid->SetDefaultRowHeight(level);
  if (cell.x() >= 0) {
    const int pitch = level + FGrid->GridLineWidth();
    FGrid->SetLeftCol(cell.x() - anchor.x() / pitch);
    FGrid->SetTopRow(cell.y() - anchor.y() / pitch);
  }
  const QSignalBlocker quiet(FSelector);
  FSelector->setCurrentIndex(NearestIndex(level));
}

void TGridZoom::SetCellSize(int size) {
  const QRect current = FGrid->CellRect(FGrid->Col(), FGrid->Row());
  SetCellSize(size, current.isEmpty() ? QPoint(-1, -1) : current.center());
}

bool TGridZoom::eventFilter(QObject* watched, QEvent* event) {
  // The viewport's last events come while the grid is being destroyed: nothing of it is asked here.
  if (event->type() != QEvent::Wheel || watched != FViewport) return false;
  auto* wheel = static_cast<QWheelEvent*>(event);
  if (!(wheel->modifiers() & Qt::ControlModifier)) return false;  // plain wheel: the grid scrolls
  FWheel += wheel->angleDelta().y();
  const int steps = FWheel / QWheelEvent::DefaultDeltasPerStep;
  FWheel -= steps * QWheelEvent::DefaultDeltasPerStep;
  if (steps != 0) SetCellSize(Step(CellSize(), steps), wheel->position().toPoint());
  event->accept();
  return true;
}
