// The symbology encoders: tables of cases against the published standards,
// the anchor rows of the Code 39/93/128 tables, ratio limits, width classes,
// every failure text, the edge cases, and bad input. Where it can, an
// independent decoder (zbar, fed a plain one-row rendering of the pattern)
// judges the pattern instead of a restatement of the code.
#include "barcode/HBarCode.h"

#include <gtest/gtest.h>
#include "ZbarScan.h"

#include <QString>
#include <chrono>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "platform/Exception.h"

using namespace barcode;

namespace {

// ------------------------------------------------------------------ helpers

BarPattern Encode(TBarType type, const QString &data, TCheckSum check = csNone, int modul = 1,
                  double ratio = 2.0) {
  return MakeBarPattern(type, data, modul, ratio, check);
}

// The message of the failure of an encoding, or "(no failure)".
QString FailureOf(TBarType type, const QString &data, TCheckSum check = csNone, int modul = 1,
                  double ratio = 2.0) {
  try {
    Encode(type, data, check, modul, ratio);
  } catch (const platform::Exception &e) {
    return e.Message();
  }
  return QStringLiteral("(no failure)");
}

// Modules of a pattern made at Modul 1 and ratio 2.0: "1" per bar module, "0"
// per space module (short bars count as bars).
std::string Modules(const std::string &pattern) {
  std::string out;
  for (char code : pattern) {
    const BarElement e = ElementOf(code);
    out.append(size_t(e.width), e.kind == ekSpace ? '0' : '1');
  }
  return out;
}

// Element widths of a pattern in pixels, as "w w w ...".
std::string Widths(const std::string &pattern) {
  std::string out;
  for (char code : pattern) {
    if (!out.empty()) out += ' ';
    out += std::to_string(ElementOf(code).width);
  }
  return out;
}

// Bars and spaces alternate beginning with a bar; only the alphabet's codes.
::testing::AssertionResult WellFormed(const std::string &pattern) {
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    const bool space = c >= '0' && c <= '3';
    const bool bar = (c >= '5' && c <= '8') || (c >= 'A' && c <= 'D');
    if (!space && !bar)
      return ::testing::AssertionFailure() << "code '" << c << "' at " << i << " in " << pattern;
    if (space != (i % 2 == 1))
      return ::testing::AssertionFailure() << "no alternation at " << i << " in " << pattern;
  }
  return ::testing::AssertionSuccess();
}

// The judge: the pattern drawn as plain columns (black bars, white spaces) with
// a quiet zone of ten modules each side, scanned by zbar. Returns "TYPE:data"
// of every symbol found, joined by "|", or "" when nothing was read. zbar's
// edge filter misses elements of one or two pixels, so every column is repeated
// until the narrow element is at least three pixels wide: the proportions, which
// are what the pattern decides, stay as they are.
std::string Decode(const std::string &pattern) {
  const int scale = (3 + CurrentWidthClasses().m[0] - 1) / CurrentWidthClasses().m[0];
  const int quiet = 10 * CurrentWidthClasses().m[0] * scale;
  const int width = PatternWidth(pattern) * scale + 2 * quiet, height = 24;
  std::vector<unsigned char> pixels(size_t(width) * height, 255);
  int x = quiet;
  for (char code : pattern) {
    const BarElement e = ElementOf(code);
    if (e.kind != ekSpace)
      for (int y = 0; y < height; ++y)
        for (int i = 0; i < e.width * scale; ++i) pixels[size_t(y) * width + x + i] = 0;
    x += e.width * scale;
  }
  return ZbarScan(pixels, width, height, true);
}

std::string Str(const QString &s) {
  return s.toStdString();
}

// ------------------------------------------------------------ symbology table

TEST(HBarCodeTable, NamesAndDigitsOnlyFlags) {
  struct Row {
    TBarType type;
    const char *name;
    bool num;
  };
  const Row rows[] = {
      {bcCode_2_5_interleaved, "Code25 interleaved", true},
      {bcCode_2_5_industrial, "Code25 industrial", true},
      {bcCode_2_5_matrix, "Code25 matrix", true},
      {bcCode39, "Code39", false},
      {bcCode39Extended, "Code39 Extended", false},
      {bcCode128A, "Code128A", false},
      {bcCode128B, "Code128B", false},
      {bcCode128C, "Code128C", false},
      {bcCode93, "Code93", false},
      {bcCode93Extended, "Code93 Extended", false},
      {bcCodeMSI, "MSI", true},
      {bcCodePostNet, "PostNet", true},
      {bcCodeCodabar, "Codebar", false},
      {bcCodeEAN8, "EAN8", true},
      {bcCodeEAN13, "EAN13", true},
      {bcCodeUPC_A, "UPC_A", true},
      {bcCodeUPC_E0, "UPC_E0", true},
      {bcCodeUPC_E1, "UPC_E1", true},
      {bcCodeUPC_Supp2, "UPC Supp2", true},
      {bcCodeUPC_Supp5, "UPC Supp5", true},
      {bcCodeEAN128A, "EAN128A", false},
      {bcCodeEAN128B, "EAN128B", false},
      {bcCodeEAN128C, "EAN128C", false},
  };
  ASSERT_EQ(std::size(rows), size_t(kBarTypeCount));
  for (int i = 0; i < kBarTypeCount; ++i) {
    EXPECT_EQ(int(rows[i].type), i);
    EXPECT_STREQ(BCdata[i].Name, rows[i].name) << "ordinal " << i;
    EXPECT_EQ(BCdata[i].num, rows[i].num) << "ordinal " << i;
    EXPECT_EQ(std::string("bc").compare(0, 2, kBarTypeEnumNames[i], 2), 0);
  }
  EXPECT_STREQ(kBarTypeEnumNames[bcCodeEAN13], "bcCodeEAN13");
  EXPECT_STREQ(kBarTypeEnumNames[bcCode_2_5_interleaved], "bcCode_2_5_interleaved");
}

TEST(HBarCodeTable, EnumerationOrdinals) {
  EXPECT_EQ(int(csNone), 0);
  EXPECT_EQ(int(csModulo10), 1);
  EXPECT_EQ(int(tpTopLeft), 0);
  EXPECT_EQ(int(tpBottomCenter), 5);
  EXPECT_EQ(int(tsBoth), 3);
}

// ------------------------------------------------------------ width classes

TEST(HBarCodeWidths, ClassesFromModulAndRatio) {
  struct Row {
    int modul;
    double ratio;
    int m0, m1, m2, m3;
    const char *origin;
  };
  const Row rows[] = {
      {1, 2.0, 1, 2, 3, 4, "r 2.0: one to four modules"},
      {1, 2.5, 1, 2, 3, 4, "2.5 rounds half to even: 2"},
      {3, 2.5, 3, 8, 12, 16, "7.5 rounds half to even: 8"},
      {1, 2.6, 1, 3, 4, 6, "the label window's design ratio"},
      {2, 2.25, 2, 4, 6, 8, "4.5 rounds to 4"},
      {2, 3.0, 2, 6, 9, 12, "m2 = 18 div 2"},
      {5, 2.3, 5, 12, 18, 24, "11.5 rounds half to even: 12"},
      {49, 3.0, 49, 147, 220, 294, "largest module of the control, beyond 8 bits"},
  };
  for (const Row &r : rows) {
    const WidthClasses c = ComputeWidthClasses(r.modul, r.ratio);
    EXPECT_EQ(c.m[0], r.m0) << r.origin;
    EXPECT_EQ(c.m[1], r.m1) << r.origin;
    EXPECT_EQ(c.m[2], r.m2) << r.origin;
    EXPECT_EQ(c.m[3], r.m3) << r.origin;
  }
}

