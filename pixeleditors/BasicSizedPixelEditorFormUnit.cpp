#include "BasicSizedPixelEditorFormUnit.h"

#include <algorithm>

TBasicSizedPixelEditorForm::TBasicSizedPixelEditorForm(QWidget* parent) : TArduinoBasicPixelEditorForm(parent, TOwnLayout{}) {
  LoadLayout(QStringLiteral(":/pixeleditors/layouts/BasicSizedPixelEditorFormUnit.json"));
}

TBasicSizedPixelEditorForm::TBasicSizedPixelEditorForm(QWidget* parent, TOwnLayout layout)
    : TArduinoBasicPixelEditorForm(parent, layout) {}

TBasicSizedPixelEditorForm::~TBasicSizedPixelEditorForm() {
  // Focus leaving a spin edit while the form is torn down must not resize anything.
  if (WidthSpinEdit) WidthSpinEdit->disconnect(this);
  if (HeightSpinEdit) HeightSpinEdit->disconnect(this);
}

void TBasicSizedPixelEditorForm::BindControls() {
  TArduinoBasicPixelEditorForm::BindControls();
  Bind(Label1, "Label1");
  Bind(Label2, "Label2");
  Bind(WidthSpinEdit, "WidthSpinEdit");
  Bind(HeightSpinEdit, "HeightSpinEdit");
  Bind(RotateLeft1, "RotateLeft1");
  Bind(RotateRight1, "RotateRight1");
}

void TBasicSizedPixelEditorForm::AttachChange() {
  for (TSpinEdit* edit : {WidthSpinEdit, HeightSpinEdit})
    connect(edit, &TSpinEdit::OnChange, this, &TBasicSizedPixelEditorForm::SpinEditChange, Qt::UniqueConnection);
}

void TBasicSizedPixelEditorForm::DetachChange() {
  for (TSpinEdit* edit : {WidthSpinEdit, HeightSpinEdit})
    disconnect(edit, &TSpinEdit::OnChange, this, &TBasicSizedPixelEditorForm::SpinEditChange);
}

void TBasicSizedPixelEditorForm::SetPixelsSize(const TSize& ASize) {
  const TSize limited{std::clamp(ASize.cx, 1, MaxSide), std::clamp(ASize.cy, 1, MaxSide)};
  TArduinoBasicPixelEditorForm::SetPixelsSize(limited);
  DetachChange();
  WidthSpinEdit->SetValue(Grid->ColCount());
  HeightSpinEdit->SetValue(Grid->RowCount());
  AttachChange();
  for (TSpinEdit* edit : {WidthSpinEdit, HeightSpinEdit})
    connect(edit, &TSpinEdit::OnExit, this, &TBasicSizedPixelEditorForm::SpinEditExit, Qt::UniqueConnection);
}

void TBasicSizedPixelEditorForm::SpinEditChange(QObject*) {
  OKButton->SetDefault(true);
  CancelButton->SetCancel(true);
  BeginChange();
  SetPixelsSize({WidthSpinEdit->Value(), HeightSpinEdit->Value()});
  EndChange();
}

void TBasicSizedPixelEditorForm::SpinEditExit(QObject*) {
  BeginChange();
  SetPixelsSize({WidthSpinEdit->Value(), HeightSpinEdit->Value()});
  EndChange();
}

void TBasicSizedPixelEditorForm::EnterTypingMode() {
  DetachChange();
  OKButton->SetDefault(false);
  CancelButton->SetCancel(false);
}

void TBasicSizedPixelEditorForm::WidthSpinEditKeyDown(QObject* Sender, quint16& Key, TShiftState) {
  if (Key == VK_BACK || Key == VK_DELETE) {
    EnterTypingMode();
  } else if (Key == VK_RETURN) {
    AttachChange();
    SpinEditChange(Sender);
    Key = 0;
  }
}

void TBasicSizedPixelEditorForm::WidthSpinEditKeyPress(QObject*, QChar& Key) {
  if (Key >= QLatin1Char('0') && Key <= QLatin1Char('9')) EnterTypingMode();
}

void TBasicSizedPixelEditorForm::RotateLeft1Click(QObject*) { Rotate(FPixels.RotatedLeft()); }

void TBasicSizedPixelEditorForm::RotateRight1Click(QObject*) { Rotate(FPixels.RotatedRight()); }

void TBasicSizedPixelEditorForm::Rotate(TPixelGrid rotated) {
  BeginChange();
  SetPixelsSize({rotated.Width(), rotated.Height()});
  FPixels = std::move(rotated);
  EndChange();
  RequestUpdate();
  UpdateCurrentInfo();  // the current cell holds another pixel now
}
