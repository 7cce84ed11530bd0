// Code 128 sets A, B, C and EAN-128 (the same with FNC1 after the start).
// Four widths; check character modulo 103.
#include <cstdint>

#include "barcode/HBarCode_sections.h"

namespace barcode::sections {

namespace {

struct Code128Codes {
  Codes<7> value[106];
  constexpr Code128Codes() {
    for (int v = 0; v < 106; ++v) value[v] = ToCodes(kCode128Widths[v]);
  }
};
constexpr Code128Codes kCodes;
constexpr auto kStop = ToCodes(kCode128Stop);

// Value of a character in set A or B. Codes 195 to 202 stand for the function
// and shift values 95 to 102; anything else not in the set (codes of 203 and
// above included) is taken as a space.
int ValueAB(char16_t ch, bool setB) {
  if (ch >= 32 && ch <= (setB ? 126 : 95)) return ch - 32;
  if (ch >= 195 && ch <= 202) return ch - 100;
  return 0;
}

// Value of a pair in set C: "00" to "99", "CB", "CA", "F1"; any other pair counts as "00".
int ValueC(char16_t a, char16_t b) {
  if (a >= u'0' && a <= u'9' && b >= u'0' && b <= u'9') return (a - u'0') * 10 + (b - u'0');
  if (a == u'C' && b == u'B') return 100;
  if (a == u'C' && b == u'A') return 101;
  if (a == u'F' && b == u'1') return 102;
  return 0;
}

// Start, values with their weights 1, 2, 3, ..., check (the weighted sum mod
// 103), stop. Weights are kept mod 103, so every term stays below 103 x 106 and
// the 64-bit sum cannot overflow for any data a string can hold.
class Symbol {
 public:
  Symbol(Request &r, int start) : r_(r), sum_(uint64_t(start)) { Put(start); }
  void Add(int value) {
    sum_ += uint64_t(value) * weight_;
    if (++weight_ == 103) weight_ = 0;
    Put(value);
  }
  void Finish() {
    Put(int(sum_ % 103));
    r_.Append(kStop.c, kStop.size);
  }

 private:
  void Put(int value) { r_.Append(kCodes.value[value].c, 6); }
  Request &r_;
  uint64_t sum_;
  unsigned weight_ = 1;
};

}  // namespace

void EncodeCode128(Request &r) {
  const bool ean = r.type >= bcCodeEAN128A;
  const TBarType set = ean ? TBarType(r.type - bcCodeEAN128A + bcCode128A) : r.type;

  // The data as encoded: EAN-128 with the check switch appends its modulo-10
  // digit; set C with an odd count puts a "0" in front.
  QString appended;
  const QString *data = &r.data;
  if (ean && r.check) {
    for (int i = 0; i < r.Length(); ++i)
      if (r.At(i) < u'0' || r.At(i) > u'9') FailNotInteger(r.At(i));
    int sum = 0;
    for (int i = r.Length() - 1, w = 3; i >= 0; --i, w = 4 - w)
      sum = (sum + (r.At(i) - u'0') * w) % 10;
    appended = r.data + QChar(u'0' + (10 - sum) % 10);
    data = &appended;
  }
  if (set == bcCode128C && data->size() % 2 == 1) {
    appended = QLatin1Char('0') + *data;
    data = &appended;
  }
  if (data != &r.data) r.Show(*data);

  const QChar *p = data->constData();
  const int n = int(data->size());
  r.Reserve(size_t(n + 4) * 6 + 7);
  Symbol symbol(r, set == bcCode128A   ? kCode128StartA
                   : set == bcCode128B ? kCode128StartB
                                       : kCode128StartC);
  if (ean) symbol.Add(kCode128Fnc1);
  if (set == bcCode128C) {
    for (int i = 0; i + 1 < n; i += 2) symbol.Add(ValueC(p[i].unicode(), p[i + 1].unicode()));
  } else {
    for (int i = 0; i < n; ++i) symbol.Add(ValueAB(p[i].unicode(), set == bcCode128B));
  }
  symbol.Finish();
}

}  // namespace barcode::sections
