#pragma once
// The page command store and the preview page surface.
//
// A print job is never drawn straight onto the printer: every output and
// state change of the print object is recorded here as a command, page by
// page, and replayed at the end of the job on the screen or the printer. The
// store keeps each value exactly as the print object hands it over; positions
// are inches, except the shape records, which hold pixels of the recording
// page.
//
// The preview page surface is the screen-resolution page image against which
// a job is laid out while it is recorded.
#include <QDialog>
#include <QImage>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Font.h"
#include "platform/Picture.h"

class QWidget;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPrintDialog;
class QPushButton;
class QScrollArea;
class QStatusBar;
class QToolButton;
class TMWPrintObject;

// ------------------------------------------------------ graphics vocabulary

// The engine speaks the platform's graphics vocabulary.
using platform::clBlack;
using platform::clWhite;
using platform::TColor;
constexpr TColor clInfoBk = 0xE1FFFF;  // pale yellow of tool tips

enum TPrinterOrientation : std::uint8_t { poPortrait, poLandscape };
using platform::TBrushStyle;
using platform::TFillStyle;
using platform::TPenMode;
using platform::TPenStyle;
using TFontStyles = platform::FontStyles;
using platform::fsBold;
using platform::fsItalic;
using platform::fsStrikeOut;
using platform::fsUnderline;
using TFont = platform::Font;
using TPicture = platform::Picture;

// ------------------------------------------------------------ command kinds

enum CommandSet : std::uint8_t {
  commLine,
  commNewLine,
  commNewPage,
  commGraphic,
  commWritePage,
  commDetailArea,
  commFont,
  commFooterDim,
  commFooterInf,
  commGraphicFile,
  commHeaderDim,
  commHeaderInf,
  commLineWidth,
  commMargins,
  commOrient,
  commPageNumber,
  commTab,
  commTopOfPage,
  commSetY,
  commText,
  commColumn,
  commSetPrint,
  commGetPrint,
  commSizeLetter,
  commSizeLegal,
  commAutoPageTrue,
  commAutoPageFalse,
  commSaveY,
  commRestoreY,
  commFColor,
  commBColor,
  commPColor,
  commMoveTo,
  commLineTo,
  commEllipse,
  commBrushStyle,
  commFloodFill,
  commFillRect,
  commFrameRect,
  commArc,
  commPie,
  commPolyLine,
  commPolygon,
  commMeasure,
  commPStyle,
  commPMode,
  commFontAngle,
  commColRight,
  commWriteRight,
  commIndent
};

struct TMWPoint {
  float X = 0;
  float Y = 0;
};

// --------------------------------------------------------- command records

// The record of every kind that carries no data, and the base of all others.
class TMWPrintCommand {
 public:
  explicit TMWPrintCommand(CommandSet command) : fCommand(command) {}
  virtual ~TMWPrintCommand() = default;
  CommandSet Command() const { return fCommand; }

 protected:
  CommandSet fCommand;
};

class TMWLine : public TMWPrintCommand {
 public:
  TMWLine(float x, float y, float x1, float y1, std::uint16_t width)
      : TMWPrintCommand(commLine), xTop(x), yTop(y), xBottom(x1), yBottom(y1), lWidth(width) {}
  float X1() const { return xTop; }
  float Y1() const { return yTop; }
  float X2() const { return xBottom; }
  float Y2() const { return yBottom; }
  std::uint16_t LineWidth() const { return lWidth; }

 private:
  float xTop, yTop, xBottom, yBottom;
  std::uint16_t lWidth;
  [[maybe_unused]] std::uint16_t shade = 0;  // always 0
};

// The size fields are crossed: xHeight (and Height) hold the picture's width,
// yWidth (and Width) its height. Recording and replay both read them so.
class TMWGraphic : public TMWPrintCommand {
 public:
  TMWGraphic(float x, float y, float h, float w, const TPicture &source, int imageType);
  float X() const { return xTop; }
  float Y() const { return yTop; }
  float Height() const { return xHeight; }
  float Width() const { return yWidth; }
  // The recorded picture, unpacked for drawing.
  TPicture BitMap() const { return image ? image->Unpacked() : TPicture(); }
  int ImageType() const { return iType; }

 private:
  float xTop, yTop, xHeight, yWidth;
  // Stored compressed: a job records one label picture per label.
  std::unique_ptr<platform::PackedPicture> image;
  int iType = 0;
};

