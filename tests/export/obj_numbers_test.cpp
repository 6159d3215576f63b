// The OBJ text's numbers: rounded to their decimals and no longer than
// needed, checked against the C library's decimal formatting.
#include "export/obj_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace puffel {
namespace {

std::string decimal(double value, int decimals) {
  char text[MaxNumberChars];
  return std::string(text, WriteDecimal(text, value, decimals));
}

// printf's correctly rounded digits without trailing zeros or a bare point.
std::string plainDecimal(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string s = text;
  if (s.find('.') != std::string::npos) {
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
  }
  return s == "-0" ? "0" : s;
}

TEST(ObjNumbers, DropTrailingZerosAndTheSignOfZero) {
  EXPECT_EQ(decimal(0.5, 6), "0.5");
  EXPECT_EQ(decimal(-1.0, 6), "-1");
  EXPECT_EQ(decimal(0.0, 6), "0");
  EXPECT_EQ(decimal(-0.0, 6), "0");
  EXPECT_EQ(decimal(-0.0000004, 6), "0");
  EXPECT_EQ(decimal(-0.0000006, 6), "-0.000001");
  EXPECT_EQ(decimal(0.1000004, 6), "0.1");
  EXPECT_EQ(decimal(123.4567891, 6), "123.456789");
  EXPECT_EQ(decimal(0.00012345, 5), "0.00012");
  EXPECT_EQ(decimal(7.25, 0), "7");
  EXPECT_EQ(decimal(999999.9999996, 6), "1000000");
}

TEST(ObjNumbers, ValuesBeyondFifteenDigitsKeepTheirShortestExactForm) {
  for (const double value : {1e9, -3.5e12, 1.2345678901234567e20, 3.4e38}) {
    const std::string text = decimal(value, 6);
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
    EXPECT_LE(text.size(), 24u);
  }
  EXPECT_EQ(decimal(999999999.25, 6), "999999999.25");
}

TEST(ObjNumbers, AgreeWithCorrectRoundingExceptAtTies) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> magnitude(-6, 2);
  int ties = 0;
  for (int n = 0; n < 200000; ++n) {
    const int decimals = n % 8;
    const double value = (n % 2 ? -1 : 1) * std::pow(10.0, magnitude(random));
    const std::string text = decimal(value, decimals);
    const double scaled = value * std::pow(10.0, decimals);
    if (std::abs(std::abs(scaled - std::trunc(scaled)) - 0.5) < 1e-6) {
      // value * 10^decimals is rounded once more before its digits are taken.
      ++ties;
      EXPECT_LE(std::abs(std::strtod(text.c_str(), nullptr) - value),
                0.5 * std::pow(10.0, -decimals) * (1 + 1e-6));
    } else {
      ASSERT_EQ(text, plainDecimal(value, decimals)) << value << " at " << decimals;
    }
  }
  EXPECT_LT(ties, 100);
}

TEST(ObjNumbers, TextureDecimalsKeepAThousandthOfATexelAndNoMore) {
  EXPECT_EQ(TextureDecimals(200), 5);
  EXPECT_EQ(TextureDecimals(201), 6);
  EXPECT_EQ(TextureDecimals(1024), 6);
  EXPECT_EQ(TextureDecimals(2000), 6);
  EXPECT_EQ(TextureDecimals(2001), 7);
  for (const int side : {1, 7, 99, 640, 1920, 4096, 30000}) {
    const int d = TextureDecimals(side);
    EXPECT_LE(0.5 * std::pow(10.0, -d) * side, 1e-3) << side;
    EXPECT_GT(0.5 * std::pow(10.0, 1 - d) * side, 1e-3) << side;
  }
}

}  // namespace
}  // namespace puffel
