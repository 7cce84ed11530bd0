// The png subcommand of tarvel-barcode: draws with the drawing core.
#include <cstdio>

#include "tarvel-barcode.h"

int RunPng(const PngRequest &) {
  std::fputs("png: not built yet\n", stderr);
  return kExitCannotWrite;
}
