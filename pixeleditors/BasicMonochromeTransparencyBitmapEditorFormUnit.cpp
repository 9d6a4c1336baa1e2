#include "BasicMonochromeTransparencyBitmapEditorFormUnit.h"

#include <algorithm>

namespace {
constexpr uint32_t kTransparent = 0xFF808080u, kSplit = 0xFFC0C0C0u, kBlack = 0xFF000000u, kWhite = 0xFFFFFFFFu;
// By ordinal: the keys step along this order.
constexpr uint32_t kStates[] = {kTransparent, kSplit, kBlack, kWhite};

int OrdinalOf(uint64_t value) {
  const auto it = std::find(std::begin(kStates), std::end(kStates), uint32_t(value));
  return it == std::end(kStates) ? -1 : int(it - std::begin(kStates));
}

// Loaded pictures hold black and white only; only white is saved white.
constexpr TSampleConversion kConversion{
    PixelFormat1bppIndexed,
    [](const uchar* sample) -> uint64_t { return *sample != 0 ? kWhite : kBlack; },
    [](uint64_t value, uchar* sample) { *sample = value == kWhite ? 255 : 0; },
};
}  // namespace

TBasicMonochromeTransparencyBitmapEditorForm::TBasicMonochromeTransparencyBitmapEditorForm(QWidget* parent)
    : TBasicLoadSaveSizedPixelEditorForm(parent, TOwnLayout{}) {
  SetConversion(kConversion);
  LoadLayout(QStringLiteral(":/pixeleditors/layouts/BasicMonochromeTransparencyBitmapEditorFormUnit.json"));
}

uint64_t TBasicMonochromeTransparencyBitmapEditorForm::GetClearColor() { return kTransparent; }

void TBasicMonochromeTransparencyBitmapEditorForm::GridDrawCell(QObject*, int ACol, int ARow, const QRect& Rect,
                                                                TGridDrawState State) {
  const TAlphaColor c = TAlphaColor(GetPixel(ACol, ARow));
  DrawCell(Rect, State, [&](TGPGraphics& g, const QRect& r) {
    if (c == kTransparent) g.FillRectangle(*FHatchBrush, r);
    else g.FillRectangle(SolidBrush(c == kSplit ? kBlack : c), r);
    if (c == kSplit)
      g.FillTriangle(SolidBrush(kWhite), QPoint(r.x() + r.width(), r.y()), QPoint(r.x() + r.width(), r.y() + r.height()),
                     QPoint(r.x(), r.y() + r.height()));
  });
}

void TBasicMonochromeTransparencyBitmapEditorForm::GridKeyPress(QObject*, QChar& Key) {
  const TGridRect sel = Grid->Selection();
  const int x = sel.Left, y = sel.Top;
  const char16_t ch = Key.unicode();
  if (ch >= '0' && ch <= '3') {
    SetPixel(x, y, kStates[ch - '0']);
    return;
  }
  const int ordinal = OrdinalOf(GetPixel(x, y));
  if (ordinal < 0) return;  // not one of the states: left alone
  switch (ch) {
    case ' ': SetPixel(x, y, kStates[(ordinal + 1) % 4]); break;
    case '+':
    case '*': SetPixel(x, y, kStates[std::min(ordinal + 1, 3)]); break;
    case '-': SetPixel(x, y, kStates[std::max(ordinal - 1, 0)]); break;
    default: break;
  }
}

void TBasicMonochromeTransparencyBitmapEditorForm::InvertButtonClick(QObject*) {
  ChangeAll([](TPixelGrid& pixels) {
    pixels.Transform([](uint64_t v) -> uint64_t {
      const uint32_t c = uint32_t(v);
      if (c == kTransparent || c == kSplit) return c;
      return MakeARGBColor(GetAlpha(c), c ^ 0x00FFFFFFu);
    });
  });
}

void TBasicMonochromeTransparencyBitmapEditorForm::LoadButtonClick(QObject*) { LoadPicture(kConversion); }
void TBasicMonochromeTransparencyBitmapEditorForm::SaveButtonClick(QObject*) { SavePicture(kConversion); }
