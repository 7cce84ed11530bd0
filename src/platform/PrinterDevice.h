#pragma once
// The printer as the program sees it: installed printers, the default
// printer, the device settings record (paper code, orientation code), the
// page geometry in device pixels and the document calls. One device prints
// through Qt's printer support (and so through CUPS); another writes a PDF
// file with a chosen resolution and unprintable strips, for users who print
// to a file and for tests.
//
// A document has exactly one painter; it lives from BeginDoc to EndDoc and
// everything drawn on the document goes through it.
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>

class QPainter;
class QPagedPaintDevice;
class QPrinter;
class QPdfWriter;

namespace platform {

class Canvas;

// Standard paper-size codes of the device settings record (1 letter, 9 A4,
// 28 envelope C5 ...) and Qt page sizes.
QPageSize::PageSizeId PageSizeForPaperCode(int paperCode);
// 0 when the page size has no code.
int PaperCodeForPageSize(QPageSize::PageSizeId id);

// Orientation codes of the device settings record.
constexpr int kOrientationPortrait = 1;
constexpr int kOrientationLandscape = 2;

// The device settings record: which fields are present, the paper code and
// the orientation code.
struct DeviceSettings {
  enum Field : unsigned { PaperSizeField = 1u, OrientationField = 2u };
  unsigned fields = PaperSizeField | OrientationField;
  int paperCode = 9;
  int orientationCode = kOrientationPortrait;
};

class PrinterDevice {
 public:
  virtual ~PrinterDevice();

  // Names of the installed printers; empty when there is none.
  virtual QStringList Printers() const = 0;
  // The printer this device prints on.
  virtual QString PrinterName() const = 0;
  // Selects an installed printer by name; false when it does not exist.
  virtual bool SelectPrinter(const QString &name) = 0;

  virtual DeviceSettings Settings() const = 0;
  // Applies the fields marked present. Not while a document is open.
  virtual void ApplySettings(const DeviceSettings &settings) = 0;

  // Geometry of the current settings, in device pixels.
  virtual QPoint PrintingOffset() const = 0;   // page edge to printable area
  virtual QSize PhysicalPageSize() const = 0;  // the whole sheet
  virtual QSize PrintableSize() const = 0;     // printable width and height
  virtual int LogicalDpiX() const = 0;
  virtual int LogicalDpiY() const = 0;

  // Document. The painter's origin is the corner of the printable area.
  bool BeginDoc(const QString &title);
  bool NewPage();
  void EndDoc();
  bool Printing() const { return painter_ != nullptr; }
  // Pages begun in the open document, from 1; 0 when no document is open.
  int PageNumber() const { return Printing() ? page_number_ : 0; }
  // The painter of the open document, nullptr outside one.
  QPainter *Painter() const { return painter_.get(); }
  // A canvas on that painter, at the device's resolution; nullptr outside a
  // document.
  platform::Canvas *Canvas() const { return canvas_.get(); }

 protected:
  // The paint device of a document about to begin, with the title set.
  virtual QPagedPaintDevice *BeginDevice(const QString &title) = 0;

 private:
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<platform::Canvas> canvas_;
  QPagedPaintDevice *device_ = nullptr;
  int page_number_ = 0;
};

// Prints through Qt's printer support: the printers CUPS offers.
class SystemPrinterDevice : public PrinterDevice {
 public:
  // The system's default printer, or the first one, or none.
  SystemPrinterDevice();
  ~SystemPrinterDevice() override;

  QStringList Printers() const override;
  QString PrinterName() const override;
  bool SelectPrinter(const QString &name) override;
  DeviceSettings Settings() const override;
  void ApplySettings(const DeviceSettings &settings) override;
  QPoint PrintingOffset() const override;
  QSize PhysicalPageSize() const override;
  QSize PrintableSize() const override;
  int LogicalDpiX() const override;
  int LogicalDpiY() const override;

  // The Qt printer, for the print dialog.
  QPrinter &QtPrinter() { return *printer_; }

 protected:
  QPagedPaintDevice *BeginDevice(const QString &title) override;

 private:
  std::unique_ptr<QPrinter> printer_;
};

// Writes a PDF file. Its one "printer" is the file; the resolution and the
// unprintable strips are chosen by whoever creates it, so that a PDF page has
// the geometry of a real printer's page.
class PdfFileDevice : public PrinterDevice {
 public:
  explicit PdfFileDevice(QString fileName, int resolution = 600,
                         QMarginsF unprintableInches = QMarginsF());
  ~PdfFileDevice() override;

  QStringList Printers() const override;
  QString PrinterName() const override;
  bool SelectPrinter(const QString &name) override;
  DeviceSettings Settings() const override;
  void ApplySettings(const DeviceSettings &settings) override;
  QPoint PrintingOffset() const override;
  QSize PhysicalPageSize() const override;
  QSize PrintableSize() const override;
  int LogicalDpiX() const override;
  int LogicalDpiY() const override;

  const QString &FileName() const { return file_name_; }

 protected:
  QPagedPaintDevice *BeginDevice(const QString &title) override;

 private:
  QPageLayout Layout() const;

  QString file_name_;
  int resolution_;
  QMarginsF unprintable_;
  DeviceSettings settings_;
  std::unique_ptr<QPdfWriter> writer_;
};

// The program's printer, like the one printer object of the desktop
// platform. Created on first use as a SystemPrinterDevice.
PrinterDevice &Printer();
// Replaces the program's printer (tests, printing to a file); returns the
// previous one. An empty pointer brings back a system printer on next use.
std::unique_ptr<PrinterDevice> SetPrinter(std::unique_ptr<PrinterDevice> device);

}  // namespace platform
