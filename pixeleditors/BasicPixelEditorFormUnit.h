#pragma once
// Module Velto.Arduino.BasicPixelEditorFormUnit: the base of every pixel bitmap dialog.

#include "package/hostapi/Graphics.h"
#include "package/hostapi/Runtime.h"
#include "package/hostapi/Toolkit.h"
#include "pixeleditors/PixelGrid.h"
#include "pixeleditors/PixelHistory.h"
#include "runtime/Size.h"

#include <functional>
#include <memory>

class TGridZoom;

// What the mouse does on the grid: only select cells (the default), or draw.
enum class TPixelTool { Select, Pencil, Line, Rectangle, Fill };

// A modal dialog that edits a grid of 64-bit pixels, shown enlarged one cell per pixel with a live
// preview at true size. The low 32 bits are drawn and inverted as an ARGB colour; descendants give
// the pixels their own meaning by replacing the clear colour, the status text, the cell painting
// and the keys. Every change the user makes is one step of an undo history (Ctrl+Z, Ctrl+Y and
// Ctrl+Shift+Z on the grid); Ctrl and the mouse wheel, or the status bar's selector, zoom the grid.
// The tool buttons let the mouse draw: the left button with the ink, the right one with the clear
// colour, Alt+click picks the ink from a cell; each stroke, line, rectangle or fill is one step.
class TArduinoBasicPixelEditorForm : public TForm {
  Q_OBJECT
public:
  explicit TArduinoBasicPixelEditorForm(QWidget* parent = nullptr);
  ~TArduinoBasicPixelEditorForm() override;

  // The family's virtual operations, in this order.
  virtual uint64_t GetClearColor();
  virtual void SetPixelsSize(const TSize& ASize);
  virtual TSize GetPixelsSize();
  virtual void UpdateInfo(int X, int Y);

  // A position outside the grid is ignored.
  void SetPixel(int X, int Y, uint64_t AValue);
  // A position outside the grid raises ERangeError.
  uint64_t GetPixel(int X, int Y) const;
  // Repaints the grid now and rebuilds the preview once the current handler has returned; a burst
  // of requests ends in one rebuild.
  void RequestUpdate();
  void UpdateImage();

  // Controls of the layout.
  TPanel* Panel1 = nullptr;
  TPanel* Panel2 = nullptr;
  TDrawGrid* Grid = nullptr;
  TImage* PreviewImage = nullptr;
  TButton* ClearButton = nullptr;
  TButton* InvertButton = nullptr;
  TButton* OKButton = nullptr;
  TButton* CancelButton = nullptr;
  TStatusBar* StatusBar = nullptr;
  TPopupMenu* PopupMenu = nullptr;
  TMenuItem* ShiftLeft1 = nullptr;
  TMenuItem* ShiftRight1 = nullptr;
  TMenuItem* ShiftUp1 = nullptr;
  TMenuItem* ShiftDown1 = nullptr;
  TMenuItem* MirrorHorizontal1 = nullptr;
  TMenuItem* MirrorVertical1 = nullptr;
  TMenuItem* Undo1 = nullptr;
  TMenuItem* Redo1 = nullptr;

  TSpeedButton* SelectToolButton = nullptr;
  TSpeedButton* PencilToolButton = nullptr;
  TSpeedButton* LineToolButton = nullptr;
  TSpeedButton* RectangleToolButton = nullptr;
  TSpeedButton* FillToolButton = nullptr;