class TMWDetail : public TMWPrintCommand {
 public:
  TMWDetail(float top, float bottom)
      : TMWPrintCommand(commDetailArea), xTop(top), xBottom(bottom) {}
  float X() const { return xTop; }
  float Y() const { return xBottom; }

 private:
  float xTop, xBottom;
};

class TMWFont : public TMWPrintCommand {
 public:
  TMWFont(const QString &name, int size, TFontStyles style, TColor color)
      : TMWPrintCommand(commFont), fFont(std::make_unique<TFont>(name, size, style, color)) {}
  const TFont &Font() const { return *fFont; }
  const QString &Name() const { return fFont->Name(); }
  int Size() const { return fFont->Size(); }
  TFontStyles Style() const { return fFont->Style(); }
  TColor Color() const { return fFont->Color(); }

 private:
  std::unique_ptr<TFont> fFont;
};

// Header and footer box (commHeaderDim, commFooterDim).
class TMWBoxDim : public TMWPrintCommand {
 public:
  TMWBoxDim(CommandSet kind, float x, float y, float x1, float y1, bool boxed, std::uint16_t width,
            TColor shading)
      : TMWPrintCommand(kind),
        xTop(x),
        yTop(y),
        xBottom(x1),
        yBottom(y1),
        isBox(boxed),
        lWidth(width),
        shade(shading) {}
  float X1() const { return xTop; }
  float Y1() const { return yTop; }
  float X2() const { return xBottom; }
  float Y2() const { return yBottom; }
  bool Boxed() const { return isBox; }
  std::uint16_t LineWidth() const { return lWidth; }
  TColor Shading() const { return shade; }

 private:
  float xTop, yTop, xBottom, yBottom;
  bool isBox;
  std::uint16_t lWidth;
  TColor shade;
};
class TMWFooterDim : public TMWBoxDim {
 public:
  TMWFooterDim(float x, float y, float x1, float y1, bool boxed, std::uint16_t width,
               TColor shading)
      : TMWBoxDim(commFooterDim, x, y, x1, y1, boxed, width, shading) {}
};
class TMWHeaderDim : public TMWBoxDim {
 public:
  TMWHeaderDim(float x, float y, float x1, float y1, bool boxed, std::uint16_t width,
               TColor shading)
      : TMWBoxDim(commHeaderDim, x, y, x1, y1, boxed, width, shading) {}
};

// Header and footer line (commHeaderInf, commFooterInf).
class TMWLineInf : public TMWPrintCommand {
 public:
  TMWLineInf(CommandSet kind, int line, float y, const QString &text, std::uint16_t align,
             const TFont &font)
      : TMWPrintCommand(kind),
        iLine(line),
        yBottom(y),
        sText(text),
        wAlign(align),
        fFont(std::make_unique<TFont>(font)) {}
  int Line() const { return iLine; }
  float yPosition() const { return yBottom; }
  const QString &Text() const { return sText; }
  std::uint16_t Alignment() const { return wAlign; }
  const TFont &Font() const { return *fFont; }
  const QString &FontName() const { return fFont->Name(); }
  int Size() const { return fFont->Size(); }
  TFontStyles Style() const { return fFont->Style(); }
  TColor Color() const { return fFont->Color(); }

 private:
  int iLine;
  float yBottom;
  QString sText;
  std::uint16_t wAlign;
  std::unique_ptr<TFont> fFont;
};
class TMWFooterInf : public TMWLineInf {
 public:
  TMWFooterInf(int line, float y, const QString &text, std::uint16_t align, const TFont &font)
      : TMWLineInf(commFooterInf, line, y, text, align, font) {}
};
class TMWHeaderInf : public TMWLineInf {
 public:
  TMWHeaderInf(int line, float y, const QString &text, std::uint16_t align, const TFont &font)
      : TMWLineInf(commHeaderInf, line, y, text, align, font) {}
};

class TMWLineWidth : public TMWPrintCommand {
 public:
  explicit TMWLineWidth(std::uint16_t width) : TMWPrintCommand(commLineWidth), lWidth(width) {}
  std::uint16_t LineWidth() const { return lWidth; }

 private:
  std::uint16_t lWidth;
};

// Margins: X1 top, Y1 bottom, X2 left, Y2 right.
class TMWMargins : public TMWPrintCommand {
 public:
  TMWMargins(float t, float b, float l, float r)
      : TMWPrintCommand(commMargins), xTop(t), yTop(b), xBottom(l), yBottom(r) {}
  float X1() const { return xTop; }
  float Y1() const { return yTop; }
  float X2() const { return xBottom; }
  float Y2() const { return yBottom; }

