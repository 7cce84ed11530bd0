#include "print/PrintDrv.h"

#include <iconv.h>

#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <cmath>

#include "platform/Canvas.h"
#include "platform/MessageBoxes.h"
#include "platform/PrinterDevice.h"
#include "print/PrintDr2.h"

// ------------------------------------------------------------- paper sizes

namespace {
// Device codes are the standard paper-size codes: ordinal + 1, except the
// envelopes C3, C4 and C5, whose codes are 29, 30 and 28.
constexpr PaperSizeInfo kPaperSizes[kPaperSizeCount] = {
    {1, 8.5f, 11},     {2, 8.5f, 11},    {3, 11, 17},       {4, 17, 11},        {5, 8.5f, 14},
    {6, 5.5f, 8.5f},   {7, 7.5f, 10.5f}, {8, 11.7f, 16.5f}, {9, 8.3f, 11.7f},   {10, 0, 0},
    {11, 5.9f, 8.3f},  {12, 9.9f, 14},   {13, 7.2f, 10.1f}, {14, 8.5f, 13},     {15, 8.5f, 10.8f},
    {16, 10, 14},      {17, 11, 17},     {18, 8.5f, 11},    {19, 3.875f, 8.9f}, {20, 4.1f, 9.5f},
    {21, 4.5f, 10.4f}, {22, 4.1f, 9.5f}, {23, 5, 11.5f},    {24, 0, 0},         {25, 0, 0},
    {26, 0, 0},        {27, 4.3f, 8.7f}, {29, 12.8f, 18},   {30, 9, 12},        {28, 6.4f, 9},
    {31, 4.5f, 6.4f},  {32, 4.5f, 9},    {33, 9.8f, 14},    {34, 7, 9.8f},      {35, 7, 5},
    {36, 4.3f, 9.1f},  {37, 3.9f, 7.5f}, {38, 3.6f, 6.5f},  {39, 17.1f, 14.5f}, {40, 11.7f, 8.3f},
};
}  // namespace

const PaperSizeInfo &PaperSizeData(PaperSizes size) {
  return kPaperSizes[size];
}

int PaperSizeForDeviceCode(int deviceCode) {
  for (int i = 0; i < kPaperSizeCount; ++i)
    if (kPaperSizes[i].deviceCode == deviceCode) return i;
  return -1;
}

// ------------------------------------------------------ line text in GBK

namespace {
// Whole-text conversion with iconv; empty optional when the text has a
// character the target code page lacks.
bool Convert(const QByteArray &in, const char *to, const char *from, QByteArray &out) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  out = QByteArray(in.size() * 4 + 16, '\0');
  char *src = const_cast<char *>(in.constData());
  size_t srcLeft = static_cast<size_t>(in.size());
  char *dst = out.data();
  size_t dstLeft = static_cast<size_t>(out.size());
  const bool ok =
      iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1) && srcLeft == 0;
  iconv_close(cd);
  out.truncate(static_cast<int>(dst - out.data()));
  return ok;
}
}  // namespace

QByteArray ToLineBytes(const QString &text) {
  QByteArray bytes;
  // Character by character, so that the cut never splits a double-byte one.
  for (int i = 0; i < text.size();) {
    const int len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    QByteArray one;
    // A character the code page lacks becomes '?', as the platform's
    // conversion does.
    if (!Convert(text.mid(i, len).toUtf8(), "GBK", "UTF-8", one)) one = "?";
    if (bytes.size() + one.size() > kLineTextBytes) break;
    bytes += one;
    i += len;
  }
  return bytes;
}

QString FromLineBytes(const QByteArray &bytes) {
  QByteArray utf8;
  Convert(bytes, "UTF-8", "GBK", utf8);
  return QString::fromUtf8(utf8);
}

// ------------------------------------------------------------------ object

// The platform's printer starts on the system's default printer, so there is
// nothing to select here.
TMWPrintObject::TMWPrintObject(QObject *AOwner) : QObject(AOwner) {}

TMWPrintObject::~TMWPrintObject() {
  OnNewPage = AfterNewPage = OnCancel = BeforePrint = AfterPrint = OnLastPage = OnFirstPage =
      PrintDone = nullptr;
  if (PrintingOK && !ImagePrinting) ReleaseJob();
  if (ProgressPrintObject == this) ProgressPrintObject = nullptr;
  if (JobPrintObject == this) JobPrintObject = nullptr;
}

platform::Canvas *TMWPrintObject::Canvas() const {
  // The page image of a closed preview window is gone with it.
  if (TheCanvas && TheCanvas == owned_canvas_ && canvas_owner_.isNull()) return nullptr;
  return TheCanvas;
}

bool TMWPrintObject::Recording() const {
  return DryRun && JobPages != nullptr;
}

// ----------------------------------------------------------------- units

float TMWPrintObject::MMToInches(float mm) const {
  return static_cast<float>(mm / 25.4);
}
float TMWPrintObject::InchesToMM(float inches) const {
  return static_cast<float>(inches * 25.4);
}

