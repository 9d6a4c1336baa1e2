#include "ImportOptionsFormUnit.h"

#include "pixeleditors/BasicSizedPixelEditorFormUnit.h"
#include "pixeleditors/BitmapKinds.h"

#include <QSettings>
#include <algorithm>
#include <iterator>

namespace {
// Stored by name, so that a reordered list keeps what users chose.
const char* const kDitheringNames[] = {"none", "floyd-steinberg", "atkinson", "ordered4x4"};
const char* const kDitheringWords[] = {"", "Floyd\u2013Steinberg dithering", "Atkinson dithering",
                                       "ordered 4 \u00d7 4 dithering"};
const char* const kPlacementNames[] = {"top-left", "centre", "fit", "stretch"};
const char* const kScalingNames[] = {"smooth", "nearest"};
const char* const kBackgroundNames[] = {"keep", "white", "black"};

// One file for the pixel dialogs, whichever program loaded the package.
QSettings Store() { return QSettings(QSettings::UserScope, QStringLiteral("Velto"), QStringLiteral("PixelEditors")); }

template <class TEnum, size_t N>
void ReadName(QSettings& store, const char* key, const char* const (&names)[N], TEnum& into) {
  const QString value = store.value(QLatin1String(key)).toString();
  for (size_t i = 0; i < N; ++i)
    if (value == QLatin1String(names[i])) into = TEnum(i);
}

bool IsMonochrome(const TSampleConversion* conversion) {
  return conversion && conversion->Bitmap == PixelFormat1bppIndexed;
}
}  // namespace

TImportSettings TImportSettings::Load(const QString& group) {
  TImportSettings settings;
  QSettings store = Store();
  store.beginGroup(group);
  bool ok = false;
  const int threshold = store.value(QStringLiteral("Threshold")).toInt(&ok);
  if (ok && threshold >= 0 && threshold <= 255) settings.Options.Threshold = threshold;
  ReadName(store, "Dithering", kDitheringNames, settings.Options.Dithering);
  ReadName(store, "Placement", kPlacementNames, settings.Place.Placement);
  ReadName(store, "Scaling", kScalingNames, settings.Place.Scaling);
  ReadName(store, "Background", kBackgroundNames, settings.Place.Background);
  settings.Invert = store.value(QStringLiteral("Invert"), false).toBool();
  settings.ShowOnImport = store.value(QStringLiteral("ShowOnImport"), false).toBool();
  return settings;
}

void TImportSettings::Save(const QString& group) const {
  QSettings store = Store();
  store.beginGroup(group);
  store.setValue(QStringLiteral("Threshold"), Options.Threshold);
  store.setValue(QStringLiteral("Dithering"), QLatin1String(kDitheringNames[int(Options.Dithering)]));
  store.setValue(QStringLiteral("Placement"), QLatin1String(kPlacementNames[int(Place.Placement)]));
  store.setValue(QStringLiteral("Scaling"), QLatin1String(kScalingNames[int(Place.Scaling)]));
  store.setValue(QStringLiteral("Background"), QLatin1String(kBackgroundNames[int(Place.Background)]));
  store.setValue(QStringLiteral("Invert"), Invert);
  store.setValue(QStringLiteral("ShowOnImport"), ShowOnImport);
}

QStringList TImportSettings::Applied(bool monochrome, QSize target) const {
  QStringList words;
  const QString size = QStringLiteral("%1 x %2").arg(target.width()).arg(target.height());
  switch (Place.Placement) {
    case TPlacement::TopLeft: break;
    case TPlacement::Centre: words << QStringLiteral("centred in ") + size; break;
    case TPlacement::Fit: words << QStringLiteral("fitted into ") + size; break;
    case TPlacement::Stretch: words << QStringLiteral("stretched to ") + size; break;
  }
  const bool scaled = Place.Placement == TPlacement::Fit || Place.Placement == TPlacement::Stretch;
  if (scaled && Place.Scaling == TScaling::Nearest) words << QStringLiteral("nearest scaling");
  if (Place.Background != TBackground::Keep)
    words << QLatin1String(kBackgroundNames[int(Place.Background)]) + QStringLiteral(" background");
  if (monochrome) {
    if (Options.Threshold != TReduceOptions{}.Threshold) words << QStringLiteral("threshold %1").arg(Options.Threshold);
    if (Options.Dithering != TDithering::None) words << QString::fromUtf8(kDitheringWords[int(Options.Dithering)]);
    if (Invert) words << QStringLiteral("inverted");
  }
  return words;
}

