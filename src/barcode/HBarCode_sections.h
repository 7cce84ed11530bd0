#pragma once
// Inside the encoder: what every symbology section receives, the shared steps
// (zero padding, check digits, failures) and the sections themselves, one
// family per source file.
#include <QString>
#include <cstring>
#include <string>

#include "barcode/HBarCode.h"

namespace barcode::sections {

// One encoding in progress. A section appends codes to the pattern and, where
// its symbology says so, replaces the shown text (which otherwise stays the data).
// The pattern string serves as a buffer: its size is the room, the first `used`
// characters are the codes so far (MakeBarPattern cuts it to that at the end), so
// that a pattern reused from the last encoding is written without reallocating.
struct Request {
  Request(TBarType type, const QString &data, bool check, std::string &pattern)
      : type(type), data(data), check(check), pattern(pattern) {}

  TBarType type;
  const QString &data;
  bool check;
  std::string &pattern;
  size_t used = 0;
  QString shown;
  bool shownReplaced = false;

  int Length() const { return int(data.size()); }
  char16_t At(int i) const { return data.constData()[i].unicode(); }
  // Room for n more codes (a hint: appending makes room by itself).
  void Reserve(size_t n) {
    if (pattern.size() < used + n) Grow(used + n);
  }
  void Append(const char *codes, size_t n) {
    Reserve(n);
    std::memcpy(pattern.data() + used, codes, n);
    used += n;
  }
  void Append(const char *codes) { Append(codes, std::strlen(codes)); }
  void Put(char code) {
    Reserve(1);
    pattern[used++] = code;
  }
  void Show(QString text) {
    shown = std::move(text);
    shownReplaced = true;
  }

 private:
  void Grow(size_t size);
};

// Failures, with the texts of HBarCode.h.
[[noreturn]] void FailWithData(const QString &data, const char *message);  // "%s : %s"
[[noreturn]] void Fail(const char *message);
[[noreturn]] void FailAssertion(const char *message, int line);
// The platform's integer conversion failure for one character.
[[noreturn]] void FailNotInteger(char16_t ch);

// Digit i (0-based) of the data zero-padded in front to n characters; data of n
// characters or more is not cut. The data holds digits only (checked before).
inline int PaddedDigit(const Request &r, int n, int i) {
  const int pad = n > r.Length() ? n - r.Length() : 0;
  return i < pad ? 0 : r.At(i - pad) - u'0';
}

// EAN modulo-10 digit of digits[0..count): from the right, weights 3, 1, 3, ...
inline int EanCheckDigit(const int *digits, int count) {
  int sum = 0;
  for (int i = count - 1, w = 3; i >= 0; --i, w = 4 - w) sum += digits[i] * w;
  return (10 - sum % 10) % 10;
}
// Supplement digit: from the right, weights 3, 9, 3, ...; the sum mod 10.
inline int SupplementDigit(const int *digits, int count) {
  int sum = 0;
  for (int i = count - 1, w = 3; i >= 0; --i, w = 12 - w) sum += digits[i] * w;
  return sum % 10;
}

// A width string converted at compile time (see WidthsToCodes).
template <size_t N>
struct Codes {
  char c[N] = {};
  static constexpr size_t size = N - 1;
};
template <size_t N>
constexpr Codes<N> ToCodes(const char (&widths)[N]) {
  Codes<N> out;
  for (size_t i = 0; i + 1 < N; ++i)
    out.c[i] = char(i % 2 == 0 ? widths[i] - '1' + '5' : widths[i] - '1' + '0');
  return out;
}

void Encode2of5Interleaved(Request &r);
void Encode2of5Industrial(Request &r);
void Encode2of5Matrix(Request &r);
void EncodeCode39(Request &r);
void EncodeCode39Extended(Request &r);
void EncodeCode128(Request &r);  // 128A/B/C and EAN-128A/B/C
void EncodeCode93(Request &r);
void EncodeCode93Extended(Request &r);
void EncodeMsi(Request &r);
void EncodePostNet(Request &r);
void EncodeCodabar(Request &r);
void EncodeEan8(Request &r);
void EncodeEan13(Request &r);
void EncodeUpcA(Request &r);
void EncodeUpcE(Request &r);  // E0 and E1
void EncodeUpcSupp2(Request &r);
void EncodeUpcSupp5(Request &r);

}  // namespace barcode::sections
