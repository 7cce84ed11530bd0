// The common steps of every encoding: ratio limits, width classes, the digits
// check, the dispatch to a symbology section, and the element lookups.
#include "barcode/HBarCode.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "barcode/HBarCode_sections.h"
#include "platform/Exception.h"

namespace barcode {

namespace {

// The width classes of the last encoding; see HBarCode.h.
WidthClasses g_classes;

// Scratch pattern of PatternWidth, kept so that repeated measuring does not allocate.
std::string &ScratchPattern() {
  static std::string pattern;
  return pattern;
}

using Section = void (*)(sections::Request &);
constexpr Section kSections[kBarTypeCount] = {
    sections::Encode2of5Interleaved,
    sections::Encode2of5Industrial,
    sections::Encode2of5Matrix,
    sections::EncodeCode39,
    sections::EncodeCode39Extended,
    sections::EncodeCode128,
    sections::EncodeCode128,
    sections::EncodeCode128,
    sections::EncodeCode93,
    sections::EncodeCode93Extended,
    sections::EncodeMsi,
    sections::EncodePostNet,
    sections::EncodeCodabar,
    sections::EncodeEan8,
    sections::EncodeEan13,
    sections::EncodeUpcA,
    sections::EncodeUpcE,
    sections::EncodeUpcE,
    sections::EncodeUpcSupp2,
    sections::EncodeUpcSupp5,
    sections::EncodeCode128,
    sections::EncodeCode128,
    sections::EncodeCode128,
};

}  // namespace

double EffectiveRatio(TBarType type, double ratio) {
  double low = 0, high = 0;
  switch (type) {
    case bcCode_2_5_interleaved:
    case bcCode_2_5_industrial:
    case bcCode39:
    case bcCode39Extended:
    case bcCodeCodabar:
    case bcCodeEAN8:
    case bcCodeEAN13:
    case bcCodeUPC_A:
    case bcCodeUPC_E0:
    case bcCodeUPC_E1:
    case bcCodeUPC_Supp2:
    case bcCodeUPC_Supp5:
      low = 2.0, high = 3.0;
      break;
    case bcCode_2_5_matrix:  // its start and stop bars are of class 2
      low = 2.25, high = 3.0;
      break;
    default:  // the four-width symbologies, MSI, PostNet: as given
      return ratio;
  }
  if (ratio < low) return low;
  if (ratio > high) return high;
  return ratio;  // a NaN stays a NaN and fails in ComputeWidthClasses
}

WidthClasses ComputeWidthClasses(int modul, double effectiveRatio) {
  const double wide = std::nearbyint(double(modul) * effectiveRatio);  // halves to even
  // Written so that a NaN fails too.
  if (!(modul >= 1 && modul <= kMaxElementWidth && wide >= 1 && wide <= kMaxElementWidth / 2))
    sections::Fail(kMsgBarWidth);
  WidthClasses c;
  c.m[0] = modul;
  c.m[1] = int(wide);
  c.m[2] = c.m[1] * 3 / 2;
  c.m[3] = 2 * c.m[1];
  return c;
}

const WidthClasses &CurrentWidthClasses() {
  return g_classes;
}

BarElement ElementOf(char code) {
  switch (code) {
    case '0':
    case '1':
    case '2':
    case '3':
      return {ekSpace, g_classes.m[code - '0']};
    case '5':
    case '6':
    case '7':
    case '8':
      return {ekBar, g_classes.m[code - '5']};
    case 'A':
    case 'B':
    case 'C':
    case 'D':
      return {ekShortBar, g_classes.m[code - 'A']};
    default:
      return {ekSpace, 0};
  }
}

void MakeBarPattern(TBarType type, const QString &data, int modul, double &ratio,
                    TCheckSum checkSum, std::string &pattern, QString &text) {
  // 1. Ratio limits and width classes.
  const bool known = IsValidBarType(type);
  const double effective = known ? EffectiveRatio(type, ratio) : ratio;
  sections::Request r{type, data, checkSum != csNone, pattern};
  try {
    g_classes = ComputeWidthClasses(modul, effective);
    ratio = effective;
    // 2. Digits only.
    if (known && BCdata[type].num) {
      const QChar *p = data.constData();
      for (qsizetype i = 0, n = data.size(); i < n; ++i)
        if (p[i].unicode() < u'0' || p[i].unicode() > u'9')
          sections::FailWithData(data, kMsgNotNumeric);
    }
    // 3. Symbology value.
    if (!known) sections::Fail(kMsgWrongType);
    // 4. The section, writing over what the pattern held before.
    kSections[type](r);
  } catch (...) {
    pattern.clear();
    throw;
  }
  pattern.resize(r.used);
  if (r.shownReplaced)
    text = std::move(r.shown);
  else
    text = data;
}

BarPattern MakeBarPattern(TBarType type, const QString &data, int modul, double ratio,
                          TCheckSum checkSum) {
  BarPattern result;
  result.ratio = ratio;
  MakeBarPattern(type, data, modul, result.ratio, checkSum, result.pattern, result.text);
  return result;
}

int PatternWidth(const std::string &pattern) {
  int64_t sum = 0;
  for (char code : pattern) sum += ElementOf(code).width;
  if (sum > INT_MAX) sections::Fail(kMsgBarWidth);
  return int(sum);
}

int PatternWidth(TBarType type, const QString &data, int modul, double ratio, TCheckSum checkSum) {
  QString text;
  std::string &pattern = ScratchPattern();
  MakeBarPattern(type, data, modul, ratio, checkSum, pattern, text);
  return PatternWidth(pattern);
}

std::string WidthsToCodes(const char *widths) {
  std::string codes;
  for (size_t i = 0; widths[i]; ++i)
    codes += char(i % 2 == 0 ? widths[i] - '1' + '5' : widths[i] - '1' + '0');
  return codes;
}

namespace sections {

void Request::Grow(size_t size) {
  pattern.resize(std::max(size, 2 * pattern.size()));
}

void FailWithData(const QString &data, const char *message) {
  throw platform::Exception(data + QStringLiteral(" : ") + QLatin1String(message));
}

void Fail(const char *message) {
  throw platform::Exception(QLatin1String(message));
}

void FailAssertion(const char *message, int line) {
  throw platform::Exception(QStringLiteral("%1 (%2, line %3)")
                                .arg(QLatin1String(message), QLatin1String(kEanAssertUnit))
                                .arg(line));
}

void FailNotInteger(char16_t ch) {
  throw platform::Exception(QStringLiteral("'%1' is not a valid integer value").arg(QChar(ch)));
}

}  // namespace sections

}  // namespace barcode