TEST(HBarCodeWidths, ElementOfEveryCode) {
  Encode(bcCode128B, "x", csNone, 1, 2.6);  // classes 1, 3, 4, 6
  const struct {
    char code;
    TElementKind kind;
    int width;
  } rows[] = {
      {'0', ekSpace, 1},    {'1', ekSpace, 3},    {'2', ekSpace, 4},    {'3', ekSpace, 6},
      {'5', ekBar, 1},      {'6', ekBar, 3},      {'7', ekBar, 4},      {'8', ekBar, 6},
      {'A', ekShortBar, 1}, {'B', ekShortBar, 3}, {'C', ekShortBar, 4}, {'D', ekShortBar, 6},
  };
  for (const auto &r : rows) {
    EXPECT_EQ(ElementOf(r.code).kind, r.kind) << r.code;
    EXPECT_EQ(ElementOf(r.code).width, r.width) << r.code;
  }
  EXPECT_EQ(ElementOf('4').width, 0);
}

TEST(HBarCodeWidths, LastEncodingSetsTheClasses) {
  Encode(bcCodeEAN13, "1", csNone, 3, 2.0);
  EXPECT_EQ(CurrentWidthClasses().m[3], 12);
  Encode(bcCodeEAN13, "1", csNone, 1, 2.0);
  EXPECT_EQ(CurrentWidthClasses().m[3], 4);
  // PatternWidth encodes afresh, so its classes are those of its own inputs.
  EXPECT_EQ(PatternWidth(bcCodeEAN13, "1", 2, 2.0, csNone), 190);
  EXPECT_EQ(CurrentWidthClasses().m[0], 2);
}

// Ratio limits per symbology: 0, 1, 3, 4 and 12 to 19 keep 2.0 to 3.0; the 2 of
// 5 matrix 2.25 to 3.0; 5 to 11 and 20 to 22 any ratio.
TEST(HBarCodeWidths, RatioLimitsPerSymbology) {
  for (int t = 0; t < kBarTypeCount; ++t) {
    const TBarType type = TBarType(t);
    const bool clamped = t <= 4 ? t != 2 && t != 5 : (t >= 12 && t <= 19);
    const double low = t == 2 ? 2.25 : 2.0;
    SCOPED_TRACE(BCdata[t].Name);
    if (t == 2 || clamped) {
      EXPECT_EQ(EffectiveRatio(type, 1.0), low);
      EXPECT_EQ(EffectiveRatio(type, 5.0), 3.0);
      EXPECT_EQ(EffectiveRatio(type, 2.6), 2.6);
    } else {
      EXPECT_EQ(EffectiveRatio(type, 1.0), 1.0);
      EXPECT_EQ(EffectiveRatio(type, 5.0), 5.0);
    }
    // The effective ratio comes back through the ratio argument; the digits
    // make a valid request for every symbology.
    double ratio = 5.0;
    std::string pattern;
    QString text;
    MakeBarPattern(type, "12", 1, ratio, csNone, pattern, text);
    EXPECT_EQ(ratio, (t == 2 || clamped) ? 3.0 : 5.0);
  }
  EXPECT_EQ(EffectiveRatio(bcCode_2_5_matrix, 2.2), 2.25);
  EXPECT_EQ(EffectiveRatio(bcCode_2_5_interleaved, 2.2), 2.2);
}

TEST(HBarCodeWidths, RatioFiveWithEan13IsThreeAndWithCode128Five) {
  const BarPattern ean = Encode(bcCodeEAN13, "6901028095884", csNone, 1, 5.0);
  EXPECT_EQ(ean.ratio, 3.0);
  EXPECT_EQ(CurrentWidthClasses().m[1], 3);
  const BarPattern c128 = Encode(bcCode128B, "A", csNone, 1, 5.0);
  EXPECT_EQ(c128.ratio, 5.0);
  EXPECT_EQ(CurrentWidthClasses().m[1], 5);
  EXPECT_EQ(CurrentWidthClasses().m[3], 10);
}

TEST(HBarCodeWidths, Ean13AtRatio26HasWidthsOneThreeFourSix) {
  const BarPattern p = Encode(bcCodeEAN13, "6901028095884", csNone, 1, 2.6);
  // "505" + A(9) "2506": the start guard, then a space of class 2 (4 px), a bar
  // and a space of class 0 (1 px) and a bar of class 1 (3 px).
  EXPECT_EQ(Widths(p.pattern.substr(0, 7)), "1 1 1 4 1 1 3");
  EXPECT_EQ(PatternWidth(p.pattern), PatternWidth(bcCodeEAN13, "6901028095884", 1, 2.6, csNone));
}

// Beyond the module range a width is refused with a clear message, never
// drawn as a negative or wrapped width.
TEST(HBarCodeWidths, OutOfRangeWidthsAreRefused) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    TBarType type;
    int modul;
    double ratio;
  } rows[] = {
      {bcCode128B, 0, 2.0},   {bcCode128B, -3, 2.0},  {bcCode128B, 1, nan},
      {bcCode128B, 1, inf},   {bcCode128B, 1, -2.0},  {bcCode128B, 1, 0.2},
      {bcCode128B, 1, 1e300}, {bcCodeEAN13, 1, nan},  {bcCodeEAN13, 100000, 2.0},
      {bcCode93, 20000, 2.0}, {TBarType(40), 1, nan},
  };
  for (const auto &r : rows)
    EXPECT_EQ(Str(FailureOf(r.type, "1", csNone, r.modul, r.ratio)), kMsgBarWidth)
        << "modul " << r.modul << " ratio " << r.ratio;
  // EAN clamps an infinite ratio to 3.0, which is fine.
  EXPECT_EQ(Encode(bcCodeEAN13, "1", csNone, 1, inf).ratio, 3.0);
  // The largest widths that fit still measure.
  EXPECT_NO_THROW(Encode(bcCode128B, "1", csNone, 1, 16383.0));
}

TEST(HBarCodeWidths, PatternWidthThatDoesNotFitAnIntIsRefused) {
  // 40,000 symbols of about 64,000 pixels each.
  const QString data(40000, QLatin1Char('W'));
  std::string pattern;
  QString text;
  double ratio = 16000;
  MakeBarPattern(bcCode128B, data, 1, ratio, csNone, pattern, text);
  try {
    PatternWidth(pattern);
    FAIL() << "no failure";
  } catch (const platform::Exception &e) {
    EXPECT_EQ(Str(e.Message()), kMsgBarWidth);
  }
}

// ------------------------------------------------------------ failures

