#include "DrawGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

TDrawGrid::TDrawGrid(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);  // every pixel is painted: no erase first
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  SetOptions(FOptions);
  UpdateScrollBars();
}

void TDrawGrid::SetColCount(int count) {
  FColCount = std::max(1, count);
  if (FFixedCols >= FColCount) FFixedCols = FColCount - 1;
  ClampCells();
}

void TDrawGrid::SetRowCount(int count) {
  FRowCount = std::max(1, count);
  if (FFixedRows >= FRowCount) FFixedRows = FRowCount - 1;
  ClampCells();
}

void TDrawGrid::SetDefaultColWidth(int w) {
  FColWidth = std::max(1, w);
  ClampCells();
}

void TDrawGrid::SetDefaultRowHeight(int h) {
  FRowHeight = std::max(1, h);
  ClampCells();
}

void TDrawGrid::SetFixedCols(int n) {
  FFixedCols = std::clamp(n, 0, FColCount - 1);
  Initialize();
}

void TDrawGrid::SetFixedRows(int n) {
  FFixedRows = std::clamp(n, 0, FRowCount - 1);
  Initialize();
}

void TDrawGrid::Initialize() {
  // New fixed cells: the focus cell and the scroll position start at the first scrolling cell.
  FCurrent = FAnchor = QPoint(FFixedCols, FFixedRows);
  FSyncingScroll = true;
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
  FSyncingScroll = false;
  ClampCells();
}

void TDrawGrid::SetGridLineWidth(int w) {
  FLineWidth = std::max(0, w);
  ClampCells();
}

void TDrawGrid::SetOptions(unsigned options) {
  FOptions = options;
  const bool tracking = options & goThumbTracking;
  horizontalScrollBar()->setTracking(tracking);
  verticalScrollBar()->setTracking(tracking);
  if (!(options & goRangeSelect)) FAnchor = FCurrent;
  Invalidate();
}

TGridRect TDrawGrid::Selection() const {
  return {std::min(FAnchor.x(), FCurrent.x()), std::min(FAnchor.y(), FCurrent.y()),
          std::max(FAnchor.x(), FCurrent.x()), std::max(FAnchor.y(), FCurrent.y())};
}

int TDrawGrid::VisibleColCount() const {
  const int pitch = FColWidth + FLineWidth;
  const int room = viewport()->width() - FFixedCols * pitch;
  const int fit = room >= FColWidth ? (room - FColWidth) / pitch + 1 : 0;
  return std::min(fit, FColCount - FLeftCol);
}

int TDrawGrid::VisibleRowCount() const {
  const int pitch = FRowHeight + FLineWidth;
  const int room = viewport()->height() - FFixedRows * pitch;
  const int fit = room >= FRowHeight ? (room - FRowHeight) / pitch + 1 : 0;
  return std::min(fit, FRowCount - FTopRow);
}

int TDrawGrid::ColX(int col) const {
  const int pitch = FColWidth + FLineWidth;
  return col < FFixedCols ? col * pitch : (FFixedCols + col - FLeftCol) * pitch;
}

int TDrawGrid::RowY(int row) const {
  const int pitch = FRowHeight + FLineWidth;
  return row < FFixedRows ? row * pitch : (FFixedRows + row - FTopRow) * pitch;
}

QRect TDrawGrid::CellRect(int col, int row) const {
  if (col < 0 || row < 0 || col >= FColCount || row >= FRowCount) return {};
  if ((col >= FFixedCols && col < FLeftCol) || (row >= FFixedRows && row < FTopRow)) return {};
  return QRect(ColX(col), RowY(row), FColWidth, FRowHeight);
}

QPoint TDrawGrid::MouseToCell(const QPoint& pos) const {
  if (pos.x() < 0 || pos.y() < 0) return {-1, -1};
  const int cpitch = FColWidth + FLineWidth, rpitch = FRowHeight + FLineWidth;
  int col = pos.x() / cpitch, row = pos.y() / rpitch;
  if (col >= FFixedCols) col = col - FFixedCols + FLeftCol;
  if (row >= FFixedRows) row = row - FFixedRows + FTopRow;
  if (col >= FColCount || row >= FRowCount) return {-1, -1};
  return {col, row};
}

void TDrawGrid::SetLeftCol(int col) {
  horizontalScrollBar()->setValue(col - FFixedCols);
}

