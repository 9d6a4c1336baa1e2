#include "BasicSizedPixelEditorFormUnit.h"

#include "ui_BasicSizedPixelEditorFormUnit.h"

#include <algorithm>

namespace {
constexpr int kMaxSide = 255;
}

TBasicSizedPixelEditorForm::TBasicSizedPixelEditorForm(QWidget* parent) : TArduinoBasicPixelEditorForm(parent, TOwnLayout{}) {
  Ui::BasicSizedPixelEditorForm().setupUi(this);
  Loaded();
}

TBasicSizedPixelEditorForm::TBasicSizedPixelEditorForm(QWidget* parent, TOwnLayout layout)
    : TArduinoBasicPixelEditorForm(parent, layout) {}

TBasicSizedPixelEditorForm::~TBasicSizedPixelEditorForm() {
  // Focus leaving a spin edit while the form is torn down must not resize anything.
  if (WidthSpinEdit) WidthSpinEdit->disconnect(this);
  if (HeightSpinEdit) HeightSpinEdit->disconnect(this);
}

void TBasicSizedPixelEditorForm::Loaded() {
  Label1 = findChild<TLabel*>(QStringLiteral("Label1"));
  Label2 = findChild<TLabel*>(QStringLiteral("Label2"));
  WidthSpinEdit = findChild<TSpinEdit*>(QStringLiteral("WidthSpinEdit"));
  HeightSpinEdit = findChild<TSpinEdit*>(QStringLiteral("HeightSpinEdit"));
  RotateLeft1 = findChild<TMenuItem*>(QStringLiteral("RotateLeft1"));
  RotateRight1 = findChild<TMenuItem*>(QStringLiteral("RotateRight1"));
  VELTO_ASSERT(Label1 && Label2 && WidthSpinEdit && HeightSpinEdit && RotateLeft1 && RotateRight1);
  TArduinoBasicPixelEditorForm::Loaded();
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
  const TSize limited{std::clamp(ASize.cx, 1, kMaxSide), std::clamp(ASize.cy, 1, kMaxSide)};
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
  SetPixelsSize({WidthSpinEdit->Value(), HeightSpinEdit->Value()});
}

void TBasicSizedPixelEditorForm::SpinEditExit(QObject*) {
  SetPixelsSize({WidthSpinEdit->Value(), HeightSpinEdit->Value()});
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

void TBasicSizedPixelEditorForm::RotateLeft1Click(QObject*) {
  const TSize old = GetPixelsSize();
  TPixelGrid rotated = FPixels.RotatedLeft();
  SetPixelsSize({old.cy, old.cx});
  FPixels = std::move(rotated);
  RequestUpdate();
}

void TBasicSizedPixelEditorForm::RotateRight1Click(QObject*) {
  const TSize old = GetPixelsSize();
  TPixelGrid rotated = FPixels.RotatedRight();
  SetPixelsSize({old.cy, old.cx});
  FPixels = std::move(rotated);
  RequestUpdate();
}
