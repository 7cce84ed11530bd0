// libFuzzer target for the symbology encoders. The first five bytes pick the
// request, the rest is the data:
//   [0] symbology, -1 to 23 (both ends outside the table)
//   [1] check switch: csNone, csModulo10, or another non-zero value
//   [2] module width, -2 to 61
//   [3] ratio: below 128 one of the values below, else (byte - 128) / 16
//   [4] bit 0: the data is UTF-16 (two bytes a unit) rather than UTF-8
// Any request must give a well-formed pattern whose width adds up, or a
// platform::Exception with a message and an empty pattern; nothing else.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

#include "barcode/HBarCode.h"
#include "platform/Exception.h"

using namespace barcode;

namespace {

constexpr double kRatios[16] = {
    std::numeric_limits<double>::quiet_NaN(),
    std::numeric_limits<double>::infinity(),
    -std::numeric_limits<double>::infinity(),
    0.0,
    -1.0,
    1e-300,
    0.5,
    1.0,
    2.0,
    2.25,
    2.5,
    2.6,
    3.0,
    5.0,
    100.0,
    1e300,
};

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

bool WellFormed(const std::string &pattern) {
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    const bool space = c >= '0' && c <= '3';
    const bool bar = (c >= '5' && c <= '8') || (c >= 'A' && c <= 'D');
    if (space == bar || space != (i % 2 == 1)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size) {
  if (size < 5) return 0;
  const TBarType type = TBarType(int(bytes[0] % 25) - 1);
  const TCheckSum check = TCheckSum(bytes[1] % 3);
  const int modul = int(bytes[2] % 64) - 2;
  const double ratio = bytes[3] < 128 ? kRatios[bytes[3] % 16] : (bytes[3] - 128) / 16.0;
  const char *rest = reinterpret_cast<const char *>(bytes + 5);
  const qsizetype restSize = qsizetype(size - 5);
  const QString data = (bytes[4] & 1) ? QString(reinterpret_cast<const QChar *>(rest), restSize / 2)
                                      : QString::fromUtf8(rest, restSize);

  std::string pattern;
  QString text;
  double effective = ratio;
  try {
    MakeBarPattern(type, data, modul, effective, check, pattern, text);
  } catch (const platform::Exception &e) {
    Check(!e.Message().isEmpty());
    Check(pattern.empty());
    return 0;
  }
  Check(IsValidBarType(type));
  Check(WellFormed(pattern));
  Check(std::isfinite(effective) && effective > 0);
  int64_t sum = 0;
  for (char code : pattern) {
    const BarElement e = ElementOf(code);
    Check(e.width >= 1 && e.width <= kMaxElementWidth);
    sum += e.width;
  }
  try {
    const int width = PatternWidth(pattern);
    Check(width == sum);
    Check(PatternWidth(type, data, modul, ratio, check) == width);
  } catch (const platform::Exception &) {
    Check(sum > std::numeric_limits<int>::max());
  }
  return 0;
}