TEST(HBarCodeFailures, EveryMessageAsWritten) {
  const struct {
    TBarType type;
    const char *data;
    TCheckSum check;
    const char *message;
    const char *origin;
  } rows[] = {
      {bcCodeEAN13, "12a", csNone, "12a : Barcode must be numeric.", "digits only"},
      {bcCodeEAN13, " 123 ", csNone, " 123  : Barcode must be numeric.", "blanks, no trimming"},
      {bcCodeEAN13, "123 456", csNone, "123 456 : Barcode must be numeric.", "inner blank"},
      {bcCode_2_5_interleaved, "12-3", csNone, "12-3 : Barcode must be numeric.", "2 of 5"},
      {bcCodeMSI, "x", csNone, "x : Barcode must be numeric.", "MSI"},
      {bcCodePostNet, "1 2", csNone, "1 2 : Barcode must be numeric.", "PostNet"},
      {bcCodeUPC_Supp5, "١٢", csNone, "١٢ : Barcode must be numeric.", "Arabic digits"},
      {TBarType(23), "123", csNone, "Wrong barcode type.", "just above the table"},
      {TBarType(255), "", csNone, "Wrong barcode type.", "far above"},
      {TBarType(-1), "x", csNone, "Wrong barcode type.", "below the table"},
      {bcCode93, "abc", csNone, "abc : Code_93 bad data.", "lower case"},
      {bcCode93, "A*B", csNone, "A*B : Code_93 bad data.", "asterisk"},
      {bcCode93, "AÄ", csNone, "AÄ : Code_93 bad data.", "non-ASCII"},
      {bcCodeEAN13, "12345678901234", csNone,
       "EAN13 : Invalid barcode length. (lib\\barcode\\BarDef, line 213)", "14 digits"},
      {bcCodeEAN13, "6901028095884", csModulo10,
       "EAN13 : Invalid barcode length. (lib\\barcode\\BarDef, line 213)",
       "13 digits and the check switch make 14"},
      {bcCodeEAN8, "123456789", csNone,
       "EAN8 : Invalid barcode length. (lib\\barcode\\BarDef, line 169)", "9 digits"},
      {bcCodeEAN128A, "12A", csModulo10, "'A' is not a valid integer value",
       "EAN-128 check digit of a non-digit"},
      {bcCodeEAN128C, "1 2", csModulo10, "' ' is not a valid integer value", "blank"},
      {bcCodeCodabar, "12x4", csNone, "12x4 : Codabar bad data.", "not in the 20 characters"},
      {bcCodeCodabar, "a", csNone, "a : Codabar bad data.", "lower case start letter"},
  };
  for (const auto &r : rows)
    EXPECT_EQ(Str(FailureOf(r.type, QString::fromUtf8(r.data), r.check)), r.message)
        << r.origin << ": type " << int(r.type) << " data \"" << r.data << "\"";
}

// The common steps in their order: widths first, then the digits check (which a
// type outside the table does not have), then the symbology value.
TEST(HBarCodeFailures, OrderOfTheCommonSteps) {
  EXPECT_EQ(Str(FailureOf(TBarType(23), "abc")), "Wrong barcode type.");
  EXPECT_EQ(Str(FailureOf(bcCodeEAN13, "abc", csNone, 0, 2.0)), kMsgBarWidth);
}

TEST(HBarCodeFailures, FailureLeavesNoPartialResult) {
  std::string pattern = "stale";
  QString text = QStringLiteral("before");
  double ratio = 2.0;
  EXPECT_THROW(MakeBarPattern(bcCode93, "AB*", 1, ratio, csNone, pattern, text),
               platform::Exception);
  EXPECT_TRUE(pattern.empty());
  EXPECT_EQ(text, QStringLiteral("before"));
  EXPECT_THROW(MakeBarPattern(bcCodeEAN8, "123456789", 1, ratio, csNone, pattern, text),
               platform::Exception);
  EXPECT_TRUE(pattern.empty());
}

// ------------------------------------------------------------ tables

// Anchor rows quoted for the published tables.
TEST(HBarCodeTables, AnchorRows) {
  EXPECT_STREQ(kCode39[0].pattern, "505160605");
  EXPECT_STREQ(kCode39[kCode39Star].pattern, "515060605");
  EXPECT_EQ(kCode39[kCode39Star].ch, '*');
  EXPECT_STREQ(kCode93Widths[0], "131112");
  EXPECT_STREQ(kCode93Widths[43], "121221");
  EXPECT_STREQ(kCode93Widths[44], "312111");
  EXPECT_STREQ(kCode93Widths[45], "311121");
  EXPECT_STREQ(kCode93Widths[46], "122211");
  EXPECT_STREQ(kCode128Widths[0], "212222");
  EXPECT_STREQ(kCode128Widths[102], "411131");
  EXPECT_STREQ(kCode128Widths[103], "211412");
  EXPECT_STREQ(kCode128Widths[104], "211214");
  EXPECT_STREQ(kCode128Widths[105], "211232");
  EXPECT_EQ(WidthsToCodes("211412"), "605351");
  EXPECT_EQ(WidthsToCodes(kCode128Stop), "6270506");
  EXPECT_EQ(WidthsToCodes(kCode93Start), "505080");
}

TEST(HBarCodeTables, ShapesOfTheStandardTables) {
  // Code 39: nine elements, three of them wide; check values as listed.
  for (int i = 0; i < 44; ++i) {
    int wide = 0;
    for (int j = 0; j < 9; ++j)
      wide += kCode39[i].pattern[j] == '6' || kCode39[i].pattern[j] == '1';
    EXPECT_EQ(wide, 3) << kCode39[i].ch;
    EXPECT_EQ(kCode39[i].check, i < 39 ? i : i == 39 ? 0 : i - 1) << kCode39[i].ch;
  }
  // Code 93: six elements, nine modules; Code 128: six elements, eleven modules,
  // bars of an even sum (the standard's parity rule).
  for (int v = 0; v < 47; ++v) {
    int sum = 0;
    for (int j = 0; j < 6; ++j) sum += kCode93Widths[v][j] - '0';
    EXPECT_EQ(sum, 9) << "Code 93 value " << v;
  }
  for (int v = 0; v < 106; ++v) {
    int sum = 0, bars = 0;
    for (int j = 0; j < 6; ++j) {
      sum += kCode128Widths[v][j] - '0';
      if (j % 2 == 0) bars += kCode128Widths[v][j] - '0';
    }
    EXPECT_EQ(sum, 11) << "Code 128 value " << v;
    EXPECT_EQ(bars % 2, 0) << "Code 128 value " << v;
    for (int w = 0; w < v; ++w) EXPECT_STRNE(kCode128Widths[v], kCode128Widths[w]);
  }
  // EAN: set B is set C read backwards; each digit is seven modules.
  for (int d = 0; d < 10; ++d) {
    EXPECT_EQ(std::string(kEanSetB[d]),
              std::string(std::rbegin(kEanSetC[d]) + 1, std::rend(kEanSetC[d])));
    EXPECT_EQ(Modules(kEanSetA[d]).size(), 7u);
  }
}

// Full ASCII by rule: 0 "%U", 1-26 "$A".."$Z", 27-31 "%A".."%E", "!".."," "/A".."/L",
// "-" "/M", "." "/N", "/" "/O", ":" "/Z", ";".."?" "%F".."%J", "@" "%V",
// "[".."_" "%K".."%O", "`" "%W", a-z "+A".."+Z", "{"..DEL "%P".."%T".
TEST(HBarCodeTables, FullAsciiByRule) {
  auto rule = [](int c) -> std::string {
    if (c == 0) return "%U";
    if (c <= 26) return std::string("$") + char('A' + c - 1);
    if (c <= 31) return std::string("%") + char('A' + c - 27);
    if (c == 32) return " ";
    if (c <= 47) return std::string("/") + char('A' + c - 33);
    if (c <= 57) return std::string(1, char(c));
    if (c == 58) return "/Z";
    if (c <= 63) return std::string("%") + char('F' + c - 59);
    if (c == 64) return "%V";
    if (c <= 90) return std::string(1, char(c));
    if (c <= 95) return std::string("%") + char('K' + c - 91);
    if (c == 96) return "%W";
    if (c <= 122) return std::string("+") + char('A' + c - 97);
    return std::string("%") + char('P' + c - 123);
  };
  for (int c = 0; c < 128; ++c) EXPECT_EQ(kCode39Ascii[c], rule(c)) << "code " << c;
  EXPECT_STREQ(kCode39Ascii['-'], "/M");
  EXPECT_STREQ(kCode39Ascii['.'], "/N");
}

// ------------------------------------------------------------ EAN / UPC

// Reference encoder in the standard's own binary notation (L, G and R codes),
// to check the set strings, parities and guards of the EAN/UPC sections.
const char *const kL[10] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                            "0110001", "0101111", "0111011", "0110111", "0001011"};
const char *const kG[10] = {"0100111", "0110011", "0011011", "0100001", "0011101",
                            "0111001", "0000101", "0010001", "0001001", "0010111"};
