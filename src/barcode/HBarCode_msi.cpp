// MSI: two widths, four bits per digit, one modulo-10 check digit always added.
#include "barcode/HBarCode_sections.h"

namespace barcode::sections {

namespace {
void AppendDigit(Request &r, int digit) {
  for (int bit = 3; bit >= 0; --bit) r.Append(kMsiBit[(digit >> bit) & 1], 2);
}
}  // namespace

void EncodeMsi(Request &r) {
  r.Reserve(2 + size_t(r.Length() + 1) * 8 + 3);
  r.Append("60");
  // Check: the digit sum of 2 x N (N the number of the digits at the 2nd, 4th,
  // ... positions from the left) plus the digits at the 1st, 3rd, ... positions.
  // The digit sum of 2 x N is the sum of the digit sums of each digit doubled.
  int s = 0;
  for (int i = 0; i < r.Length(); ++i) {
    const int digit = r.At(i) - u'0';
    AppendDigit(r, digit);
    s += i % 2 == 1 ? (digit < 5 ? 2 * digit : 2 * digit - 9) : digit;
    s %= 10;
  }
  AppendDigit(r, s == 0 ? 0 : 10 - s);
  r.Append("515");
}

}  // namespace barcode::sections
