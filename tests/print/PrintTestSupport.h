#pragma once
// Shared set-up for print engine tests: a PDF-file device standing in for the
// printer, recorded message boxes, and readers for recorded pages and for
// the words pdftotext finds in a PDF.
#include <gtest/gtest.h>

#include <QImage>
#include <QMarginsF>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "platform/MessageBoxes.h"
#include "platform/PrinterDevice.h"
#include "print/PrintDrv.h"

// A PDF device that reports no installed printer at all.
class NoPrinterDevice : public platform::PdfFileDevice {
 public:
  using PdfFileDevice::PdfFileDevice;
  QStringList Printers() const override { return {}; }
};

class PrintTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Replaces the printer with a PDF device of that resolution and
  // unprintable strips (inches: left, top, right, bottom).
  platform::PdfFileDevice &UsePdfPrinter(int resolution, QMarginsF unprintable = QMarginsF());
  QString PdfPath() const { return dir_.filePath(QStringLiteral("out.pdf")); }

  // Kinds recorded on a page of the running job.
  std::vector<CommandSet> Kinds(int page) const;
  // The records of one kind on a page, in order.
  template <typename T>
  std::vector<const T *> Records(int page, CommandSet kind) const {
    std::vector<const T *> out;
    if (TMWPageList *p = JobPages ? JobPages->Get(page) : nullptr)
      for (const auto &c : p->Items)
        if (c->Command() == kind) out.push_back(static_cast<const T *>(c.get()));
    return out;
  }

  QTemporaryDir dir_;
  std::vector<platform::BoxRequest> boxes_;
  platform::BoxAnswer answer_ = platform::BoxAnswer::Yes;
  std::unique_ptr<TMWPrintObject> po_;

 private:
  std::unique_ptr<platform::PrinterDevice> previous_printer_;
  platform::BoxHandler previous_handler_;
};

// A word of `pdftotext -bbox`, in points from the page's top-left corner.
struct PdfWord {
  QString text;
  double xMin, yMin, xMax, yMax;
};
std::vector<std::vector<PdfWord>> PdfWords(const QString &pdf);  // per page
// Fields of `pdfinfo`, e.g. "Pages", "Page size".
QString PdfInfo(const QString &pdf, const QString &field);

const char *KindName(CommandSet kind);
std::string KindList(const std::vector<CommandSet> &kinds);

// One page of a PDF as pdftoppm renders it in grey at that resolution, or
// only its top-left `area` in pixels; a null image when it cannot be rendered.
QImage RenderPdfPage(const QString &pdf, int page, int dpi, QSize area = QSize());
// The box of the pixels darker than mid-grey inside `within`; empty when
// there are none.
QRect DarkBox(const QImage &image, const QRect &within);
