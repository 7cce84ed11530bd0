#pragma once
// The print object: a non-visual component that turns a caller's page
// operations (text, lines, boxes) in inches, millimetres or pixels into
// recorded pages, and at the end of a job shows them in the preview window or
// sends them to the printer. A second, simpler mode draws every operation at
// once onto a canvas the caller supplies (PrinterCanvas).
//
// Internally every position is held in inches as a float, except the page
// geometry and the margins, which are pixels of the current canvas. Every
// conversion rounds to single precision, as the stored values do.
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "print/PrintDr1.h"

class TPrintBarForm;

enum MeasureType : std::uint8_t { mtInches, mtMM, mtPixels };
enum Percentages : std::uint8_t { P2_Sixty, P3_Seventy, P4_Eighty, P5_Ninety, P6_Full };

enum PaperSizes : std::uint8_t {
  PAPER_LETTER,
  PAPER_LETTERSMALL,
  PAPER_TABLOID,
  PAPER_LEDGER,
  PAPER_LEGAL,
  PAPER_STATEMENT,
  PAPER_EXECUTIVE,
  PAPER_A3,
  PAPER_A4,
  TBA1,
  PAPER_A5,
  PAPER_B4,
  PAPER_B5,
  PAPER_FOLIO,
  PAPER_QUARTO,
  PAPER_10X14,
  PAPER_11X17,
  PAPER_NOTE,
  PAPER_ENV_9,
  PAPER_ENV_10,
  PAPER_ENV_11,
  PAPER_ENV_12,
  PAPER_ENV_14,
  TBA2,
  TBA3,
  TBA4,
  PAPER_ENV_DL,
  PAPER_ENV_C3,
  PAPER_ENV_C4,
  PAPER_ENV_C5,
  PAPER_ENV_C6,
  PAPER_ENV_C65,
  PAPER_ENV_B4,
  PAPER_ENV_B5,
  PAPER_ENV_B6,
  PAPER_ENV_ITALY,
  PAPER_ENV_MONARCH,
  PAPER_ENV_PERSONAL,
  HTKRWPL_PER,
  HTKRWPL_PER_A4
};
constexpr int kPaperSizeCount = 40;

struct PaperSizeInfo {
  int deviceCode;  // the standard paper-size code of the printer's settings
  float width;     // inches
  float height;
};
const PaperSizeInfo &PaperSizeData(PaperSizes size);
// The entry with that device code, or -1 when none has it.
int PaperSizeForDeviceCode(int deviceCode);

// Text of the header, footer and page-number lines is kept as a byte string
// in the Chinese double-byte code page (GBK), at most 240 bytes; a character
// that does not fit whole is dropped.
constexpr int kLineTextBytes = 240;
QByteArray ToLineBytes(const QString &text);
QString FromLineBytes(const QByteArray &bytes);

using TNotifyEvent = std::function<void(QObject *sender)>;

struct THeaderCoordinates {
  float XTop = 0, YTop = 0, XBottom = 0, YBottom = 0;
  bool Boxed = false;
  TColor Shading = 0;
  std::uint16_t LineWidth = 0;
};
using TFooterCoordinates = THeaderCoordinates;

struct TPageNumberRecord {
  float YPosition = 0;
  QByteArray Text;
  std::uint16_t Alignment = 0;
  std::unique_ptr<TFont> Font;
  bool ShowTotalPages = true;
};

struct THeaderLine {
  QByteArray Text;  // empty: the line is not in use
  float YPosition = 0;
  std::uint16_t Alignment = 0;
  std::unique_ptr<TFont> Font;
};

struct TColumnEntry {
  float Position = 0;
  float Length = 0;
};

class TMWPrintObject : public QObject {
  Q_OBJECT
 public:
  explicit TMWPrintObject(QObject *AOwner = nullptr);
  ~TMWPrintObject() override;