std::string R(int d) {
  std::string s = kL[d];
  for (char &c : s) c = c == '0' ? '1' : '0';
  return s;
}
std::string Ean13Modules(const std::string &digits) {
  static const char *const first[10] = {"LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL", "LGLLGG",
                                        "LGGLLG", "LGGGLL", "LGLGLG", "LGLGGL", "LGGLGL"};
  std::string m = "101";
  for (int i = 1; i <= 6; ++i)
    m += first[digits[0] - '0'][i - 1] == 'L' ? kL[digits[i] - '0'] : kG[digits[i] - '0'];
  m += "01010";
  for (int i = 7; i <= 12; ++i) m += R(digits[i] - '0');
  return m + "101";
}

TEST(HBarCodeEan, Ean13WorkedExample) {
  const BarPattern p = Encode(bcCodeEAN13, "6901028095884");
  EXPECT_EQ(p.pattern.substr(0, 32),
            "505"
            "2506"
            "0517"
            "0616"
            "0517"
            "1516"
            "0607"
            "05050");
  EXPECT_EQ(p.pattern.substr(32),
            "7150"
            "7051"
            "5170"
            "5152"
            "5152"
            "5071"
            "505");
  EXPECT_EQ(PatternWidth(p.pattern), 95);
  EXPECT_EQ(PatternWidth(bcCodeEAN13, "6901028095884", 1, 2.0, csNone), 95);
  EXPECT_EQ(Modules(p.pattern), Ean13Modules("6901028095884"));
  EXPECT_EQ(p.text, QStringLiteral("6901028095884"));
  EXPECT_EQ(Decode(p.pattern), "EAN-13:6901028095884");
}

TEST(HBarCodeEan, Ean13CheckDigitsOfPublishedNumbers) {
  const struct {
    const char *data, *full, *origin;
  } rows[] = {
      {"690102809588", "6901028095884", "the worked example"},
      {"400638133393", "4006381333931", "the usual EAN-13 example"},
      {"978020137962", "9780201379624", "an ISBN-13"},
      {"501234567890", "5012345678900", "check 0"},
      {"12345", "0000000123457", "padded to 12 first"},
  };
  for (const auto &r : rows) {
    const BarPattern p = Encode(bcCodeEAN13, r.data, csModulo10);
    EXPECT_EQ(Modules(p.pattern), Ean13Modules(r.full)) << r.origin;
    EXPECT_EQ(Str(p.text), r.data) << "the shown text stays the data: " << r.origin;
    // zbar names an EAN-13 with a leading 0 a UPC-A.
    const std::string full = r.full;
    EXPECT_EQ(Decode(p.pattern), full[0] == '0' ? "UPC-A:" + full.substr(1) : "EAN-13:" + full)
        << r.origin;
  }
}

TEST(HBarCodeEan, Ean13EdgeCases) {
  // Empty data is thirteen zeros.
  EXPECT_EQ(Modules(Encode(bcCodeEAN13, "").pattern), Ean13Modules("0000000000000"));
  // Short data is padded in front; the shown text stays the data.
  const BarPattern p = Encode(bcCodeEAN13, "123456789");
  EXPECT_EQ(Modules(p.pattern), Ean13Modules("0000123456789"));
  EXPECT_EQ(p.text, QStringLiteral("123456789"));
  // A wrong check digit is drawn as given, neither detected nor corrected.
  EXPECT_EQ(Modules(Encode(bcCodeEAN13, "6901028095880").pattern), Ean13Modules("6901028095880"));
  // Every first digit picks its parity row.
  for (char d = '0'; d <= '9'; ++d) {
    const std::string digits = std::string(1, d) + "123456789012";
    EXPECT_EQ(Modules(Encode(bcCodeEAN13, QString::fromStdString(digits)).pattern),
              Ean13Modules(digits));
  }
}

TEST(HBarCodeEan, Ean8) {
  auto modules = [](const std::string &d) {
    std::string m = "101";
    for (int i = 0; i < 4; ++i) m += kL[d[i] - '0'];
    m += "01010";
    for (int i = 4; i < 8; ++i) m += R(d[i] - '0');
    return m + "101";
  };
  const struct {
    const char *data;
    TCheckSum check;
    const char *drawn, *origin;
  } rows[] = {
      {"96385074", csNone, "96385074", "the usual EAN-8 example"},
      {"9638507", csModulo10, "96385074", "its check digit"},
      {"55123457", csNone, "55123457", "a second published number"},
      {"", csNone, "00000000", "empty: eight zeros"},
      {"", csModulo10, "00000000", "empty with check"},
      {"123", csModulo10, "00001236", "padded to seven"},
      {"1234567890123", csModulo10, "78901230", "only the last seven are kept"},
  };
  for (const auto &r : rows) {
    const BarPattern p = Encode(bcCodeEAN8, r.data, r.check);
    EXPECT_EQ(Modules(p.pattern), modules(r.drawn)) << r.origin;
    EXPECT_EQ(PatternWidth(p.pattern), 67) << r.origin;
    EXPECT_EQ(Str(p.text), r.data) << r.origin;
    EXPECT_EQ(Decode(p.pattern), std::string("EAN-8:") + r.drawn) << r.origin;
  }
}

TEST(HBarCodeEan, UpcA) {
  const struct {
    const char *data;
    TCheckSum check;
    const char *drawn, *shown, *origin;
  } rows[] = {
      {"036000291452", csNone, "036000291452", "036000291452", "the usual UPC-A example"},
      {"036000291450", csModulo10, "036000291452", "036000291452", "its check digit"},
      {"03600029145", csModulo10, "003600029143", "003600029143",
       "padded to 12 before the first 11 are taken"},
      {"036000291459", csModulo10, "036000291452", "036000291452", "check recomputed"},
      {"12345", csModulo10, "000000012348", "000000012348", "padded, then the check"},
      {"0360002914521234", csNone, "036000291452", "0360002914521234", "digits after 12 not drawn"},
  };
  for (const auto &r : rows) {
    const BarPattern p = Encode(bcCodeUPC_A, r.data, r.check);
    EXPECT_EQ(Modules(p.pattern), Ean13Modules(std::string("0") + r.drawn)) << r.origin;
    EXPECT_EQ(Str(p.text), r.shown) << r.origin;
    EXPECT_EQ(Decode(p.pattern), std::string("UPC-A:") + r.drawn) << r.origin;
  }
  // Check off: padded to 12 and drawn as given; the shown text stays the data.
  const BarPattern p = Encode(bcCodeUPC_A, "12345");
  EXPECT_EQ(Modules(p.pattern), Ean13Modules("0000000012345"));
  EXPECT_EQ(p.text, QStringLiteral("12345"));
}

