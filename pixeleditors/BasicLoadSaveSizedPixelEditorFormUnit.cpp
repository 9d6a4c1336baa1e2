#include "BasicLoadSaveSizedPixelEditorFormUnit.h"

#include "pixeleditors/ImportOptionsFormUnit.h"

#include <QBuffer>
#include <QClipboard>
#include <QColorSpace>
#include <QDataStream>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>

namespace {
constexpr quint32 kPixelsTag = 0x56505831u;  // "VPX1"

// Asks for the import options with a preview of `picture`; OK keeps them for the next time and
// gives the target size typed.
bool AskImportOptions(QWidget* parent, const QImage& picture, const TSampleConversion& conversion,
                      TImportSettings& settings, QSize& target) {
  TImportOptionsForm form(parent);
  form.SetConversion(conversion);
  form.SetSettings(settings);
  form.SetTarget(target);
  form.SetPicture(picture);
  if (form.ShowModal() != mrOk) return false;
  settings = form.Settings();
  settings.Save(ImportGroupOf(conversion));
  target = form.Target();
  return true;
}
}  // namespace

const QString TBasicLoadSaveSizedPixelEditorForm::PixelsMimeType = QStringLiteral("application/x-velto-pixels");

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
  Bind(Copy1, "Copy1");
  Bind(Paste1, "Paste1");
}

void TBasicLoadSaveSizedPixelEditorForm::LoadPicture(const TSampleConversion& conversion) {
  if (!OpenDialog->Execute(this)) return;
  const TImportSettings settings = TImportSettings::Load(ImportGroupOf(conversion));
  // A picture that will only be scaled down to the current size may be decoded smaller; not when
  // the options dialog can still change the placement or the size.
  const bool scaled = settings.Place.Placement == TPlacement::Fit || settings.Place.Placement == TPlacement::Stretch;
  const TSize current = GetPixelsSize();
  const QSize reduce = scaled && !settings.ShowOnImport ? QSize(current.cx, current.cy) : QSize();
  const QString file = OpenDialog->FileName;
  if (!ImportPicture(DecodeImageFile(file, reduce), conversion, true)) return;
  FImportedFile = reduce.isValid() ? file : QString();
}

bool TBasicLoadSaveSizedPixelEditorForm::ImportPicture(const QImage& picture, const TSampleConversion& conversion,
                                                       bool mayAsk) {
  TImportSettings settings = TImportSettings::Load(ImportGroupOf(conversion));
  const TSize current = GetPixelsSize();
  QSize target(current.cx, current.cy);
  if (mayAsk && settings.ShowOnImport && !AskImportOptions(this, picture, conversion, settings, target)) return false;
  ApplyImport(picture, conversion, settings, target);
  return true;
}

void TBasicLoadSaveSizedPixelEditorForm::ApplyImport(const QImage& picture, const TSampleConversion& conversion,
                                                     const TImportSettings& settings, QSize target) {
  QImage bitmap = ImportedBitmap(picture, target, settings, conversion);
  FImported = picture;
  // Everything that can fail has run: only now does the image change.
  const int w = bitmap.width(), h = bitmap.height();
  BeginChange();
  SetPixelsSize({w, h});
  ReadSamples(bitmap, conversion, w, h, [this](int x, int y, uint64_t value) { SetPixel(x, y, value); });
  EndChange();
  UpdateCurrentInfo();  // the current cell holds a pixel of the picture now
  // Remembered options never act unseen.
  const QStringList applied = settings.Applied(conversion.Bitmap == PixelFormat1bppIndexed, target);
  if (!applied.isEmpty()) StatusBar->SetSimpleText(QStringLiteral("Import options: ") + applied.join(QStringLiteral(", ")));
}

QImage TBasicLoadSaveSizedPixelEditorForm::PictureOf(const TSampleConversion& conversion) {
  const TSize size = GetPixelsSize();
  return SampleBitmap(size.cx, size.cy, conversion.Bitmap, conversion.ToSample,
                      [this](int x, int y) { return GetPixel(x, y); });
}

void TBasicLoadSaveSizedPixelEditorForm::SavePicture(const TSampleConversion& conversion) {
  if (!SaveDialog->Execute(this)) return;
  const QImage bitmap = PictureOf(conversion);
  const QString name = SaveDialog->FileName;
  if (QFileInfo::exists(name) &&
      MessageDlg(QStringLiteral("File ") + name + QStringLiteral(" Exists. Override?"), mtConfirmation,
                 MsgButtons({mbYes, mbNo}), 0, mbYes) != mrYes)
    return;
  EncodeImageFile(bitmap, name, QFileInfo(name).suffix());
}

