#include "GrayscaleAlphaColorInplaceFormUnit.h"

#include <optional>

// The layouts live in the static package library, whose resource registration the linker would drop.
static void InitPropertyEditorResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(PropertyEditors);
    return true;
  }();
  (void)done;
}

namespace {
// Set while the form moves its own track bars or reports a change; cleared also when that raises,
// so a failed store does not leave the form deaf to the user.
class TUpdating {
public:
  explicit TUpdating(bool& flag) : FFlag(flag) { FFlag = true; }
  ~TUpdating() { FFlag = false; }
  TUpdating(const TUpdating&) = delete;
  TUpdating& operator=(const TUpdating&) = delete;

private:
  bool& FFlag;
};

// Handlers connected by code report their errors where they are called, as the layout's do: no
// exception may unwind through Qt's mouse event delivery.
template <class F>
void Reporting(F&& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    TApplication::ShowException(error);
  }
}
}  // namespace

// ------------------------------------------------------------------------------------------- the form

TArduinoGrayscaleAlphaColorInplaceForm::TArduinoGrayscaleAlphaColorInplaceForm(QWidget* owner, IModifiable* modifiable,
                                                                               IDesigner* designer,
                                                                               TChangeCallback onChange)
    : TBasicInplaceForm(owner, modifiable, designer, std::move(onChange)) {
  InitPropertyEditorResources();
  LoadLayout(QStringLiteral(":/propertyeditors/layouts/GrayscaleAlphaColorInplaceFormUnit.json"));
  // Labels fit their captions, as classic labels do: the layout's sizes are those of its own font,
  // and a wider substitute would cut the captions off.
  for (TLabel* label : {Label1, Label2}) label->adjustSize();
}

void TArduinoGrayscaleAlphaColorInplaceForm::BindControls() {
  TBasicInplaceForm::BindControls();
  Bind(Label1, "Label1");
  Bind(Label2, "Label2");
  Bind(TrackBarValue, "TrackBarValue");
  Bind(TrackBarAlpha, "TrackBarAlpha");
}

void TArduinoGrayscaleAlphaColorInplaceForm::FormCreate(QObject*) {
  for (TTrackBar* bar : {TrackBarValue, TrackBarAlpha}) {
    connect(bar, &TTrackBar::OnMouseDown, this,
            [this](QObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
              Reporting([&] { FormMouseDown(sender, button, shift, x, y); });
            });
    connect(bar, &TTrackBar::OnMouseUp, this,
            [this](QObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
              Reporting([&] { FormMouseUp(sender, button, shift, x, y); });
            });
  }
}

void TArduinoGrayscaleAlphaColorInplaceForm::SetColor(uint16_t AValue) {
  if (FInUpdate) return;
  const TUpdating updating(FInUpdate);
  TrackBarValue->setValue(AValue & 0xFF);
  TrackBarAlpha->setValue(AValue >> 8);
}

uint16_t TArduinoGrayscaleAlphaColorInplaceForm::GetColor() const {
  return uint16_t((TrackBarAlpha->value() << 8) | TrackBarValue->value());
}

void TArduinoGrayscaleAlphaColorInplaceForm::TrackBarValueChange(QObject*) {
  if (FInUpdate) return;
  const TUpdating updating(FInUpdate);
  emit OnColorChange(this);
}

void TArduinoGrayscaleAlphaColorInplaceForm::FormMouseDown(QObject*, TMouseButton, TShiftState, int, int) {
  emit OnEditorEnter(this);
}

void TArduinoGrayscaleAlphaColorInplaceForm::FormMouseUp(QObject*, TMouseButton, TShiftState, int, int) {
  emit OnEditorLeave(this);
}

// -------------------------------------------------------------------------------- the property editor

TGrayscaleAlphaColorPropertyEditor::TGrayscaleAlphaColorPropertyEditor(IDesigner* designer,
                                                                       const QList<QObject*>& instances,
                                                                       const QByteArray& propertyName)
    : TBasicIntegerPropertyEditor(designer, instances, propertyName) {
  // Only a property of a design can be edited in place; others are edited as text.
  const QObject* member = GetFirstMemberUnsafe();
  if (!member || GetMemberKind(member) != mkDesignProperty) return;
  FFormController = std::make_unique<TInplaceEditorFormController<TArduinoGrayscaleAlphaColorInplaceForm>>(
      [this] {
        auto form = std::make_unique<TArduinoGrayscaleAlphaColorInplaceForm>(
            nullptr, this, GetDesigner(), [this](TBasicInplaceForm* sender) { FormChanged(sender); });
        form->SetColor(FirstColor());
        return form.release();
      },
      nullptr);  // a placed form needs nothing more
}

