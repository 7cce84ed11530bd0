#pragma once
// The label job contract between the main window and the label print window.
//
// A label descriptor is one string: elements separated by ';' with no
// escaping. The first element is the barcode text ("-" for none), the last
// the price line ("-" for none), the ones between are the text lines, top to
// bottom. A descriptor without ';' is a price line alone. Copies are the same
// descriptor listed several times.
#include <QString>
#include <QStringList>

#include "barcode/HBarCode.h"

namespace labelprint {

struct DescriptorParts {
  QString barcode;     // empty when the descriptor has no ';'
  QStringList lines;   // may hold empty lines
  QString price;
};

DescriptorParts SplitDescriptor(const QString &descriptor);

// Code 128 A when any character but the last is a capital A to Z, EAN-13
// otherwise (so texts of 0 or 1 characters are EAN-13).
barcode::TBarType ChooseBarType(const QString &text);

// A barcode or line is printed only from this many characters up.
constexpr int kMinimumPrintedLength = 2;

// The value part of a template line "key=value": the text after the first
// '=' (empty without one); if that still holds '=', only what follows it.
QString TemplateLineValue(const QString &line);

// One record of the grid, as the grid commands write it: a null barcode gives
// "-;", other barcodes are upper-cased; lines are kept from 3 characters up; a
// price shorter than 3 characters becomes "-". Null texts are passed as null
// QStrings.
QString GridDescriptor(const QString &barcode, bool barcodeNull, const QStringList &sixLines,
                       const QString &price);

// A template's TemplateLines as the design page's "打印标签" writes them:
// values kept from 2 characters up, barcode as typed.
QString TemplateDescriptor(const QStringList &templateLines);

}  // namespace labelprint
