// PostNet: full and short bars of one width, wide spaces; no check digit.
#include "barcode/HBarCode_sections.h"

namespace barcode::sections {

void EncodePostNet(Request &r) {
  r.Reserve(2 + size_t(r.Length()) * 10 + 1);
  r.Append("51");
  for (int i = 0; i < r.Length(); ++i) r.Append(kPostNet[r.At(i) - u'0'], 10);
  r.Append("5");
}

}  // namespace barcode::sections
