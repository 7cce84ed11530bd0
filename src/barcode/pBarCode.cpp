#include "barcode/pBarCode.h"

#include "platform/Exception.h"

namespace barcode {

using platform::taCenter;
using platform::taLeftJustify;
using platform::TAlignment;
using platform::taRightJustify;

namespace {

// A handler that keeps offering new refused texts would otherwise be asked
// for ever.
constexpr int kMaxInvalidCharRetries = 16;

bool DigitsOnlyAfterTrim(const QString &t) {
  qsizetype from = 0, to = t.size();
  while (from < to && t.at(from).unicode() <= 32) ++from;
  while (to > from && t.at(to - 1).unicode() <= 32) --to;
  for (qsizetype i = from; i < to; ++i)
    if (t.at(i) < QLatin1Char('0') || t.at(i) > QLatin1Char('9')) return false;
  return true;
}

[[noreturn]] void Refuse(const QString &offered) {
  throw platform::Exception(QStringLiteral("%1: %2").arg(offered, QLatin1String(kMsgNotNumeric)));
}

}  // namespace

double AngleOf(TOrientation o) {
  switch (o) {
    case toRightLeft:
      return 180;
    case toTopBottom:
      return 270;
    case toBottomTop:
      return 90;
    case toLeftRight:
      break;
  }
  return 0;
}

TBarCode::TBarCode(QWidget *owner) : platform::Panel(owner) {
  SetCaption(QString());
}

TBarCode::~TBarCode() = default;

void TBarCode::Assign(const TBarCode *source) {
  if (!source) return;
  FOrientation = source->FOrientation;
  FModul = source->FModul;
  FRatio = source->FRatio;
  FColorSpc = source->FColorSpc;
  FColorBar = source->FColorBar;
  FBarType = source->FBarType;
  FBarCode = source->FBarCode;
  FBarHeight = source->FBarHeight;
  FCheckSum = source->FCheckSum;
  FTextColor = source->FTextColor;
  FTextShow = source->FTextShow;
  FTextPosition = source->FTextPosition;
  FHMargin = source->FHMargin;
  FOnChange = source->FOnChange;
}

void TBarCode::Assign(const QObject *source) {
  Assign(qobject_cast<const TBarCode *>(source));
}

void TBarCode::BarChanged() {
  if (FDrawOnly)
    H_GetBarWidth(FBarType, FBarCode, FModul, FRatio, FCheckSum);
  else
    PaintNow();
  if (FOnChange) FOnChange(this);
}

void TBarCode::SetBarType(TBarType value) {
  if (value == FBarType) return;
  FBarType = value;
  try {
    BarChanged();
  } catch (const platform::Exception &) {
    if (!FOnInvalidChar) throw;
    FOnInvalidChar(this, FBarCode);  // may repair the stored text; nothing is redrawn
  }
}

void TBarCode::SetBarCode(const QString &value) {
  if (value == FBarCode) return;
  QString t = value;
  if (IsValidBarType(FBarType) && BCdata[FBarType].num) {
    for (int tries = 0;; ++tries) {
      if (DigitsOnlyAfterTrim(t)) {
        FBarCode = t;  // as given, blanks included: the encoder judges them
        BarChanged();
        return;
      }
      if (!FOnInvalidChar || tries >= kMaxInvalidCharRetries) Refuse(value);
      FOnInvalidChar(this, t);
      if (t == value) Refuse(value);
    }
  }
  for (int tries = 0;; ++tries) {
    FBarCode = t;
    try {
      BarChanged();
      return;
    } catch (const platform::Exception &) {
      if (!FOnInvalidChar || tries >= kMaxInvalidCharRetries) Refuse(value);
      FOnInvalidChar(this, t);
      if (t == value) Refuse(value);
    }
  }
}

int TBarCode::HeightLimit() const {
  const int b = FrameB(), e = FrameE();
  const int across =
      FOrientation == toTopBottom || FOrientation == toBottomTop ? Width() : Height();
  return across - 2 * b - e - 1;
}

void TBarCode::SetBarHeight(int value) {
  if (value == FBarHeight) return;
  FBarHeight = value < 0 || value > HeightLimit() ? 0 : value;
  BarChanged();
}

int TBarCode::GetBarHeight() {
  const int limit = HeightLimit();
  if (FBarHeight <= 0 || FBarHeight >= limit) {
    FBarHeight = 0;
    return limit;
  }
  return FBarHeight;
}

void TBarCode::SetModul(int value) {
  if (value < 1 || value > 49) return;
  FModul = value;
  BarChanged();
}

void TBarCode::SetRatio(double value) {
  FRatio = value;
  BarChanged();
}

void TBarCode::SetCheckSum(TCheckSum value) {
  FCheckSum = value;
  BarChanged();
}

void TBarCode::SetColorSpc(TColor value) {
  FColorSpc = value;
  BarChanged();
}

void TBarCode::SetColorBar(TColor value) {
  FColorBar = value;
  BarChanged();
}

void TBarCode::SetOrientation(TOrientation value) {
  FOrientation = value;
  BarChanged();
}

void TBarCode::SetTextShow(TTextShow value) {
  FTextShow = value;
  BarChanged();
}

void TBarCode::SetTextPosition(TTextPosition value) {
  FTextPosition = value;
  BarChanged();
}

void TBarCode::SetTextColor(TColor value) {
  FTextColor = value;
  BarChanged();
}

void TBarCode::SetAutoWidth(bool value) {
  FAutoWidth = value;
  BarChanged();
}

void TBarCode::SetHMargin(int value) {
  FHMargin = value;
  if (FAutoWidth) BarChanged();
}

QString TBarCode::About() const {
  return QStringLiteral("Barcode control: 23 symbologies, drawn on screen, pictures and printers.");
}

int TBarCode::AutoSetWidth(int H_Margin) {
  const int v = GetBarWidth() + 2 * (H_Margin + FrameB() + FrameE());
  if (FOrientation == toTopBottom || FOrientation == toBottomTop)
    SetHeight(v);
  else
    SetWidth(v);
  return v;
}

void TBarCode::Paint() {
  Panel::Paint();
  if (FAutoWidth) AutoSetWidth(FHMargin);
  const int w = GetBarWidth();
  const int limit = HeightLimit();
  const int h = FBarHeight != 0 ? FBarHeight : limit;
  const int b = FrameB(), e = FrameE();
  const int width = Width(), height = Height();
  const TAlignment align = Alignment();
  int left = 0, top = 0;
  switch (FOrientation) {
    case toLeftRight:
    case toRightLeft: {
      const int nudge = FOrientation == toRightLeft ? 1 : 0;
      if (align == taLeftJustify) left = b - nudge;
      if (align == taRightJustify) left = width - b - e - w - nudge;
      if (align == taCenter) left = (width - e - w) / 2;
      top = (height - h - e) / 2;
      break;
    }
    case toTopBottom:
    case toBottomTop: {
      const int nudge = FOrientation == toBottomTop ? 1 : 0;
      if (align == taLeftJustify) top = b - nudge;
      if (align == taRightJustify) top = height - b - e - w - nudge;
      if (align == taCenter) top = (height - e - w) / 2;
      left = (width - h - e) / 2;
      break;
    }
  }
  H_DrawBar(canvas(), FBarType, FBarCode, FModul, FRatio, FCheckSum, left, top, h, font(),
            FTextShow, FTextPosition, FColorBar, FColorSpc, FTextColor, AngleOf(FOrientation));
}

void TBarCode::Draw(platform::Canvas &DCanvas, int DLeft, int DTop, int DHeight, double DAngle) {
  H_DrawBar(DCanvas, FBarType, FBarCode, FModul, FRatio, FCheckSum, DLeft, DTop, DHeight, font(),
            FTextShow, FTextPosition, FColorBar, FColorSpc, FTextColor, DAngle);
}

void TBarCode::Draw(platform::Canvas &DCanvas, int DLeft, int DTop, int DHeight) {
  Draw(DCanvas, DLeft, DTop, DHeight, AngleOf(FOrientation));
}

int TBarCode::GetBarWidth() const {
  return H_GetBarWidth(FBarType, FBarCode, FModul, FRatio, FCheckSum);
}

int TBarCode::GetCanvasWidth(int DHeight, double DAngle) const {
  return H_GetCanvasWidth(FBarType, FBarCode, FModul, FRatio, FCheckSum, DHeight, DAngle);
}

int TBarCode::GetCanvasWidth(int DHeight) const {
  return GetCanvasWidth(DHeight, AngleOf(FOrientation));
}

int TBarCode::GetCanvasHeight(int DHeight, double DAngle) const {
  return H_GetCanvasHeight(FBarType, FBarCode, FModul, FRatio, FCheckSum, DHeight, DAngle);
}

int TBarCode::GetCanvasHeight(int DHeight) const {
  return GetCanvasHeight(DHeight, AngleOf(FOrientation));
}

void TBarCode::Print(TUnits DUnit, double DLeft, double DTop, double DHeight, double DModul,
                     double DAngle) {
  H_PrintBar(DUnit, FBarType, FBarCode, DModul, FRatio, FCheckSum, DLeft, DTop, DHeight, font(),
             FTextShow, FTextPosition, FColorBar, FColorSpc, FTextColor, DAngle);
}

void TBarCode::Print(TUnits DUnit, double DLeft, double DTop, double DHeight, double DModul) {
  Print(DUnit, DLeft, DTop, DHeight, DModul, AngleOf(FOrientation));
}

double TBarCode::GetPrnBarWidth(TUnits DUnit, double DModul) const {
  return H_GetPrnBarWidth(DUnit, FBarType, FBarCode, DModul, FRatio, FCheckSum);
}

double TBarCode::GetPrnCanvasWidth(TUnits DUnit, double DHeight, double DModul,
                                   double DAngle) const {
  return H_PrnCanvasHeight(DUnit, FBarType, FBarCode, DModul, FRatio, FCheckSum, DHeight, DAngle);
}

double TBarCode::GetPrnCanvasWidth(TUnits DUnit, double DHeight, double DModul) const {
  return GetPrnCanvasWidth(DUnit, DHeight, DModul, AngleOf(FOrientation));
}

double TBarCode::GetPrnCanvasHeight(TUnits DUnit, double DHeight, double DModul,
                                    double DAngle) const {
  return H_PrnCanvasWidth(DUnit, FBarType, FBarCode, DModul, FRatio, FCheckSum, DHeight, DAngle);
}

double TBarCode::GetPrnCanvasHeight(TUnits DUnit, double DHeight, double DModul) const {
  return GetPrnCanvasHeight(DUnit, DHeight, DModul, AngleOf(FOrientation));
}

}  // namespace barcode