  // ------------------------------------------------------- published properties
  bool AutomaticPaging() const { return AutoPaging; }
  void SetAutomaticPaging(bool v) { AutoPaging = v; }
  const QString &Title() const { return DocumentTitle; }
  void SetTitle(const QString &v) { DocumentTitle = v; }
  bool Preview() const { return ActualPreview; }
  void SetPreview(bool v) { ActualPreview = v; }
  bool ShowProgress() const { return UseProgress; }
  void SetShowProgress(bool v) { UseProgress = v; }
  bool ShowPrintDialog() const { return ShowDialog; }
  void SetShowPrintDialog(bool v) { ShowDialog = v; }
  TPrinterOrientation Orientation() const { return PageOrientation; }
  bool ShowTotalPages() const { return PageNumber.ShowTotalPages; }
  void SetShowTotalPages(bool v) { PageNumber.ShowTotalPages = v; }
  bool PrintPageNumbers() const { return PageNumbering; }
  void SetPrintPageNumbers(bool v) { PageNumbering = v; }
  std::uint16_t ProgressBarMax() const { return ProgressMax; }
  void SetProgressBarMax(std::uint16_t v) { ProgressMax = v; }
  std::uint16_t ProgressBarInc() const { return ProgressInc; }
  void SetProgressBarInc(std::uint16_t v) { ProgressInc = v; }
  bool Transparent() const { return PrintTransparent; }
  void SetTransparent(bool v) { PrintTransparent = v; }
  Percentages StartPercent() const { return PreviewPercent; }
  void SetStartPercent(Percentages v) { PreviewPercent = v; }
  PaperSizes PaperSize() const { return PaperDimension; }
  bool ShowCancelBtn() const { return ShowCancel; }
  void SetShowCancelBtn(bool v) { ShowCancel = v; }
  MeasureType Measurement() const { return Measure; }
  void SetMeasurement(MeasureType v) { Measure = v; }
  TColor ProgressFormColor() const { return BarFormColor; }
  void SetProgressFormColor(TColor v) { BarFormColor = v; }
  TColor ProgressTextColor() const { return BarTextColor; }
  void SetProgressTextColor(TColor v) { BarTextColor = v; }
  const QString &Version() const { return CompVersion; }
  void SetVersion(const QString &) {}  // the version is fixed
  bool AutoPageFeed() const { return PageFeeding; }
  void SetAutoPageFeed(bool v) { PageFeeding = v; }

  TNotifyEvent OnNewPage, AfterNewPage, OnCancel, BeforePrint, AfterPrint, OnLastPage, OnFirstPage,
      PrintDone;

  bool PrintingStatus() const { return PrintingOK; }
  platform::Canvas *PrinterCanvas() const { return ImageCanvas; }
  void SetPrinterCanvas(platform::Canvas *canvas) { ImageCanvas = canvas; }

  // ------------------------------------------------- lifecycle, units, device
  bool Start();
  void SetMeasure(MeasureType Meas);
  float MMToInches(float mm) const;
  float InchesToMM(float inches) const;
  int InchesToPixelsHorizontal(float Inches) const;
  int InchesToPixelsVertical(float Inches) const;
  float PixelsToInchesHorizontal(int Pixels) const;
  float PixelsToInchesVertical(int Pixels) const;
  int MMToPixelsHorizontal(float MM) const;
  int MMToPixelsVertical(float MM) const;
  float PixelsToMMHorizontal(int Pixels) const;
  float PixelsToMMVertical(int Pixels) const;
  void GetPixelsPerInch(std::uint16_t &X, std::uint16_t &Y) const;
  void GetPixelsPerMM(std::uint16_t &X, std::uint16_t &Y) const;
  void GetPixelsPerPage(std::uint16_t &X, std::uint16_t &Y) const;
  void GetGutter(std::uint16_t &Top, std::uint16_t &Bottom, std::uint16_t &Left,
                 std::uint16_t &Right) const;
  void CalculateMeasurements();
  void SetScale(float ScaleFactor);
  float GetScale() const { return ScaleByValue; }
  void SetPrnPrinter(TPageImage *Current);
  void ReadPrinterSpecs(bool SaveState);
  void WritePrinterSpecs(bool RestoreState);
  void GetPrinterSpecs();
  void SetPrinterSpecs();
  void SetOrientation(TPrinterOrientation Orient) { PageOrientation = Orient; }
  void SetPaperSize(PaperSizes Size) { PaperDimension = Size; }
  int GetPageNumber() const;
  int CurrentPageNumber() const;

