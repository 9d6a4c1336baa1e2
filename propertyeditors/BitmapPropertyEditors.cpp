#include "BitmapPropertyEditors.h"

#include "pixeleditors/AlphaColorBitmapEditorFormUnit.h"
#include "pixeleditors/AlphaRGBWColorBitmapEditorFormUnit.h"
#include "pixeleditors/BasicMonochromeBitmapEditorFormUnit.h"
#include "pixeleditors/BasicMonochromeTransparencyBitmapEditorFormUnit.h"

namespace {
using TColorPixels = TArduinoColorGraphicsElementDrawBitmapPixels;
using TRGBWPixels = TArduinoRGBWGraphicsElementDrawBitmapPixels;
using TMonochromePixels = TArduinoMonochromeGraphicsElementDrawBitmapPixels;
using TTransparencyPixels = TArduinoMonochromeGraphicsElementDrawBitmapTransparencyPixels;
using TTransparency = TArduinoMonochromeGraphicsTransparencyPixelColor;

template <class T>
const T& As(const TArduinoGraphicsElementDrawBitmapBasicPixels& pixels) {
  return static_cast<const T&>(pixels);  // Pixels() checked the class
}
template <class T>
T& As(TArduinoGraphicsElementDrawBitmapBasicPixels& pixels) {
  return static_cast<T&>(pixels);
}
}  // namespace

// ------------------------------------------------------------------------------------------ the flow

TArduinoGraphicsBitmapPropertyEditor::TPixels& TArduinoGraphicsBitmapPropertyEditor::Pixels() {
  const QVariantList values = GetInstanceValues();
  QObject* value = values.isEmpty() ? nullptr : values.front().value<QObject*>();
  if (!value || !value->metaObject()->inherits(PixelsClass())) throw EInvalidCast();
  return *static_cast<TPixels*>(value);
}

void TArduinoGraphicsBitmapPropertyEditor::Execute(const QVariant&) {
  // Released in reverse order: the dialog first, the modification last.
  std::shared_ptr<IModification> modification;
  const std::unique_ptr<TArduinoBasicPixelEditorForm> form = CreateForm();
  TPixels& pixels = Pixels();
  const TSize size = pixels.GetSize();
  form->SetPixelsSize(size);
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x) form->SetPixel(x, y, ToDialog(pixels, x, y));
  if (form->ShowModal() != mrOk) return;
  modification = BeginModify();
  const TSize edited = form->GetPixelsSize();
  pixels.SetSize(edited);
  for (int y = 0; y < edited.cy; ++y)
    for (int x = 0; x < edited.cx; ++x) FromDialog(pixels, x, y, form->GetPixel(x, y));
}

void TArduinoGraphicsBitmapPropertyEditor::DrawValue(TGPGraphics& graphics, int, int, QRect& rect, int) {
  const int h = rect.height();
  const QRect box(rect.x() + 1, rect.y() + 1, 2 * h - 4, h - 2);
  const TPixels& pixels = Pixels();
  const TSize size = pixels.GetSize();
  if (size.cx > 0 && size.cy > 0) {
    const TBitmapKind& kind = Kind();
    const QImage bitmap = SampleBitmap(size.cx, size.cy, kind.PreviewFormat, kind.PreviewSample,
                                       [&](int x, int y) { return ToDialog(pixels, x, y); });
    graphics.DrawImage(bitmap, box.x(), box.y(), box.width(), box.height());
  }
  graphics.DrawRectangle(0xFFD3D3D3u, 1.0f, box);
  AdjustValueRect(rect);
}

void TArduinoGraphicsBitmapPropertyEditor::AdjustValueRect(QRect& rect) {
  const int h = rect.height();
  rect.setX(rect.x() + 2 * h);  // moves the left edge; the right edge stays
}

// ------------------------------------------------------------------------------------------- colour

TClass TArduinoGraphicsColorBitmapPropertyEditor::PixelsClass() const { return &TColorPixels::staticMetaObject; }
std::unique_ptr<TArduinoBasicPixelEditorForm> TArduinoGraphicsColorBitmapPropertyEditor::CreateForm() const {
  return std::make_unique<TAlphaColorBitmapEditorForm>();
}
uint64_t TArduinoGraphicsColorBitmapPropertyEditor::ToDialog(const TPixels& pixels, int x, int y) const {
  return As<TColorPixels>(pixels).GetPixel(x, y);
}
void TArduinoGraphicsColorBitmapPropertyEditor::FromDialog(TPixels& pixels, int x, int y, uint64_t value) const {
  As<TColorPixels>(pixels).SetPixel(x, y, uint32_t(value));
}
const TBitmapKind& TArduinoGraphicsColorBitmapPropertyEditor::Kind() const { return BitmapKinds::Color; }

// --------------------------------------------------------------------------------------------- RGBW

