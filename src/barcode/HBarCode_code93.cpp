// Code 93 and Code 93 extended (full ASCII). Four widths; check characters C and K.
#include "barcode/HBarCode_sections.h"

namespace barcode::sections {

namespace {

constexpr int kNoValue = -1;
// Value of each ASCII character in the 47-row table, or -1.
struct Code93Index {
  signed char value[128] = {};
  constexpr Code93Index() {
    for (int c = 0; c < 128; ++c) value[c] = kNoValue;
    for (int v = 46; v >= 0; --v) value[int(kCode93Chars[v])] = static_cast<signed char>(v);
  }
};
constexpr Code93Index kIndex;

int ValueOf(char16_t ch) {
  return ch < 128 ? kIndex.value[ch] : kNoValue;
}

struct Code93Codes {
  Codes<7> value[47];
  constexpr Code93Codes() {
    for (int v = 0; v < 47; ++v) value[v] = ToCodes(kCode93Widths[v]);
  }
};
constexpr Code93Codes kCodes;
constexpr auto kStart = ToCodes(kCode93Start);
constexpr auto kStop = ToCodes(kCode93Stop);

// Start, then count values, then C, K and stop. The weights count from the
// right: C runs 1 to 20, K 2 to 15 (the C character itself weighs 1), each
// starting again at 1.
class Symbol {
 public:
  Symbol(Request &r, int count) : r_(r), position_(count) {
    r_.Reserve(size_t(count + 3) * 6 + 7);
    r_.Append(kStart.c, kStart.size);
  }
  void Add(int value) {
    Put(value);
    c_ = (c_ + value * ((position_ - 1) % 20 + 1)) % 47;
    k_ = (k_ + value * (position_ % 15 + 1)) % 47;
    --position_;  // position from the right, 1-based
  }
  void Finish() {
    Put(c_);
    Put((k_ + c_) % 47);
    r_.Append(kStop.c, kStop.size);
  }

 private:
  void Put(int value) { r_.Append(kCodes.value[value].c, 6); }
  Request &r_;
  int position_;
  int c_ = 0, k_ = 0;
};

}  // namespace

void EncodeCode93(Request &r) {
  for (int i = 0; i < r.Length(); ++i)
    if (ValueOf(r.At(i)) == kNoValue) FailWithData(r.data, kMsgCode93BadData);
  Symbol symbol(r, r.Length());
  for (int i = 0; i < r.Length(); ++i) symbol.Add(ValueOf(r.At(i)));
  symbol.Finish();
}

void EncodeCode93Extended(Request &r) {
  // Each character below 128 becomes its full-ASCII entry (shift letters
  // "[", "]", "{", "}"); others are dropped.
  int count = 0;
  for (int i = 0; i < r.Length(); ++i)
    if (r.At(i) < 128) count += kCode39Ascii[r.At(i)][1] ? 2 : 1;
  Symbol symbol(r, count);
  for (int i = 0; i < r.Length(); ++i) {
    const char16_t ch = r.At(i);
    if (ch >= 128) continue;
    for (const char *p = kCode39Ascii[ch]; *p; ++p)
      symbol.Add(ValueOf(char16_t(Code93ShiftOf(*p))));
  }
  symbol.Finish();
}

}  // namespace barcode::sections