int TMWPrintObject::InchesToPixelsHorizontal(float Inches) const {
  return static_cast<int>(
      static_cast<float>(double(PixelsPerInchHorizontal) * Inches * ScaleByValue));
}
int TMWPrintObject::InchesToPixelsVertical(float Inches) const {
  return static_cast<int>(
      static_cast<float>(double(PixelsPerInchVertical) * Inches * ScaleByValue));
}
float TMWPrintObject::PixelsToInchesHorizontal(int Pixels) const {
  return PixelsPerInchHorizontal ? static_cast<float>(double(Pixels) / PixelsPerInchHorizontal)
                                 : 0.0f;
}
float TMWPrintObject::PixelsToInchesVertical(int Pixels) const {
  return PixelsPerInchVertical ? static_cast<float>(double(Pixels) / PixelsPerInchVertical) : 0.0f;
}
int TMWPrintObject::MMToPixelsHorizontal(float MM) const {
  return InchesToPixelsHorizontal(MMToInches(MM));
}
int TMWPrintObject::MMToPixelsVertical(float MM) const {
  return InchesToPixelsVertical(MMToInches(MM));
}
float TMWPrintObject::PixelsToMMHorizontal(int Pixels) const {
  return InchesToMM(PixelsToInchesHorizontal(Pixels));
}
float TMWPrintObject::PixelsToMMVertical(int Pixels) const {
  return InchesToMM(PixelsToInchesVertical(Pixels));
}

void TMWPrintObject::GetPixelsPerInch(std::uint16_t &X, std::uint16_t &Y) const {
  X = static_cast<std::uint16_t>(PixelsPerInchHorizontal);
  Y = static_cast<std::uint16_t>(PixelsPerInchVertical);
}
void TMWPrintObject::GetPixelsPerMM(std::uint16_t &X, std::uint16_t &Y) const {
  X = static_cast<std::uint16_t>(PixelsPerInchHorizontal / 25.4);
  Y = static_cast<std::uint16_t>(PixelsPerInchVertical / 25.4);
}
void TMWPrintObject::GetPixelsPerPage(std::uint16_t &X, std::uint16_t &Y) const {
  X = static_cast<std::uint16_t>(TotalPageWidthPixels - GutterLeft - GutterRight);
  Y = static_cast<std::uint16_t>(TotalPageHeightPixels - GutterTop - GutterBottom);
}
void TMWPrintObject::GetGutter(std::uint16_t &Top, std::uint16_t &Bottom, std::uint16_t &Left,
                               std::uint16_t &Right) const {
  Top = static_cast<std::uint16_t>(GutterTop);
  Bottom = static_cast<std::uint16_t>(GutterBottom);
  Left = static_cast<std::uint16_t>(GutterLeft);
  Right = static_cast<std::uint16_t>(GutterRight);
}

float TMWPrintObject::ConvertH(float value) const {
  if (!Converting()) return value;
  switch (Measure) {
    case mtMM:
      return MMToInches(value);
    case mtPixels:
      return PixelsToInchesHorizontal(static_cast<int>(value));
    default:
      return value;
  }
}
float TMWPrintObject::ConvertV(float value) const {
  if (!Converting()) return value;
  switch (Measure) {
    case mtMM:
      return MMToInches(value);
    case mtPixels:
      return PixelsToInchesVertical(static_cast<int>(value));
    default:
      return value;
  }
}

float TMWPrintObject::InchesToUnitH(float inches) const {
  switch (Measure) {
    case mtMM:
      return InchesToMM(inches);
    case mtPixels:
      return static_cast<float>(InchesToPixelsHorizontal(inches));
    default:
      return inches;
  }
}
float TMWPrintObject::InchesToUnitV(float inches) const {
  switch (Measure) {
    case mtMM:
      return InchesToMM(inches);
    case mtPixels:
      return static_cast<float>(InchesToPixelsVertical(inches));
    default:
      return inches;
  }
}

float TMWPrintObject::PixelsToUnitH(int pixels) const {
  if (!Converting()) return PixelsToInchesHorizontal(pixels);
  switch (Measure) {
    case mtMM:
      return PixelsToMMHorizontal(pixels);
    case mtPixels:
      return static_cast<float>(pixels);
    default:
      return PixelsToInchesHorizontal(pixels);
  }
}

int TMWPrintObject::UnitToPixelsH(float value) const {
  switch (Measure) {
    case mtMM:
      return MMToPixelsHorizontal(value);
    case mtPixels:
      return static_cast<int>(value);
    default:
      return InchesToPixelsHorizontal(value);
  }
}
int TMWPrintObject::UnitToPixelsV(float value) const {
  switch (Measure) {
    case mtMM:
      return MMToPixelsVertical(value);
    case mtPixels:
      return static_cast<int>(value);
    default:
      return InchesToPixelsVertical(value);
  }
}

void TMWPrintObject::SetMeasure(MeasureType Meas) {
  if (Recording()) JobPages->StoreMeasure(Meas);
  Measure = Meas;
}

// -------------------------------------------------------------- geometry