TClass TArduinoGraphicsRGBWColorBitmapPropertyEditor::PixelsClass() const { return &TRGBWPixels::staticMetaObject; }
std::unique_ptr<TArduinoBasicPixelEditorForm> TArduinoGraphicsRGBWColorBitmapPropertyEditor::CreateForm() const {
  return std::make_unique<TAlphaRGBWColorBitmapEditorForm>();
}
uint64_t TArduinoGraphicsRGBWColorBitmapPropertyEditor::ToDialog(const TPixels& pixels, int x, int y) const {
  return uint64_t(As<TRGBWPixels>(pixels).GetPixel(x, y));
}
void TArduinoGraphicsRGBWColorBitmapPropertyEditor::FromDialog(TPixels& pixels, int x, int y, uint64_t value) const {
  As<TRGBWPixels>(pixels).SetPixel(x, y, int64_t(value));
}
const TBitmapKind& TArduinoGraphicsRGBWColorBitmapPropertyEditor::Kind() const { return BitmapKinds::RGBW; }

// --------------------------------------------------------------------------------------- monochrome

TClass TArduinoGraphicsMonochromeBitmapPropertyEditor::PixelsClass() const { return &TMonochromePixels::staticMetaObject; }
std::unique_ptr<TArduinoBasicPixelEditorForm> TArduinoGraphicsMonochromeBitmapPropertyEditor::CreateForm() const {
  return std::make_unique<TArduinoBasicMonochromeBitmapEditorForm>();
}
uint64_t TArduinoGraphicsMonochromeBitmapPropertyEditor::ToDialog(const TPixels& pixels, int x, int y) const {
  return As<TMonochromePixels>(pixels).GetPixel(x, y) ? BitmapKinds::On : BitmapKinds::Off;
}
void TArduinoGraphicsMonochromeBitmapPropertyEditor::FromDialog(TPixels& pixels, int x, int y, uint64_t value) const {
  As<TMonochromePixels>(pixels).SetPixel(x, y, value != BitmapKinds::Off);
}
const TBitmapKind& TArduinoGraphicsMonochromeBitmapPropertyEditor::Kind() const { return BitmapKinds::Monochrome; }

// ------------------------------------------------------------------------------------- transparency

TClass TArduinoGraphicsMonochromeTransparencyBitmapPropertyEditor::PixelsClass() const {
  return &TTransparencyPixels::staticMetaObject;
}
std::unique_ptr<TArduinoBasicPixelEditorForm> TArduinoGraphicsMonochromeTransparencyBitmapPropertyEditor::CreateForm() const {
  return std::make_unique<TBasicMonochromeTransparencyBitmapEditorForm>();
}
uint64_t TArduinoGraphicsMonochromeTransparencyBitmapPropertyEditor::ToDialog(const TPixels& pixels, int x, int y) const {
  return BitmapKinds::States[size_t(As<TTransparencyPixels>(pixels).GetPixel(x, y))];
}
void TArduinoGraphicsMonochromeTransparencyBitmapPropertyEditor::FromDialog(TPixels& pixels, int x, int y,
                                                                            uint64_t value) const {
  const int ordinal = BitmapKinds::StateOrdinal(value);
  if (ordinal >= 0) As<TTransparencyPixels>(pixels).SetPixel(x, y, TTransparency(ordinal));
}
const TBitmapKind& TArduinoGraphicsMonochromeTransparencyBitmapPropertyEditor::Kind() const { return BitmapKinds::Transparency; }

// ------------------------------------------------------------------------------------ registrations

namespace Velto::Arduino::Graphics::ColorPropertyBitmapEditors {
void Register() {
  RegisterPropertyEditor(QMetaType::fromType<TColorPixels*>(), nullptr, QString(),
                         &TArduinoGraphicsColorBitmapPropertyEditor::staticMetaObject);
}
}  // namespace Velto::Arduino::Graphics::ColorPropertyBitmapEditors

namespace Velto::Arduino::Graphics::RGBWColorPropertyBitmapEditors {
void Register() {
  RegisterPropertyEditor(QMetaType::fromType<TRGBWPixels*>(), nullptr, QString(),
                         &TArduinoGraphicsRGBWColorBitmapPropertyEditor::staticMetaObject);
}
}  // namespace Velto::Arduino::Graphics::RGBWColorPropertyBitmapEditors

namespace Velto::Graphics::Arduino::MonochromePropertyBitmapEditors {
void Register() {
  RegisterPropertyEditor(QMetaType::fromType<TMonochromePixels*>(), nullptr, QString(),
                         &TArduinoGraphicsMonochromeBitmapPropertyEditor::staticMetaObject);
  RegisterPropertyEditor(QMetaType::fromType<TTransparencyPixels*>(), nullptr, QString(),
                         &TArduinoGraphicsMonochromeTransparencyBitmapPropertyEditor::staticMetaObject);
}
}  // namespace Velto::Graphics::Arduino::MonochromePropertyBitmapEditors
