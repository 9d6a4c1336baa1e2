#include "runtime/Colors.h"

#include <gtest/gtest.h>

TEST(Colors, ChannelsSplitAndJoinAtTheEdges) {
  for (TAlphaColor c : {0x00000000u, 0xFFFFFFFFu, 0x80FF0010u, 0x01020304u}) {
    EXPECT_EQ(GPMakeColor(GetAlpha(c), GetRed(c), GetGreen(c), GetBlue(c)), c);
    EXPECT_EQ(MakeColor(GetAlpha(c), GetRed(c), GetGreen(c), GetBlue(c)), c);
  }
  EXPECT_EQ(GetAlpha(0x80FF0010u), 0x80);
  EXPECT_EQ(GetRed(0x80FF0010u), 0xFF);
  EXPECT_EQ(GetGreen(0x80FF0010u), 0x00);
  EXPECT_EQ(GetBlue(0x80FF0010u), 0x10);
  EXPECT_EQ(GPMakeGrayScaleColor(0, 255), 0x00FFFFFFu);
  EXPECT_EQ(GPMakeGrayScaleColor(255, 0), 0xFF000000u);
  EXPECT_EQ(MakeARGBColor(0x12, 0xFFABCDEFu), 0x12ABCDEFu);
  EXPECT_EQ(MakeARGBColor(0xFF, 0x00000000u), 0xFF000000u);
}

TEST(Colors, ToolkitColourIsOpaqueAndSwapsRedAndBlue) {
  EXPECT_EQ(MakeColor(TColor(0x000000FFu)), 0xFFFF0000u);  // clRed
  EXPECT_EQ(MakeColor(TColor(0x00DCF8FFu)), 0xFFFFF8DCu);
  EXPECT_EQ(GetAlpha(MakeColor(clHighlight)), 255);
}

TEST(Colors, RgbwPacksFortyBitsAndTextsNameEveryChannel) {
  const TRGBWAlphaColor c = MakeRGBWAlphaColor(0xFF, 0x0A, 0xFF, 0x00, 0x10);
  EXPECT_EQ(c, 0xFF0AFF0010ull);
  EXPECT_EQ(GetRGBWAlpha(c), 0xFF);
  EXPECT_EQ(GetRGBWWhite(c), 0x0A);
  EXPECT_EQ(MakeRGBWAlphaColor(0, 0, 0, 0, 0), 0u);
  EXPECT_EQ(RGBWAlphaColorToString(c), "A:255 W:10 R:255 G:0 B:16");
  EXPECT_EQ(RGBAColorToString(0x80FF0010u), "A:128 R:255 G:0 B:16");
  EXPECT_EQ(RGBAColorToString(0), "A:0 R:0 G:0 B:0");
}