 private:
  float xTop, yTop, xBottom, yBottom;
};

class TMWOrient : public TMWPrintCommand {
 public:
  explicit TMWOrient(TPrinterOrientation o) : TMWPrintCommand(commOrient), pOrient(o) {}
  TPrinterOrientation Orientation() const { return pOrient; }

 private:
  TPrinterOrientation pOrient;
};

class TMWPageNumber : public TMWPrintCommand {
 public:
  TMWPageNumber(float y, const QString &text, std::uint16_t align, const TFont &font, bool total)
      : TMWPrintCommand(commPageNumber),
        yBottom(y),
        sText(text),
        wAlign(align),
        fFont(std::make_unique<TFont>(font)),
        DoTotal(total) {}
  float yPosition() const { return yBottom; }
  const QString &Text() const { return sText; }
  std::uint16_t Alignment() const { return wAlign; }
  const TFont &Font() const { return *fFont; }
  const QString &FontName() const { return fFont->Name(); }
  int Size() const { return fFont->Size(); }
  TFontStyles Style() const { return fFont->Style(); }
  TColor Color() const { return fFont->Color(); }
  bool IncludeTotal() const { return DoTotal; }

 private:
  float yBottom;
  QString sText;
  std::uint16_t wAlign;
  std::unique_ptr<TFont> fFont;
  bool DoTotal;
};

class TMWTab : public TMWPrintCommand {
 public:
  explicit TMWTab(float tab) : TMWPrintCommand(commTab), sTab(tab) {}
  float Tab() const { return sTab; }

 private:
  float sTab;
};

class TMWIndent : public TMWPrintCommand {
 public:
  explicit TMWIndent(float indent) : TMWPrintCommand(commIndent), sIndent(indent) {}
  float Indent() const { return sIndent; }

 private:
  float sIndent;
};

class TMWSetY : public TMWPrintCommand {
 public:
  explicit TMWSetY(float y) : TMWPrintCommand(commSetY), yBottom(y) {}
  float yPosition() const { return yBottom; }

 private:
  float yBottom;
};

// Font, brush and pen colour (commFColor, commBColor, commPColor).
class TMWColor : public TMWPrintCommand {
 public:
  TMWColor(CommandSet kind, TColor color) : TMWPrintCommand(kind), iColor(color) {}
  TColor Color() const { return iColor; }

 private:
  TColor iColor;
};
class TMWFColor : public TMWColor {
 public:
  explicit TMWFColor(TColor c) : TMWColor(commFColor, c) {}
};
class TMWBColor : public TMWColor {
 public:
  explicit TMWBColor(TColor c) : TMWColor(commBColor, c) {}
};
class TMWPColor : public TMWColor {
 public:
  explicit TMWPColor(TColor c) : TMWColor(commPColor, c) {}
};

class TMWPStyle : public TMWPrintCommand {
 public:
  explicit TMWPStyle(TPenStyle style) : TMWPrintCommand(commPStyle), penStyle(style) {}
  TPenStyle Style() const { return penStyle; }
  void SetStyle(TPenStyle style) { penStyle = style; }

 private:
  TPenStyle penStyle;
};

class TMWPMode : public TMWPrintCommand {
 public:
  explicit TMWPMode(TPenMode mode) : TMWPrintCommand(commPMode), penMode(mode) {}
  TPenMode Mode() const { return penMode; }
  void SetMode(TPenMode mode) { penMode = mode; }

 private:
  TPenMode penMode;
};

// X is the horizontal position handed to the write, special negative values
// included; Y is the line position the write resolved.
class TMWText : public TMWPrintCommand {
 public:
  TMWText(float x, float y, const QString &text, TColor brush)
      : TMWPrintCommand(commText), xTop(x), yTop(y), sText(text), bColor(brush) {}
  float X() const { return xTop; }
  float Y() const { return yTop; }
  const QString &Text() const { return sText; }
  TColor BrushColor() const { return bColor; }

 private:
  float xTop, yTop;
  QString sText;
  TColor bColor;
};

