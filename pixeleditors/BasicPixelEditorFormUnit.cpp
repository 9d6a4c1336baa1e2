#include "BasicPixelEditorFormUnit.h"

#include "pixeleditors/GridZoom.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

// The glyphs live in the static package library, whose resource registration the linker would drop.
static void InitPixelEditorResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(PixelEditors);
    return true;
  }();
  (void)done;
}

namespace {
constexpr uint64_t kBlack = 0xFF000000u;
constexpr uint64_t kWhite = 0xFFFFFFFFu;

// Sees a control's events before the control does.
class TEventTap : public QObject {
public:
  // The tap answers whether the control must not see the event.
  TEventTap(QObject* watched, std::function<bool(QEvent*)> tap) : QObject(watched), FTap(std::move(tap)) {
    watched->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override { return FTap(event); }

private:
  std::function<bool(QEvent*)> FTap;
};
}  // namespace

TArduinoBasicPixelEditorForm::TArduinoBasicPixelEditorForm(QWidget* parent) : TForm(parent) {
  InitPixelEditorResources();
  LoadLayout(QStringLiteral(":/pixeleditors/layouts/BasicPixelEditorFormUnit.json"));
}

TArduinoBasicPixelEditorForm::TArduinoBasicPixelEditorForm(QWidget* parent, TOwnLayout) : TForm(parent) {
  InitPixelEditorResources();
}

TArduinoBasicPixelEditorForm::~TArduinoBasicPixelEditorForm() {
  // A rebuild still pending must not run on a form being torn down, nor the viewport's last events
  // reach the mouse tools.
  FMainThread.reset();
  delete FMouseTap;
}

void TArduinoBasicPixelEditorForm::BindControls() {
  Bind(Panel1, "Panel1");
  Bind(Panel2, "Panel2");
  Bind(Grid, "Grid");
  Bind(PreviewImage, "PreviewImage");
  Bind(ClearButton, "ClearButton");
  Bind(InvertButton, "InvertButton");
  Bind(OKButton, "OKButton");
  Bind(CancelButton, "CancelButton");
  Bind(StatusBar, "StatusBar");
  Bind(PopupMenu, "PopupMenu");
  Bind(ShiftLeft1, "ShiftLeft1");
  Bind(ShiftRight1, "ShiftRight1");
  Bind(ShiftUp1, "ShiftUp1");
  Bind(ShiftDown1, "ShiftDown1");
  Bind(MirrorHorizontal1, "MirrorHorizontal1");
  Bind(MirrorVertical1, "MirrorVertical1");
  Bind(Undo1, "Undo1");
  Bind(Redo1, "Redo1");
  Bind(SelectToolButton, "SelectToolButton");
  Bind(PencilToolButton, "PencilToolButton");
  Bind(LineToolButton, "LineToolButton");
  Bind(RectangleToolButton, "RectangleToolButton");
  Bind(FillToolButton, "FillToolButton");
}

void TArduinoBasicPixelEditorForm::FormCreate(QObject*) {
  FMainThread = TMainThreadExecute::Create();
  FHatchBrush = &HatchBrush();
  // The pixels hold the size; until the owner sets one they cover the grid's design size.
  FPixels.Resize(Grid->ColCount(), Grid->RowCount(), GetClearColor());
  // A layout gives one shortcut per item; redo has a second one.
  Redo1->setShortcuts({Redo1->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  new TEventTap(Grid, [this](QEvent* event) {
    if (event->type() == QEvent::KeyPress) GridKeyEvent(*static_cast<QKeyEvent*>(event));
    return false;
  });
  FZoom = new TGridZoom(Grid, StatusBar);
  for (TSpeedButton* b : {SelectToolButton, PencilToolButton, LineToolButton, RectangleToolButton, FillToolButton}) {
    b->setCheckable(true);
    b->setAutoExclusive(true);
  }
  SelectToolButton->setChecked(true);
  // The status bar follows the mouse only while a drawing tool is chosen.
  Grid->viewport()->setMouseTracking(true);
  FMouseTap = new TEventTap(Grid->viewport(), [this](QEvent* event) { return GridMouseEvent(event); });
}

void TArduinoBasicPixelEditorForm::BeginChange() {
  // Any other change (an undo by key, a resize) ends a stroke being drawn where it is: the cells it
  // would put back belong to an image that is no longer shown.
  FStroke = {};
  FHistory.Commit(FPixels, FPendingFold);
  FPendingFold.clear();
}

void TArduinoBasicPixelEditorForm::EndChange() { FHistory.Commit(FPixels); }

void TArduinoBasicPixelEditorForm::GridKeyEvent(const QKeyEvent& event) {
  // The change of the key before is recorded now, before this key's handlers run; this key's own
  // change waits for the next key or command, so that a burst of one key on one cell can fold.
  BeginChange();
  const TGridRect sel = Grid->Selection();
  FPendingFold = QStringLiteral("%1 %2 %3 %4:%5")
                     .arg(event.key())
                     .arg(int(event.modifiers()))
                     .arg(event.text())
                     .arg(sel.Left)
                     .arg(sel.Top);
}

void TArduinoBasicPixelEditorForm::Undo1Click(QObject*) {
  BeginChange();
  TPixelGrid image;
  if (FHistory.Undo(image)) ShowImage(std::move(image));
  UpdateCurrentInfo();  // as a Ctrl key on the grid did before it became a shortcut
}

void TArduinoBasicPixelEditorForm::Redo1Click(QObject*) {
  BeginChange();
  TPixelGrid image;
  if (FHistory.Redo(image)) ShowImage(std::move(image));
  UpdateCurrentInfo();
}

void TArduinoBasicPixelEditorForm::ShowImage(TPixelGrid image) {
  if (image.Width() != FPixels.Width() || image.Height() != FPixels.Height())
    SetPixelsSize({image.Width(), image.Height()});
  FPixels = std::move(image);
  RequestUpdate();
}

void TArduinoBasicPixelEditorForm::FormShow(QObject*) { StatusBar->SetSimpleText(QStringLiteral("0:0")); }

uint64_t TArduinoBasicPixelEditorForm::GetClearColor() { return kBlack; }

void TArduinoBasicPixelEditorForm::SetPixelsSize(const TSize& ASize) {
  const int cx = std::max(1, ASize.cx), cy = std::max(1, ASize.cy);
  Grid->SetColCount(cx);
  Grid->SetRowCount(cy);
  FPixels.Resize(cx, cy, GetClearColor());
  RequestUpdate();
  UpdateCurrentInfo();  // the grid may have moved the current cell inside the new size
}

TSize TArduinoBasicPixelEditorForm::GetPixelsSize() { return {FPixels.Width(), FPixels.Height()}; }

void TArduinoBasicPixelEditorForm::UpdateInfo(int X, int Y) {
  StatusBar->SetSimpleText(QStringLiteral("%1:%2").arg(X).arg(Y));
}

void TArduinoBasicPixelEditorForm::SetPixel(int X, int Y, uint64_t AValue) {
  if (X < 0 || Y < 0 || X >= FPixels.Width() || Y >= FPixels.Height()) return;
  FPixels.Set(X, Y, AValue);
  RequestUpdate();
}

uint64_t TArduinoBasicPixelEditorForm::GetPixel(int X, int Y) const {
  if (X < 0 || Y < 0 || X >= FPixels.Width() || Y >= FPixels.Height())
    throw ERangeError(QStringLiteral("Pixel %1:%2 is outside the %3 x %4 image").arg(X).arg(Y).arg(FPixels.Width()).arg(FPixels.Height()));
  return FPixels.Get(X, Y);
}

void TArduinoBasicPixelEditorForm::UpdateCurrentInfo() {
  const TGridRect sel = Grid->Selection();
  UpdateInfo(sel.Left, sel.Top);
}

void TArduinoBasicPixelEditorForm::RequestUpdate() {
  Grid->Invalidate();
  // Queue withdraws the rebuild still pending, so only the last request of a burst runs.
  FMainThread->Queue([this] { UpdateImage(); });
}

void TArduinoBasicPixelEditorForm::UpdateImage() {
  const int w = FPixels.Width(), h = FPixels.Height();
  if (w == 0 || h == 0) return;
  QImage bitmap = CreateBitmap(w, h, PixelFormat32bppRGB);
  {
    TBitmapData data(bitmap, ImageLockModeWrite, PixelFormat32bppRGB);
    for (int y = 0; y < h; ++y) {
      auto* sample = reinterpret_cast<uint32_t*>(data.ScanLine(y));
      const TPixelGrid::TRow& row = FPixels.Row(y);
      for (int x = 0; x < w; ++x) sample[x] = uint32_t(row[size_t(x)]);
    }
  }
  PreviewImage->SetPicture(std::move(bitmap));
}

void TArduinoBasicPixelEditorForm::GridDrawCell(QObject*, int ACol, int ARow, const QRect& Rect, TGridDrawState State) {
  const TAlphaColor c = TAlphaColor(GetPixel(ACol, ARow));
  DrawCell(Rect, State, [&](TGPGraphics& g, const QRect& r) { FillColorCell(g, r, c); });
}

void TArduinoBasicPixelEditorForm::DrawCell(const QRect& Rect, TGridDrawState State,
                                            const std::function<void(TGPGraphics&, const QRect&)>& paint) {
  const QRect r(0, 0, Rect.width(), Rect.height());
  if (FCellBitmap.size() != r.size()) FCellBitmap = CreateBitmap(r.width(), r.height(), PixelFormat32bppARGB);
  FCellBitmap.fill(0);  // every cell starts on a new, transparent bitmap
  {
    TGPGraphics g(&FCellBitmap);
    paint(g, r);
    if (State & gdFocused) g.FillEllipse(SolidBrush(MakeARGBColor(255, MakeColor(clHighlight))), r);
  }
  TGPGraphics(Grid->Canvas()).DrawImage(FCellBitmap, Rect.left(), Rect.top());
}

void TArduinoBasicPixelEditorForm::FillColorCell(TGPGraphics& g, const QRect& r, TAlphaColor c) const {
  if (GetAlpha(c) == 255) {
    g.FillRectangle(SolidBrush(c), r);
    return;
  }
  g.FillRectangle(*FHatchBrush, r);
  g.FillRectangle(SolidBrush(c), r);
  g.FillTriangle(SolidBrush(MakeARGBColor(255, c)), QPoint(r.x() + r.width(), r.y()),
                 QPoint(r.x() + r.width(), r.y() + r.height()), QPoint(r.x(), r.y() + r.height()));
}

void TArduinoBasicPixelEditorForm::GridSelectCell(QObject*, int ACol, int ARow, bool& CanSelect) {
  UpdateInfo(ACol, ARow);
  CanSelect = true;
}

void TArduinoBasicPixelEditorForm::GridKeyPress(QObject*, QChar& Key) {
  const TGridRect sel = Grid->Selection();
  const int x = sel.Left, y = sel.Top;
  switch (Key.unicode()) {
    case ' ': SetPixel(x, y, GetPixel(x, y) == kBlack ? kWhite : kBlack); break;
    case '*':
    case '+': SetPixel(x, y, kWhite); break;
    case '-': SetPixel(x, y, kBlack); break;
    default: break;
  }
  UpdateInfo(x, y);
}

void TArduinoBasicPixelEditorForm::ClearButtonClick(QObject*) {
  if (MessageDlg(QStringLiteral("Clear Image?"), mtConfirmation, MsgButtons({mbYes, mbNo}), 0, mbYes) != mrYes) return;
  ChangeAll([clear = GetClearColor()](TPixelGrid& pixels) { pixels.Fill(clear); });
}

void TArduinoBasicPixelEditorForm::InvertButtonClick(QObject*) { ChangeAll(&TPixelGrid::Invert); }

void TArduinoBasicPixelEditorForm::ShiftLeft1Click(QObject*) { ChangeAll(&TPixelGrid::ShiftLeft); }

void TArduinoBasicPixelEditorForm::ShiftRight1Click(QObject*) { ChangeAll(&TPixelGrid::ShiftRight); }

void TArduinoBasicPixelEditorForm::ShiftUp1Click(QObject*) { ChangeAll(&TPixelGrid::ShiftUp); }

void TArduinoBasicPixelEditorForm::ShiftDown1Click(QObject*) { ChangeAll(&TPixelGrid::ShiftDown); }

void TArduinoBasicPixelEditorForm::MirrorHorizontal1Click(QObject*) { ChangeAll(&TPixelGrid::MirrorHorizontal); }

void TArduinoBasicPixelEditorForm::MirroroVertical1Click(QObject*) { ChangeAll(&TPixelGrid::MirrorVertical); }

QString TArduinoBasicPixelEditorForm::DescribeValue(uint64_t value) {
  return QStringLiteral("#%1").arg(uint32_t(value), 8, 16, QLatin1Char('0')).toUpper();
}

void TArduinoBasicPixelEditorForm::SetTool(TPixelTool tool) {
  FTool = tool;
  const TGridRect sel = Grid->Selection();
  FInk = GetPixel(sel.Left, sel.Top);
  TSpeedButton* buttons[] = {SelectToolButton, PencilToolButton, LineToolButton, RectangleToolButton, FillToolButton};
  buttons[int(tool)]->setChecked(true);
  Grid->viewport()->setCursor(tool == TPixelTool::Select ? Qt::ArrowCursor : Qt::CrossCursor);
  if (tool == TPixelTool::Select) UpdateCurrentInfo();
  else ShowHover({sel.Left, sel.Top});
}

void TArduinoBasicPixelEditorForm::SelectToolButtonClick(QObject*) { SetTool(TPixelTool::Select); }
void TArduinoBasicPixelEditorForm::PencilToolButtonClick(QObject*) { SetTool(TPixelTool::Pencil); }
void TArduinoBasicPixelEditorForm::LineToolButtonClick(QObject*) { SetTool(TPixelTool::Line); }
void TArduinoBasicPixelEditorForm::RectangleToolButtonClick(QObject*) { SetTool(TPixelTool::Rectangle); }
void TArduinoBasicPixelEditorForm::FillToolButtonClick(QObject*) { SetTool(TPixelTool::Fill); }

void TArduinoBasicPixelEditorForm::ShowHover(QPoint cell) {
  UpdateInfo(cell.x(), cell.y());
  StatusBar->SetSimpleText(StatusBar->SimpleText() + QStringLiteral("   Ink: ") + DescribeValue(FInk));
}

void TArduinoBasicPixelEditorForm::DrawCells(const std::vector<QPoint>& cells, uint64_t value) {
  const int w = FPixels.Width(), h = FPixels.Height();
  for (QPoint c : cells) {
    if (c.x() < 0 || c.y() < 0 || c.x() >= w || c.y() >= h || FPixels.Get(c.x(), c.y()) == value) continue;
    FPixels.Set(c.x(), c.y(), value);
    Grid->InvalidateCell(c.x(), c.y());
  }
  FMainThread->Queue([this] { UpdateImage(); });
}

void TArduinoBasicPixelEditorForm::DrawShape(QPoint to, bool constrain) {
  // Back to the cells as they were, last first, so that a cell covered twice gets its first value.
  for (auto it = FStroke.Under.rbegin(); it != FStroke.Under.rend(); ++it) {
    if (it->first.x() >= FPixels.Width() || it->first.y() >= FPixels.Height()) continue;
    FPixels.Set(it->first.x(), it->first.y(), it->second);
    Grid->InvalidateCell(it->first.x(), it->first.y());
  }
  FStroke.Under.clear();
  const std::vector<QPoint> cells =
      FTool == TPixelTool::Line ? LineCells(FStroke.Start, constrain ? ConstrainedEnd(FStroke.Start, to) : to)
                                : RectangleCells(FStroke.Start, to);
  for (QPoint c : cells)
    if (c.x() >= 0 && c.y() >= 0 && c.x() < FPixels.Width() && c.y() < FPixels.Height())
      FStroke.Under.push_back({c, FPixels.Get(c.x(), c.y())});
  DrawCells(cells, FStroke.Value);
}

bool TArduinoBasicPixelEditorForm::GridMouseEvent(QEvent* event) {
  const QEvent::Type type = event->type();
  if (FTool == TPixelTool::Select && !FStroke.Active) {
    // Alt+click picks the ink in every tool; the grid still selects the cell.
    if (type == QEvent::MouseButtonPress) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      const QPoint cell = Grid->MouseToCell(mouse->position().toPoint());
      if ((mouse->modifiers() & Qt::AltModifier) && cell.x() >= 0) FInk = GetPixel(cell.x(), cell.y());
    }
    return false;
  }
  // The right button draws: no menu on the grid's cells while a drawing tool is chosen.
  if (type == QEvent::ContextMenu) return true;
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) return false;
  auto* mouse = static_cast<QMouseEvent*>(event);
  const QPoint cell = Grid->MouseToCell(mouse->position().toPoint());
  const bool inside = cell.x() >= 0 && cell.y() >= 0;
  if (type == QEvent::MouseButtonPress) {
    Grid->setFocus(Qt::MouseFocusReason);
    if (FStroke.Active || !inside) return true;
    if (mouse->modifiers() & Qt::AltModifier) {
      FInk = GetPixel(cell.x(), cell.y());
      ShowHover(cell);
      return true;
    }
    if (mouse->button() != Qt::LeftButton && mouse->button() != Qt::RightButton) return true;
    const uint64_t value = mouse->button() == Qt::LeftButton ? FInk : GetClearColor();
    BeginChange();
    if (FTool == TPixelTool::Fill) {
      const QRect changed = FloodFill(FPixels, cell, value);
      if (!changed.isEmpty()) RequestUpdate();
      EndChange();
      ShowHover(cell);
      return true;
    }
    FStroke = {true, value, cell, cell, {}};
    if (FTool == TPixelTool::Pencil) DrawCells({cell}, value);
    else DrawShape(cell, false);
  } else if (type == QEvent::MouseMove) {
    if (inside) ShowHover(cell);
    if (!FStroke.Active || !inside || cell == FStroke.Last) return true;
    // A fast move leaves no gap: the cells between the two positions are drawn too.
    if (FTool == TPixelTool::Pencil) DrawCells(LineCells(FStroke.Last, cell), FStroke.Value);
    else DrawShape(cell, mouse->modifiers() & Qt::ShiftModifier);
    FStroke.Last = cell;
  } else if (FStroke.Active && mouse->buttons() == Qt::NoButton) {
    if (FTool != TPixelTool::Pencil && inside && cell != FStroke.Last) DrawShape(cell, mouse->modifiers() & Qt::ShiftModifier);
    FStroke = {};
    EndChange();
  }
  return true;
}