void TMWPrintObject::CalculateMeasurements() {
  platform::Canvas *canvas = Canvas();
  if (!canvas) return;
  platform::PrinterDevice &printer = platform::Printer();
  const bool deviceGeometry = !ImagePrinting && !PreviewMode;
  PixelsPerInchVertical = canvas->DevicePixelsPerInchY();
  PixelsPerInchHorizontal = canvas->DevicePixelsPerInchX();
  const QPoint offset = deviceGeometry ? printer.PrintingOffset() : QPoint();
  GutterLeft = offset.x();
  GutterTop = offset.y();
  QSize page;
  if (PreviewMode && !ImagePrinting)
    page =
        CurrentPreview ? QSize(CurrentPreview->GetWidth(), CurrentPreview->GetHeight()) : QSize();
  else if (ImagePrinting)
    page = QSize(RightMargin, BottomMargin);
  else
    page = printer.PhysicalPageSize();
  TotalPageWidthPixels = page.width();
  TotalPageHeightPixels = page.height();
  TotalPageWidthInches = PixelsToInchesHorizontal(TotalPageWidthPixels);
  TotalPageHeightInches = PixelsToInchesVertical(TotalPageHeightPixels);
  if (deviceGeometry) {
    const QSize printable = printer.PrintableSize();
    GutterRight = TotalPageWidthPixels - GutterLeft - printable.width();
    GutterBottom = TotalPageHeightPixels - GutterTop - printable.height();
  } else {
    GutterRight = 0;
    GutterBottom = 0;
  }
  TopMargin = std::max(TopMargin, GutterTop);
  BottomMargin = std::min(BottomMargin, TotalPageHeightPixels - GutterBottom);
  LeftMargin = std::max(LeftMargin, GutterLeft);
  RightMargin = std::min(RightMargin, TotalPageWidthPixels - GutterRight);
}

void TMWPrintObject::SetScale(float ScaleFactor) {
  ScaleByValue = ScaleFactor;
  CalculateMeasurements();
}

void TMWPrintObject::SetPrnPrinter(TPageImage *Current) {
  if (!Current) return;
  TheCanvas = &Current->Canvas();
  owned_canvas_ = TheCanvas;
  canvas_owner_ = Current;
}

void TMWPrintObject::SetPreviewMode(bool Value) {
  if (!PrintingOK) return;
  if (Value && DisplayPage) SetPrnPrinter(DisplayPage);
  PreviewMode = Value;
}

void TMWPrintObject::SetMargins(float Top, float Bottom, float Left, float Right) {
  if (!PrintingOK) return;
  Top = ConvertV(Top);
  Bottom = ConvertV(Bottom);
  Left = ConvertH(Left);
  Right = ConvertH(Right);
  if (ImagePrinting) {
    TopMargin = InchesToPixelsVertical(Top);
    BottomMargin = InchesToPixelsVertical(Bottom);
    LeftMargin = InchesToPixelsHorizontal(Left);
    RightMargin = InchesToPixelsHorizontal(Right);
    CalculateMeasurements();
    return;
  }
  if (Recording()) JobPages->StoreMargins(Top, Bottom, Left, Right);
  const float leftEdge = PixelsToInchesHorizontal(GutterLeft);
  const float rightEdge = TotalPageWidthInches - PixelsToInchesHorizontal(GutterRight);
  if (Left + Right > TotalPageWidthInches) {
    Left = leftEdge;
    Right = rightEdge;
  }
  if (Left <= 0) Left = leftEdge;
  if (Right <= 0) Right = rightEdge;
  const float topEdge = PixelsToInchesVertical(GutterTop);
  const float bottomEdge = TotalPageHeightInches - PixelsToInchesVertical(GutterBottom);
  if (Top + Bottom >= TotalPageHeightInches) {
    Top = topEdge;
    Bottom = bottomEdge;
  }
  if (Top <= 0) Top = topEdge;
  if (Bottom <= 0) Bottom = bottomEdge;
  // The zoom enters twice here; the right-aligned writes divide by its square.
  TopMargin = std::max(
      static_cast<int>(static_cast<float>(InchesToPixelsVertical(Top) * ScaleByValue)), GutterTop);
  BottomMargin =
      std::min(static_cast<int>(static_cast<float>(InchesToPixelsVertical(Bottom) * ScaleByValue)),
               TotalPageHeightPixels - GutterBottom);
  LeftMargin =
      std::max(static_cast<int>(static_cast<float>(InchesToPixelsHorizontal(Left) * ScaleByValue)),
               GutterLeft);
  RightMargin =
      std::min(static_cast<int>(static_cast<float>(InchesToPixelsHorizontal(Right) * ScaleByValue)),
               TotalPageWidthPixels - GutterRight);
}

void TMWPrintObject::SetDetailTopBottom(float Top, float Bottom) {
  if (!PrintingOK) return;
  Top = ConvertV(Top);
  Bottom = ConvertV(Bottom);
  if (Recording()) JobPages->StoreDetailArea(Top, Bottom);
  DetailTop = Top;
  DetailBottom = Bottom;
  LastYPosition = Top - GetLineHeightInches();
}

std::uint16_t TMWPrintObject::GetLineHeightPixels() const {
  platform::Canvas *canvas = Canvas();
  if (!canvas) return 0;
  return static_cast<std::uint16_t>(canvas->TextHeight(QStringLiteral("A")) / ScaleByValue);
}
float TMWPrintObject::GetLineHeightInches() const {
  return PixelsToInchesVertical(GetLineHeightPixels());
}
float TMWPrintObject::GetLineHeightMM() const {
  return PixelsToMMVertical(GetLineHeightPixels());
}

int TMWPrintObject::GetLinesPerPage() const {
  const int h = GetLineHeightPixels();
  return h ? (TotalPageHeightPixels - GutterTop - GutterBottom) / h : 0;
}
std::uint16_t TMWPrintObject::GetLinesInDetailArea() const {
  const int h = GetLineHeightPixels();
  return h ? static_cast<std::uint16_t>(InchesToPixelsVertical(DetailBottom - DetailTop) / h) : 0;
}
std::uint16_t TMWPrintObject::GetLinesLeft() const {
  const float h = GetLineHeightInches();
  if (LastYPosition > DetailBottom || h <= 0) return 0;
  return static_cast<std::uint16_t>(static_cast<float>((DetailBottom - LastYPosition) / h));
}
int TMWPrintObject::LinesToPixels(int Line) const {
  return Line < 1 ? 0 : GetLineHeightPixels() * (Line - 1);
}

