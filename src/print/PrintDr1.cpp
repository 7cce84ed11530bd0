#include "print/PrintDr1.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <new>

#include "platform/Exception.h"
#include "platform/MessageBoxes.h"
#include "platform/PrinterDevice.h"
#include "print/PrintDrv.h"

std::unique_ptr<TMWPages> JobPages;
int TotalPages = 0;

// ----------------------------------------------------------------- records

TMWGraphic::TMWGraphic(float x, float y, float h, float w, const TPicture &source, int imageType)
    : TMWPrintCommand(commGraphic), xTop(x), yTop(y), xHeight(h), yWidth(w) {
  try {
    try {
      image = std::make_unique<platform::PackedPicture>();
    } catch (const std::bad_alloc &) {
      throw platform::Exception(QStringLiteral("Not enough memory for graphic."));
    }
    // A private copy of the bitmap: the caller reuses one scratch picture for
    // every label. Kept packed and compressed (the same pixels in a small
    // fraction of the memory). An empty picture stays empty and is not drawn.
    if (!source.IsEmpty()) {
      *image = platform::PackedPicture(source);
      iType = imageType;
    }
  } catch (const std::exception &e) {
    platform::ShowError(QStringLiteral("Error in TMWGrphic: ") + platform::ExceptionText(e));
  }
  if (!image) image = std::make_unique<platform::PackedPicture>();
}

TMWPolygon::TMWPolygon(CommandSet kind, const std::vector<float> &points) : TMWPrintCommand(kind) {
  Num = std::min<int>(static_cast<int>(points.size()), kCapacity);
  std::copy_n(points.begin(), Num, Points);
}

// ------------------------------------------------------------------- pages

TMWPrintCommand *TMWPageList::Get(int Number) const {
  if (Number < 1 || Number > Count()) return nullptr;
  return Items[Number - 1].get();
}

void TMWPages::NewPage() {
  ++CurrentPage;
  PageList.push_back(std::make_unique<TMWPageList>());
}

void TMWPages::Add(std::unique_ptr<TMWPrintCommand> command) {
  if (CurrentPage < 1 || CurrentPage > Count()) return;
  PageList[CurrentPage - 1]->Add(std::move(command));
}

TMWPageList *TMWPages::Get(int Number) const {
  if (Number < 1 || Number > Count()) return nullptr;
  return PageList[Number - 1].get();
}

void TMWPages::StoreGeneral(CommandSet command) {
  if (command == commNewPage)
    NewPage();
  else
    Add(std::make_unique<TMWPrintCommand>(command));
}

void TMWPages::ClearAll() {
  while (!PageList.empty()) PageList.pop_back();
  CurrentPage = 0;
  FirstPage = 0;
  LastPage = 0;
}

