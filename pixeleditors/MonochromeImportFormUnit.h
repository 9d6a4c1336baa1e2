#pragma once
// The import options of the monochrome dialogs: how a picture is reduced to black and white.

#include "package/hostapi/Graphics.h"
#include "package/hostapi/Toolkit.h"

// What the user chose, kept from one run of the designer to the next. The defaults are the
// standard rule (threshold 128, no dithering) and no options dialog on Load and Paste.
struct TMonochromeImportSettings {
  TReduceOptions Options;
  bool ShowOnImport = false;
  friend bool operator==(const TMonochromeImportSettings&, const TMonochromeImportSettings&) = default;

  // Values that are missing or out of range read as the defaults.
  static TMonochromeImportSettings Load();
  void Save() const;
};

// A small dialog with the threshold, the dithering and a live preview of the picture reduced with
// them, before it replaces the image.
class TMonochromeImportForm : public TForm {
  Q_OBJECT
public:
  explicit TMonochromeImportForm(QWidget* parent = nullptr);

  // The picture to preview; a null picture shows a hint instead.
  void SetPicture(const QImage& picture);
  void SetSettings(const TMonochromeImportSettings& settings);
  TMonochromeImportSettings Settings() const;

  TPanel* PreviewPanel = nullptr;
  TImage* PreviewImage = nullptr;
  TLabel* InfoLabel = nullptr;
  TTrackBar* ThresholdTrackBar = nullptr;
  TSpinEdit* ThresholdSpinEdit = nullptr;
  TComboBox* DitheringComboBox = nullptr;
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
  bool FSyncing = false;
};