int TMWPrintObject::GetColumnsPerLine() const {
  platform::Canvas *canvas = Canvas();
  const int b = canvas ? canvas->TextWidth(QStringLiteral("B")) : 0;
  return b ? (TotalPageWidthPixels - LeftMargin - RightMargin) / b : 0;
}

int TMWPrintObject::GetTextWidth(const QString &Text) const {
  platform::Canvas *canvas = Canvas();
  return canvas ? static_cast<int>(canvas->TextWidth(Text) / ScaleByValue) : 0;
}
float TMWPrintObject::GetTextWidthInches(const QString &Text) const {
  return PixelsToInchesHorizontal(GetTextWidth(Text));
}
float TMWPrintObject::GetTextWidthMM(const QString &Text) const {
  return PixelsToMMHorizontal(GetTextWidth(Text));
}

// ---------------------------------------------------------------- columns

void TMWPrintObject::CreateColumn(std::uint16_t Number, float XPosition, float Length) {
  if (!PrintingOK) return;
  if (Number < 1 || Number > 20) {
    platform::ShowMessage(QStringLiteral("Column value must be between 1 and ") +
                          QString::number(20) + QStringLiteral("."));
    return;
  }
  XPosition = ConvertH(XPosition);
  Length = ConvertH(Length);
  if (Recording()) JobPages->StoreColumn(Number, XPosition, Length);
  ColumnInformation[Number - 1] = {XPosition, Length};
}

float TMWPrintObject::GetColumnLeft(std::uint16_t Number) const {
  if (Number < 1 || Number > 20) return 0;
  const float v = ColumnInformation[Number - 1].Position;
  return Converting() ? InchesToUnitH(v) : v;
}
float TMWPrintObject::GetColumnRight(std::uint16_t Number) const {
  if (Number < 1 || Number > 20) return 0;
  const TColumnEntry &c = ColumnInformation[Number - 1];
  const float v = c.Position + c.Length;
  return Converting() ? InchesToUnitH(v) : v;
}
float TMWPrintObject::GetColumnWidth(std::uint16_t Number) const {
  if (Number < 1 || Number > 20) return 0;
  const float v = ColumnInformation[Number - 1].Length;
  return Converting() ? InchesToUnitH(v) : v;
}

void TMWPrintObject::SetTab(float Inches) {
  if (!PrintingOK) return;
  if (Recording()) {
    Inches = ConvertH(Inches);
    JobPages->StoreTab(Inches);
  }
  CurrentTab = Inches;
}
float TMWPrintObject::GetTab() const {
  return InchesToUnitH(CurrentTab);
}

void TMWPrintObject::SetTabInches(float inches) {
  const MeasureType kept = Measure;
  Measure = mtInches;
  SetTab(inches);
  Measure = kept;
}

void TMWPrintObject::SetIndent(float Indent) {
  if (Recording()) {
    Indent = ConvertH(Indent);
    JobPages->StoreIndent(Indent);
  }
  CurrentIndent = Indent;
}
float TMWPrintObject::GetIndent() const {
  return InchesToUnitH(CurrentIndent);
}

// ----------------------------------------------------------- line position

void TMWPrintObject::SetYPosition(float YPosition) {
  if (!PrintingOK) return;
  YPosition = ConvertV(YPosition);
  if (Recording()) JobPages->StoreSetY(YPosition);
  LastYPosition = YPosition;
}
float TMWPrintObject::GetYPosition() const {
  return InchesToUnitV(LastYPosition);
}

void TMWPrintObject::SetTopOfPage() {
  if (!PrintingOK) return;
  if (Recording()) JobPages->StoreGeneral(commTopOfPage);
  LastYPosition = DetailTop;
  LastXPosition = LeftMarginInches();
}

void TMWPrintObject::SaveCurrentY() {
  ++CurrentYRecord;
  if (CurrentYRecord >= 1 && CurrentYRecord <= 10)
    CurrentYPosition[CurrentYRecord - 1] = LastYPosition;
  if (Recording()) JobPages->StoreGeneral(commSaveY);
}

void TMWPrintObject::RestoreCurrentY() {
  if (CurrentYRecord >= 1 && CurrentYRecord <= 10)
    LastYPosition = CurrentYPosition[CurrentYRecord - 1];
  if (Recording()) JobPages->StoreGeneral(commRestoreY);
  if (CurrentYRecord > 0) --CurrentYRecord;
}

void TMWPrintObject::SetAutoPaging(bool Value) {
  if (Recording()) JobPages->StoreGeneral(Value ? commAutoPageTrue : commAutoPageFalse);
  AutoPaging = Value;
}

// ------------------------------------------------------------------ fonts

void TMWPrintObject::SetFontInfo(const TFont &Font) {
  if (!PrintingOK) return;
  if (Recording()) JobPages->StoreFontChange(Font.Name(), Font.Size(), Font.Style(), Font.Color());
  if (platform::Canvas *canvas = Canvas()) canvas->SetFont(Font);
  CalculateMeasurements();
}