void TMWPages::StoreLine(float x, float y, float x1, float y1, std::uint16_t width) {
  Add(std::make_unique<TMWLine>(x, y, x1, y1, width));
}
void TMWPages::StoreGraphic(float x, float y, float h, float w, const TPicture &bitmap) {
  Add(std::make_unique<TMWGraphic>(x, y, h, w, bitmap, 1));
}
void TMWPages::StoreDetailArea(float x, float x1) {
  Add(std::make_unique<TMWDetail>(x, x1));
}
void TMWPages::StoreFontChange(const QString &name, int size, TFontStyles style, TColor color) {
  Add(std::make_unique<TMWFont>(name, size, style, color));
}
void TMWPages::StoreFooterDim(float x, float y, float x1, float y1, bool boxed, std::uint16_t width,
                              TColor shading) {
  Add(std::make_unique<TMWFooterDim>(x, y, x1, y1, boxed, width, shading));
}
void TMWPages::StoreHeaderDim(float x, float y, float x1, float y1, bool boxed, std::uint16_t width,
                              TColor shading) {
  Add(std::make_unique<TMWHeaderDim>(x, y, x1, y1, boxed, width, shading));
}
void TMWPages::StoreFooterInf(int line, float y, const QString &text, std::uint16_t alignment,
                              const QString &fontName, int fontSize, TFontStyles fontStyle,
                              TColor fontColor) {
  Add(std::make_unique<TMWFooterInf>(line, y, text, alignment,
                                     TFont(fontName, fontSize, fontStyle, fontColor)));
}
void TMWPages::StoreHeaderInf(int line, float y, const QString &text, std::uint16_t alignment,
                              const QString &fontName, int fontSize, TFontStyles fontStyle,
                              TColor fontColor) {
  Add(std::make_unique<TMWHeaderInf>(line, y, text, alignment,
                                     TFont(fontName, fontSize, fontStyle, fontColor)));
}
void TMWPages::StoreLineWidth(std::uint16_t width) {
  Add(std::make_unique<TMWLineWidth>(width));
}
void TMWPages::StoreMargins(float t, float b, float l, float r) {
  Add(std::make_unique<TMWMargins>(t, b, l, r));
}
void TMWPages::StoreOrient(TPrinterOrientation orient) {
  Add(std::make_unique<TMWOrient>(orient));
}
void TMWPages::StorePageNumber(float y, const QString &text, std::uint16_t alignment,
                               bool totalPage, const QString &fontName, int fontSize,
                               TFontStyles fontStyle, TColor fontColor) {
  Add(std::make_unique<TMWPageNumber>(y, text, alignment,
                                      TFont(fontName, fontSize, fontStyle, fontColor), totalPage));
}
void TMWPages::StoreTab(float inches) {
  Add(std::make_unique<TMWTab>(inches));
}
void TMWPages::StoreIndent(float x) {
  Add(std::make_unique<TMWIndent>(x));
}
void TMWPages::StoreSetY(float y) {
  Add(std::make_unique<TMWSetY>(y));
}
void TMWPages::StoreText(float x, float y, const QString &text, TColor brushColor) {
  Add(std::make_unique<TMWText>(x, y, text, brushColor));
}
void TMWPages::StoreColRight(int col, float y, const QString &text) {
  Add(std::make_unique<TMWColRight>(col, y, text));
}
void TMWPages::StoreWriteLineRight(float y, const QString &text) {
  Add(std::make_unique<TMWWriteRight>(y, text));
}
void TMWPages::StoreColumn(std::uint16_t number, float position, float length) {
  Add(std::make_unique<TMWColumn>(number, position, length));
}
void TMWPages::StoreFColor(TColor color) {
  Add(std::make_unique<TMWFColor>(color));
}
void TMWPages::StoreBColor(TColor color) {
  Add(std::make_unique<TMWBColor>(color));
}
void TMWPages::StorePColor(TColor color) {
  Add(std::make_unique<TMWPColor>(color));
}
void TMWPages::StorePStyle(TPenStyle style) {
  Add(std::make_unique<TMWPStyle>(style));
}
void TMWPages::StorePMode(TPenMode mode) {
  Add(std::make_unique<TMWPMode>(mode));
}
void TMWPages::StoreBStyle(TBrushStyle style) {
  Add(std::make_unique<TMWBrushStyle>(style));
}
void TMWPages::StoreMoveTo(float x, float y) {
  Add(std::make_unique<TMWGraphicPoint>(commMoveTo, x, y));
}
void TMWPages::StoreLineTo(float x, float y) {
  Add(std::make_unique<TMWGraphicPoint>(commLineTo, x, y));
}
void TMWPages::StoreEllipse(float x1, float y1, float x2, float y2) {
  Add(std::make_unique<TMWEllipse>(x1, y1, x2, y2));
}
void TMWPages::StoreFillRect(float x1, float y1, float x2, float y2) {
  Add(std::make_unique<TMWFillRect>(x1, y1, x2, y2));
}
void TMWPages::StoreFrameRect(float x1, float y1, float x2, float y2) {
  Add(std::make_unique<TMWFrameRect>(x1, y1, x2, y2));
}
void TMWPages::StoreFloodFill(float x1, float y1, TColor color, TFillStyle fillStyle) {
  Add(std::make_unique<TMWFloodFill>(x1, y1, color, fillStyle));
}
void TMWPages::StoreArc(float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                        float y4) {
  Add(std::make_unique<TMWPieArc>(commArc, TMWPoint{x1, y1}, TMWPoint{x2, y2}, TMWPoint{x3, y3},
                                  TMWPoint{x4, y4}));
}
void TMWPages::StorePie(float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                        float y4) {
  Add(std::make_unique<TMWPieArc>(commPie, TMWPoint{x1, y1}, TMWPoint{x2, y2}, TMWPoint{x3, y3},
                                  TMWPoint{x4, y4}));
}
void TMWPages::StorePolyLine(const std::vector<float> &points) {
  Add(std::make_unique<TMWPolygon>(commPolyLine, points));
}
void TMWPages::StorePolygon(const std::vector<float> &points) {
  Add(std::make_unique<TMWPolygon>(commPolygon, points));
}
void TMWPages::StoreMeasure(int meas) {
  Add(std::make_unique<TMWMeasure>(meas));
}
void TMWPages::StoreFontAngle(int angle) {
  Add(std::make_unique<TMWFontAngle>(angle));
}