TEST(HBarCodeEan, UpcE) {
  // Check switch off: "0123452" uses parity row 2 ("EEooEo") and draws 0 to 5.
  const BarPattern p = Encode(bcCodeUPC_E0, "0123452");
  EXPECT_EQ(p.pattern, std::string("505") + kEanSetB[0] + kEanSetB[1] + kEanSetA[2] + kEanSetA[3] +
                           kEanSetB[4] + kEanSetA[5] + "050505");
  EXPECT_EQ(PatternWidth(p.pattern), 51);
  EXPECT_EQ(p.text, QStringLiteral("0123452"));
  // Number system 1 takes the other set for each letter.
  EXPECT_EQ(Encode(bcCodeUPC_E1, "0123452").pattern, std::string("505") + kEanSetA[0] +
                                                         kEanSetA[1] + kEanSetB[2] + kEanSetB[3] +
                                                         kEanSetA[4] + kEanSetB[5] + "050505");
  // With the check switch the seventh digit is the modulo-10 digit of the six
  // drawn digits (not of the expanded UPC-A number), and becomes shown text.
  // The data is padded to seven first.
  BarPattern c = Encode(bcCodeUPC_E0, "1234560", csModulo10);
  EXPECT_EQ(c.text, QStringLiteral("1234565"));  // 3*(6+4+2) + (5+3+1) = 45
  EXPECT_EQ(c.pattern, Encode(bcCodeUPC_E0, "1234565").pattern);
  c = Encode(bcCodeUPC_E0, "123456", csModulo10);  // "0123456": six digits 012345
  EXPECT_EQ(c.text, QStringLiteral("0123457"));    // 3*(5+3+1) + (4+2+0) = 33
  // A published UPC-E: 01234565 is number system 0, "123456", check 5 (zbar
  // reads number system 0 UPC-E with the check digit that the pattern implies).
  EXPECT_EQ(Decode(Encode(bcCodeUPC_E0, "1234565").pattern), "UPC-E:01234565");
  EXPECT_EQ(Decode(Encode(bcCodeUPC_E0, "4252614").pattern), "UPC-E:04252614");
  // Padding to seven; the eighth digit and beyond are ignored.
  EXPECT_EQ(Encode(bcCodeUPC_E0, "52").pattern, Encode(bcCodeUPC_E0, "0000052").pattern);
  EXPECT_EQ(Encode(bcCodeUPC_E0, "123456599").pattern, Encode(bcCodeUPC_E0, "1234565").pattern);
}

TEST(HBarCodeEan, Supplements) {
  // Two digits: the parity is the number mod 4 (12 mod 4 = 0: "oo").
  BarPattern p = Encode(bcCodeUPC_Supp2, "12");
  EXPECT_EQ(p.pattern, std::string("506") + kEanSetA[1] + "05" + kEanSetA[2]);
  EXPECT_EQ(Modules(p.pattern), std::string("1011") + kL[1] + "01" + kL[2]);
  EXPECT_EQ(PatternWidth(p.pattern), 20);
  EXPECT_EQ(Encode(bcCodeUPC_Supp2, "13").pattern,
            std::string("506") + kEanSetA[1] + "05" + kEanSetB[3]);  // 1: "oE"
  EXPECT_EQ(Encode(bcCodeUPC_Supp2, "34").pattern,
            std::string("506") + kEanSetB[3] + "05" + kEanSetA[4]);  // 2: "Eo"
  EXPECT_EQ(Encode(bcCodeUPC_Supp2, "7").pattern,
            std::string("506") + kEanSetB[0] + "05" + kEanSetB[7]);  // "07", 7 mod 4 = 3: "EE"
  EXPECT_EQ(Encode(bcCodeUPC_Supp2, "7").text, QStringLiteral("7"));
  // With the check switch the shown text gets the supplement digit, not drawn.
  p = Encode(bcCodeUPC_Supp2, "12", csModulo10);
  EXPECT_EQ(p.text, QStringLiteral("125"));  // 2*3 + 1*9 = 15
  EXPECT_EQ(p.pattern, Encode(bcCodeUPC_Supp2, "12").pattern);

  // Five digits: 52495 (a published add-on price) has supplement digit
  // 3*(5+4+5) + 9*(2+9) = 141 -> 1, parity row 1 letters 2 to 6: "EoEoo".
  p = Encode(bcCodeUPC_Supp5, "52495");
  EXPECT_EQ(p.pattern, std::string("506") + kEanSetB[5] + "05" + kEanSetA[2] + "05" + kEanSetB[4] +
                           "05" + kEanSetA[9] + "05" + kEanSetA[5]);
  EXPECT_EQ(Modules(p.pattern), std::string("1011") + kG[5] + "01" + kL[2] + "01" + kG[4] + "01" +
                                    kL[9] + "01" + kL[5]);
  EXPECT_EQ(PatternWidth(p.pattern), 47);
  EXPECT_EQ(Encode(bcCodeUPC_Supp5, "52495", csModulo10).text, QStringLiteral("524951"));
  EXPECT_EQ(Encode(bcCodeUPC_Supp5, "7", csModulo10).text, QStringLiteral("000071"));  // 7*3
}

// ------------------------------------------------------------ Code 128

TEST(HBarCode128, SetAWorkedExample) {
  // "AB12": start A, values 33, 34, 17, 18, check (103+33+68+51+72) mod 103 = 18, stop.
  const BarPattern p = Encode(bcCode128A, "AB12");
  std::string expected;
  for (int v : {103, 33, 34, 17, 18, 18}) expected += WidthsToCodes(kCode128Widths[v]);
  expected += WidthsToCodes(kCode128Stop);
  EXPECT_EQ(p.pattern, expected);
  EXPECT_EQ(p.text, QStringLiteral("AB12"));
  EXPECT_EQ(PatternWidth(p.pattern), 11 * 6 + 13);
  EXPECT_EQ(Decode(p.pattern), "CODE-128:AB12");
}

TEST(HBarCode128, EmptyDataIsStartCheckStop) {
  for (auto [type, start] : {std::pair{bcCode128A, 103}, {bcCode128B, 104}, {bcCode128C, 105}}) {
    const std::string expected = WidthsToCodes(kCode128Widths[start]) +
                                 WidthsToCodes(kCode128Widths[start % 103]) +
                                 WidthsToCodes(kCode128Stop);
    EXPECT_EQ(Encode(type, "").pattern, expected) << BCdata[type].Name;
  }
}

TEST(HBarCode128, SetAMapsLowerCaseToSpaces) {
  // Lower case is not in set A: drawn as spaces (value 0), shown as given. A
  // decoder therefore reads blanks, not "ab".
  const BarPattern p = Encode(bcCode128A, "ab");
  EXPECT_EQ(p.pattern, Encode(bcCode128A, "  ").pattern);
  EXPECT_EQ(p.text, QStringLiteral("ab"));
  EXPECT_EQ(Decode(p.pattern), "CODE-128:  ");
}

TEST(HBarCode128, EveryCharacterOfSetsAAndBDecodes) {
  QString a, b;
  for (char16_t c = 32; c <= 95; ++c) a += QChar(c);
  for (char16_t c = 32; c <= 126; ++c) b += QChar(c);
  EXPECT_EQ(Decode(Encode(bcCode128A, a).pattern), "CODE-128:" + a.toStdString());
  EXPECT_EQ(Decode(Encode(bcCode128B, b).pattern), "CODE-128:" + b.toStdString());
  EXPECT_EQ(Decode(Encode(bcCode128B, "Tarvel label 2024").pattern), "CODE-128:Tarvel label 2024");
}

TEST(HBarCode128, SetC) {
  // Odd length: a "0" in front, shown too.
  BarPattern p = Encode(bcCode128C, "12345");
  std::string expected = WidthsToCodes(kCode128Widths[105]);
  for (int v : {1, 23, 45, (105 + 1 + 46 + 135) % 103})
    expected += WidthsToCodes(kCode128Widths[v]);
  EXPECT_EQ(p.pattern, expected + WidthsToCodes(kCode128Stop));
  EXPECT_EQ(p.text, QStringLiteral("012345"));
  EXPECT_EQ(Decode(p.pattern), "CODE-128:012345");
  // Every pair decodes.
  QString all;
  for (int v = 0; v < 100; ++v) all += QString::asprintf("%02d", v);
  EXPECT_EQ(Decode(Encode(bcCode128C, all).pattern), "CODE-128:" + all.toStdString());
  // "CB", "CA", "F1" are the values 100 to 102; any other pair counts as "00".
  EXPECT_EQ(Encode(bcCode128C, "12F1").pattern.substr(12, 6), WidthsToCodes(kCode128Widths[102]));
  EXPECT_EQ(Encode(bcCode128C, "CB").pattern.substr(6, 6), WidthsToCodes(kCode128Widths[100]));
  EXPECT_EQ(Encode(bcCode128C, "CA").pattern.substr(6, 6), WidthsToCodes(kCode128Widths[101]));
  EXPECT_EQ(Encode(bcCode128C, "x7").pattern, Encode(bcCode128C, "00").pattern);
  EXPECT_EQ(Encode(bcCode128C, "x7").text, QStringLiteral("x7"));
}

