#include "platform/PrinterDevice.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/Canvas.h"

namespace platform {

QPageSize::PageSizeId PageSizeForPaperCode(int paperCode) {
  // Folio (8.5 x 13 in) has a code of its own but no Qt name; the German
  // legal fan-fold is the same sheet.
  if (paperCode == 14) return QPageSize::FanFoldGermanLegal;
  return QPageSize::id(paperCode);
}

int PaperCodeForPageSize(QPageSize::PageSizeId id) {
  if (id == QPageSize::FanFoldGermanLegal) return 14;
  if (id == QPageSize::Custom) return 0;
  return QPageSize(id).windowsId();
}

namespace {

QPageLayout::Orientation OrientationOf(int code) {
  return code == kOrientationLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

int OrientationCode(QPageLayout::Orientation o) {
  return o == QPageLayout::Landscape ? kOrientationLandscape : kOrientationPortrait;
}

}  // namespace

// ---------------------------------------------------------------- document

PrinterDevice::~PrinterDevice() = default;

bool PrinterDevice::BeginDoc(const QString &title) {
  if (painter_) return false;
  QPagedPaintDevice *device = BeginDevice(title);
  if (!device) return false;
  auto painter = std::make_unique<QPainter>();
  if (!painter->begin(device)) return false;
  painter_ = std::move(painter);
  canvas_ = std::make_unique<platform::Canvas>(painter_.get());
  device_ = device;
  page_number_ = 1;
  return true;
}

bool PrinterDevice::NewPage() {
  if (!painter_) return false;
  if (!device_->newPage()) return false;
  ++page_number_;
  return true;
}

void PrinterDevice::EndDoc() {
  if (!painter_) return;
  canvas_.reset();
  painter_->end();
  painter_.reset();
  device_ = nullptr;
  page_number_ = 0;
}

// ---------------------------------------------------------- system printer

SystemPrinterDevice::SystemPrinterDevice() {
  QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) {
    const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
    if (!all.isEmpty()) info = all.first();
  }
  printer_ = info.isNull() ? std::make_unique<QPrinter>(QPrinter::HighResolution)
                           : std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

SystemPrinterDevice::~SystemPrinterDevice() {
  EndDoc();
}

QStringList SystemPrinterDevice::Printers() const {
  return QPrinterInfo::availablePrinterNames();
}

QString SystemPrinterDevice::PrinterName() const {
  return printer_->printerName();
}

bool SystemPrinterDevice::SelectPrinter(const QString &name) {
  if (Printing() || !Printers().contains(name)) return false;
  printer_->setPrinterName(name);
  return true;
}

DeviceSettings SystemPrinterDevice::Settings() const {
  DeviceSettings s;
  const QPageLayout layout = printer_->pageLayout();
  s.paperCode = PaperCodeForPageSize(layout.pageSize().id());
  s.orientationCode = OrientationCode(layout.orientation());
  return s;
}

void SystemPrinterDevice::ApplySettings(const DeviceSettings &settings) {
  if (Printing()) return;
  if (settings.fields & DeviceSettings::PaperSizeField) {
    const QPageSize::PageSizeId id = PageSizeForPaperCode(settings.paperCode);
    if (id != QPageSize::Custom) printer_->setPageSize(QPageSize(id));
  }
  if (settings.fields & DeviceSettings::OrientationField)
    printer_->setPageOrientation(OrientationOf(settings.orientationCode));
}

QPoint SystemPrinterDevice::PrintingOffset() const {
  const QRect paper = printer_->paperRect(QPrinter::DevicePixel).toRect();
  const QRect page = printer_->pageRect(QPrinter::DevicePixel).toRect();
  return page.topLeft() - paper.topLeft();
}

QSize SystemPrinterDevice::PhysicalPageSize() const {
  return printer_->paperRect(QPrinter::DevicePixel).toRect().size();
}

QSize SystemPrinterDevice::PrintableSize() const {
  return printer_->pageRect(QPrinter::DevicePixel).toRect().size();
}

int SystemPrinterDevice::LogicalDpiX() const {
  return printer_->logicalDpiX();
}
int SystemPrinterDevice::LogicalDpiY() const {
  return printer_->logicalDpiY();
}

QPagedPaintDevice *SystemPrinterDevice::BeginDevice(const QString &title) {
  if (printer_->printerName().isEmpty()) return nullptr;
  printer_->setDocName(title);
  return printer_.get();
}

// ---------------------------------------------------------------- PDF file

PdfFileDevice::PdfFileDevice(QString fileName, int resolution, QMarginsF unprintableInches)
    : file_name_(std::move(fileName)), resolution_(resolution), unprintable_(unprintableInches) {}

PdfFileDevice::~PdfFileDevice() {
  EndDoc();
}

QStringList PdfFileDevice::Printers() const {
  return {PrinterName()};
}

QString PdfFileDevice::PrinterName() const {
  return QStringLiteral("PDF");
}

bool PdfFileDevice::SelectPrinter(const QString &name) {
  return name == PrinterName();
}

DeviceSettings PdfFileDevice::Settings() const {
  return settings_;
}

void PdfFileDevice::ApplySettings(const DeviceSettings &settings) {
  if (Printing()) return;
  if ((settings.fields & DeviceSettings::PaperSizeField) &&
      PageSizeForPaperCode(settings.paperCode) != QPageSize::Custom)
    settings_.paperCode = settings.paperCode;
  if (settings.fields & DeviceSettings::OrientationField)
    settings_.orientationCode = settings.orientationCode == kOrientationLandscape
                                    ? kOrientationLandscape
                                    : kOrientationPortrait;
}

QPageLayout PdfFileDevice::Layout() const {
  return QPageLayout(QPageSize(PageSizeForPaperCode(settings_.paperCode)),
                     OrientationOf(settings_.orientationCode), unprintable_, QPageLayout::Inch);
}

QPoint PdfFileDevice::PrintingOffset() const {
  return Layout().paintRectPixels(resolution_).topLeft();
}

QSize PdfFileDevice::PhysicalPageSize() const {
  return Layout().fullRectPixels(resolution_).size();
}

QSize PdfFileDevice::PrintableSize() const {
  return Layout().paintRectPixels(resolution_).size();
}

int PdfFileDevice::LogicalDpiX() const {
  return resolution_;
}
int PdfFileDevice::LogicalDpiY() const {
  return resolution_;
}

QPagedPaintDevice *PdfFileDevice::BeginDevice(const QString &title) {
  writer_ = std::make_unique<QPdfWriter>(file_name_);
  writer_->setResolution(resolution_);
  writer_->setTitle(title);
  writer_->setPageLayout(Layout());
  return writer_.get();
}

// ------------------------------------------------------- program's printer

namespace {
std::unique_ptr<PrinterDevice> &CurrentPrinter() {
  static std::unique_ptr<PrinterDevice> printer;
  return printer;
}
}  // namespace

PrinterDevice &Printer() {
  auto &printer = CurrentPrinter();
  if (!printer) {
    printer = std::make_unique<SystemPrinterDevice>();
    // Qt's printer must go before the application object does, not at exit.
    static bool routineAdded = false;
    if (!routineAdded) {
      routineAdded = true;
      qAddPostRoutine([] { CurrentPrinter().reset(); });
    }
  }
  return *printer;
}

std::unique_ptr<PrinterDevice> SetPrinter(std::unique_ptr<PrinterDevice> device) {
  auto previous = std::move(CurrentPrinter());
  CurrentPrinter() = std::move(device);
  return previous;
}

}  // namespace platform