// ------------------------------------------------------ preview page image

TPreviewForm *CurrentPreview = nullptr;
TPageImage *DisplayPage = nullptr;
TMWPrintObject *JobPrintObject = nullptr;
float PaperWidthInches = 0;
float PaperHeightInches = 0;

int ScreenPixelsPerInch() {
  const QScreen *screen = QGuiApplication::primaryScreen();
  return screen ? qRound(screen->logicalDotsPerInch()) : 96;
}

TPageImage::TPageImage(int width, int height, QWidget *parent)
    : QWidget(parent), image_(width, height, QImage::Format_RGB32) {
  const int ppi = ScreenPixelsPerInch();
  image_.setDotsPerMeterX(qRound(ppi / 0.0254));
  image_.setDotsPerMeterY(qRound(ppi / 0.0254));
  image_.fill(Qt::white);
  canvas_ = std::make_unique<platform::Canvas>(&image_);
  resize(width, height);
}

TPageImage::~TPageImage() {
  if (DisplayPage == this) DisplayPage = nullptr;
}

void TPageImage::paintEvent(QPaintEvent *) {
  canvas_->End();  // the image has one painter at a time
  QPainter p(this);
  p.drawImage(0, 0, image_);
}

TPreviewForm::~TPreviewForm() {
  if (CurrentPreview == this) CurrentPreview = nullptr;
  if (DisplayPage && DisplayPage->window() == this) DisplayPage = nullptr;
}

void TPreviewForm::FormCreate() {
  CurrentPage = 1;
  CanvasOrient = poPortrait;
  page_area_ = new QWidget;
  page_area_->resize(2000 + 20, 2000 + 20);
  PreviewPane->setWidget(page_area_);
  PreviewPane->setWidgetResizable(false);
  DisplayPage = new TPageImage(2000, 2000, page_area_);
  DisplayPage->setObjectName(QStringLiteral("DisplayPage"));
  DisplayPage->move(10, 10);
  NormalPixelsPerInch = static_cast<std::uint16_t>(DisplayPage->Canvas().font().PixelsPerInch());
  DisplayPage->setVisible(true);
  ZoomPercents = {52, 64, 78, 94, 100};
}

TPageImage *TPreviewForm::GetCurrentPage() const {
  return DisplayPage;
}

void TPreviewForm::SetPreviewPrn(TMWPrintObject *prn) {
  JobPrintObject = prn;
}

int TPreviewForm::GetWidth() {
  const float inches = CanvasOrient == poPortrait ? PaperWidthInches : PaperHeightInches;
  const float pixels = NormalPixelsPerInch * inches;
  if (!std::isfinite(pixels) || std::fabs(pixels) > 1e9f) {
    platform::ShowError(QStringLiteral("An error ocurred in the TPreviewForm.GetWidth function."));
    return 0;
  }
  return static_cast<int>(pixels);
}