void TMWPrintObject::SetFontName(const QString &Name) {
  if (!PrintingOK) return;
  TFont f = GetFont();
  f.SetName(Name);
  if (Recording()) JobPages->StoreFontChange(f.Name(), f.Size(), f.Style(), f.Color());
  if (platform::Canvas *canvas = Canvas()) canvas->font().SetName(Name);
}

void TMWPrintObject::SetFontSize(std::uint16_t Size) {
  if (!PrintingOK) return;
  TFont f = GetFont();
  f.SetSize(Size);
  if (Recording()) JobPages->StoreFontChange(f.Name(), f.Size(), f.Style(), f.Color());
  if (platform::Canvas *canvas = Canvas()) canvas->font().SetSize(Size);
}

void TMWPrintObject::SetFontStyle(TFontStyles Style) {
  if (!PrintingOK) return;
  TFont f = GetFont();
  f.SetStyle(Style);
  if (Recording()) JobPages->StoreFontChange(f.Name(), f.Size(), f.Style(), f.Color());
  if (platform::Canvas *canvas = Canvas()) canvas->font().SetStyle(Style);
}

void TMWPrintObject::SetFontColor(TColor iColor) {
  if (Recording()) JobPages->StoreFColor(iColor);
  if (platform::Canvas *canvas = Canvas()) canvas->font().SetColor(iColor);
}

void TMWPrintObject::SetFontAngle(int Angle) {
  if (!PrintingOK) return;
  if (Recording()) JobPages->StoreFontAngle(Angle);
  RotateAngle = Angle;
}

TFont TMWPrintObject::GetFont() const {
  platform::Canvas *canvas = Canvas();
  return canvas ? canvas->font() : TFont();
}
QString TMWPrintObject::GetFontName() const {
  return GetFont().Name();
}
std::uint16_t TMWPrintObject::GetFontSize() const {
  return static_cast<std::uint16_t>(GetFont().Size());
}
TFontStyles TMWPrintObject::GetFontStyle() const {
  return GetFont().Style();
}
TColor TMWPrintObject::GetFontColor() const {
  return GetFont().Color();
}
std::uint16_t TMWPrintObject::GetFontAngle() const {
  platform::Canvas *canvas = Canvas();
  return static_cast<std::uint16_t>(canvas ? canvas->font().Escapement() / 10 : 0);
}

void TMWPrintObject::SaveCurrentFont() {
  if (!PrintingOK) return;
  ++CurrentFontRecord;
  if (CurrentFontRecord >= 1 && CurrentFontRecord <= 10) {
    auto &slot = CurrentFonts[CurrentFontRecord - 1];
    if (!slot) slot = std::make_unique<TFont>();
    slot->Assign(GetFont());
  }
}

void TMWPrintObject::RestoreCurrentFont() {
  if (!PrintingOK) return;
  if (CurrentFontRecord >= 1 && CurrentFontRecord <= 10) {
    auto &slot = CurrentFonts[CurrentFontRecord - 1];
    if (slot) SetFontInfo(*slot);
    slot.reset();
    --CurrentFontRecord;
  } else if (CurrentFontRecord > 10) {
    // Saves beyond the tenth hold nothing; their restores only unwind, so
    // that the ten saved fonts below come back in order.
    --CurrentFontRecord;
  }
}

// ----------------------------------------- header, footer and page number

void TMWPrintObject::SetHeaderDim(float XTop, float YTop, float XBottom, float YBottom, bool Boxed,
                                  std::uint16_t LineWidth, TColor Shading) {
  if (!PrintingOK) return;
  if (Recording())
    JobPages->StoreHeaderDim(ConvertH(XTop), ConvertV(YTop), ConvertH(XBottom), ConvertV(YBottom),
                             Boxed, LineWidth, Shading);
  HeaderCoordinates = {XTop, YTop, XBottom, YBottom, Boxed, Shading, LineWidth};
}

void TMWPrintObject::SetFooterDim(float XTop, float YTop, float XBottom, float YBottom, bool Boxed,
                                  std::uint16_t LineWidth, TColor Shading) {
  if (!PrintingOK) return;
  if (Recording())
    JobPages->StoreFooterDim(ConvertH(XTop), ConvertV(YTop), ConvertH(XBottom), ConvertV(YBottom),
                             Boxed, LineWidth, Shading);
  FooterCoordinates = {XTop, YTop, XBottom, YBottom, Boxed, Shading, LineWidth};
}

namespace {
void SetLine(THeaderLine &line, float y, const QString &text, std::uint16_t alignment,
             const TFont &font) {
  line.Text = ToLineBytes(text);
  line.YPosition = y;
  line.Alignment = alignment;
  if (!line.Font) line.Font = std::make_unique<TFont>();
  *line.Font = font;
}
}  // namespace

void TMWPrintObject::SetHeaderInfo(int Line, float YPosition, const QString &Text,
                                   std::uint16_t Alignment, const TFont &Font) {
  // Lines are numbered 1 to 10; others are ignored.
  if (!PrintingOK || Line < 1 || Line > 10) return;
  if (Recording())
    JobPages->StoreHeaderInf(Line, ConvertV(YPosition), Text, Alignment, Font.Name(), Font.Size(),
                             Font.Style(), Font.Color());
  SetLine(Header[Line - 1], YPosition, Text, Alignment, Font);
}