TEST(HBarCode128, FunctionCharactersAndHighCodes) {
  // Codes 195 to 202 stand for the values 95 to 102 (U+00CA is FNC1).
  EXPECT_EQ(Encode(bcCode128B, QString(QChar(0xCA))).pattern.substr(6, 6),
            WidthsToCodes(kCode128Widths[102]));
  EXPECT_EQ(Encode(bcCode128A, QString(QChar(0xC3))).pattern.substr(6, 6),
            WidthsToCodes(kCode128Widths[95]));
  // 203 and above have no row: taken as a space, like every other unknown character.
  for (char16_t c : {char16_t(0xCB), char16_t(0x4E2D), char16_t(0xFFFF), char16_t(0x7F),
                     char16_t(0x1F), char16_t(0)})
    EXPECT_EQ(Encode(bcCode128B, QString(QChar(c))).pattern, Encode(bcCode128B, " ").pattern)
        << "code " << int(c);
}

TEST(HBarCode128, Ean128) {
  // Start, FNC1 (weight 1), then the data from weight 2.
  BarPattern p = Encode(bcCodeEAN128C, "0112345678901231");
  std::string expected = WidthsToCodes(kCode128Widths[105]) + WidthsToCodes(kCode128Widths[102]);
  int sum = 105 + 102, weight = 2;
  for (int v : {1, 12, 34, 56, 78, 90, 12, 31}) {
    expected += WidthsToCodes(kCode128Widths[v]);
    sum += v * weight++;
  }
  expected += WidthsToCodes(kCode128Widths[sum % 103]) + WidthsToCodes(kCode128Stop);
  EXPECT_EQ(p.pattern, expected);
  // zbar reports the GS1 content with its symbology identifier.
  EXPECT_NE(Decode(p.pattern).find("0112345678901231"), std::string::npos) << Decode(p.pattern);
  // With the check switch the modulo-10 digit is appended and shown; with set C
  // the then odd data gets a leading "0".
  p = Encode(bcCodeEAN128C, "12345", csModulo10);  // 3*(5+3+1)+(4+2) = 33 -> 7
  EXPECT_EQ(p.text, QStringLiteral("123457"));
  p = Encode(bcCodeEAN128C, "1234", csModulo10);  // 3*(4+2)+(3+1) = 22 -> 8
  EXPECT_EQ(p.text, QStringLiteral("012348"));
  p = Encode(bcCodeEAN128A, "ABC", csNone);
  EXPECT_EQ(p.text, QStringLiteral("ABC"));
  EXPECT_EQ(Encode(bcCodeEAN128B, "", csModulo10).text, QStringLiteral("0"));
  EXPECT_EQ(Encode(bcCodeEAN128A, "", csNone).pattern,
            WidthsToCodes(kCode128Widths[103]) + WidthsToCodes(kCode128Widths[102]) +
                WidthsToCodes(kCode128Widths[(103 + 102) % 103]) + WidthsToCodes(kCode128Stop));
}

// ------------------------------------------------------------ Code 39

TEST(HBarCode39, EveryCharacterDecodes) {
  const QString all = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%");
  const BarPattern p = Encode(bcCode39, all);
  EXPECT_EQ(Decode(p.pattern), "CODE-39:" + all.toStdString());
  EXPECT_TRUE(WellFormed(p.pattern));
}

TEST(HBarCode39, CheckCharacter) {
  const struct {
    const char *data;
    char check;
    const char *origin;
  } rows[] = {
      {"CODE39", 'W', "12+24+13+14+3+9 = 75, 75 mod 43 = 32"},
      {"ABC", 'X', "10+11+12 = 33"},
      {"", '0', "empty: a remainder of 0 gives \"0\", never \"*\""},
      {"%%", '+', "42+42 = 84 mod 43 = 41"},
      {"W", 'W', "one character is its own check"},
  };
  for (const auto &r : rows) {
    const BarPattern p = Encode(bcCode39, r.data, csModulo10);
    EXPECT_EQ(Decode(p.pattern), std::string("CODE-39:") + r.data + r.check) << r.origin;
    EXPECT_EQ(Str(p.text), r.data);
  }
}

TEST(HBarCode39, StructureAndLeftOutCharacters) {
  const std::string star = kCode39[kCode39Star].pattern;
  // Empty: start and stop.
  EXPECT_EQ(Encode(bcCode39, "").pattern, star + "0" + star);
  // Empty with check: the check character "0" between them.
  EXPECT_EQ(Encode(bcCode39, "", csModulo10).pattern, star + "0" + kCode39[0].pattern + "0" + star);
  // Lower case is not in the table: start and stop only; shown as given.
  const BarPattern abc = Encode(bcCode39, "abc");
  EXPECT_EQ(abc.pattern, star + "0" + star);
  EXPECT_EQ(abc.text, QStringLiteral("abc"));
  // "*" in the data is its own row.
  EXPECT_EQ(Encode(bcCode39, "*").pattern, star + "0" + star + "0" + star);
  // Three characters (start, "A", stop) of 6 narrow and 3 wide elements, two gaps.
  EXPECT_EQ(PatternWidth(bcCode39, "A", 1, 2.0, csNone), 3 * (6 + 3 * 2) + 2);
  EXPECT_EQ(PatternWidth(bcCode39, "A", 2, 3.0, csNone), 3 * (6 * 2 + 3 * 6) + 2 * 2);
}

TEST(HBarCode39, Extended) {
  // "abc" is "+A+B+C".
  EXPECT_EQ(Encode(bcCode39Extended, "abc").pattern, Encode(bcCode39, "+A+B+C").pattern);
  EXPECT_EQ(Encode(bcCode39Extended, "abc").text, QStringLiteral("abc"));
  EXPECT_EQ(Encode(bcCode39Extended, "a-b.").pattern, Encode(bcCode39, "+A/M+B/N").pattern);
  EXPECT_EQ(Encode(bcCode39Extended, QString(QChar(0))).pattern, Encode(bcCode39, "%U").pattern);
  // Code 128 and above is dropped.
  EXPECT_EQ(Encode(bcCode39Extended, "AÄ中B").pattern, Encode(bcCode39, "AB").pattern);
  // The check covers the pairs.
  EXPECT_EQ(Encode(bcCode39Extended, "a", csModulo10).pattern,
            Encode(bcCode39, "+A", csModulo10).pattern);
  // zbar reads the pairs as plain Code 39 (its full-ASCII reading is off).
  QString printable;
  std::string pairs;
  for (char16_t c = 32; c < 127; ++c) {
    printable += QChar(c);
    pairs += kCode39Ascii[c];
  }
  EXPECT_EQ(Decode(Encode(bcCode39Extended, printable).pattern), "CODE-39:" + pairs);
}

// ------------------------------------------------------------ Code 93

TEST(HBarCode93, EveryCharacterDecodesWithItsChecks) {
  // zbar verifies both check characters C and K.
  const QString all = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%");
  EXPECT_EQ(Decode(Encode(bcCode93, all).pattern), "CODE-93:" + all.toStdString());
  EXPECT_EQ(Decode(Encode(bcCode93, "TEST93").pattern), "CODE-93:TEST93");
  // Long data runs the C weights past 20 and the K weights past 15.
  const QString longer = QStringLiteral("THE QUICK BROWN FOX 0123456789 JUMPS");
  EXPECT_EQ(Decode(Encode(bcCode93, longer).pattern), "CODE-93:" + longer.toStdString());
}

