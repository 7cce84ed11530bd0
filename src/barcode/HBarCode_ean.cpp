// The EAN/UPC family: EAN-8, EAN-13, UPC-A, UPC-E and the two- and five-digit
// supplements. Four widths; digits from the sets A, B and C.
#include "barcode/HBarCode_sections.h"

namespace barcode::sections {

namespace {

void AppendA(Request &r, int d) {
  r.Append(kEanSetA[d], 4);
}
void AppendB(Request &r, int d) {
  r.Append(kEanSetB[d], 4);
}
void AppendC(Request &r, int d) {
  r.Append(kEanSetC[d], 4);
}

// The first count digits of the data zero-padded to n.
void PaddedDigits(const Request &r, int n, int *digits, int count) {
  for (int i = 0; i < count; ++i) digits[i] = PaddedDigit(r, n, i);
}

QString DigitText(const int *digits, int count) {
  QString text(count, Qt::Uninitialized);
  for (int i = 0; i < count; ++i) text[i] = QChar(u'0' + digits[i]);
  return text;
}

}  // namespace

void EncodeEan8(Request &r) {
  int d[8];
  if (r.check) {
    // Pad to 7, keep the last seven, add the check digit: never the wrong length.
    const int n = r.Length() > 7 ? r.Length() : 7;
    for (int i = 0; i < 7; ++i) d[i] = PaddedDigit(r, 7, n - 7 + i);
    d[7] = EanCheckDigit(d, 7);
  } else {
    if (r.Length() > 8) FailAssertion(kMsgEan8Length, kEan8AssertLine);
    PaddedDigits(r, 8, d, 8);
  }
  r.Reserve(67);
  r.Append("505");
  for (int i = 0; i < 4; ++i) AppendA(r, d[i]);
  r.Append("05050");
  for (int i = 4; i < 8; ++i) AppendC(r, d[i]);
  r.Append("505");
}

void EncodeEan13(Request &r) {
  int d[13];
  if (r.Length() > (r.check ? 12 : 13)) FailAssertion(kMsgEan13Length, kEan13AssertLine);
  if (r.check) {
    PaddedDigits(r, 12, d, 12);
    d[12] = EanCheckDigit(d, 12);
  } else {
    PaddedDigits(r, 13, d, 13);
  }
  r.Reserve(59);
  r.Append("505");
  const char *parity = kEan13Parity[d[0]];
  for (int i = 1; i < 7; ++i) parity[i - 1] == 'A' ? AppendA(r, d[i]) : AppendB(r, d[i]);
  r.Append("05050");
  for (int i = 7; i < 13; ++i) AppendC(r, d[i]);
  r.Append("505");
}

void EncodeUpcA(Request &r) {
  // Digits after the twelfth are not drawn.
  int d[12];
  PaddedDigits(r, 12, d, 12);
  if (r.check) {
    d[11] = EanCheckDigit(d, 11);
    r.Show(DigitText(d, 12));
  }
  r.Reserve(59);
  r.Append("505");
  for (int i = 0; i < 6; ++i) AppendA(r, d[i]);
  r.Append("05050");
  for (int i = 6; i < 12; ++i) AppendC(r, d[i]);
  r.Append("505");
}

void EncodeUpcE(Request &r) {
  // The seventh digit picks the parity row and is not drawn; with the check
  // switch it is the modulo-10 digit of the six drawn digits.
  int d[7];
  PaddedDigits(r, 7, d, 7);
  if (r.check) {
    d[6] = EanCheckDigit(d, 6);
    r.Show(DigitText(d, 7));
  }
  const char even = r.type == bcCodeUPC_E0 ? 'E' : 'o';  // the letter that takes set B
  r.Reserve(33);
  r.Append("505");
  for (int i = 0; i < 6; ++i) kUpcEParity[d[6]][i] == even ? AppendB(r, d[i]) : AppendA(r, d[i]);
  r.Append("050505");
}

void EncodeUpcSupp2(Request &r) {
  int d[3];
  PaddedDigits(r, 2, d, 2);
  // The data read as a number, mod 4 (digit by digit, so any length will do).
  int parity = 0;
  for (int i = 0; i < r.Length(); ++i) parity = (parity * 10 + (r.At(i) - u'0')) % 4;
  static constexpr char kParity[4][3] = {"oo", "oE", "Eo", "EE"};
  r.Reserve(13);
  r.Append("506");
  for (int i = 0; i < 2; ++i) {
    if (i > 0) r.Append("05");
    kParity[parity][i] == 'E' ? AppendB(r, d[i]) : AppendA(r, d[i]);
  }
  if (r.check) {
    d[2] = SupplementDigit(d, 2);
    r.Show(DigitText(d, 3));
  }
}

void EncodeUpcSupp5(Request &r) {
  int d[6];
  PaddedDigits(r, 5, d, 5);
  d[5] = SupplementDigit(d, 5);
  const char *parity = kUpcEParity[d[5]] + 1;  // letters 2 to 6
  r.Reserve(31);
  r.Append("506");
  for (int i = 0; i < 5; ++i) {
    if (i > 0) r.Append("05");
    parity[i] == 'E' ? AppendB(r, d[i]) : AppendA(r, d[i]);
  }
  if (r.check) r.Show(DigitText(d, 6));
}

}  // namespace barcode::sections