void TMWPrintObject::SetFooterInfo(int Line, float YPosition, const QString &Text,
                                   std::uint16_t Alignment, const TFont &Font) {
  if (!PrintingOK || Line < 1 || Line > 10) return;
  if (Recording())
    JobPages->StoreFooterInf(Line, ConvertV(YPosition), Text, Alignment, Font.Name(), Font.Size(),
                             Font.Style(), Font.Color());
  SetLine(Footer[Line - 1], YPosition, Text, Alignment, Font);
}

void TMWPrintObject::SetPageNumberInfo(float YPosition, const QString &Text,
                                       std::uint16_t Alignment, bool IncludeTotal,
                                       const TFont &Font) {
  if (!PrintingOK) return;
  if (Recording())
    JobPages->StorePageNumber(ConvertV(YPosition), Text, Alignment, IncludeTotal, Font.Name(),
                              Font.Size(), Font.Style(), Font.Color());
  // The given text is kept in the record only; pages show the fixed format.
  PageNumber.Text = ToLineBytes(QStringLiteral("第 %d 页"));
  PageNumber.YPosition = YPosition;
  PageNumber.Alignment = Alignment;
  if (!PageNumber.Font) PageNumber.Font = std::make_unique<TFont>();
  PageNumber.Font->Assign(Font);
  PageNumber.ShowTotalPages = IncludeTotal;
}

// ------------------------------------------------------------------- start

bool TMWPrintObject::Start() {
  if (PrintingOK) Abort();  // one job at a time: an unfinished one is dropped
  ImagePrinting = ImageCanvas != nullptr;
  if (!ImagePrinting && platform::Printer().Printers().isEmpty()) {
    platform::ShowMessage(QStringLiteral("打印机没有安装."));
    return false;
  }
  PrintingOK = true;
  if (!ImagePrinting) {
    delete CurrentPreview;  // a window left from a job that printed without preview
    preview_ = new TPreviewForm(nullptr);
    CurrentPreview = preview_;
  }
  ReadPrinterSpecs(true);
  WritePrinterSpecs(false);
  PaperWidthInches = PaperSizeData(PaperDimension).width;
  PaperHeightInches = PaperSizeData(PaperDimension).height;
  SetPreviewMode(!ImagePrinting);
  if (!ImagePrinting) {
    JobPages = std::make_unique<TMWPages>();
    JobPages->NewPage();
    JobPages->FirstPage = 1;
    JobPages->LastPage = 1;
  }
  DryRun = !ImagePrinting;
  TotalPages = 1;
  ScaleByValue = 1.0f;
  if (!ImagePrinting && UseProgress) {
    progress_ = std::make_unique<TPrintBarForm>();
    ProgressBar = progress_.get();
    ProgressBar->SetPanelColor(platform::ToQColor(BarFormColor));
    ProgressBar->SetCaptionColor(platform::ToQColor(BarTextColor));
    ProgressBar->CancelBtn->setVisible(ShowCancel);
    ProgressPrintObject = this;
    ProgressBar->SetDisplayText(QStringLiteral("正在生成打印数据，请稍等....."));
    ProgressBar->CancelBtn->setText(QStringLiteral("取消"));
    ProgressBar->PrintBar->setMaximum(ProgressMax);
    ProgressBar->show();
    ProgressBar->UpdateBar(0);
    BarShowing = true;
  }
  PrintingInternal = false;
  if (ImagePrinting) {
    TheCanvas = ImageCanvas;
  } else {
    CurrentPreview->SetOrient(PageOrientation);
    CurrentPreview->SetPreviewPrn(this);
    SetPrnPrinter(CurrentPreview->GetCurrentPage());
  }
  CalculateMeasurements();
  PageNumber.Text.clear();
  {
    // The printable area, in inches whatever the caller's unit.
    const MeasureType kept = Measure;
    Measure = mtInches;
    SetMargins(PixelsToInchesVertical(GutterTop),
               TotalPageHeightInches - PixelsToInchesVertical(GutterBottom),
               PixelsToInchesHorizontal(GutterLeft),
               TotalPageWidthInches - PixelsToInchesHorizontal(GutterRight));
    Measure = kept;
  }
  for (int i = 0; i < 10; ++i) {
    Header[i].Text.clear();
    Footer[i].Text.clear();
  }
  HeaderCoordinates.Boxed = false;
  HeaderCoordinates.Shading = 0;
  FooterCoordinates.Boxed = false;
  FooterCoordinates.Shading = 0;
  CurrentTab = 0;
  LastYPosition = 0;
  LastXPosition = 0;
  SetAutoPaging(AutoPaging);
  return true;
}

// ----------------------------------------------------------------- device

void TMWPrintObject::ReadPrinterSpecs(bool SaveState) {
  if (!PrintingOK) return;
  const platform::DeviceSettings s = platform::Printer().Settings();
  if (SaveState) {
    OrigPaperSize = s.paperCode;
    OrigPaperOrient = s.orientationCode;
  } else {
    // A code no entry has leaves the paper size as it was.
    const int paper = PaperSizeForDeviceCode(s.paperCode);
    if (paper >= 0) PaperDimension = static_cast<PaperSizes>(paper);
    PageOrientation =
        s.orientationCode == platform::kOrientationLandscape ? poLandscape : poPortrait;
  }
}

