#pragma once
// The import options of the bitmap dialogs: where a picture goes on the bitmap, how it is scaled,
// what shows through its transparent pixels and, for the monochrome dialogs, how it becomes black
// and white.

#include "package/hostapi/Graphics.h"
#include "package/hostapi/Toolkit.h"

#include <QStringList>

struct TSampleConversion;

// What the user chose, kept from one run of the designer to the next, per kind of bitmap (the two
// monochrome dialogs share theirs). The defaults are today's Load: the top-left corner kept at the
// picture's size, transparent pixels as they are, the standard black-and-white rule, no options
// dialog on Load and Paste.
struct TImportSettings {
  TImportSettings(TReduceOptions options = {}, bool showOnImport = false, TPlaceOptions place = {}, bool invert = false)
      : Options(options), ShowOnImport(showOnImport), Place(place), Invert(invert) {}

  TReduceOptions Options;
  bool ShowOnImport = false;
  TPlaceOptions Place;
  bool Invert = false;
  friend bool operator==(const TImportSettings&, const TImportSettings&) = default;

  static inline const QString MonochromeGroup = QStringLiteral("MonochromeImport");
  // Values that are missing or out of range read as the defaults.
  static TImportSettings Load(const QString& group = MonochromeGroup);
  void Save(const QString& group = MonochromeGroup) const;
  // The options that differ from their defaults, in words, for the status bar; `target` is the
  // size a placement other than the top-left corner gives.
  QStringList Applied(bool monochrome, QSize target) const;
};

// The settings group of a kind of bitmap, found by its conversion.
QString ImportGroupOf(const TSampleConversion& conversion);

// The bitmap a picture becomes with these settings, in the conversion's format: the top-left
// corner at the picture's size cut to 255 x 255, or placed on `target`.
QImage ImportedBitmap(const QImage& picture, QSize target, const TImportSettings& settings,
                      const TSampleConversion& conversion);

// A small dialog with every import option and a live preview of the bitmap the picture becomes, one
// bitmap pixel to a cell, before it replaces the image.
class TImportOptionsForm : public TForm {
  Q_OBJECT
public:
  explicit TImportOptionsForm(QWidget* parent = nullptr);

  // The kind of bitmap decides what the preview shows and whether the black-and-white options show.
  void SetConversion(const TSampleConversion& conversion);
  // The picture to preview; a null picture shows a hint instead.
  void SetPicture(const QImage& picture);
  void SetSettings(const TImportSettings& settings);
  TImportSettings Settings() const;
  // The size a placement other than the top-left corner gives, 1..255 each way.
  void SetTarget(QSize target);
  QSize Target() const;

  TPanel* PreviewPanel = nullptr;
  TImage* PreviewImage = nullptr;
  TLabel* InfoLabel = nullptr;
  TComboBox* PlacementComboBox = nullptr;
  TSpinEdit* TargetWidthSpinEdit = nullptr;
  TSpinEdit* TargetHeightSpinEdit = nullptr;
  TComboBox* ScalingComboBox = nullptr;
  TComboBox* BackgroundComboBox = nullptr;
  TLabel* ThresholdLabel = nullptr;
  TTrackBar* ThresholdTrackBar = nullptr;
  TSpinEdit* ThresholdSpinEdit = nullptr;
  TLabel* DitheringLabel = nullptr;
  TComboBox* DitheringComboBox = nullptr;
  TCheckBox* InvertCheckBox = nullptr;
  TButton* DefaultButton = nullptr;
  TCheckBox* ShowCheckBox = nullptr;
  TButton* OKButton = nullptr;
  TButton* CancelButton = nullptr;

public slots:
  virtual void FormCreate(QObject* Sender);
  virtual void OptionChange(QObject* Sender);
  virtual void DefaultButtonClick(QObject* Sender = nullptr);

protected:
  void BindControls() override;

private:
  void UpdatePreview();
  QImage FPicture;
  const TSampleConversion* FConversion = nullptr;
  bool FSyncing = false;
};