  // ------------------------------------------------ geometry, lines, columns
  void SetMargins(float Top, float Bottom, float Left, float Right);
  void SetDetailTopBottom(float Top, float Bottom);
  std::uint16_t GetLineHeightPixels() const;
  float GetLineHeightInches() const;
  float GetLineHeightMM() const;
  int GetLinesPerPage() const;
  std::uint16_t GetLinesInDetailArea() const;
  std::uint16_t GetLinesLeft() const;
  int LinesToPixels(int Line) const;
  int GetColumnsPerLine() const;
  int GetTextWidth(const QString &Text) const;
  float GetTextWidthInches(const QString &Text) const;
  float GetTextWidthMM(const QString &Text) const;
  void CreateColumn(std::uint16_t Number, float XPosition, float Length);
  float GetColumnLeft(std::uint16_t Number) const;
  float GetColumnRight(std::uint16_t Number) const;
  float GetColumnWidth(std::uint16_t Number) const;
  void SetTab(float Inches);
  float GetTab() const;
  void SetIndent(float Indent);
  float GetIndent() const;

  // ---------------------------------------------------------- line position
  void SetYPosition(float YPosition);
  float GetYPosition() const;
  void SetTopOfPage();
  void SaveCurrentY();
  void RestoreCurrentY();
  void SetAutoPaging(bool Value);

  // ------------------------------------------------------------------ fonts
  void SetFontInfo(const TFont &Font);
  void SetFontName(const QString &Name);
  void SetFontSize(std::uint16_t Size);
  void SetFontStyle(TFontStyles Style);
  void SetFontColor(TColor iColor);
  void SetFontAngle(int Angle);
  TFont GetFont() const;
  QString GetFontName() const;
  std::uint16_t GetFontSize() const;
  TFontStyles GetFontStyle() const;
  TColor GetFontColor() const;
  std::uint16_t GetFontAngle() const;
  void SaveCurrentFont();
  void RestoreCurrentFont();

  // ------------------------------------- header, footer, page number lines
  void SetHeaderDim(float XTop, float YTop, float XBottom, float YBottom, bool Boxed,
                    std::uint16_t LineWidth, TColor Shading);
  void SetFooterDim(float XTop, float YTop, float XBottom, float YBottom, bool Boxed,
                    std::uint16_t LineWidth, TColor Shading);
  void SetHeaderInfo(int Line, float YPosition, const QString &Text, std::uint16_t Alignment,
                     const TFont &Font);
  void SetFooterInfo(int Line, float YPosition, const QString &Text, std::uint16_t Alignment,
                     const TFont &Font);
  void SetPageNumberInfo(float YPosition, const QString &Text, std::uint16_t Alignment,
                         bool IncludeTotal, const TFont &Font);

  // ------------------------------------------------------------ text output
  void WriteLine(float X, float Y, const QString &Text);
  void WriteLineAlign(float Y, const QString &Text, std::uint16_t Align);
  void WriteLineCenter(float Y, const QString &Text);
  void WriteLineCenterToX(float X, float Y, const QString &Text);
  void WriteLineRight(float Y, const QString &Text);
  void WriteLineRightToX(float X, float Y, const QString &Text);
  void WriteLineDecimal(float X, float Y, const QString &Text);
  void WriteLineColumn(std::uint16_t ColumnNumber, float Y, const QString &Text);
  void WriteLineColumnCenter(std::uint16_t ColumnNumber, float Y, const QString &Text);
  void WriteLineColumnRight(std::uint16_t ColumnNumber, float Y, const QString &Text);
  void WriteLineColumnDecimal(std::uint16_t ColumnNumber, float X, float Y, const QString &Text);
  void WriteLineColumnAlign(std::uint16_t ColumnNumber, float Y, const QString &Text,
                            std::uint16_t Align);
  void WriteLineWrap(float XL, float XR, float Y, const QString &Text, bool KeepY, bool SamePage);
  void WriteLineColumnWrap(std::uint16_t ColumnNumber, float Y, const QString &Text, bool KeepY,
                           bool SamePage);
  void WriteLineColumnArray(const std::vector<QVariant> &Columns, float Y,
                            const std::vector<QVariant> &Alignments,
                            const std::vector<QVariant> &Texts, bool KeepY, bool SamePage);
  void WrapText(const QString &Text, QStringList &theText, float X, float Y);
  void NextLine();
  void NewLines(std::uint16_t Number);
  void WriteHeader();
  void WriteFooter();
  void WritePageNumber();