void TMWPrintObject::WritePrinterSpecs(bool RestoreState) {
  if (!RestoreState && !PrintingOK) return;
  platform::PrinterDevice &printer = platform::Printer();
  platform::DeviceSettings s = printer.Settings();
  s.fields = platform::DeviceSettings::PaperSizeField | platform::DeviceSettings::OrientationField;
  if (RestoreState) {
    if (OrigPaperOrient == 0) return;  // nothing was saved
    s.paperCode = OrigPaperSize;
    s.orientationCode = OrigPaperOrient;
  } else {
    s.paperCode = PaperSizeData(PaperDimension).deviceCode;
    s.orientationCode = PageOrientation == poLandscape ? platform::kOrientationLandscape
                                                       : platform::kOrientationPortrait;
  }
  printer.ApplySettings(s);
}

void TMWPrintObject::GetPrinterSpecs() {
  const bool kept = PrintingOK;
  PrintingOK = true;
  ReadPrinterSpecs(false);
  PrintingOK = kept;
}

void TMWPrintObject::SetPrinterSpecs() {
  const bool kept = PrintingOK;
  PrintingOK = true;
  WritePrinterSpecs(false);
  PrintingOK = kept;
}

int TMWPrintObject::GetPageNumber() const {
  if (ImagePrinting || !PrintingOK) return -1;
  return CurrentPageNumber();
}

int TMWPrintObject::CurrentPageNumber() const {
  if (PreviewMode) return CurrentPreview ? CurrentPreview->CurrentPage : 0;
  return platform::Printer().PageNumber();
}

// --------------------------------------------------------- pen and brush

int TMWPrintObject::PenWidthFor(std::uint16_t width) const {
  if (ImagePrinting) return width;
  // Widths are printer pixels; on the smaller preview page they shrink.
  const int printable = platform::Printer().PrintableSize().width();
  if (printable <= 0) return width;
  return static_cast<int>(double(width) * TotalPageWidthPixels / printable * ScaleByValue);
}

void TMWPrintObject::SetPenColor(TColor iColor) {
  if (Recording()) JobPages->StorePColor(iColor);
  if (platform::Canvas *c = Canvas()) c->pen().color = iColor;
}
void TMWPrintObject::SetPenStyle(TPenStyle Style) {
  if (Recording()) JobPages->StorePStyle(Style);
  if (platform::Canvas *c = Canvas()) c->pen().style = Style;
}
void TMWPrintObject::SetPenMode(TPenMode Mode) {
  if (Recording()) JobPages->StorePMode(Mode);
  if (platform::Canvas *c = Canvas()) c->pen().mode = Mode;
}
void TMWPrintObject::SetPenWidth(int iWidth) {
  if (Recording()) JobPages->StoreLineWidth(static_cast<std::uint16_t>(iWidth));
  if (platform::Canvas *c = Canvas()) c->pen().width = iWidth;
}
void TMWPrintObject::SetLineWidth(std::uint16_t Width) {
  if (Recording()) JobPages->StoreLineWidth(Width);
  if (platform::Canvas *c = Canvas()) c->pen().width = PenWidthFor(Width);
}
void TMWPrintObject::SetBrushColor(TColor iColor) {
  if (Recording()) JobPages->StoreBColor(iColor);
  if (platform::Canvas *c = Canvas()) c->brush().color = iColor;
}
void TMWPrintObject::SetBrushStyle(TBrushStyle Style) {
  if (Recording()) JobPages->StoreBStyle(Style);
  if (platform::Canvas *c = Canvas()) c->brush().style = Style;
}
TColor TMWPrintObject::GetPenColor() const {
  return Canvas() ? Canvas()->pen().color : clBlack;
}
TPenStyle TMWPrintObject::GetPenStyle() const {
  return Canvas() ? Canvas()->pen().style : platform::psSolid;
}
TPenMode TMWPrintObject::GetPenMode() const {
  return Canvas() ? Canvas()->pen().mode : platform::pmCopy;
}
int TMWPrintObject::GetPenWidth() const {
  return Canvas() ? Canvas()->pen().width : 1;
}
std::uint16_t TMWPrintObject::GetLineWidth() const {
  return static_cast<std::uint16_t>(GetPenWidth());
}
TColor TMWPrintObject::GetBrushColor() const {
  return Canvas() ? Canvas()->brush().color : clWhite;
}
TBrushStyle TMWPrintObject::GetBrushStyle() const {
  return Canvas() ? Canvas()->brush().style : platform::bsSolid;
}

// ---------------------------------------------------------------- drawing

void TMWPrintObject::DrawLine(float TopX, float TopY, float BottomX, float BottomY,
                              std::uint16_t LineWidth) {
  if (!PrintingOK) return;
  TopX = ConvertH(TopX);
  TopY = ConvertV(TopY);
  BottomX = ConvertH(BottomX);
  BottomY = ConvertV(BottomY);
  if (Recording()) JobPages->StoreLine(TopX, TopY, BottomX, BottomY, LineWidth);
  platform::Canvas *canvas = Canvas();
  if (!canvas) return;
  const int keptWidth = canvas->pen().width;
  canvas->pen().width = PenWidthFor(LineWidth);
  canvas->MoveTo(InchesToPixelsHorizontal(TopX) - GutterLeft,
                 InchesToPixelsVertical(TopY) - GutterTop);
  canvas->LineTo(InchesToPixelsHorizontal(BottomX) - GutterLeft,
                 InchesToPixelsVertical(BottomY) - GutterTop);
  canvas->pen().width = keptWidth;
}

