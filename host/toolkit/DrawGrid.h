#pragma once

#include "toolkit/Keys.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QRect>

// Cell range, inclusive on all sides.
struct TGridRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  friend constexpr bool operator==(const TGridRect&, const TGridRect&) = default;
};

enum : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = unsigned;

// A grid of uniformly sized, owner-drawn cells. Only the visible cells are painted, each through
// OnDrawCell with Canvas() open on the grid; the background colour shows around the cells.
// Scrolling moves by whole cells; fixed rows and columns stay in place.
class TDrawGrid : public QAbstractScrollArea {
  Q_OBJECT
  Q_PROPERTY(int ColCount READ ColCount WRITE SetColCount)
  Q_PROPERTY(int RowCount READ RowCount WRITE SetRowCount)
  Q_PROPERTY(int DefaultColWidth READ DefaultColWidth WRITE SetDefaultColWidth)
  Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE SetDefaultRowHeight)
  Q_PROPERTY(int FixedCols READ FixedCols WRITE SetFixedCols)
  Q_PROPERTY(int FixedRows READ FixedRows WRITE SetFixedRows)
  Q_PROPERTY(int GridLineWidth READ GridLineWidth WRITE SetGridLineWidth)
  Q_PROPERTY(unsigned Options READ Options WRITE SetOptions)
  Q_PROPERTY(QColor Color READ Color WRITE SetColor)
  Q_PROPERTY(QColor LineColor READ LineColor WRITE SetLineColor)
  Q_PROPERTY(bool DefaultDrawing READ DefaultDrawing WRITE SetDefaultDrawing)
public:
  enum TGridOption : unsigned {
    goFixedVertLine = 1, goFixedHorzLine = 2, goVertLine = 4, goHorzLine = 8, goRangeSelect = 16,
    goDrawFocusSelected = 32, goThumbTracking = 64
  };

  explicit TDrawGrid(QWidget* parent = nullptr);

  int ColCount() const { return FColCount; }
  void SetColCount(int count);
  int RowCount() const { return FRowCount; }
  void SetRowCount(int count);
  int DefaultColWidth() const { return FColWidth; }
  void SetDefaultColWidth(int w);
  int DefaultRowHeight() const { return FRowHeight; }
  void SetDefaultRowHeight(int h);
  int FixedCols() const { return FFixedCols; }
  void SetFixedCols(int n);
  int FixedRows() const { return FFixedRows; }
  void SetFixedRows(int n);
  int GridLineWidth() const { return FLineWidth; }
  void SetGridLineWidth(int w);
  unsigned Options() const { return FOptions; }
  void SetOptions(unsigned options);
  QColor Color() const { return FColor; }
  void SetColor(const QColor& c) { FColor = c; Invalidate(); }
  QColor LineColor() const { return FLineColor; }
  void SetLineColor(const QColor& c) { FLineColor = c; Invalidate(); }
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool on) { FDefaultDrawing = on; Invalidate(); }

  // The focus cell; moving it asks OnSelectCell first and collapses the selection onto it.
  int Col() const { return FCurrent.x(); }
  int Row() const { return FCurrent.y(); }
  void SetCol(int col) { FocusCell(col, Row(), true); }
  void SetRow(int row) { FocusCell(Col(), row, true); }
  // The selected range; its top-left is the cell that editing keys act on.
  TGridRect Selection() const;
  int LeftCol() const { return FLeftCol; }
  void SetLeftCol(int col);
  int TopRow() const { return FTopRow; }
  void SetTopRow(int row);
  int VisibleColCount() const;  // fully visible scrolling columns
  int VisibleRowCount() const;

  // Rectangle of a cell in viewport coordinates (empty when it is scrolled out of view).
  QRect CellRect(int col, int row) const;
  // Cell under a viewport point, or (-1, -1).
  QPoint MouseToCell(const QPoint& pos) const;
  // The painter of the paint in progress; null outside OnDrawCell.
  QPainter* Canvas() const { return FCanvas; }
  void Invalidate() { viewport()->update(); }
  void InvalidateCell(int col, int row) { viewport()->update(CellRect(col, row)); }
  // Paints every visible cell onto painter, as a paint event of the viewport would.
  void PaintCells(QPainter& painter, const QRect& area);

signals:
  void OnDrawCell(QObject* Sender, int ACol, int ARow, const QRect& Rect, TGridDrawState State);
  void OnSelectCell(QObject* Sender, int ACol, int ARow, bool& CanSelect);
  void OnKeyDown(QObject* Sender, quint16& Key, TShiftState Shift);
  void OnKeyPress(QObject* Sender, QChar& Key);

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  int ColX(int col) const;  // left edge of a column in viewport coordinates
  int RowY(int row) const;
  void FocusCell(int col, int row, bool moveAnchor);
  void ScrollToCurrent();
  void UpdateScrollBars();
  void ClampCells();
  void Initialize();
  bool HasFocusMark() const;

  int FColCount = 5, FRowCount = 5, FColWidth = 64, FRowHeight = 24;
  int FFixedCols = 1, FFixedRows = 1, FLineWidth = 1;
  unsigned FOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine;
  QColor FColor = Qt::white, FLineColor = QColor(0xC0, 0xC0, 0xC0);
  bool FDefaultDrawing = true;
  QPoint FCurrent{1, 1}, FAnchor{1, 1};
  int FLeftCol = 1, FTopRow = 1;
  bool FSyncingScroll = false;
  QPainter* FCanvas = nullptr;
};