  // --------------------------------------------------------- pen and brush
  void SetPenColor(TColor iColor);
  void SetPenStyle(TPenStyle Style);
  void SetPenMode(TPenMode Mode);
  void SetPenWidth(int iWidth);
  void SetLineWidth(std::uint16_t Width);
  void SetBrushColor(TColor iColor);
  void SetBrushStyle(TBrushStyle Style);
  TColor GetPenColor() const;
  TPenStyle GetPenStyle() const;
  TPenMode GetPenMode() const;
  int GetPenWidth() const;
  std::uint16_t GetLineWidth() const;
  TColor GetBrushColor() const;
  TBrushStyle GetBrushStyle() const;

  // ---------------------------------------------------------------- drawing
  void DrawLine(float TopX, float TopY, float BottomX, float BottomY, std::uint16_t LineWidth);
  void DrawTheBox(float TopX, float TopY, float BottomX, float BottomY, std::uint16_t LineWidth);
  void DrawBox(float XTop, float YTop, float XBottom, float YBottom, std::uint16_t LineWidth);
  void DrawBoxShade(float XTop, float YTop, float XBottom, float YBottom, std::uint16_t LineWidth,
                    TColor Shading);
  void TextColumnBox(float XTop, float YTop, float XBottom, float YBottom, std::uint16_t LineWidth,
                     TColor Shading, const QString &Text, int Column, std::uint16_t Alignment,
                     bool vv);
  // The picture at (X, Y), W wide and H high. -1 for X or Y centres it on the
  // page, -1 for W or H takes the picture's own size in screen pixels (both
  // only as inches: other units convert -1 like any value).
  void PrintGraphic(float X, float Y, float W, float H, const TPicture &thePicture);

  // Shapes recorded in pixels of the recording page (screen pixels); other
  // canvases scale them by their resolution and the zoom.
  void Ellipse(float X1, float Y1, float X2, float Y2);
  void Arc(float X1, float Y1, float X2, float Y2, float X3, float Y3, float X4, float Y4);
  void Pie(float X1, float Y1, float X2, float Y2, float X3, float Y3, float X4, float Y4);
  void FillRect(float X1, float Y1, float X2, float Y2);
  void FrameRect(float X1, float Y1, float X2, float Y2);
  void FloodFill(float X, float Y, TColor Color, TFillStyle FillStyle);
  void MoveTo(float X1, float Y1);
  void LineTo(float X1, float Y1);
  // Points alternate x and y; an odd last value is ignored.
  void PolyLine(const std::vector<float> &Points);
  void Polygon(const std::vector<float> &Points);
  // Direct mode only: fill the page, or a rectangle given in the current
  // unit, with a colour.
  void ClearCanvas(TColor iColor);
  void ClearCanvasArea(int XTop, int YTop, int XBottom, int YBottom, TColor iColor);

  // -------------------------------------------------------------- page flow
  void NewPage();
  void PageFeed();
  void OnCancelPrint();
  // Ends the job: shows the preview or prints, then releases the job. False
  // only when the preview was closed without its OK result.
  bool Quit();
  void Abort();
  // Replays one recorded page onto the current canvas; iPage is its number
  // in the job (for page numbers).
  void PrintPage(TMWPageList *Page, int iPage);
  // The print pass: the recorded pages from the page store's first to last
  // page onto the printer, as one document.
  void PrintFromPreview();
  // Empties header, footer and page-number lines and the columns.
  void ClearLayout();

  // ---------------------------------------------------------------- progress
  void IncBar(int x);
  void Increment() { IncBar(ProgressInc); }
  void UpdateBar(int x);
  void SetProgressMax(int Max);
  void SetProgressText(const QString &s);

 protected:
  virtual void DoNewPage();
  virtual void DoAfterNewPage();
  bool ShowPreview();
  // Sends a bitmap into the rectangle on the canvas, scaled without
  // smoothing so that every bar keeps hard edges.
  void PrintBitmap(platform::Canvas &canvas, int x, int y, int w, int h, const TPicture &bitmap);

