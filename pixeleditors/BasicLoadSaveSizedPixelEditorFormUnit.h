#pragma once
// Module Velto.Arduino.BasicLoadSaveSizedPixelEditorFormUnit: the sized pixel dialog with Load and Save.

#include "pixeleditors/BasicSizedPixelEditorFormUnit.h"
#include "pixeleditors/BitmapKinds.h"

struct TImportSettings;

class QMimeData;

// Adds the Load... and Save... buttons and their file dialogs. The buttons' handlers belong to each
// concrete editor, which runs the one flow below with its own conversion. Copy puts the image on
// the clipboard as the picture Save writes (PNG with alpha) and as the exact pixel values; Paste
// takes the exact values from a dialog of the same class, or else a picture exactly as Load does.
// Pictures are placed, scaled and (in the monochrome editors) reduced with the import options the
// user chose for the kind of bitmap (Import Options... in the menu); the defaults are the plain Load.
class TBasicLoadSaveSizedPixelEditorForm : public TBasicSizedPixelEditorForm {
  Q_OBJECT
public:
  // The clipboard type of the exact values: a 'VPX1' tag, the dialog's class name, width,
  // height, then every value row by row (QDataStream).
  static const QString PixelsMimeType;

  explicit TBasicLoadSaveSizedPixelEditorForm(QWidget* parent = nullptr);

  TButton* LoadButton = nullptr;
  TButton* SaveButton = nullptr;
  TOpenDialog* OpenDialog = nullptr;
  TSaveDialog* SaveDialog = nullptr;
  TMenuItem* Copy1 = nullptr;
  TMenuItem* Paste1 = nullptr;

public slots:
  virtual void Copy1Click(QObject* Sender = nullptr);
  // Nothing on the clipboard to paste is said in the status text; a picture that cannot be read
  // or is larger than Load accepts raises EImageError and leaves the image as it was.
  virtual void Paste1Click(QObject* Sender = nullptr);
  // The import options with a preview of the last picture loaded or pasted; OK keeps the options
  // and, when there is such a picture, loads it again with them.
  virtual void ImportOptions1Click(QObject* Sender = nullptr);

protected:
  TBasicLoadSaveSizedPixelEditorForm(QWidget* parent, TOwnLayout);
  void BindControls() override;
  // The concrete editor's conversion, used by Copy, Paste and the import options; without one (the
  // bare form) they do nothing.
  void SetConversion(const TSampleConversion& conversion) { FConversion = &conversion; }

  // Asks for a picture and replaces the image with it, cut to the largest size. A picture that
  // cannot be read raises an error and leaves the image as it was.
  void LoadPicture(const TSampleConversion& conversion);
  // Asks for a file name and writes the image in the format its extension names; an existing file
  // is replaced only when the user agrees.
  void SavePicture(const TSampleConversion& conversion);

private:
  // Replaces the image with a decoded picture (ARGB32) as one undo step. False when the user
  // cancelled the import options that a 1-bit editor shows first when asked to.
  bool ImportPicture(const QImage& picture, const TSampleConversion& conversion, bool mayAsk);
  // The import itself; `target` is the size a placement other than the top-left corner gives.
  void ApplyImport(const QImage& picture, const TSampleConversion& conversion, const TImportSettings& settings,
                   QSize target);
  // The image in the editor's working format, as Save writes it.
  QImage PictureOf(const TSampleConversion& conversion);
  bool PasteOwnPixels(const QMimeData& data);

  const TSampleConversion* FConversion = nullptr;
  QImage FImported;  // the last picture loaded or pasted, for the import options
  QString FImportedFile;  // its file when it was decoded smaller than it is
};
