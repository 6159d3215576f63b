#include "export/obj_numbers.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace puffel {

namespace {

constexpr int64_t Tens[] = {1,      10,      100,      1000,      10000,
                            100000, 1000000, 10000000, 100000000, 1000000000};

constexpr char DigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Scaled digits below this are exact in a double and fit an int64 with room.
constexpr double LargestScaled = 1e15;

// x rounded to the nearest integer, ties to even: adding and taking away
// 1.5 * 2^52 leaves no bits below the units (for |x| < 2^51), as the
// default rounding mode rounds.
double roundToInteger(double x) {
  constexpr double Shift = 6755399441055744.0;
  return (x + Shift) - Shift;
}

// value with Decimals decimals; Decimals is fixed, so that taking the digits
// apart divides by constants.
template <int Decimals>
char* writeFixed(char* out, double value) {
  constexpr int64_t Scale = Tens[Decimals];
  const double scaled = roundToInteger(value * static_cast<double>(Scale));
  if (!(std::abs(scaled) < LargestScaled)) {
    return std::to_chars(out, out + MaxNumberChars, value).ptr;
  }
  int64_t digits = static_cast<int64_t>(scaled);
  if (digits < 0) {
    *out++ = '-';
    digits = -digits;
  }
  const int64_t whole = digits / Scale;
  if (whole < 10) {
    *out++ = static_cast<char>('0' + whole);
  } else {
    out = std::to_chars(out, out + MaxNumberChars, whole).ptr;
  }
  if constexpr (Decimals == 0) {
    return out;
  } else {
    int64_t fraction = digits % Scale;
    if (fraction == 0) return out;
    // The fraction's digits from the last, two at a time, then its trailing
    // zeros dropped.
    *out = '.';
    char* const first = out + 1;
    int n = Decimals;
    for (; n >= 2; n -= 2) {
      std::memcpy(first + n - 2, DigitPairs + 2 * (fraction % 100), 2);
      fraction /= 100;
    }
    if (n == 1) first[0] = static_cast<char>('0' + fraction);
    char* end = first + Decimals;
    while (end[-1] == '0') --end;
    return end;
  }
}

}  // namespace

int TextureDecimals(int side) {
  int decimals = 0;
  // A rounding error of half a unit of the last decimal, times side texels,
  // stays within 1/1000 texel.
  while (decimals < 9 && Tens[decimals] < 500 * static_cast<int64_t>(side)) ++decimals;
  return decimals;
}

char* WriteDecimal(char* out, double value, int decimals) {
  switch (decimals) {
    case 0:
      return writeFixed<0>(out, value);
    case 1:
      return writeFixed<1>(out, value);
    case 2:
      return writeFixed<2>(out, value);
    case 3:
      return writeFixed<3>(out, value);
    case 4:
      return writeFixed<4>(out, value);
    case 5:
      return writeFixed<5>(out, value);
    case 6:
      return writeFixed<6>(out, value);
    case 7:
      return writeFixed<7>(out, value);
    case 8:
      return writeFixed<8>(out, value);
    default:
      return writeFixed<9>(out, value);
  }
}

char* WriteIndex(char* out, size_t index) {
  return std::to_chars(out, out + MaxNumberChars, index).ptr;
}

}  // namespace puffel