QString ImportGroupOf(const TSampleConversion& conversion) {
  using namespace BitmapKinds;
  if (&conversion == &Color.Samples) return QStringLiteral("ColorImport");
  if (&conversion == &Grayscale.Samples) return QStringLiteral("GrayscaleImport");
  if (&conversion == &RGBW.Samples) return QStringLiteral("RGBWImport");
  return TImportSettings::MonochromeGroup;
}

QImage ImportedBitmap(const QImage& picture, QSize target, const TImportSettings& settings,
                      const TSampleConversion& conversion) {
  constexpr int kMax = TBasicSizedPixelEditorForm::MaxSide;
  QImage placed;
  if (settings.Place.Placement == TPlacement::TopLeft) {
    // Only the part that can stay is converted.
    const int w = std::min(picture.width(), kMax), h = std::min(picture.height(), kMax);
    placed = picture.width() > w || picture.height() > h ? picture.copy(0, 0, w, h) : picture;
    if (settings.Place.Background != TBackground::Keep) placed = FillBackground(placed, settings.Place.Background);
  } else {
    placed = PlacePicture(picture, target.boundedTo({kMax, kMax}).expandedTo({1, 1}), settings.Place);
  }
  if (conversion.Bitmap != PixelFormat1bppIndexed) return placed.convertToFormat(ToImageFormat(conversion.Bitmap));
  QImage bitmap = settings.Options == TReduceOptions{} ? ReduceToMonochrome(placed)
                                                       : ReduceToMonochrome(placed, settings.Options);
  if (settings.Invert) bitmap.invertPixels();
  return bitmap;
}

TImportOptionsForm::TImportOptionsForm(QWidget* parent) : TForm(parent) {
  LoadLayout(QStringLiteral(":/pixeleditors/layouts/ImportOptionsFormUnit.json"));
}

void TImportOptionsForm::BindControls() {
  Bind(PreviewPanel, "PreviewPanel");
  Bind(PreviewImage, "PreviewImage");
  Bind(InfoLabel, "InfoLabel");
  Bind(PlacementComboBox, "PlacementComboBox");
  Bind(TargetWidthSpinEdit, "TargetWidthSpinEdit");
  Bind(TargetHeightSpinEdit, "TargetHeightSpinEdit");
  Bind(ScalingComboBox, "ScalingComboBox");
  Bind(BackgroundComboBox, "BackgroundComboBox");
  Bind(ThresholdLabel, "ThresholdLabel");
  Bind(ThresholdTrackBar, "ThresholdTrackBar");
  Bind(ThresholdSpinEdit, "ThresholdSpinEdit");
  Bind(DitheringLabel, "DitheringLabel");
  Bind(DitheringComboBox, "DitheringComboBox");
  Bind(InvertCheckBox, "InvertCheckBox");
  Bind(DefaultButton, "DefaultButton");
  Bind(ShowCheckBox, "ShowCheckBox");
  Bind(OKButton, "OKButton");
  Bind(CancelButton, "CancelButton");
}

void TImportOptionsForm::FormCreate(QObject*) {
  PreviewPanel->setFrameShape(QFrame::StyledPanel);
  PreviewPanel->setFrameShadow(QFrame::Sunken);
  SetConversion(BitmapKinds::Monochrome.Samples);
}

void TImportOptionsForm::SetConversion(const TSampleConversion& conversion) {
  FConversion = &conversion;
  const bool mono = IsMonochrome(FConversion);
  for (QWidget* w : std::initializer_list<QWidget*>{ThresholdLabel, ThresholdTrackBar, ThresholdSpinEdit, DitheringLabel,
                                                    DitheringComboBox, InvertCheckBox})
    w->setVisible(mono);
  UpdatePreview();
}

void TImportOptionsForm::SetPicture(const QImage& picture) {
  FPicture = picture;
  UpdatePreview();
}