class TMWColRight : public TMWPrintCommand {
 public:
  TMWColRight(int column, float y, const QString &text)
      : TMWPrintCommand(commColRight), yTop(y), sText(text), Column(column) {}
  int ColumnNumber() const { return Column; }
  void SetColumnNumber(int c) { Column = c; }
  float Y() const { return yTop; }
  void SetY(float y) { yTop = y; }
  const QString &Text() const { return sText; }
  void SetText(const QString &t) { sText = t; }

 private:
  float yTop;
  QString sText;
  int Column;
};

class TMWWriteRight : public TMWPrintCommand {
 public:
  TMWWriteRight(float y, const QString &text)
      : TMWPrintCommand(commWriteRight), yTop(y), sText(text) {}
  float Y() const { return yTop; }
  void SetY(float y) { yTop = y; }
  const QString &Text() const { return sText; }
  void SetText(const QString &t) { sText = t; }

 private:
  float yTop;
  QString sText;
};

class TMWColumn : public TMWPrintCommand {
 public:
  TMWColumn(std::uint16_t number, float position, float length)
      : TMWPrintCommand(commColumn), Numb(number), sPosition(position), sLength(length) {}
  std::uint16_t Number() const { return Numb; }
  float XPosition() const { return sPosition; }
  float Length() const { return sLength; }

 private:
  std::uint16_t Numb;
  float sPosition, sLength;
};

// commMoveTo and commLineTo.
class TMWGraphicPoint : public TMWPrintCommand {
 public:
  TMWGraphicPoint(CommandSet kind, float x, float y) : TMWPrintCommand(kind), lPoint{x, y} {}
  float X1() const { return lPoint.X; }
  float Y1() const { return lPoint.Y; }

 private:
  TMWPoint lPoint;
};

// commArc and commPie.
class TMWPieArc : public TMWPrintCommand {
 public:
  TMWPieArc(CommandSet kind, TMWPoint p1, TMWPoint p2, TMWPoint p3, TMWPoint p4)
      : TMWPrintCommand(kind), Point1(p1), Point2(p2), Point3(p3), Point4(p4) {}
  float X1() const { return Point1.X; }
  float Y1() const { return Point1.Y; }
  float X2() const { return Point2.X; }
  float Y2() const { return Point2.Y; }
  float X3() const { return Point3.X; }
  float Y3() const { return Point3.Y; }
  float X4() const { return Point4.X; }
  float Y4() const { return Point4.Y; }

 private:
  TMWPoint Point1, Point2, Point3, Point4;
};

// Two corners: commEllipse, commFillRect, commFrameRect.
class TMWTwoPoints : public TMWPrintCommand {
 public:
  TMWTwoPoints(CommandSet kind, float x1, float y1, float x2, float y2)
      : TMWPrintCommand(kind), Point1{x1, y1}, Point2{x2, y2} {}
  float X1() const { return Point1.X; }
  float Y1() const { return Point1.Y; }
  float X2() const { return Point2.X; }
  float Y2() const { return Point2.Y; }

 private:
  TMWPoint Point1, Point2;
};
class TMWEllipse : public TMWTwoPoints {
 public:
  TMWEllipse(float x1, float y1, float x2, float y2) : TMWTwoPoints(commEllipse, x1, y1, x2, y2) {}
};
class TMWFillRect : public TMWTwoPoints {
 public:
  TMWFillRect(float x1, float y1, float x2, float y2)
      : TMWTwoPoints(commFillRect, x1, y1, x2, y2) {}
};
class TMWFrameRect : public TMWTwoPoints {
 public:
  TMWFrameRect(float x1, float y1, float x2, float y2)
      : TMWTwoPoints(commFrameRect, x1, y1, x2, y2) {}
};

class TMWBrushStyle : public TMWPrintCommand {
 public:
  explicit TMWBrushStyle(TBrushStyle style) : TMWPrintCommand(commBrushStyle), fStyle(style) {}
  TBrushStyle Style() const { return fStyle; }

 private:
  TBrushStyle fStyle;
};

class TMWFloodFill : public TMWPrintCommand {
 public:
  TMWFloodFill(float x, float y, TColor color, TFillStyle fill)
      : TMWPrintCommand(commFloodFill), lX(x), lY(y), lColor(color), lFill(fill) {}
  float X() const { return lX; }
  float Y() const { return lY; }
  TColor Color() const { return lColor; }
  TFillStyle FillStyle() const { return lFill; }

 private:
  float lX, lY;
  TColor lColor;
  TFillStyle lFill;
};

