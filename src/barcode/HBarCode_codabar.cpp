// Codabar: two widths, start "A" and stop "B" always, no check character.
#include "barcode/HBarCode_sections.h"

namespace barcode::sections {

namespace {
int RowOf(char16_t ch) {
  for (int i = 0; i < 20; ++i)
    if (kCodabar[i].ch == ch) return i;
  return -1;
}
constexpr int kStartRow = 16, kStopRow = 17;  // "A" and "B"
}  // namespace

void EncodeCodabar(Request &r) {
  // A character outside the table has no pattern: refuse the data rather than
  // drop it, so that what is shown is what scans.
  for (int i = 0; i < r.Length(); ++i)
    if (RowOf(r.At(i)) < 0) FailWithData(r.data, kMsgCodabarBadData);
  r.Reserve(size_t(r.Length() + 2) * 8);
  r.Append(kCodabar[kStartRow].pattern, 7);
  r.Put('0');
  for (int i = 0; i < r.Length(); ++i) {
    r.Append(kCodabar[RowOf(r.At(i))].pattern, 7);
    r.Put('0');
  }
  r.Append(kCodabar[kStopRow].pattern, 7);
}

}  // namespace barcode::sections
