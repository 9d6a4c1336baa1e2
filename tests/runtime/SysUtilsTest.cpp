#include "runtime/SysUtils.h"

#include <gtest/gtest.h>

#include <limits>

TEST(SysUtils, IntegerTextDecimalAndHexadecimal) {
  const struct {
    const char* Text;
    std::optional<qlonglong> Value;
  } cases[] = {{" 12 ", 12},
               {"-12", -12},
               {"$ff80", 0xFF80},
               {"0x10", 16},
               {"-$10", -16},
               {"-9223372036854775808", std::numeric_limits<qlonglong>::min()},
               {"$8000000000000000", std::nullopt},
               {"", std::nullopt},
               {"$", std::nullopt},
               {"$0x10", std::nullopt},
               {"12a", std::nullopt},
               {"--1", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(TryStrToInt64(QString::fromLatin1(c.Text)), c.Value) << c.Text;
  EXPECT_EQ(StrToIntDef(QStringLiteral("gray"), 5), 5);
}