void TDrawGrid::SetTopRow(int row) {
  verticalScrollBar()->setValue(row - FFixedRows);
}

void TDrawGrid::ClampCells() {
  auto clampCell = [this](QPoint& p) {
    p.setX(std::clamp(p.x(), FFixedCols, FColCount - 1));
    p.setY(std::clamp(p.y(), FFixedRows, FRowCount - 1));
  };
  clampCell(FCurrent);
  clampCell(FAnchor);
  UpdateScrollBars();
  Invalidate();
}

void TDrawGrid::UpdateScrollBars() {
  const int cpitch = FColWidth + FLineWidth, rpitch = FRowHeight + FLineWidth;
  const int colRoom = viewport()->width() - FFixedCols * cpitch;
  const int rowRoom = viewport()->height() - FFixedRows * rpitch;
  const int colsFit = std::max(1, colRoom >= FColWidth ? (colRoom - FColWidth) / cpitch + 1 : 1);
  const int rowsFit = std::max(1, rowRoom >= FRowHeight ? (rowRoom - FRowHeight) / rpitch + 1 : 1);
  FSyncingScroll = true;
  horizontalScrollBar()->setRange(0, std::max(0, FColCount - FFixedCols - colsFit));
  horizontalScrollBar()->setPageStep(colsFit);
  verticalScrollBar()->setRange(0, std::max(0, FRowCount - FFixedRows - rowsFit));
  verticalScrollBar()->setPageStep(rowsFit);
  FSyncingScroll = false;
  FLeftCol = FFixedCols + horizontalScrollBar()->value();
  FTopRow = FFixedRows + verticalScrollBar()->value();
}

void TDrawGrid::scrollContentsBy(int, int) {
  if (FSyncingScroll) return;
  FLeftCol = FFixedCols + horizontalScrollBar()->value();
  FTopRow = FFixedRows + verticalScrollBar()->value();
  Invalidate();
}

void TDrawGrid::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void TDrawGrid::ScrollToCurrent() {
  const int cols = std::max(1, VisibleColCount()), rows = std::max(1, VisibleRowCount());
  if (FCurrent.x() < FLeftCol) SetLeftCol(FCurrent.x());
  else if (FCurrent.x() >= FLeftCol + cols) SetLeftCol(FCurrent.x() - cols + 1);
  if (FCurrent.y() < FTopRow) SetTopRow(FCurrent.y());
  else if (FCurrent.y() >= FTopRow + rows) SetTopRow(FCurrent.y() - rows + 1);
}

void TDrawGrid::FocusCell(int col, int row, bool moveAnchor) {
  col = std::clamp(col, FFixedCols, FColCount - 1);
  row = std::clamp(row, FFixedRows, FRowCount - 1);
  bool canSelect = true;
  emit OnSelectCell(this, col, row, canSelect);
  if (!canSelect) return;
  FCurrent = QPoint(col, row);
  if (moveAnchor || !(FOptions & goRangeSelect)) FAnchor = FCurrent;
  ScrollToCurrent();
  Invalidate();
}

bool TDrawGrid::HasFocusMark() const { return window()->focusWidget() == this; }

void TDrawGrid::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  PaintCells(painter, event->rect());
}

