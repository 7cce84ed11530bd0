#pragma once
// tarvel-barcode: the parts of the command-line tool that live in more than one
// file. The argument parsing is in tarvel-barcode.cpp, the drawing of the png
// subcommand in tarvel-barcode-png.cpp.
#include <QString>

#include "barcode/HBarCode.h"

// Exit statuses of the tool.
enum ExitStatus : int {
  kExitDone = 0,
  kExitRefused = 1,      // the encoder refused the request
  kExitUsage = 2,        // unknown TYPE or option, a value out of range
  kExitCannotWrite = 3,  // the output file cannot be written
};

// A validated png request, defaults filled in.
struct PngRequest {
  barcode::TBarType type = barcode::bcCodeEAN13;
  QString data;
  QString file;
  barcode::TCheckSum checkSum = barcode::csNone;
  int modul = 1;       // 1 to 49
  double ratio = 2.0;  // finite, above 0
  int height = 40;     // bar height in pixels, 1 to kMaxPngHeight
  double angle = 0.0;  // degrees, finite
  barcode::TTextShow textShow = barcode::tsBarCode;
  barcode::TTextPosition textPosition = barcode::tpBottomCenter;
};
constexpr int kMaxPngHeight = 10000;

// Draws the request onto a white image with a quiet zone and writes it as PNG.
// Returns the exit status; every failure has one line on standard error.
int RunPng(const PngRequest &request);

// A text made safe for one line of output: control characters and line
// separators become \xNN or \uNNNN.
QString OneLine(const QString &text);
