#include "runtime/SysUtils.h"

#include <gtest/gtest.h>

#include <limits>

TEST(SysUtils, IntegerTextDecimalAndHexadecimal) {
  constexpr qlonglong min = std::numeric_limits<qlonglong>::min(), max = std::numeric_limits<qlonglong>::max();
  const struct {
    const char* Text;
    std::optional<qlonglong> Value;
  } cases[] = {
      {"0", 0}, {" 12 ", 12}, {"-12", -12}, {"+7", 7}, {"$FF80", 0xFF80}, {"$ff80", 0xFF80}, {"0x10", 16},
      {"-$10", -16}, {"9223372036854775807", max}, {"-9223372036854775808", min}, {"$7FFFFFFFFFFFFFFF", max},
      {"9223372036854775808", std::nullopt}, {"$8000000000000000", std::nullopt}, {"", std::nullopt},
      {"$", std::nullopt}, {"0x", std::nullopt}, {"$0x10", std::nullopt}, {"12a", std::nullopt},
      {"- 1", std::nullopt}, {"--1", std::nullopt}, {"1 2", std::nullopt}, {"$G0", std::nullopt}, {"\u0663", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(TryStrToInt64(QString::fromUtf8(c.Text)), c.Value) << c.Text;
  EXPECT_EQ(StrToIntDef(QStringLiteral("$FFC0"), 0), 0xFFC0);
  EXPECT_EQ(StrToIntDef(QStringLiteral("gray"), 5), 5);
  EXPECT_EQ(HexDisplayPrefix(), "$");
}
