#include "codestrings/ResizableInplaceFormUnit.h"

// The layouts live in the static package library, whose resource registration the linker would drop.
void InitCodeStringsModule() {
  static const bool done = [] {
    Q_INIT_RESOURCE(CodeStrings);
    RegisterLayoutClass(QStringLiteral("TResizePanel"),
                        [](QObject* parent) -> QObject* { return new TResizePanel(qobject_cast<QWidget*>(parent)); });
    return true;
  }();
  (void)done;
}

TResizePanel::TResizePanel(QWidget* parent) : TPanel(parent) {}

TResizableInplaceForm::TResizableInplaceForm(QWidget* owner, IModifiable* modifiable, IDesigner* designer,
                                             TChangeCallback onChange)
    : TBasicInplaceForm(owner, modifiable, designer, std::move(onChange)) {
  InitCodeStringsModule();
  LoadLayout(QStringLiteral(":/codestrings/layouts/ResizableInplaceFormUnit.json"));
}

TResizableInplaceForm::TResizableInplaceForm(QWidget* owner, IModifiable* modifiable, IDesigner* designer,
                                             TChangeCallback onChange, TOwnLayout)
    : TBasicInplaceForm(owner, modifiable, designer, std::move(onChange)) {
  InitCodeStringsModule();
}

void TResizableInplaceForm::BindControls() { Bind(ResizePanel, "ResizePanel"); }

int TResizableInplaceForm::FormY(int X, int Y) const { return mapFromGlobal(ResizePanel->mapToGlobal(QPoint(X, Y))).y(); }

void TResizableInplaceForm::ResizePanelMouseDown(QObject*, TMouseButton Button, TShiftState, int X, int Y) {
  if (Button != mbLeft) return;
  // Moves keep coming to the grip when the mouse leaves the form.
  if (ResizePanel->isVisible()) ResizePanel->grabMouse();
  FHeightOffset = ClientHeight() - FormY(X, Y);
  FResizing = true;
}

void TResizableInplaceForm::ResizePanelMouseMove(QObject*, TShiftState, int X, int Y) {
  if (!FResizing) return;
  // The grip follows the bottom edge, so the mouse keeps its distance from it.
  SetClientHeight(FHeightOffset + FormY(X, Y));
}

void TResizableInplaceForm::ResizePanelMouseUp(QObject*, TMouseButton Button, TShiftState, int, int) {
  if (!FResizing || Button != mbLeft) return;
  ResizePanel->releaseMouse();
  FResizing = false;
}
