#pragma once
// HBarCode: the symbology encoders of the barcode engine. A request (symbology,
// data text, check switch, module width, wide-to-narrow ratio) becomes a pattern
// string of one-character element codes plus the text shown beside the bars.
// Nothing here draws; the drawing core walks the pattern with ElementOf.
//
// Element codes: "0".."3" space, "5".."8" full bar, "A".."D" short bar (lower two
// fifths of the bar height), each of width class 0..3. Bars and spaces alternate,
// beginning with a bar.
#include <QString>
#include <cstdint>
#include <string>

namespace barcode {

// ---------------------------------------------------------------- enumerations

enum TBarType : int {
  bcCode_2_5_interleaved,  // 0
  bcCode_2_5_industrial,
  bcCode_2_5_matrix,
  bcCode39,
  bcCode39Extended,
  bcCode128A,  // 5
  bcCode128B,
  bcCode128C,
  bcCode93,
  bcCode93Extended,
  bcCodeMSI,  // 10
  bcCodePostNet,
  bcCodeCodabar,
  bcCodeEAN8,
  bcCodeEAN13,
  bcCodeUPC_A,  // 15
  bcCodeUPC_E0,
  bcCodeUPC_E1,
  bcCodeUPC_Supp2,
  bcCodeUPC_Supp5,
  bcCodeEAN128A,  // 20
  bcCodeEAN128B,
  bcCodeEAN128C,
};
constexpr int kBarTypeCount = 23;

enum TCheckSum : int { csNone, csModulo10 };
enum TTextShow : int { tsNone, tsBarCode, tsBarType, tsBoth };
enum TTextPosition : int {
  tpTopLeft,
  tpTopRight,
  tpTopCenter,
  tpBottomLeft,
  tpBottomRight,
  tpBottomCenter,
};
// Angles: toLeftRight 0, toRightLeft 180, toTopBottom 270, toBottomTop 90 degrees.
enum TOrientation : int { toLeftRight, toRightLeft, toTopBottom, toBottomTop };
// Units of the printer forms of the drawing core.
enum TUnits : int { utMillimeter, utInch };

// ------------------------------------------------------------ symbology table

struct TBCdata {
  const char *Name;  // the name the control reports
  bool num;          // data may hold only "0" to "9"
};

// Indexed by TBarType ordinal.
inline constexpr TBCdata BCdata[kBarTypeCount] = {
    {"Code25 interleaved", true},
    {"Code25 industrial", true},
    {"Code25 matrix", true},
    {"Code39", false},
    {"Code39 Extended", false},
    {"Code128A", false},
    {"Code128B", false},
    {"Code128C", false},
    {"Code93", false},
    {"Code93 Extended", false},
    {"MSI", true},
    {"PostNet", true},
    {"Codebar", false},
    {"EAN8", true},
    {"EAN13", true},
    {"UPC_A", true},
    {"UPC_E0", true},
    {"UPC_E1", true},
    {"UPC Supp2", true},
    {"UPC Supp5", true},
    {"EAN128A", false},
    {"EAN128B", false},
    {"EAN128C", false},
};

// The enumerator names, for tools that take a symbology by name.
inline constexpr const char *kBarTypeEnumNames[kBarTypeCount] = {
    "bcCode_2_5_interleaved",
    "bcCode_2_5_industrial",
    "bcCode_2_5_matrix",
    "bcCode39",
    "bcCode39Extended",
    "bcCode128A",
    "bcCode128B",
    "bcCode128C",
    "bcCode93",
    "bcCode93Extended",
    "bcCodeMSI",
    "bcCodePostNet",
    "bcCodeCodabar",
    "bcCodeEAN8",
    "bcCodeEAN13",
    "bcCodeUPC_A",
    "bcCodeUPC_E0",
    "bcCodeUPC_E1",
    "bcCodeUPC_Supp2",
    "bcCodeUPC_Supp5",
    "bcCodeEAN128A",
    "bcCodeEAN128B",
    "bcCodeEAN128C",
};

constexpr bool IsValidBarType(int type) {
  return type >= 0 && type < kBarTypeCount;
}

// ------------------------------------------------------------ failure messages
// Raised as platform::Exception. The "%s : %s" forms are the data text, " : "
// and the fixed text.

inline constexpr const char kMsgNotNumeric[] = "Barcode must be numeric.";
inline constexpr const char kMsgWrongType[] = "Wrong barcode type.";
inline constexpr const char kMsgCode93BadData[] = "Code_93 bad data.";
// The EAN length failures are assertion failures; the user sees them in the
// assertion format "%s (%s, line %d)" with the source location of the EAN routines.
inline constexpr const char kMsgEan8Length[] = "EAN8 : Invalid barcode length.";
inline constexpr const char kMsgEan13Length[] = "EAN13 : Invalid barcode length.";
inline constexpr const char kEanAssertUnit[] = "lib\\barcode\\BarDef";
constexpr int kEan8AssertLine = 169;
constexpr int kEan13AssertLine = 213;
// Codabar data outside its 20 characters has no pattern: refused in the
// "%s : %s" form rather than silently dropped.
inline constexpr const char kMsgCodabarBadData[] = "Codabar bad data.";
// A module width below 1 pixel, a ratio that is not a number, or element widths
// (or a pattern width) too large to measure in pixels.
inline constexpr const char kMsgBarWidth[] = "Bar width out of range.";

// ------------------------------------------------------------ width classes
// m0 = Modul, m1 = Modul x ratio rounded half to even, m2 = m1 x 3 div 2,
// m3 = 2 x m1. Shared state of the module, rewritten by every encoding and read
// by ElementOf and PatternWidth afterwards (single-threaded by design).
// The classes are held wider than 8 bits so that the geometry stays true over
// the whole module range of the control; widths beyond kMaxElementWidth fail.

struct WidthClasses {
  int m[4] = {1, 2, 3, 4};
};
constexpr int kMaxElementWidth = 32767;

// Ratio limits per symbology: the effective ratio of an encoding.
double EffectiveRatio(TBarType type, double ratio);
// The four classes for a module width and an effective ratio; fails with
// kMsgBarWidth when they are out of range.
WidthClasses ComputeWidthClasses(int modul, double effectiveRatio);
// The classes of the last encoding.
const WidthClasses &CurrentWidthClasses();

// ------------------------------------------------------------ elements

enum TElementKind : int { ekSpace, ekBar, ekShortBar };
struct BarElement {
  TElementKind kind;
  int width;  // pixels
};
// Kind and width of one pattern code, from the width classes of the last
// encoding. A code outside the alphabet is a space of width 0.
BarElement ElementOf(char code);

// ------------------------------------------------------------ encoding

// Encodes data. ratio: in the caller's ratio, out the effective one. The
// pattern and the shown text are written to the out parameters, whose storage is
// reused (clear + append), so a caller encoding in a loop allocates nothing.
// Sets the width classes. Throws platform::Exception; on failure pattern is
// left empty and text unchanged.
void MakeBarPattern(TBarType type, const QString &data, int modul, double &ratio,
                    TCheckSum checkSum, std::string &pattern, QString &text);

struct BarPattern {
  std::string pattern;
  QString text;
  double ratio = 2.0;  // effective ratio
};
// Convenience form of the above.
BarPattern MakeBarPattern(TBarType type, const QString &data, int modul, double ratio,
                          TCheckSum checkSum);

// Encodes afresh and returns the sum of the element widths (quiet zones not
// included). Leaves the width classes of this encoding set.
int PatternWidth(TBarType type, const QString &data, int modul, double ratio, TCheckSum checkSum);
// Width of an already made pattern with the current width classes. Fails with
// kMsgBarWidth when the sum does not fit in an int.
int PatternWidth(const std::string &pattern);

// ------------------------------------------------------------ tables
// All constant; each names its source.

// EAN/UPC digit sets in pattern codes (set A and B begin with a space, C with a
// bar); set B is set C read backwards. Source: the EAN-13 standard's L, G, R sets.
inline constexpr char kEanSetA[10][5] = {"2605", "1615", "1516", "0805", "0526",
                                         "0625", "0508", "0706", "0607", "2506"};
inline constexpr char kEanSetB[10][5] = {"0517", "0616", "1606", "0535", "1705",
                                         "0715", "3505", "1525", "2515", "1507"};
inline constexpr char kEanSetC[10][5] = {"7150", "6160", "6061", "5350", "5071",
                                         "5170", "5053", "5251", "5152", "7051"};
// EAN-13 parity of digits 2 to 7 by the first digit (A: set A, B: set B).
inline constexpr char kEan13Parity[10][7] = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                                             "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
// UPC-E parity by the seventh digit ("E" the even set); letters 2 to 6 serve the
// five-digit supplement.
inline constexpr char kUpcEParity[10][7] = {"EEEooo", "EEoEoo", "EEooEo", "EEoooE", "EoEEoo",
                                            "EooEEo", "EoooEE", "EoEoEo", "EoEooE", "EooEoE"};
// 2 of 5 weights, five flags per digit (1 = wide). Source: the 2 of 5 standard.
inline constexpr char kTwoOfFiveWeights[10][6] = {"00110", "10001", "01001", "11000", "00101",
                                                  "10100", "01100", "00011", "10010", "01010"};

// Code 39: character, nine elements (narrow/wide bar "5"/"6", space "0"/"1"),
// check value. Source: the published Code 39 table, rows in this order.
struct Code39Row {
  char ch;
  char pattern[10];
  int8_t check;
};
inline constexpr Code39Row kCode39[44] = {
    {'0', "505160605", 0},  {'1', "605150506", 1},  {'2', "506150506", 2},  {'3', "606150505", 3},
    {'4', "505160506", 4},  {'5', "605160505", 5},  {'6', "506160505", 6},  {'7', "505150606", 7},
    {'8', "605150605", 8},  {'9', "506150605", 9},  {'A', "605051506", 10}, {'B', "506051506", 11},
    {'C', "606051505", 12}, {'D', "505061506", 13}, {'E', "605061505", 14}, {'F', "506061505", 15},
    {'G', "505051606", 16}, {'H', "605051605", 17}, {'I', "506051605", 18}, {'J', "505061605", 19},
    {'K', "605050516", 20}, {'L', "506050516", 21}, {'M', "606050515", 22}, {'N', "505060516", 23},
    {'O', "605060515", 24}, {'P', "506060515", 25}, {'Q', "505050616", 26}, {'R', "605050615", 27},
    {'S', "506050615", 28}, {'T', "505060615", 29}, {'U', "615050506", 30}, {'V', "516050506", 31},
    {'W', "616050505", 32}, {'X', "515060506", 33}, {'Y', "615060505", 34}, {'Z', "516060505", 35},
    {'-', "515050606", 36}, {'.', "615050605", 37}, {' ', "516050605", 38}, {'*', "515060605", 0},
    {'$', "515151505", 39}, {'/', "515150515", 40}, {'+', "515051515", 41}, {'%', "505151515", 42},
};
constexpr int kCode39Star = 39;  // row of the start/stop character "*"

// Code 39 full ASCII, two characters per code 0 to 127 (a second character of
// '\0' means the code stands for itself). "-" is written "/M" and "." "/N".
// Source: the published Code 39 full-ASCII assignment.
inline constexpr char kCode39Ascii[128][3] = {
    "%U", "$A", "$B", "$C", "$D", "$E", "$F", "$G", "$H", "$I", "$J", "$K", "$L", "$M", "$N", "$O",
    "$P", "$Q", "$R", "$S", "$T", "$U", "$V", "$W", "$X", "$Y", "$Z", "%A", "%B", "%C", "%D", "%E",
    " ",  "/A", "/B", "/C", "/D", "/E", "/F", "/G", "/H", "/I", "/J", "/K", "/L", "/M", "/N", "/O",
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "/Z", "%F", "%G", "%H", "%I", "%J",
    "%V", "A",  "B",  "C",  "D",  "E",  "F",  "G",  "H",  "I",  "J",  "K",  "L",  "M",  "N",  "O",
    "P",  "Q",  "R",  "S",  "T",  "U",  "V",  "W",  "X",  "Y",  "Z",  "%K", "%L", "%M", "%N", "%O",
    "%W", "+A", "+B", "+C", "+D", "+E", "+F", "+G", "+H", "+I", "+J", "+K", "+L", "+M", "+N", "+O",
    "+P", "+Q", "+R", "+S", "+T", "+U", "+V", "+W", "+X", "+Y", "+Z", "%P", "%Q", "%R", "%S", "%T",
};

// Code 93: characters with values 0 to 46 (the shift characters ($), (%), (/),
// (+) written "[", "]", "{", "}") and their width strings (six elements, nine
// modules, bar first). Source: the published Code 93 table.
inline constexpr char kCode93Chars[48] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%[]{}";
inline constexpr char kCode93Widths[47][7] = {
    "131112", "111213", "111312", "111411", "121113", "121212", "121311", "111114",
    "131211", "141111", "211113", "211212", "211311", "221112", "221211", "231111",
    "112113", "112212", "112311", "122112", "132111", "111123", "111222", "111321",
    "121122", "131121", "212112", "212211", "211122", "211221", "221121", "222111",
    "112122", "112221", "122121", "123111", "121131", "311112", "311211", "321111",
    "112131", "113121", "211131", "121221", "312111", "311121", "122211",
};
inline constexpr char kCode93Start[] = "111141";
inline constexpr char kCode93Stop[] = "1111411";  // stop with termination bar

// Code 93 full ASCII: the Code 39 assignment with the shift letters "$", "%",
// "/", "+" replaced by "[", "]", "{", "}".
inline constexpr char Code93ShiftOf(char c) {
  return c == '$' ? '[' : c == '%' ? ']' : c == '/' ? '{' : c == '+' ? '}' : c;
}

// Code 128: width strings of the values 0 to 105 (six elements, eleven modules,
// bar first). Source: the published Code 128 table. Set A holds the characters
// space to "_" at values 0 to 63, set B space to "~" at 0 to 94, set C the pairs
// "00" to "99" at 0 to 99 and "CB", "CA", "F1" at 100 to 102; other cells hold a
// space, which never matches (the space matches value 0 first).
inline constexpr char kCode128Widths[106][7] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122", "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123", "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331", "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232",
};
constexpr int kCode128StartA = 103, kCode128StartB = 104, kCode128StartC = 105;
constexpr int kCode128Fnc1 = 102;
inline constexpr char kCode128Stop[] = "2331112";  // stop with termination bar