// commPolyLine and commPolygon: up to 100 values, x and y alternating.
class TMWPolygon : public TMWPrintCommand {
 public:
  static constexpr int kCapacity = 100;
  // Values beyond the capacity are not kept.
  TMWPolygon(CommandSet kind, const std::vector<float> &points);
  float Points[kCapacity] = {};
  int Num = 0;
};

class TMWMeasure : public TMWPrintCommand {
 public:
  explicit TMWMeasure(int measure) : TMWPrintCommand(commMeasure), Measure(measure) {}
  int Measure;
};

class TMWFontAngle : public TMWPrintCommand {
 public:
  explicit TMWFontAngle(int angle) : TMWPrintCommand(commFontAngle), Angle(angle) {}
  int Angle;
};

// ------------------------------------------------------------------- pages

class TMWPageList {
 public:
  int Count() const { return static_cast<int>(Items.size()); }
  void Add(std::unique_ptr<TMWPrintCommand> command) { Items.push_back(std::move(command)); }
  // Command Number, counted from 1; nullptr beyond Count.
  TMWPrintCommand *Get(int Number) const;

  std::vector<std::unique_ptr<TMWPrintCommand>> Items;
};

class TMWPages {
 public:
  std::vector<std::unique_ptr<TMWPageList>> PageList;
  int CurrentPage = 0;
  int FirstPage = 0;
  int LastPage = 0;

  int FromPage() const { return FirstPage; }
  void SetFromPage(int p) { FirstPage = p; }
  int ToPage() const { return LastPage; }
  void SetToPage(int p) { LastPage = p; }
  int Count() const { return static_cast<int>(PageList.size()); }

  void NewPage();
  // Appends to the page being recorded; discarded while no page is open.
  void Add(std::unique_ptr<TMWPrintCommand> command);
  // Page Number, counted from 1; nullptr beyond Count.
  TMWPageList *Get(int Number) const;
  void StoreGeneral(CommandSet command);
  void ClearAll();
  // The print dialog: which recorded pages get printed. False when cancelled.
  bool SetPrintOptions();

  void StoreLine(float x, float y, float x1, float y1, std::uint16_t width);
  // h carries the picture's width and w its height.
  void StoreGraphic(float x, float y, float h, float w, const TPicture &bitmap);
  void StoreDetailArea(float x, float x1);
  void StoreFontChange(const QString &name, int size, TFontStyles style, TColor color);
  void StoreFooterDim(float x, float y, float x1, float y1, bool boxed, std::uint16_t width,
                      TColor shading);
  void StoreHeaderDim(float x, float y, float x1, float y1, bool boxed, std::uint16_t width,
                      TColor shading);
  void StoreFooterInf(int line, float y, const QString &text, std::uint16_t alignment,
                      const QString &fontName, int fontSize, TFontStyles fontStyle,
                      TColor fontColor);
  void StoreHeaderInf(int line, float y, const QString &text, std::uint16_t alignment,
                      const QString &fontName, int fontSize, TFontStyles fontStyle,
                      TColor fontColor);
  void StoreLineWidth(std::uint16_t width);
  void StoreMargins(float t, float b, float l, float r);
  void StoreOrient(TPrinterOrientation orient);
  void StorePageNumber(float y, const QString &text, std::uint16_t alignment, bool totalPage,
                       const QString &fontName, int fontSize, TFontStyles fontStyle,
                       TColor fontColor);
  void StoreTab(float inches);
  void StoreIndent(float x);
  void StoreSetY(float y);
  void StoreText(float x, float y, const QString &text, TColor brushColor);
  void StoreColRight(int col, float y, const QString &text);
  void StoreWriteLineRight(float y, const QString &text);
  void StoreColumn(std::uint16_t number, float position, float length);
  void StoreFColor(TColor color);
  void StoreBColor(TColor color);
  void StorePColor(TColor color);
  void StorePStyle(TPenStyle style);
  void StorePMode(TPenMode mode);
  void StoreBStyle(TBrushStyle style);
  void StoreMoveTo(float x, float y);
  void StoreLineTo(float x, float y);
  void StoreEllipse(float x1, float y1, float x2, float y2);
  void StoreFillRect(float x1, float y1, float x2, float y2);
  void StoreFrameRect(float x1, float y1, float x2, float y2);
  void StoreFloodFill(float x1, float y1, TColor color, TFillStyle fillStyle);
  void StoreArc(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4);
  void StorePie(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4);
  void StorePolyLine(const std::vector<float> &points);
  void StorePolygon(const std::vector<float> &points);
  void StoreMeasure(int meas);
  void StoreFontAngle(int angle);
};

