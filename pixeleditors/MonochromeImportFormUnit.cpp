#include "MonochromeImportFormUnit.h"

#include <QSettings>
#include <algorithm>
#include <iterator>

namespace {
// Stored by name, so that a reordered list keeps what users chose.
const char* const kDitheringNames[] = {"none", "floyd-steinberg", "atkinson", "ordered4x4"};

// One file for the pixel dialogs, whichever program loaded the package.
QSettings Store() { return QSettings(QSettings::UserScope, QStringLiteral("Velto"), QStringLiteral("PixelEditors")); }
}  // namespace

TMonochromeImportSettings TMonochromeImportSettings::Load() {
  TMonochromeImportSettings settings;
  QSettings store = Store();
  store.beginGroup(QStringLiteral("MonochromeImport"));
  bool ok = false;
  const int threshold = store.value(QStringLiteral("Threshold")).toInt(&ok);
  if (ok && threshold >= 0 && threshold <= 255) settings.Options.Threshold = threshold;
  const QString dithering = store.value(QStringLiteral("Dithering")).toString();
  for (int i = 0; i < int(std::size(kDitheringNames)); ++i)
    if (dithering == QLatin1String(kDitheringNames[i])) settings.Options.Dithering = TDithering(i);
  settings.ShowOnImport = store.value(QStringLiteral("ShowOnImport"), false).toBool();
  return settings;
}

void TMonochromeImportSettings::Save() const {
  QSettings store = Store();
  store.beginGroup(QStringLiteral("MonochromeImport"));
  store.setValue(QStringLiteral("Threshold"), Options.Threshold);
  store.setValue(QStringLiteral("Dithering"), QLatin1String(kDitheringNames[int(Options.Dithering)]));
  store.setValue(QStringLiteral("ShowOnImport"), ShowOnImport);
}

TMonochromeImportForm::TMonochromeImportForm(QWidget* parent) : TForm(parent) {
  LoadLayout(QStringLiteral(":/pixeleditors/layouts/MonochromeImportFormUnit.json"));
}

void TMonochromeImportForm::BindControls() {
  Bind(PreviewPanel, "PreviewPanel");
  Bind(PreviewImage, "PreviewImage");
  Bind(InfoLabel, "InfoLabel");
  Bind(ThresholdTrackBar, "ThresholdTrackBar");
  Bind(ThresholdSpinEdit, "ThresholdSpinEdit");
  Bind(DitheringComboBox, "DitheringComboBox");
  Bind(DefaultButton, "DefaultButton");
  Bind(ShowCheckBox, "ShowCheckBox");
  Bind(OKButton, "OKButton");
  Bind(CancelButton, "CancelButton");
}

void TMonochromeImportForm::FormCreate(QObject*) {
  PreviewPanel->setFrameShape(QFrame::StyledPanel);
  PreviewPanel->setFrameShadow(QFrame::Sunken);
  UpdatePreview();
}

void TMonochromeImportForm::SetPicture(const QImage& picture) {
  FPicture = picture;
  UpdatePreview();
}

void TMonochromeImportForm::SetSettings(const TMonochromeImportSettings& settings) {
  {
    FSyncing = true;
    ThresholdTrackBar->setValue(settings.Options.Threshold);
    ThresholdSpinEdit->SetValue(settings.Options.Threshold);
    DitheringComboBox->setCurrentIndex(int(settings.Options.Dithering));
    FSyncing = false;
  }
  ShowCheckBox->setChecked(settings.ShowOnImport);
  UpdatePreview();
}

TMonochromeImportSettings TMonochromeImportForm::Settings() const {
  TMonochromeImportSettings settings;
  settings.Options.Threshold = ThresholdTrackBar->value();
  settings.Options.Dithering = TDithering(std::max(0, DitheringComboBox->currentIndex()));
  settings.ShowOnImport = ShowCheckBox->isChecked();
  return settings;
}

void TMonochromeImportForm::OptionChange(QObject* Sender) {
  if (FSyncing) return;
  // The track bar and the spin edit show one threshold.
  FSyncing = true;
  if (Sender == ThresholdTrackBar) ThresholdSpinEdit->SetValue(ThresholdTrackBar->value());
  else if (Sender == ThresholdSpinEdit) ThresholdTrackBar->setValue(ThresholdSpinEdit->value());
  FSyncing = false;
  UpdatePreview();
}

void TMonochromeImportForm::DefaultButtonClick(QObject*) {
  TMonochromeImportSettings settings = Settings();
  settings.Options = TReduceOptions{};
  SetSettings(settings);
}

void TMonochromeImportForm::UpdatePreview() {
  if (FPicture.isNull()) {
    PreviewImage->SetPicture(QImage());
    InfoLabel->setText(QStringLiteral("Load or paste a picture to see it here."));
    return;
  }
  PreviewImage->SetPicture(ReduceToMonochrome(FPicture, Settings().Options));
  InfoLabel->setText(QStringLiteral("%1 x %2 pixels").arg(FPicture.width()).arg(FPicture.height()));
}
