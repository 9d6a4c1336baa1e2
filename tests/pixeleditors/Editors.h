#pragma once
// The five bitmap editors, for the tests that go through each of them.

#include "pixeleditors/AlphaColorBitmapEditorFormUnit.h"
#include "pixeleditors/AlphaGrayscaleBitmapEditorFormUnit.h"
#include "pixeleditors/AlphaRGBWColorBitmapEditorFormUnit.h"
#include "pixeleditors/BasicMonochromeBitmapEditorFormUnit.h"
#include "pixeleditors/BasicMonochromeTransparencyBitmapEditorFormUnit.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using TEditor = TBasicLoadSaveSizedPixelEditorForm;

enum TKind { Mono, Transparency, Color, Gray, RGBW };

inline std::unique_ptr<TEditor> Make(TKind kind) {
  switch (kind) {
    case Mono: return std::make_unique<TArduinoBasicMonochromeBitmapEditorForm>();
    case Transparency: return std::make_unique<TBasicMonochromeTransparencyBitmapEditorForm>();
    case Color: return std::make_unique<TAlphaColorBitmapEditorForm>();
    case Gray: return std::make_unique<TAlphaGrayscaleBitmapEditorForm>();
    case RGBW: return std::make_unique<TAlphaRGBWColorBitmapEditorForm>();
  }
  return nullptr;
}

inline std::vector<uint64_t> Pixels(TArduinoBasicPixelEditorForm& form) {
  std::vector<uint64_t> v;
  const TSize s = form.GetPixelsSize();
  for (int y = 0; y < s.cy; ++y)
    for (int x = 0; x < s.cx; ++x) v.push_back(form.GetPixel(x, y));
  return v;
}

// Shown, active, with the keyboard on the grid.
inline void ShowWithFocus(TArduinoBasicPixelEditorForm& form) {
  form.show();
  form.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
  form.Grid->setFocus();
  QApplication::processEvents();
}
