#pragma once
// Module Velto.Arduino.BasicLoadSaveSizedPixelEditorFormUnit: the sized pixel dialog with Load and Save.

#include "pixeleditors/BasicSizedPixelEditorFormUnit.h"

#include <cstring>

// How an editor's pixels meet an image file: the format of the working bitmap and one sample each
// way. A 1-bit bitmap is read and written through an 8-bit view, one byte per pixel; a 32-bit ARGB
// bitmap one word 0xAARRGGBB per pixel.
struct TSampleConversion {
  TPixelFormat Bitmap;
  uint64_t (*ToPixel)(const uchar* sample);
  void (*ToSample)(uint64_t value, uchar* sample);
};

// One 32-bit ARGB sample of a locked row.
inline TAlphaColor ReadArgbSample(const uchar* sample) {
  TAlphaColor word;
  std::memcpy(&word, sample, sizeof word);
  return word;
}
inline void WriteArgbSample(TAlphaColor word, uchar* sample) { std::memcpy(sample, &word, sizeof word); }

// Adds the Load... and Save... buttons and their file dialogs. The buttons' handlers belong to each
// concrete editor, which runs the one flow below with its own conversion.
class TBasicLoadSaveSizedPixelEditorForm : public TBasicSizedPixelEditorForm {
  Q_OBJECT
public:
  explicit TBasicLoadSaveSizedPixelEditorForm(QWidget* parent = nullptr);

  TButton* LoadButton = nullptr;
  TButton* SaveButton = nullptr;
  TOpenDialog* OpenDialog = nullptr;
  TSaveDialog* SaveDialog = nullptr;

protected:
  TBasicLoadSaveSizedPixelEditorForm(QWidget* parent, TOwnLayout);
  void BindControls() override;

  // Asks for a picture and replaces the image with it, cut to the largest size. A picture that
  // cannot be read raises an error and leaves the image as it was.
  void LoadPicture(const TSampleConversion& conversion);
  // Asks for a file name and writes the image in the format its extension names; an existing file
  // is replaced only when the user agrees.
  void SavePicture(const TSampleConversion& conversion);
};
