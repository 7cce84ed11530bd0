#pragma once
// zbar as the independent judge: every symbol it finds on an 8-bit grey
// picture, as "TYPE:data" joined by "|".
#include <zbar.h>

#include <string>
#include <vector>

// shortInterleaved: also accept interleaved 2 of 5 of any length. It has no
// check character, so on a drawing with text a scan line through the digits
// can read fragments; leave it off there.
inline std::string ZbarScan(std::vector<unsigned char> &grey, int width, int height,
                            bool shortInterleaved) {
  zbar::zbar_image_scanner_t *scanner = zbar::zbar_image_scanner_create();
  zbar::zbar_image_scanner_set_config(scanner, zbar::ZBAR_NONE, zbar::ZBAR_CFG_ENABLE, 0);
  for (auto type :
       {zbar::ZBAR_EAN8, zbar::ZBAR_EAN13, zbar::ZBAR_UPCA, zbar::ZBAR_UPCE, zbar::ZBAR_I25,
        zbar::ZBAR_CODABAR, zbar::ZBAR_CODE39, zbar::ZBAR_CODE93, zbar::ZBAR_CODE128}) {
    zbar::zbar_image_scanner_set_config(scanner, type, zbar::ZBAR_CFG_ENABLE, 1);
    if (type != zbar::ZBAR_I25 || shortInterleaved)
      zbar::zbar_image_scanner_set_config(scanner, type, zbar::ZBAR_CFG_MIN_LEN, 0);
  }
  zbar::zbar_image_t *image = zbar::zbar_image_create();
  zbar::zbar_image_set_format(image, zbar_fourcc('Y', '8', '0', '0'));
  zbar::zbar_image_set_size(image, unsigned(width), unsigned(height));
  zbar::zbar_image_set_data(image, grey.data(), grey.size(), nullptr);
  zbar::zbar_scan_image(scanner, image);
  std::string found;
  for (const zbar::zbar_symbol_t *s = zbar::zbar_image_first_symbol(image); s;
       s = zbar::zbar_symbol_next(s)) {
    if (!found.empty()) found += '|';
    found += zbar::zbar_get_symbol_name(zbar::zbar_symbol_get_type(s));
    found += ':';
    found += zbar::zbar_symbol_get_data(s);
  }
  zbar::zbar_image_destroy(image);
  zbar::zbar_image_scanner_destroy(scanner);
  return found;
}