TEST(HBarCode93, TestExampleChecks) {
  // "TEST93": the published example gives C = "+" (41) and K = "6" (6).
  const BarPattern p = Encode(bcCode93, "TEST93");
  const std::string tail = WidthsToCodes(kCode93Widths[41]) + WidthsToCodes(kCode93Widths[6]) +
                           WidthsToCodes(kCode93Stop);
  EXPECT_EQ(p.pattern.substr(p.pattern.size() - tail.size()), tail);
  EXPECT_EQ(p.pattern.substr(0, 6), WidthsToCodes(kCode93Start));
  EXPECT_EQ(PatternWidth(p.pattern), 9 * (1 + 6 + 2) + 10);
}

TEST(HBarCode93, ShiftCharactersAndExtended) {
  // The shift characters are rows 43 to 46 of the plain table.
  EXPECT_EQ(Encode(bcCode93, "[").pattern.substr(6, 6), WidthsToCodes(kCode93Widths[43]));
  EXPECT_EQ(Encode(bcCode93, "}").pattern.substr(6, 6), WidthsToCodes(kCode93Widths[46]));
  // Extended "abc" succeeds as "}A}B}C".
  EXPECT_EQ(Encode(bcCode93Extended, "abc").pattern, Encode(bcCode93, "}A}B}C").pattern);
  EXPECT_EQ(Encode(bcCode93Extended, "abc").text, QStringLiteral("abc"));
  EXPECT_EQ(Encode(bcCode93Extended, QString(QChar(0))).pattern, Encode(bcCode93, "]U").pattern);
  EXPECT_EQ(Encode(bcCode93Extended, "-.").pattern, Encode(bcCode93, "{M{N").pattern);
  EXPECT_EQ(Encode(bcCode93Extended, "A中B").pattern, Encode(bcCode93, "AB").pattern);
  // zbar reads the full-ASCII shifts back.
  QString printable;
  for (char16_t c = 32; c < 127; ++c) printable += QChar(c);
  EXPECT_EQ(Decode(Encode(bcCode93Extended, printable).pattern), "CODE-93:" + Str(printable));
  EXPECT_EQ(Decode(Encode(bcCode93Extended, "Hello, World!").pattern), "CODE-93:Hello, World!");
}

// ------------------------------------------------------------ 2 of 5

TEST(HBarCode2of5, Interleaved) {
  BarPattern p = Encode(bcCode_2_5_interleaved, "123456");
  EXPECT_EQ(Decode(p.pattern), "I2/5:123456");
  EXPECT_EQ(p.pattern.substr(0, 4), "5050");
  EXPECT_EQ(p.pattern.substr(p.pattern.size() - 3), "605");
  // Pair "12": bars of 1 (10001), spaces of 2 (01001), interleaved.
  EXPECT_EQ(p.pattern.substr(4, 10), "6051505061");
  EXPECT_EQ(PatternWidth(p.pattern), 4 + 3 * 2 * (3 + 2 * 2) + 4);
  // Odd count: a leading "0" so that every digit is drawn, and shown.
  p = Encode(bcCode_2_5_interleaved, "12345");
  EXPECT_EQ(p.pattern, Encode(bcCode_2_5_interleaved, "012345").pattern);
  EXPECT_EQ(p.text, QStringLiteral("012345"));
  EXPECT_EQ(Decode(p.pattern), "I2/5:012345");
  EXPECT_EQ(Encode(bcCode_2_5_interleaved, "").pattern, "5050605");
  // Ratio 3 reads too.
  EXPECT_EQ(Decode(Encode(bcCode_2_5_interleaved, "00998877", csNone, 2, 3.0).pattern),
            "I2/5:00998877");
}

TEST(HBarCode2of5, IndustrialAndMatrix) {
  // Industrial: "1" is 10001 as bars, each followed by a narrow space.
  EXPECT_EQ(Encode(bcCode_2_5_industrial, "1").pattern,
            "606050"
            "6050505060"
            "605060");
  // Matrix: bar, space, bar, space, bar of the weights, then a narrow space.
  EXPECT_EQ(Encode(bcCode_2_5_matrix, "1").pattern,
            "705050"
            "60506"
            "0"
            "70505");
  EXPECT_EQ(Encode(bcCode_2_5_matrix, "0").pattern,
            "705050"
            "50615"
            "0"
            "70505");
  // Ratio 2.25 (the matrix minimum) at Modul 2: classes 2, 4, 6, 8.
  EXPECT_EQ(Widths(Encode(bcCode_2_5_matrix, "", csNone, 2, 1.0).pattern), "6 2 2 2 2 2 6 2 2 2 2");
  // No check digit, whatever the switch says.
  EXPECT_EQ(Encode(bcCode_2_5_industrial, "12", csModulo10).pattern,
            Encode(bcCode_2_5_industrial, "12").pattern);
  EXPECT_EQ(Encode(bcCode_2_5_matrix, "12", csModulo10).pattern,
            Encode(bcCode_2_5_matrix, "12").pattern);
  EXPECT_EQ(Encode(bcCode_2_5_interleaved, "12", csModulo10).pattern,
            Encode(bcCode_2_5_interleaved, "12").pattern);
}

// ------------------------------------------------------------ MSI, PostNet, Codabar

TEST(HBarCodeOthers, Msi) {
  const std::string start = "60", stop = "515";
  auto digit = [](int d) {
    std::string s;
    for (int b = 3; b >= 0; --b) s += kMsiBit[(d >> b) & 1];
    return s;
  };
  EXPECT_EQ(digit(0), "51515151");
  EXPECT_EQ(digit(9), "60515160");
  const struct {
    const char *data;
    int check;
    const char *origin;
  } rows[] = {
      {"12", 5, "N = 2, s = 4 + 1"},
      {"123456", 6, "N = 246, 2N = 492: 15 + 1+3+5 = 24 (Luhn from the right agrees)"},
      {"", 0, "empty"},
      {"5", 5, "one digit"},
      {"1234567", 9, "odd count: the doubled digits are those at even positions from the left"},
      {"0505", 8, "N = 55, 2N = 110: 2 + 0 = 2"},
  };
  for (const auto &r : rows) {
    std::string expected = start;
    for (const char *p = r.data; *p; ++p) expected += digit(*p - '0');
    expected += digit(r.check) + stop;
    EXPECT_EQ(Encode(bcCodeMSI, r.data).pattern, expected) << r.origin;
    EXPECT_EQ(Encode(bcCodeMSI, r.data, csModulo10).pattern, expected)
        << "always added: " << r.origin;
  }
  // Long data: the digit sum of 2N is taken digit by digit.
  EXPECT_NO_THROW(Encode(bcCodeMSI, QString(5000, QLatin1Char('9'))));
}

TEST(HBarCodeOthers, PostNet) {
  EXPECT_EQ(Encode(bcCodePostNet, "0").pattern,
            "51"
            "5151A1A1A1"
            "5");
  EXPECT_EQ(Encode(bcCodePostNet, "19").pattern,
            "51"
            "A1A1A15151"
            "51A151A1A1"
            "5");
  EXPECT_EQ(Encode(bcCodePostNet, "19", csModulo10).pattern, Encode(bcCodePostNet, "19").pattern);
  // Each digit: two full bars and three short ones.
  for (int d = 0; d < 10; ++d) {
    int full = 0;
    for (const char *p = kPostNet[d]; *p; ++p) full += *p == '5';
    EXPECT_EQ(full, 2) << d;
  }
  // Ratio 1 is raised to... nothing: PostNet keeps any ratio, its wide space is class 1.
  EXPECT_EQ(Widths(Encode(bcCodePostNet, "", csNone, 2, 3.0).pattern), "2 6 2");
}