 private:
  platform::Canvas *Canvas() const;
  bool Recording() const;
  bool Converting() const { return DryRun || ImagePrinting; }
  // The "converts" rule for one value.
  float ConvertH(float value) const;
  float ConvertV(float value) const;
  // Inches (or pixels) into the caller's unit.
  float InchesToUnitH(float inches) const;
  float InchesToUnitV(float inches) const;
  float PixelsToUnitH(int pixels) const;
  // A pixel coordinate of the recording canvas from the caller's unit.
  int UnitToPixelsH(float value) const;
  int UnitToPixelsV(float value) const;
  // Sets the tab in inches, whatever the unit, recording it as a tab change.
  void SetTabInches(float inches);
  void WriteLineAtPixel(int x, float Y, const QString &Text);
  int XToPixels(float X) const;
  float RightWriteY(float Y);
  void SetPreviewMode(bool Value);
  // A pixel-recorded coordinate in canvas pixels.
  float ShapeToPixelsH(float value) const;
  float ShapeToPixelsV(float value) const;
  int ShapeX(float value) const;
  int ShapeY(float value) const;
  void CloseProgress();
  void ReplayPageNumber(TMWPageList &page, int &index, int iPage);
  void ReplayCommand(const TMWPrintCommand &command);
  int PenWidthFor(std::uint16_t width) const;
  QString PageNumberText(int page) const;
  void WriteHeaderLines(std::array<THeaderLine, 10> &lines, const THeaderCoordinates &box);
  float LeftMarginInches() const { return PixelsToInchesHorizontal(LeftMargin); }
  void ReleaseJob();

 public:
  // Fields, in the order of the component.
  QString CompVersion = QStringLiteral("V 3.3");
  int PixelsPerInchVertical = 0, PixelsPerInchHorizontal = 0;
  int TotalPageWidthPixels = 0, TotalPageHeightPixels = 0;
  float TotalPageHeightInches = 0, TotalPageWidthInches = 0;
  int GutterLeft = 0, GutterRight = 0, GutterTop = 0, GutterBottom = 0;
  float LastYPosition = 0;
  float LastXPosition = 0;
  bool AutoPaging = false;
  float CurrentTab = 0;
  float CurrentIndent = 0;
  int RotateAngle = 0;
  std::array<std::unique_ptr<TFont>, 10> CurrentFonts;
  std::array<float, 10> CurrentYPosition{};
  int CurrentFontRecord = 0, CurrentYRecord = 0;
  std::array<THeaderLine, 10> Header, Footer;
  std::array<TColumnEntry, 20> ColumnInformation{};
  TPageNumberRecord PageNumber;
  THeaderCoordinates HeaderCoordinates;
  TFooterCoordinates FooterCoordinates;
  platform::Canvas *TheCanvas = nullptr;
  bool DryRun = false;
  bool PreviewMode = true;
  bool ActualPreview = false;
  float ScaleByValue = 1.0f;
  bool UseProgress = true;
  TPrintBarForm *ProgressBar = nullptr;
  QString DocumentTitle;
  TPrinterOrientation PageOrientation = poPortrait;
  bool ShowDialog = true;
  bool ShowCancel = false;
  bool PageFeeding = true;
  bool PageNumbering = false;
  bool BarShowing = false;
  std::uint16_t ProgressMax = 100, ProgressInc = 1;
  bool PrintTransparent = false;
  bool PrintingInternal = false;
  Percentages PreviewPercent = P6_Full;
  PaperSizes PaperDimension = PAPER_LETTER;
  bool PrintingOK = false;
  platform::Canvas *ImageCanvas = nullptr;
  bool ImagePrinting = false;
  int OrigPaperSize = 0, OrigPaperOrient = 0;
  MeasureType Measure = mtInches;
  TColor BarFormColor = clInfoBk;
  TColor BarTextColor = clBlack;
  int TopMargin = 0, BottomMargin = 0, LeftMargin = 0, RightMargin = 0;
  float DetailTop = 0, DetailBottom = 0;

 private:
  // Keeps track of the page image TheCanvas belongs to, which the preview
  // window destroys when it closes.
  QPointer<QObject> canvas_owner_;
  platform::Canvas *owned_canvas_ = nullptr;
  QPointer<TPreviewForm> preview_;
  std::unique_ptr<TPrintBarForm> progress_;
};