// MSI bits: 0 is "51", 1 is "60"; a digit is its four bits, most significant first.
inline constexpr char kMsiBit[2][3] = {"51", "60"};

// PostNet digits: five bars ("5" full, "A" short) each followed by a wide space.
inline constexpr char kPostNet[10][11] = {
    "5151A1A1A1", "A1A1A15151", "A1A151A151", "A1A15151A1", "A151A1A151",
    "A151A151A1", "A15151A1A1", "51A1A1A151", "51A1A151A1", "51A151A1A1",
};

// Codabar, seven elements per character, bars first. Source: the published
// Codabar table.
struct CodabarRow {
  char ch;
  char pattern[8];
};
inline constexpr CodabarRow kCodabar[20] = {
    {'1', "5050615"}, {'2', "5051506"}, {'3', "6150505"}, {'4', "5060515"}, {'5', "6050515"},
    {'6', "5150506"}, {'7', "5150605"}, {'8', "5160505"}, {'9', "6051505"}, {'0', "5050516"},
    {'-', "5051605"}, {'$', "5061505"}, {':', "6050606"}, {'/', "6060506"}, {'.', "6060605"},
    {'+', "5060606"}, {'A', "5061515"}, {'B', "5151506"}, {'C', "5051516"}, {'D', "5051615"},
};

// A width string ("1" to "4" per element, bar first) turned into pattern codes:
// a bar of d modules is code d + 4, a space d - 1. Element positions count from
// the first element of the whole string; every table string has an even number
// of elements except the stops, which come last, so strings convert one by one.
std::string WidthsToCodes(const char *widths);

}  // namespace barcode
