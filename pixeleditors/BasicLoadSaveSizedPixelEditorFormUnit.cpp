#include "BasicLoadSaveSizedPixelEditorFormUnit.h"

#include <QFileInfo>
#include <algorithm>

namespace {
TPixelFormat ViewOf(TPixelFormat bitmap) {
  return bitmap == PixelFormat1bppIndexed ? PixelFormat8bppIndexed : bitmap;
}

int SampleBytes(TPixelFormat view) { return view == PixelFormat8bppIndexed ? 1 : 4; }
}  // namespace

TBasicLoadSaveSizedPixelEditorForm::TBasicLoadSaveSizedPixelEditorForm(QWidget* parent)
    : TBasicSizedPixelEditorForm(parent, TOwnLayout{}) {
  LoadLayout(QStringLiteral(":/pixeleditors/layouts/BasicLoadSaveSizedPixelEditorFormUnit.json"));
}

TBasicLoadSaveSizedPixelEditorForm::TBasicLoadSaveSizedPixelEditorForm(QWidget* parent, TOwnLayout layout)
    : TBasicSizedPixelEditorForm(parent, layout) {}

void TBasicLoadSaveSizedPixelEditorForm::BindControls() {
  TBasicSizedPixelEditorForm::BindControls();
  Bind(LoadButton, "LoadButton");
  Bind(SaveButton, "SaveButton");
  Bind(OpenDialog, "OpenDialog");
  Bind(SaveDialog, "SaveDialog");
}

void TBasicLoadSaveSizedPixelEditorForm::LoadPicture(const TSampleConversion& conversion) {
  if (!OpenDialog->Execute(this)) return;
  const QImage picture = DecodeImageFile(OpenDialog->FileName);
  // SetPixel drops what lies beyond the largest image, so only the part that can stay is converted.
  const int w = std::min(picture.width(), MaxSide), h = std::min(picture.height(), MaxSide);
  const QImage part = picture.width() > w || picture.height() > h ? picture.copy(0, 0, w, h) : picture;
  QImage bitmap = conversion.Bitmap == PixelFormat1bppIndexed
                      ? ReduceToMonochrome(part)
                      : part.convertToFormat(ToImageFormat(conversion.Bitmap));
  // Everything that can fail has run: only now does the image change.
  SetPixelsSize({picture.width(), picture.height()});
  const TPixelFormat view = ViewOf(conversion.Bitmap);
  const int bytes = SampleBytes(view);
  TBitmapData data(bitmap, ImageLockModeRead, view);
  for (int y = 0; y < h; ++y) {
    const uchar* row = data.ScanLine(y);
    for (int x = 0; x < w; ++x) SetPixel(x, y, conversion.ToPixel(row + x * bytes));
  }
}

void TBasicLoadSaveSizedPixelEditorForm::SavePicture(const TSampleConversion& conversion) {
  if (!SaveDialog->Execute(this)) return;
  const TSize size = GetPixelsSize();
  QImage bitmap = CreateBitmap(size.cx, size.cy, conversion.Bitmap);
  {
    const TPixelFormat view = ViewOf(conversion.Bitmap);
    const int bytes = SampleBytes(view);
    TBitmapData data(bitmap, ImageLockModeWrite, view);
    for (int y = 0; y < size.cy; ++y) {
      uchar* row = data.ScanLine(y);
      for (int x = 0; x < size.cx; ++x) conversion.ToSample(GetPixel(x, y), row + x * bytes);
    }
  }
  const QString name = SaveDialog->FileName;
  if (QFileInfo::exists(name) &&
      MessageDlg(QStringLiteral("File ") + name + QStringLiteral(" Exists. Override?"), mtConfirmation,
                 MsgButtons({mbYes, mbNo}), 0, mbYes) != mrYes)
    return;
  EncodeImageFile(bitmap, name, QFileInfo(name).suffix());
}
