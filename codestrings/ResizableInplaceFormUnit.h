#pragma once
// Module Velto.ResizableInplaceFormUnit: an in-place form whose height the user drags.

#include "package/hostapi/DesignFramework.h"
#include "package/hostapi/Toolkit.h"

// The grip strip along the bottom of a resizable in-place form.
class TResizePanel : public TPanel {
  Q_OBJECT
public:
  explicit TResizePanel(QWidget* parent = nullptr);
};

// Base of the in-place forms that the user makes taller or shorter by dragging the grip at their
// bottom edge with the left button. The form's minimum height is the only limit.
class TResizableInplaceForm : public TBasicInplaceForm {
  Q_OBJECT
public:
  TResizableInplaceForm(QWidget* owner, IModifiable* modifiable, IDesigner* designer, TChangeCallback onChange);

  TResizePanel* ResizePanel = nullptr;

public slots:
  virtual void ResizePanelMouseDown(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void ResizePanelMouseMove(QObject* Sender, TShiftState Shift, int X, int Y);
  virtual void ResizePanelMouseUp(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

protected:
  // For descendants, whose constructors load their own layout.
  struct TOwnLayout {};
  TResizableInplaceForm(QWidget* owner, IModifiable* modifiable, IDesigner* designer, TChangeCallback onChange,
                        TOwnLayout);
  void BindControls() override;

private:
  // The vertical position in the form of a point given in the grip's coordinates.
  int FormY(int X, int Y) const;
  bool FResizing = false;
  int FHeightOffset = 0;  // client height minus the press point's y when the drag began
};

// The module's resources and control classes, ready before its first form is made.
void InitCodeStringsModule();