void TMWPrintObject::DrawTheBox(float TopX, float TopY, float BottomX, float BottomY,
                                std::uint16_t LineWidth) {
  DrawLine(TopX, TopY, BottomX, TopY, LineWidth);
  DrawLine(BottomX, TopY, BottomX, BottomY, LineWidth);
  DrawLine(BottomX, BottomY, TopX, BottomY, LineWidth);
  DrawLine(TopX, BottomY, TopX, TopY, LineWidth);
}

void TMWPrintObject::DrawBox(float XTop, float YTop, float XBottom, float YBottom,
                             std::uint16_t LineWidth) {
  if (!PrintingOK) return;
  const TColor kept = GetBrushColor();
  SetBrushColor(GetPenColor());
  DrawTheBox(XTop, YTop, XBottom, YBottom, LineWidth);
  SetBrushColor(kept);
}

void TMWPrintObject::DrawBoxShade(float XTop, float YTop, float XBottom, float YBottom,
                                  std::uint16_t LineWidth, TColor Shading) {
  if (!PrintingOK) return;
  const TColor kept = GetBrushColor();
  SetBrushColor(Shading);
  FillRect(XTop, YTop, XBottom, YBottom);
  SetBrushColor(GetPenColor());
  DrawTheBox(XTop, YTop, XBottom, YBottom, LineWidth);
  SetBrushColor(kept);
}

// -------------------------------------------------------------- page flow

void TMWPrintObject::DoNewPage() {
  const bool kept = AutoPaging;
  SetAutoPaging(false);
  if (OnNewPage) OnNewPage(this);
  SetAutoPaging(kept);
}

void TMWPrintObject::DoAfterNewPage() {
  const bool kept = AutoPaging;
  SetAutoPaging(false);
  if (AfterNewPage) AfterNewPage(this);
  SetAutoPaging(kept);
}

void TMWPrintObject::NewPage() {
  if (!PrintingOK || ImagePrinting) return;
  const float keptY = LastYPosition;
  SaveCurrentFont();
  WriteHeader();
  WriteFooter();
  WritePageNumber();
  DoNewPage();
  if (Recording()) {
    JobPages->NewPage();
    ++TotalPages;
    LastYPosition = DetailTop - GetLineHeightInches();
    LastXPosition = LeftMarginInches();
  } else if (!PreviewMode && PageFeeding) {
    platform::Printer().NewPage();
    LastYPosition = DetailTop - GetLineHeightInches();
    LastXPosition = LeftMarginInches();
  }
  DoAfterNewPage();
  if (Recording() || AutoPaging)
    SetTopOfPage();
  else
    SetYPosition(keptY);
  RestoreCurrentFont();
}

void TMWPrintObject::PageFeed() {
  if (Recording()) {
    JobPages->NewPage();
    ++TotalPages;
  } else if (!PreviewMode) {
    platform::Printer().NewPage();
  }
}

void TMWPrintObject::OnCancelPrint() {
  if (ProgressBar) ProgressBar->hide();
  if (platform::Confirm(QStringLiteral("放异打印吗？"), QStringLiteral("提示："))) {
    PrintingOK = false;
    if (!PrintingInternal && OnCancel) OnCancel(this);
  }
  if (ProgressBar) ProgressBar->show();
}

void TMWPrintObject::ClearLayout() {
  for (int i = 0; i < 10; ++i) {
    Header[i].Text.clear();
    Header[i].Font.reset();
    Footer[i].Text.clear();
    Footer[i].Font.reset();
  }
  ColumnInformation.fill(TColumnEntry{});
  PageNumber.Text.clear();
  PageNumber.Font.reset();
  SetTab(0);
}

void TMWPrintObject::ReleaseJob() {
  progress_.reset();
  ProgressBar = nullptr;
  BarShowing = false;
  if (ProgressPrintObject == this) ProgressPrintObject = nullptr;
  JobPages.reset();
  // The preview of a job that ends without being shown goes with the job.
  if (preview_) delete preview_.data();
  if (JobPrintObject == this) JobPrintObject = nullptr;
}

void TMWPrintObject::Abort() {
  if (ImagePrinting) {
    ImageCanvas = nullptr;
    PrintingOK = false;
    ImagePrinting = false;
    return;
  }
  ClearLayout();
  if (PreviewMode) {
    if (CurrentPreview) CurrentPreview->Abort();
  } else {
    platform::Printer().EndDoc();
  }
  ReleaseJob();
  PrintingOK = false;
  DryRun = false;
  WritePrinterSpecs(true);
  if (PrintDone) PrintDone(this);
}

// ---------------------------------------------------------------- progress

void TMWPrintObject::IncBar(int x) {
  if (PrintingOK && UseProgress && ProgressBar) ProgressBar->IncBar(x);
}

void TMWPrintObject::UpdateBar(int x) {
  if (PrintingOK && !ImagePrinting && UseProgress && ProgressBar) ProgressBar->UpdateBar(x);
}

void TMWPrintObject::SetProgressMax(int Max) {
  ProgressMax = static_cast<std::uint16_t>(Max);
  if (BarShowing && ProgressBar) ProgressBar->PrintBar->setMaximum(Max);
}

void TMWPrintObject::SetProgressText(const QString &s) {
  if (BarShowing && ProgressBar) ProgressBar->SetDisplayText(s);
}