  TGridZoom* Zoom() const { return FZoom; }
  TPixelTool Tool() const { return FTool; }
  // Choosing a tool takes the current cell's value as the ink.
  void SetTool(TPixelTool tool);
  uint64_t Ink() const { return FInk; }

public slots:
  virtual void GridDrawCell(QObject* Sender, int ACol, int ARow, const QRect& Rect, TGridDrawState State);
  virtual void GridSelectCell(QObject* Sender, int ACol, int ARow, bool& CanSelect);
  virtual void GridKeyPress(QObject* Sender, QChar& Key);
  virtual void FormShow(QObject* Sender);
  virtual void FormCreate(QObject* Sender);
  virtual void ClearButtonClick(QObject* Sender = nullptr);
  virtual void InvertButtonClick(QObject* Sender = nullptr);
  virtual void ShiftLeft1Click(QObject* Sender = nullptr);
  virtual void ShiftRight1Click(QObject* Sender = nullptr);
  virtual void ShiftUp1Click(QObject* Sender = nullptr);
  virtual void ShiftDown1Click(QObject* Sender = nullptr);
  virtual void MirrorHorizontal1Click(QObject* Sender = nullptr);  // top and bottom exchange
  virtual void MirroroVertical1Click(QObject* Sender = nullptr);   // left and right exchange
  virtual void Undo1Click(QObject* Sender = nullptr);
  virtual void Redo1Click(QObject* Sender = nullptr);
  virtual void SelectToolButtonClick(QObject* Sender = nullptr);
  virtual void PencilToolButtonClick(QObject* Sender = nullptr);
  virtual void LineToolButtonClick(QObject* Sender = nullptr);
  virtual void RectangleToolButtonClick(QObject* Sender = nullptr);
  virtual void FillToolButtonClick(QObject* Sender = nullptr);

protected:
  // For descendants, whose constructors load their own layout.
  struct TOwnLayout {};
  TArduinoBasicPixelEditorForm(QWidget* parent, TOwnLayout);
  void BindControls() override;
  // The status text for the current cell, after a change that may have moved it or its value.
  void UpdateCurrentInfo();
  // Around every change the user makes other than a key (keys are followed by the grid): what
  // happens between the two is one undo step.
  void BeginChange();
  void EndChange();
  // A whole-image operation of the pixel model as one undo step, then the repaint and the status
  // text.
  template <class F>
  void ChangeAll(F&& operation) {
    BeginChange();
    std::invoke(std::forward<F>(operation), FPixels);
    EndChange();
    RequestUpdate();
    UpdateCurrentInfo();
  }
  // Paints one cell off screen: `paint` fills the cell bitmap (its rectangle starts at 0, 0), then
  // the focus mark is added and the bitmap copied onto the grid at the cell's place.
  void DrawCell(const QRect& Rect, TGridDrawState State, const std::function<void(TGPGraphics&, const QRect&)>& paint);
  // A colour cell: opaque colours fill it; others show over the transparency pattern in the upper
  // left half and without their transparency in the lower right half.
  void FillColorCell(TGPGraphics& g, const QRect& r, TAlphaColor c) const;
  // A value in words for the status bar's ink; the ARGB word by default.
  virtual QString DescribeValue(uint64_t value);

  std::shared_ptr<IMainThreadExecute> FMainThread;
  TPixelGrid FPixels;
  const QBrush* FHatchBrush = nullptr;

private:
  void GridKeyEvent(const QKeyEvent& event);
  // True when the event was a drawing tool's and the grid must not see it.
  bool GridMouseEvent(QEvent* event);
  // Cells set one by one, each repainted alone, the preview rebuilt once later.
  void DrawCells(const std::vector<QPoint>& cells, uint64_t value);
  // Line and rectangle follow the mouse: the shape drawn last is taken back before the next.
  void DrawShape(QPoint to, bool constrain);
  void ShowHover(QPoint cell);
  void ShowImage(TPixelGrid image);

  QImage FCellBitmap;  // reused by every cell of a paint
  TPixelHistory FHistory;
  QString FPendingFold;  // the key and cell of the last key press, whose change is not yet recorded
  TGridZoom* FZoom = nullptr;
  QObject* FMouseTap = nullptr;  // the mouse tools' filter on the grid's viewport
  TPixelTool FTool = TPixelTool::Select;
  uint64_t FInk = 0xFF000000u;
  struct TStroke {
    bool Active = false;
    uint64_t Value = 0;
    QPoint Start, Last;
    std::vector<std::pair<QPoint, uint64_t>> Under;  // the cells the shape covers, as they were
  } FStroke;
};