TEST(HBarCodeOthers, Codabar) {
  const BarPattern p = Encode(bcCodeCodabar, "40156");
  EXPECT_EQ(p.pattern, std::string("5061515") + "0" + "5060515" + "0" + "5050516" + "0" +
                           "5050615" + "0" + "6050515" + "0" + "5150506" + "0" + "5151506");
  EXPECT_EQ(p.text, QStringLiteral("40156"));
  EXPECT_EQ(Decode(p.pattern), "Codabar:A40156B");
  const QString all = QStringLiteral("0123456789-$:/.+");
  EXPECT_EQ(Decode(Encode(bcCodeCodabar, all).pattern), "Codabar:A" + Str(all) + "B");
  EXPECT_EQ(Encode(bcCodeCodabar, "").pattern, std::string("5061515") + "0" + "5151506");
  // Start and stop letters inside the data are table characters too.
  EXPECT_NO_THROW(Encode(bcCodeCodabar, "ABCD"));
}

// ------------------------------------------------------------ every symbology

// Every symbology at modul 1 to 3 and a few ratios: a well-formed pattern whose
// width is the sum of its elements, and whose modules are the same at Modul 1 and 3.
TEST(HBarCodeAll, WellFormedAtEveryModul) {
  const char *data[] = {"", "0", "12345678", "ABC-123", "0123456789012"};
  for (int t = 0; t < kBarTypeCount; ++t)
    for (const char *d : data)
      for (int modul : {1, 2, 3})
        for (double ratio : {2.0, 2.5, 3.0}) {
          BarPattern p;
          try {
            p = Encode(TBarType(t), d, csModulo10, modul, ratio);
          } catch (const platform::Exception &) {
            continue;
          }
          SCOPED_TRACE(std::string(BCdata[t].Name) + " \"" + d + "\" modul " +
                       std::to_string(modul));
          EXPECT_TRUE(WellFormed(p.pattern));
          int sum = 0;
          for (char c : p.pattern) sum += ElementOf(c).width;
          EXPECT_EQ(PatternWidth(p.pattern), sum);
          EXPECT_EQ(PatternWidth(TBarType(t), d, modul, ratio, csModulo10), sum);
          EXPECT_EQ(ElementOf('5').width, modul);
        }
}

TEST(HBarCodeAll, DecodesAtModulOneToThree) {
  const struct {
    TBarType type;
    const char *data;
    const char *read;
  } rows[] = {
      {bcCodeEAN13, "6901028095884", "EAN-13:6901028095884"},
      {bcCodeEAN8, "96385074", "EAN-8:96385074"},
      {bcCodeUPC_A, "036000291452", "UPC-A:036000291452"},
      {bcCodeUPC_E0, "1234565", "UPC-E:01234565"},
      {bcCode128A, "LABEL-01", "CODE-128:LABEL-01"},
      {bcCode128B, "label-01", "CODE-128:label-01"},
      {bcCode128C, "20240101", "CODE-128:20240101"},
      {bcCode39, "TARVEL 39", "CODE-39:TARVEL 39"},
      {bcCode93, "TARVEL 93", "CODE-93:TARVEL 93"},
      {bcCode93Extended, "tarvel", "CODE-93:tarvel"},
      {bcCode_2_5_interleaved, "12345670", "I2/5:12345670"},
      {bcCodeCodabar, "31117013206375", "Codabar:A31117013206375B"},
  };
  for (const auto &r : rows)
    for (int modul : {1, 2, 3}) {
      const BarPattern p = Encode(r.type, r.data, csNone, modul, 2.0);
      EXPECT_EQ(Decode(p.pattern), r.read) << BCdata[r.type].Name << " modul " << modul;
    }
  // The two-width symbologies read at their whole ratio range.
  for (double ratio : {2.0, 2.5, 3.0}) {
    EXPECT_EQ(Decode(Encode(bcCode39, "RATIO", csNone, 2, ratio).pattern), "CODE-39:RATIO")
        << ratio;
    EXPECT_EQ(Decode(Encode(bcCodeCodabar, "1234", csNone, 2, ratio).pattern), "Codabar:A1234B")
        << ratio;
  }
}

// ------------------------------------------------------------ bad input

// Any data, any switch: a pattern or a platform::Exception, never a crash or a
// hang; the whole sweep stays well under a second per symbology.
TEST(HBarCodeBadInput, NeverCrashesOrHangs) {
  std::mt19937 random(20240229);
  std::vector<QString> inputs = {
      QString(),
      QStringLiteral(""),
      QStringLiteral("   "),
      QString(10000, QLatin1Char('7')),
      QString(10000, QLatin1Char('Z')),
      QString(10000, QLatin1Char('a')),
      QString(10001, QLatin1Char('1')),
      QStringLiteral("中文标签 ÄÖÜ €"),
      QStringLiteral("\t\r\n\x01\x1f\x7f"),
      QString(QChar(0)),
      QString::fromUtf8("\xF0\x9F\x98\x80 emoji"),
      QString::fromUtf8("\xff\xfe broken utf-8"),
  };
  QString mixed;
  for (int i = 0; i < 10000; ++i) mixed += QChar(char16_t(random() % 0x10000));
  inputs.push_back(mixed);
  QString control;
  for (int i = 0; i < 10000; ++i) control += QChar(char16_t(random() % 32));
  inputs.push_back(control);

  std::string pattern;
  QString text;
  for (int t = -1; t <= kBarTypeCount + 1; ++t) {
    const auto started = std::chrono::steady_clock::now();
    for (const QString &data : inputs)
      for (TCheckSum check : {csNone, csModulo10, TCheckSum(7)})
        for (double r : {2.0, 0.0, -1.0, 7.5, std::numeric_limits<double>::quiet_NaN()}) {
          double ratio = r;
          try {
            MakeBarPattern(TBarType(t), data, 1, ratio, check, pattern, text);
            EXPECT_TRUE(WellFormed(pattern));
            PatternWidth(pattern);
          } catch (const platform::Exception &e) {
            EXPECT_FALSE(e.Message().isEmpty());
            EXPECT_TRUE(pattern.empty());
          }
        }
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_LT(seconds, 2.0) << "type " << t;
  }
}

TEST(HBarCodeBadInput, LongDataStillEncodes) {
  const QString digits(10000, QLatin1Char('5'));
  EXPECT_EQ(Encode(bcCode128C, digits).pattern.size(), size_t(6 * (5000 + 2) + 7));
  EXPECT_EQ(Encode(bcCode_2_5_interleaved, digits).text, digits);
  EXPECT_EQ(Str(FailureOf(bcCodeEAN13, digits)),
            "EAN13 : Invalid barcode length. (lib\\barcode\\BarDef, line 213)");
  EXPECT_EQ(Encode(bcCodeUPC_A, digits).pattern, Encode(bcCodeUPC_A, "555555555555").pattern);
  // Supplement parity of a long number: only its value mod 4 matters.
  EXPECT_EQ(Encode(bcCodeUPC_Supp2, digits).pattern, Encode(bcCodeUPC_Supp2, "55").pattern);
  const QString text(10000, QLatin1Char('Q'));
  EXPECT_EQ(Decode(Encode(bcCode128B, text.left(200)).pattern), "CODE-128:" + Str(text.left(200)));
  EXPECT_NO_THROW(Encode(bcCode93Extended, text));
  EXPECT_NO_THROW(Encode(bcCode39Extended, text, csModulo10));
}

}  // namespace