uint16_t TGrayscaleAlphaColorPropertyEditor::ToColor(const QVariant& value) {
  const QMetaType type = value.metaType();
  if (type == QMetaType::fromType<TArduinoGrayscaleAlphaColor>())
    return value.value<TArduinoGrayscaleAlphaColor>().Value;
  switch (type.id()) {
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::SChar:
    case QMetaType::Char: {
      const qlonglong n = value.toLongLong();
      if (n >= 0 && n <= 0xFFFF) return uint16_t(n);
      break;
    }
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::UChar: {
      const qulonglong n = value.toULongLong();
      if (n <= 0xFFFF) return uint16_t(n);
      break;
    }
    default:
      break;
  }
  throw EInvalidCast();
}

QString TGrayscaleAlphaColorPropertyEditor::DisplayText(const QVariant& value) {
  return HexDisplayPrefix() + QStringLiteral("%1").arg(ToColor(value), 4, 16, QLatin1Char('0')).toUpper();
}

uint16_t TGrayscaleAlphaColorPropertyEditor::FirstColor() {
  const QVariantList values = GetInstanceValues();
  if (values.isEmpty()) throw EInvalidCast();
  return ToColor(values.front());
}

void TGrayscaleAlphaColorPropertyEditor::SetInstanceValues(const QVariant& value) {
  TBasicIntegerPropertyEditor::SetInstanceValues(value);
  UpdateInplaceForms();
}

QString TGrayscaleAlphaColorPropertyEditor::GetDefaultStringValue() {
  const QVariantList values = GetInstanceValues();
  if (values.isEmpty()) throw EInvalidCast();
  return DisplayText(values.front());
}

QStringList TGrayscaleAlphaColorPropertyEditor::GetStringValuesInternal() {
  QStringList texts;
  for (const QVariant& value : GetInstanceValues()) texts << DisplayText(value);
  return texts;
}

void TGrayscaleAlphaColorPropertyEditor::UpdateInplaceForms() {
  if (!FFormController) return;
  std::optional<uint16_t> color;  // read only when a form shows it
  for (const TInplaceFormInfo& info : FFormController->GetForms()) {
    auto* form = qobject_cast<TArduinoGrayscaleAlphaColorInplaceForm*>(info.Form);
    if (!form) continue;
    if (!color) color = FirstColor();
    form->SetColor(*color);
  }
}

void TGrayscaleAlphaColorPropertyEditor::FormChanged(TBasicInplaceForm* sender) {
  if (!FFormController) return;
  // Every entry of the form, not only the first: the host may list a form once per row.
  for (const TInplaceFormInfo& info : FFormController->GetForms()) {
    auto* form = qobject_cast<TArduinoGrayscaleAlphaColorInplaceForm*>(info.Form);
    if (!form || info.Form != sender) continue;
    SetInstanceValues(QVariant::fromValue(TArduinoGrayscaleAlphaColor{form->GetColor()}));
    if (info.UIUpdate) {
      info.UIUpdate->MemberChanged();
      info.UIUpdate->UpdateMember(true);
    }
  }
}

void TGrayscaleAlphaColorPropertyEditor::DrawValue(TGPGraphics& graphics, int, int, QRect& rect, int) {
  const QStringList texts = GetStringValues();
  if (texts.isEmpty() || texts.front().isEmpty()) return;
  const auto value = uint16_t(StrToIntDef(texts.front(), 0));
  const auto gray = uint8_t(value), alpha = uint8_t(value >> 8);
  // Twice as wide as high, inset by a pixel; the right half shows the colour without its alpha.
  const int h = rect.height();
  const QRectF swatch(rect.x() + 1, rect.y() + 1, 2 * h - 3, h - 3);
  const TAlphaColor color = MakeColor(alpha, gray, gray, gray);
  const TAlphaColor opaque = MakeARGBColor(255, color);
  graphics.FillRectangle(HatchBrush(), swatch);
  graphics.FillRectangle(SolidBrush(color), swatch);
  graphics.FillRectangle(SolidBrush(opaque),
                         QRectF(swatch.left() + swatch.width() / 2, swatch.top(), swatch.width() / 2, swatch.height()));
  graphics.DrawRectangle(gray > 0xC0 ? 0xFF000000u : opaque, 1.0f, swatch.toRect());
  AdjustValueRect(rect);
}

void TGrayscaleAlphaColorPropertyEditor::AdjustValueRect(QRect& rect) {
  rect.setLeft(rect.left() + 2 * rect.height());  // the right edge stays
}

// ------------------------------------------------------------------------------------- registration

namespace Velto::Arduino::GrayscaleAlphaColorInplaceFormUnit {
void StartUp() {
  RegisterPropertyEditor(QMetaType::fromType<TArduinoGrayscaleAlphaColor>(),
                         &TGrayscaleAlphaColorPropertyEditor::staticMetaObject);
}
}  // namespace Velto::Arduino::GrayscaleAlphaColorInplaceFormUnit