// The running job: its page store and its page count as the preview window
// and the print dialog show it.
extern std::unique_ptr<TMWPages> JobPages;
extern int TotalPages;

// ------------------------------------------------------ preview page image

// The image control on which pages are drawn: a fixed drawing surface at the
// screen's resolution, shown in the preview window's page pane.
class TPageImage : public QWidget {
  Q_OBJECT
 public:
  TPageImage(int width, int height, QWidget *parent);
  ~TPageImage() override;
  QImage &Picture() { return image_; }
  platform::Canvas &Canvas() { return *canvas_; }

 protected:
  void paintEvent(QPaintEvent *event) override;

 private:
  QImage image_;
  std::unique_ptr<platform::Canvas> canvas_;
};

// The preview window: the page image a job is laid out on, its page size
// and orientation, abort and clearing (what the print object uses), and the
// window the user sees at the end of a job with preview: a tool bar with
// close, print, zoom and page navigation, the page in a scrolling pane, and
// the page total in the status bar.
class TPreviewForm : public QDialog {
  Q_OBJECT
 public:
  explicit TPreviewForm(QWidget *parent = nullptr);
  ~TPreviewForm() override;

  int CurrentPage = 1;
  std::uint16_t NormalPixelsPerInch = 96;
  TPrinterOrientation CanvasOrient = poPortrait;
  int StartPercent = 4;
  // Scale of each zoom entry in percent: "60 %" draws at 52, not 60.
  std::array<int, 5> ZoomPercents{};

  TPageImage *GetCurrentPage() const;
  int GetPageNumber() const { return CurrentPage; }
  void SetPreviewPrn(TMWPrintObject *prn);
  void SetOrient(TPrinterOrientation orient) { CanvasOrient = orient; }
  // Page size in pixels at 100 %.
  int GetWidth();
  int GetHeight();
  void Abort();
  void ClearDisplayPage();

  // Handlers, as the tool bar, the page box and the keys call them.
  void ZoomFactorChange();
  void FirstPageClick();
  void PrevPageClick();
  void NextPageClick();
  void LastPageClick();
  void PgNumbExit();
  void PrintBtnClick();
  void FormResize();
  // Text of a status bar panel.
  QString StatusText(int panel) const;

  // The print dialog that chooses the pages to print (see
  // SetPrintDialogRunner for answering it without a person).
  QPrintDialog *PrintDialog1 = nullptr;
  QWidget *Panel2 = nullptr;
  QPushButton *CloseBtn = nullptr;
  QPushButton *PrintBtn = nullptr;
  QLabel *ZoomLabel = nullptr;
  QComboBox *ZoomFactor = nullptr;
  QToolButton *FirstPage = nullptr;
  QToolButton *PrevPage = nullptr;
  QLineEdit *PgNumb = nullptr;
  QToolButton *NextPage = nullptr;
  QToolButton *LastPage = nullptr;
  QScrollArea *PreviewPane = nullptr;
  QStatusBar *StatusBar1 = nullptr;

 protected:
  void closeEvent(QCloseEvent *event) override;
  void showEvent(QShowEvent *event) override;
  void hideEvent(QHideEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void FormCreate();
  void FormShow();
  void FormClose();
  // Keys the window sees before its controls; true when consumed.
  bool FormKeyDown(QKeyEvent *key);
  void CopyCurrentCanvas();
  void UpdatePageButtons();
  void BuildToolBar();
  int PageBoxNumber() const;

  QWidget *page_area_ = nullptr;
  std::array<QLabel *, 3> status_panels_{};
  bool keys_watched_ = false;
};

// Shared state of the running job's preview.
extern TPreviewForm *CurrentPreview;
extern TPageImage *DisplayPage;
extern TMWPrintObject *JobPrintObject;
extern float PaperWidthInches;
extern float PaperHeightInches;

// How the print dialog is shown: exec() by default. A test (or a headless
// tool) may answer it instead; returns the previous runner.
using PrintDialogRunner = std::function<int(QPrintDialog &dialog)>;
PrintDialogRunner SetPrintDialogRunner(PrintDialogRunner runner);

// Logical pixels per inch of the screen (96 on a standard screen and offscreen).
int ScreenPixelsPerInch();
