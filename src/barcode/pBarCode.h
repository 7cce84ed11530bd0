#pragma once
// TBarCode: the barcode control. It holds the description of one barcode,
// paints it inside its own frame, draws it anywhere else (Draw), prints it in
// millimetres or inches (Print) and measures it. Every effective change of a
// property paints the control at once, inside the setter, so that an
// encoding error comes out of the assignment that caused it.
#include <QString>
#include <functional>

#include "barcode/HBarCode.h"
#include "barcode/HBarCode_draw.h"
#include "platform/Panel.h"

namespace barcode {

class TBarCode;
using TNotifyEvent = std::function<void(TBarCode *sender)>;
// May change the offered text; a changed text is tried again.
using TInvalidChar = std::function<void(TBarCode *sender, QString &text)>;

// Angle in degrees of an orientation: toLeftRight 0, toRightLeft 180,
// toTopBottom 270, toBottomTop 90.
double AngleOf(TOrientation o);

class TBarCode : public platform::Panel {
  Q_OBJECT
 public:
  explicit TBarCode(QWidget *owner = nullptr);
  ~TBarCode() override;

  // Copies the barcode description of another control (not AutoWidth, not
  // OnInvalidChar), without checks and without painting.
  void Assign(const TBarCode *source);
  void Assign(const QObject *source);

  TBarType BarType() const { return FBarType; }
  void SetBarType(TBarType value);
  const QString &BarCode() const { return FBarCode; }
  virtual void SetBarCode(const QString &value);
  int BarHeight() const { return FBarHeight; }
  void SetBarHeight(int value);
  int Modul() const { return FModul; }
  void SetModul(int value);
  double Ratio() const { return FRatio; }
  void SetRatio(double value);
  TCheckSum CheckSum() const { return FCheckSum; }
  void SetCheckSum(TCheckSum value);
  TColor ColorSpc() const { return FColorSpc; }
  void SetColorSpc(TColor value);
  TColor ColorBar() const { return FColorBar; }
  void SetColorBar(TColor value);
  TOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TOrientation value);
  TTextShow TextShow() const { return FTextShow; }
  void SetTextShow(TTextShow value);
  TTextPosition TextPosition() const { return FTextPosition; }
  void SetTextPosition(TTextPosition value);
  // Background of the text cell; the glyphs take the colour of the font.
  TColor TextColor() const { return FTextColor; }
  void SetTextColor(TColor value);
  bool AutoWidth() const { return FAutoWidth; }
  void SetAutoWidth(bool value);
  int HMargin() const { return FHMargin; }
  void SetHMargin(int value);
  QString About() const;
  void SetAbout(const QString &) {}
  const TNotifyEvent &OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }
  const TInvalidChar &OnInvalidChar() const { return FOnInvalidChar; }
  void SetOnInvalidChar(TInvalidChar handler) { FOnInvalidChar = std::move(handler); }

  // A control that is never shown and only draws elsewhere (Draw) need not
  // paint itself on every change; the change step then only checks that the
  // barcode encodes, raising the same errors a paint would.
  bool DrawOnly() const { return FDrawOnly; }
  void SetDrawOnly(bool value) { FDrawOnly = value; }

  QString BarTypeName() const { return H_GetBarTypeName(FBarType); }
  int BarWidth() const { return GetBarWidth(); }

  // Sets the control's extent along the pattern to the pattern width plus
  // both margins and frames, and returns it.
  int AutoSetWidth(int H_Margin);

  void Draw(platform::Canvas &DCanvas, int DLeft, int DTop, int DHeight, double DAngle);
  void Draw(platform::Canvas &DCanvas, int DLeft, int DTop, int DHeight);

  int GetBarWidth() const;
  int GetBarHeight();
  int GetCanvasWidth(int DHeight, double DAngle) const;
  int GetCanvasWidth(int DHeight) const;
  int GetCanvasHeight(int DHeight, double DAngle) const;
  int GetCanvasHeight(int DHeight) const;

  void Print(TUnits DUnit, double DLeft, double DTop, double DHeight, double DModul, double DAngle);
  void Print(TUnits DUnit, double DLeft, double DTop, double DHeight, double DModul);
  double GetPrnBarWidth(TUnits DUnit, double DModul) const;
  // At angle 0 the pattern width (the printer forms measure the other way
  // round from the screen forms).
  double GetPrnCanvasWidth(TUnits DUnit, double DHeight, double DModul, double DAngle) const;
  double GetPrnCanvasWidth(TUnits DUnit, double DHeight, double DModul) const;
  double GetPrnCanvasHeight(TUnits DUnit, double DHeight, double DModul, double DAngle) const;
  double GetPrnCanvasHeight(TUnits DUnit, double DHeight, double DModul) const;

  // The drawing core, reachable through the control as the program calls it.
  static void H_DrawBar(platform::Canvas &H_Canvas, TBarType H_BarType, const QString &H_BarCode,
                        int H_Modul, double H_Ratio, TCheckSum H_CheckSum, int H_Left, int H_Top,
                        int H_Height, platform::Font &H_TextFont, TTextShow H_TextShow,
                        TTextPosition H_TextPosition, TColor H_BarColor, TColor H_SpcColor,
                        TColor H_BackColor, double H_Angle) {
    barcode::H_DrawBar(H_Canvas, H_BarType, H_BarCode, H_Modul, H_Ratio, H_CheckSum, H_Left, H_Top,
                       H_Height, H_TextFont, H_TextShow, H_TextPosition, H_BarColor, H_SpcColor,
                       H_BackColor, H_Angle);
  }
  static int H_GetBarWidth(TBarType t, const QString &c, int m, double r, TCheckSum cs) {
    return barcode::H_GetBarWidth(t, c, m, r, cs);
  }
  static int H_GetCanvasWidth(TBarType t, const QString &c, int m, double r, TCheckSum cs, int h,
                              double a) {
    return barcode::H_GetCanvasWidth(t, c, m, r, cs, h, a);
  }
  static int H_GetCanvasHeight(TBarType t, const QString &c, int m, double r, TCheckSum cs, int h,
                               double a) {
    return barcode::H_GetCanvasHeight(t, c, m, r, cs, h, a);
  }
  static QString H_GetBarTypeName(TBarType t) { return barcode::H_GetBarTypeName(t); }

  // The height limit L of the frame metrics.
  int HeightLimit() const;

 protected:
  // Paints synchronously, then calls OnChange.
  virtual void BarChanged();
  void Paint() override;

 private:
  QString FBarCode;
  TBarType FBarType = bcCode39;
  int FBarHeight = 0;
  int FModul = 1;
  double FRatio = 2.0;
  TCheckSum FCheckSum = csNone;
  TColor FColorSpc = platform::clWhite;
  TColor FColorBar = platform::clBlack;
  TOrientation FOrientation = toLeftRight;
  TTextShow FTextShow = tsNone;
  TTextPosition FTextPosition = tpBottomCenter;
  TColor FTextColor = platform::clWhite;
  int FHMargin = 0;
  bool FAutoWidth = false;
  bool FDrawOnly = false;
  TNotifyEvent FOnChange;
  TInvalidChar FOnInvalidChar;
};

}  // namespace barcode
