// The 2 of 5 family: interleaved, industrial and matrix. Two widths; no check digit.
#include "barcode/HBarCode_sections.h"

namespace barcode::sections {

namespace {
bool Wide(int digit, int j) {
  return kTwoOfFiveWeights[digit][j] == '1';
}
}  // namespace

void Encode2of5Interleaved(Request &r) {
  // Pairs of digits: an odd count gets a leading "0" so that every digit is drawn
  // (and the shown text says what the bars say).
  const bool odd = r.Length() % 2 == 1;
  const int n = r.Length() + (odd ? 1 : 0);
  r.Reserve(4 + size_t(n) * 5 + 3);
  r.Append("5050");
  for (int i = 0; i + 1 < n; i += 2) {
    const int first = PaddedDigit(r, n, i), second = PaddedDigit(r, n, i + 1);
    for (int j = 0; j < 5; ++j) {
      r.Put(Wide(first, j) ? '6' : '5');
      r.Put(Wide(second, j) ? '1' : '0');
    }
  }
  r.Append("605");
  if (odd) r.Show(QLatin1Char('0') + r.data);
}

void Encode2of5Industrial(Request &r) {
  r.Reserve(6 + size_t(r.Length()) * 10 + 6);
  r.Append("606050");
  for (int i = 0; i < r.Length(); ++i) {
    const int digit = r.At(i) - u'0';
    for (int j = 0; j < 5; ++j) r.Append(Wide(digit, j) ? "60" : "50");
  }
  r.Append("605060");
}

void Encode2of5Matrix(Request &r) {
  r.Reserve(6 + size_t(r.Length()) * 6 + 5);
  r.Append("705050");
  for (int i = 0; i < r.Length(); ++i) {
    const int digit = r.At(i) - u'0';
    for (int j = 0; j < 5; ++j) {
      const bool bar = j % 2 == 0;
      r.Put(bar ? (Wide(digit, j) ? '6' : '5') : (Wide(digit, j) ? '1' : '0'));
    }
    r.Put('0');
  }
  r.Append("70505");
}

}  // namespace barcode::sections