void TImportOptionsForm::SetTarget(QSize target) {
  FSyncing = true;
  TargetWidthSpinEdit->SetValue(target.width());
  TargetHeightSpinEdit->SetValue(target.height());
  FSyncing = false;
  UpdatePreview();
}

QSize TImportOptionsForm::Target() const { return {TargetWidthSpinEdit->Value(), TargetHeightSpinEdit->Value()}; }

void TImportOptionsForm::SetSettings(const TImportSettings& settings) {
  FSyncing = true;
  ThresholdTrackBar->setValue(settings.Options.Threshold);
  ThresholdSpinEdit->SetValue(settings.Options.Threshold);
  DitheringComboBox->setCurrentIndex(int(settings.Options.Dithering));
  PlacementComboBox->setCurrentIndex(int(settings.Place.Placement));
  ScalingComboBox->setCurrentIndex(int(settings.Place.Scaling));
  BackgroundComboBox->setCurrentIndex(int(settings.Place.Background));
  InvertCheckBox->setChecked(settings.Invert);
  ShowCheckBox->setChecked(settings.ShowOnImport);
  FSyncing = false;
  UpdatePreview();
}

TImportSettings TImportOptionsForm::Settings() const {
  TImportSettings settings;
  settings.Options.Threshold = ThresholdTrackBar->value();
  settings.Options.Dithering = TDithering(std::max(0, DitheringComboBox->currentIndex()));
  settings.Place.Placement = TPlacement(std::max(0, PlacementComboBox->currentIndex()));
  settings.Place.Scaling = TScaling(std::max(0, ScalingComboBox->currentIndex()));
  settings.Place.Background = TBackground(std::max(0, BackgroundComboBox->currentIndex()));
  settings.Invert = InvertCheckBox->isChecked();
  settings.ShowOnImport = ShowCheckBox->isChecked();
  return settings;
}

void TImportOptionsForm::OptionChange(QObject* Sender) {
  if (FSyncing) return;
  // The track bar and the spin edit show one threshold.
  FSyncing = true;
  if (Sender == ThresholdTrackBar) ThresholdSpinEdit->SetValue(ThresholdTrackBar->value());
  else if (Sender == ThresholdSpinEdit) ThresholdTrackBar->setValue(ThresholdSpinEdit->value());
  FSyncing = false;
  UpdatePreview();
}

void TImportOptionsForm::DefaultButtonClick(QObject*) {
  TImportSettings settings;
  settings.ShowOnImport = ShowCheckBox->isChecked();
  SetSettings(settings);
}

void TImportOptionsForm::UpdatePreview() {
  if (FSyncing || !FConversion) return;
  // The size and the scaling mean nothing to a picture kept at its own size.
  const TPlacement placement = TPlacement(std::max(0, PlacementComboBox->currentIndex()));
  TargetWidthSpinEdit->setEnabled(placement != TPlacement::TopLeft);
  TargetHeightSpinEdit->setEnabled(placement != TPlacement::TopLeft);
  ScalingComboBox->setEnabled(placement == TPlacement::Fit || placement == TPlacement::Stretch);
  if (FPicture.isNull()) {
    PreviewImage->SetPicture(QImage());
    InfoLabel->setText(QStringLiteral("Load or paste a picture to see it here."));
    return;
  }
  QImage bitmap = ImportedBitmap(FPicture, Target(), Settings(), *FConversion);
  if (!IsMonochrome(FConversion)) {
    // Each sample as the dialog will hold it: a grayscale bitmap shows its grays, RGBW its colours.
    for (int y = 0; y < bitmap.height(); ++y) {
      uchar* line = bitmap.scanLine(y);
      for (int x = 0; x < bitmap.width(); ++x) FConversion->ToSample(FConversion->ToPixel(line + x * 4), line + x * 4);
    }
  }
  PreviewImage->SetPicture(bitmap);
  InfoLabel->setText(QStringLiteral("%1 x %2 pixels, %3 x %4 after import")
                         .arg(FPicture.width())
                         .arg(FPicture.height())
                         .arg(bitmap.width())
                         .arg(bitmap.height()));
}