void TBasicLoadSaveSizedPixelEditorForm::Copy1Click(QObject*) {
  if (!FConversion) return;  // a bare form has no kind of bitmap to copy as
  const QImage picture = PictureOf(*FConversion).convertToFormat(QImage::Format_ARGB32);
  auto* data = new QMimeData;
  data->setImageData(picture);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "PNG");
  data->setData(QStringLiteral("image/png"), png);
  QByteArray own;
  {
    QDataStream out(&own, QIODevice::WriteOnly);
    const TSize size = GetPixelsSize();
    out << kPixelsTag << QByteArray(metaObject()->className()) << qint32(size.cx) << qint32(size.cy);
    for (int y = 0; y < size.cy; ++y)
      for (int x = 0; x < size.cx; ++x) out << quint64(GetPixel(x, y));
  }
  data->setData(PixelsMimeType, own);
  QGuiApplication::clipboard()->setMimeData(data);
}

bool TBasicLoadSaveSizedPixelEditorForm::PasteOwnPixels(const QMimeData& data) {
  if (!data.hasFormat(PixelsMimeType)) return false;
  QDataStream in(data.data(PixelsMimeType));
  quint32 tag = 0;
  QByteArray className;
  qint32 w = 0, h = 0;
  in >> tag >> className >> w >> h;
  // Another dialog's values mean other colours; those come over as a picture.
  if (in.status() != QDataStream::Ok || tag != kPixelsTag || className != metaObject()->className() || w < 1 ||
      h < 1 || w > MaxSide || h > MaxSide)
    return false;
  std::vector<uint64_t> values(size_t(w) * size_t(h));
  for (uint64_t& v : values) {
    quint64 read = 0;
    in >> read;
    v = read;
  }
  if (in.status() != QDataStream::Ok) return false;
  BeginChange();
  SetPixelsSize({w, h});
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) SetPixel(x, y, values[size_t(y) * size_t(w) + size_t(x)]);
  EndChange();
  UpdateCurrentInfo();
  return true;
}

void TBasicLoadSaveSizedPixelEditorForm::Paste1Click(QObject*) {
  if (!FConversion) return;
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data && PasteOwnPixels(*data)) return;
  if (!data || !data->hasImage()) {
    StatusBar->SetSimpleText(QStringLiteral("Nothing to paste: the clipboard holds no picture"));
    return;
  }
  QImage picture = qvariant_cast<QImage>(data->imageData());
  if (picture.isNull())
    throw EImageError(QStringLiteral("Cannot paste the picture on the clipboard: unsupported or corrupt image data"));
  // The limit of Load, for a picture that was decoded before it reached us.
  if (picture.width() > kMaxImageSide || picture.height() > kMaxImageSide ||
      qint64(picture.width()) * picture.height() * 4 > kMaxImageBytes)
    throw EImageError(QStringLiteral("Cannot paste the picture on the clipboard: image of %1 x %2 pixels exceeds the "
                                     "limit of %3 x %3 / %4 MiB")
                          .arg(picture.width())
                          .arg(picture.height())
                          .arg(kMaxImageSide)
                          .arg(kMaxImageBytes >> 20));
  picture.setColorSpace(QColorSpace());  // the samples as stored, as Load takes them
  if (ImportPicture(picture.convertToFormat(QImage::Format_ARGB32), *FConversion, true)) FImportedFile.clear();
}

void TBasicLoadSaveSizedPixelEditorForm::ImportOptions1Click(QObject*) {
  if (!FConversion) return;
  TImportSettings settings = TImportSettings::Load(ImportGroupOf(*FConversion));
  const TSize current = GetPixelsSize();
  QSize target(current.cx, current.cy);
  // A picture decoded smaller for the last options is read again whole for the new ones.
  if (!FImportedFile.isEmpty()) {
    FImported = DecodeImageFile(FImportedFile);
    FImportedFile.clear();
  }
  if (!AskImportOptions(this, FImported, *FConversion, settings, target) || FImported.isNull()) return;
  ApplyImport(QImage(FImported), *FConversion, settings, target);
}
