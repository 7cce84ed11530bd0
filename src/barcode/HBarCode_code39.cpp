// Code 39 and Code 39 extended (full ASCII). Two widths; check value modulo 43.
#include "barcode/HBarCode_sections.h"

namespace barcode::sections {

namespace {

// Row of a character in the Code 39 table, or -1. The first row wins, so "*"
// (row 39) is found by its own row.
constexpr int kNoRow = -1;
struct Code39Index {
  signed char row[128] = {};
  constexpr Code39Index() {
    for (int c = 0; c < 128; ++c) row[c] = kNoRow;
    for (int i = 43; i >= 0; --i) row[int(kCode39[i].ch)] = static_cast<signed char>(i);
  }
};
constexpr Code39Index kIndex;

int RowOf(char16_t ch) {
  return ch < 128 ? kIndex.row[ch] : kNoRow;
}

// Appends one table row: its nine elements and the narrow gap after it.
void AppendRow(Request &r, int row) {
  r.Append(kCode39[row].pattern, 9);
  r.Put('0');
}

// Start, then one row at a time with its check value, then check (when
// switched on) and stop.
class Symbol {
 public:
  Symbol(Request &r, size_t characters) : r_(r) {
    r.Reserve((characters + 3) * 10);
    AppendRow(r_, kCode39Star);
  }
  void Add(int row) {
    AppendRow(r_, row);
    sum_ = (sum_ + kCode39[row].check) % 43;
  }
  void Finish() {
    if (r_.check) {
      int row = 0;
      while (kCode39[row].check != sum_) ++row;  // the first row: a remainder 0 is "0"
      AppendRow(r_, row);
    }
    r_.Append(kCode39[kCode39Star].pattern, 9);
  }

 private:
  Request &r_;
  int sum_ = 0;
};

}  // namespace

void EncodeCode39(Request &r) {
  // Characters not in the table (lower case among them) are left out.
  Symbol symbol(r, size_t(r.Length()));
  for (int i = 0; i < r.Length(); ++i)
    if (const int row = RowOf(r.At(i)); row != kNoRow) symbol.Add(row);
  symbol.Finish();
}

void EncodeCode39Extended(Request &r) {
  // Each character below 128 becomes its full-ASCII pair; others are dropped.
  Symbol symbol(r, size_t(r.Length()) * 2);
  for (int i = 0; i < r.Length(); ++i) {
    const char16_t ch = r.At(i);
    if (ch >= 128) continue;
    for (const char *p = kCode39Ascii[ch]; *p; ++p) symbol.Add(RowOf(char16_t(*p)));
  }
  symbol.Finish();
}

}  // namespace barcode::sections