void TDrawGrid::PaintCells(QPainter& painter, const QRect& area) {
  painter.fillRect(area, FColor);
  const QSize view = viewport()->size();
  const TGridRect sel = Selection();
  const bool focusMark = HasFocusMark();
  const int cpitch = FColWidth + FLineWidth, rpitch = FRowHeight + FLineWidth;
  // Visible columns and rows: the fixed ones, then the scrolled ones that start inside the view.
  const int lastCol = std::min(FColCount - 1, FLeftCol + (view.width() - FFixedCols * cpitch) / cpitch);
  const int lastRow = std::min(FRowCount - 1, FTopRow + (view.height() - FFixedRows * rpitch) / rpitch);
  const int extentX = ColX(lastCol) + cpitch, extentY = RowY(lastRow) + rpitch;

  auto eachCol = [&](auto&& f) {
    for (int c = 0; c < FFixedCols; ++c) f(c);
    for (int c = FLeftCol; c <= lastCol; ++c) f(c);
  };
  auto eachRow = [&](auto&& f) {
    for (int r = 0; r < FFixedRows; ++r) f(r);
    for (int r = FTopRow; r <= lastRow; ++r) f(r);
  };
  if (FLineWidth > 0) {
    eachCol([&](int c) {
      if (FOptions & (c < FFixedCols ? goFixedVertLine : goVertLine))
        painter.fillRect(ColX(c) + FColWidth, 0, FLineWidth, extentY, FLineColor);
    });
    eachRow([&](int r) {
      if (FOptions & (r < FFixedRows ? goFixedHorzLine : goHorzLine))
        painter.fillRect(0, RowY(r) + FRowHeight, extentX, FLineWidth, FLineColor);
    });
  }

  FCanvas = &painter;
  const QPalette& pal = palette();
  auto paintCell = [&](int c, int r) {
    const QRect rect(ColX(c), RowY(r), FColWidth, FRowHeight);
    if (!rect.intersects(area)) return;
    TGridDrawState state = 0;
    const bool fixed = c < FFixedCols || r < FFixedRows;
    if (fixed) state |= gdFixed;
    else {
      if (c >= sel.Left && c <= sel.Right && r >= sel.Top && r <= sel.Bottom) state |= gdSelected;
      if (focusMark && c == FCurrent.x() && r == FCurrent.y()) state |= gdFocused;
    }
    if (FDefaultDrawing) {
      const QColor fill = fixed ? pal.color(QPalette::Button)
                          : (state & gdSelected) && !(state & gdFocused && !(FOptions & goDrawFocusSelected))
                              ? pal.color(QPalette::Highlight)
                              : FColor;
      painter.fillRect(rect, fill);
    }
    emit OnDrawCell(this, c, r, rect, state);
  };
  eachRow([&](int r) { eachCol([&](int c) { paintCell(c, r); }); });
  FCanvas = nullptr;
}

void TDrawGrid::keyPressEvent(QKeyEvent* event) {
  quint16 key = VirtualKeyOf(*event);
  const TShiftState shift = ShiftStateOf(event->modifiers());
  if (key) {
    emit OnKeyDown(this, key, shift);
    if (!key) {
      event->accept();
      return;
    }
  }
  const bool extend = (shift & ssShift) && (FOptions & goRangeSelect);
  const bool ctrl = shift & ssCtrl;
  bool handled = true;
  const int page = std::max(1, VisibleRowCount());
  switch (key) {
    case VK_LEFT: FocusCell(FCurrent.x() - 1, FCurrent.y(), !extend); break;
    case VK_RIGHT: FocusCell(FCurrent.x() + 1, FCurrent.y(), !extend); break;
    case VK_UP: FocusCell(FCurrent.x(), FCurrent.y() - 1, !extend); break;
    case VK_DOWN: FocusCell(FCurrent.x(), FCurrent.y() + 1, !extend); break;
    case VK_PRIOR: FocusCell(FCurrent.x(), FCurrent.y() - page, !extend); break;
    case VK_NEXT: FocusCell(FCurrent.x(), FCurrent.y() + page, !extend); break;
    case VK_HOME: FocusCell(FFixedCols, ctrl ? FFixedRows : FCurrent.y(), !extend); break;
    case VK_END: FocusCell(FColCount - 1, ctrl ? FRowCount - 1 : FCurrent.y(), !extend); break;
    default: handled = false;
  }
  const QString text = event->text();
  if (text.size() == 1) {
    QChar ch = text.at(0);
    emit OnKeyPress(this, ch);
    if (ch.isPrint()) handled = true;
  }
  if (handled) event->accept();
  else event->ignore();
}

void TDrawGrid::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  if (event->button() != Qt::LeftButton) return;
  const QPoint cell = MouseToCell(event->position().toPoint());
  if (cell.x() < FFixedCols || cell.y() < FFixedRows) return;
  const bool extend = (event->modifiers() & Qt::ShiftModifier) && (FOptions & goRangeSelect);
  FocusCell(cell.x(), cell.y(), !extend);
}

void TDrawGrid::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton) || !(FOptions & goRangeSelect)) return;
  const QPoint cell = MouseToCell(event->position().toPoint());
  if (cell.x() < FFixedCols || cell.y() < FFixedRows || cell == FCurrent) return;
  FocusCell(cell.x(), cell.y(), false);
}

void TDrawGrid::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  Invalidate();
}

void TDrawGrid::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  Invalidate();
}