int TPreviewForm::GetHeight() {
  const float inches = CanvasOrient == poPortrait ? PaperHeightInches : PaperWidthInches;
  const float pixels = NormalPixelsPerInch * inches;
  if (!std::isfinite(pixels) || std::fabs(pixels) > 1e9f) return 0;
  return static_cast<int>(pixels);
}

void TPreviewForm::Abort() {
  CurrentPage = 0;
  TotalPages = 0;
  ClearDisplayPage();
}

void TPreviewForm::ClearDisplayPage() {
  if (!DisplayPage) return;
  platform::Canvas &canvas = DisplayPage->Canvas();
  const platform::Brush kept = canvas.brush();
  canvas.SetBrush({clWhite, platform::bsSolid});
  canvas.FillRect(QRect(0, 0, DisplayPage->width(), DisplayPage->height()));
  canvas.SetBrush(kept);
  const int freeWidth = PreviewPane->viewport()->width() - DisplayPage->width();
  DisplayPage->move(freeWidth > 0 ? freeWidth / 2 : 0, DisplayPage->y());
  DisplayPage->update();
}

void TPreviewForm::closeEvent(QCloseEvent *event) {
  FormClose();
  QDialog::closeEvent(event);
}

void TPreviewForm::FormClose() {
  if (DisplayPage && DisplayPage->window() == this) {
    delete DisplayPage;
    DisplayPage = nullptr;
  }
  if (CurrentPreview == this) CurrentPreview = nullptr;
  setAttribute(Qt::WA_DeleteOnClose);
}

// ------------------------------------------------------- print dialog set-up

namespace {
PrintDialogRunner &DialogRunner() {
  static PrintDialogRunner runner;
  return runner;
}
}  // namespace

PrintDialogRunner SetPrintDialogRunner(PrintDialogRunner runner) {
  PrintDialogRunner previous = std::move(DialogRunner());
  DialogRunner() = std::move(runner);
  return previous;
}

bool TMWPages::SetPrintOptions() {
  if (!CurrentPreview) return false;
  if (!CurrentPreview->PrintDialog1) {
    auto *system = dynamic_cast<platform::SystemPrinterDevice *>(&platform::Printer());
    QPrinter *printer = system ? &system->QtPrinter() : new QPrinter;
    CurrentPreview->PrintDialog1 = new QPrintDialog(printer, CurrentPreview);
    if (!system)
      QObject::connect(CurrentPreview->PrintDialog1, &QObject::destroyed,
                       [printer] { delete printer; });
  }
  QPrintDialog *dialog = CurrentPreview->PrintDialog1;
  dialog->setOptions(QAbstractPrintDialog::PrintPageRange);
  dialog->setMinMax(1, std::max(1, TotalPages));
  dialog->setFromTo(1, std::max(1, TotalPages));
  dialog->setPrintRange(QAbstractPrintDialog::AllPages);
  const int answer = DialogRunner() ? DialogRunner()(*dialog) : dialog->exec();
  if (answer != QDialog::Accepted) return false;
  if (dialog->printRange() == QAbstractPrintDialog::PageRange && dialog->fromPage() > 0) {
    FirstPage = dialog->fromPage();
    LastPage = dialog->toPage();
  } else {
    FirstPage = 1;
    LastPage = TotalPages;
  }
  const platform::DeviceSettings settings = platform::Printer().Settings();
  if (JobPrintObject) {
    JobPrintObject->SetOrientation(
        settings.orientationCode == platform::kOrientationPortrait ? poPortrait : poLandscape);
    const int paper = PaperSizeForDeviceCode(settings.paperCode);
    if (paper >= 0) JobPrintObject->SetPaperSize(static_cast<PaperSizes>(paper));
  }
  return true;
}
