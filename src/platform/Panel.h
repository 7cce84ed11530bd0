#pragma once
// The panel control: a widget with a background colour, a font, a caption and
// a frame of bevels and a border. What it paints goes to its own picture
// first (Paint), so that a control can paint synchronously, visible or not,
// and the widget shows that picture.
//
// Frame metrics: the bevels and the border width take b pixels on each side,
// b = BorderWidth + BevelWidth for each bevel that is not bvNone; a border
// style other than bsNone takes e more pixels in all (4 with Ctl3D, else 2).
#include <QString>
#include <QWidget>

#include "platform/Canvas.h"
#include "platform/Color.h"
#include "platform/Font.h"
#include "platform/Picture.h"

namespace platform {

enum TBevelCut : int { bvNone, bvLowered, bvRaised, bvSpace };
enum TBorderStyle : int { bsNone, bsSingle };
enum TAlignment : int { taLeftJustify, taRightJustify, taCenter };

class Panel : public QWidget {
  Q_OBJECT
 public:
  explicit Panel(QWidget *parent = nullptr);
  ~Panel() override;

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  TBevelCut BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TBevelCut b);
  TBevelCut BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TBevelCut b);
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int w);
  int BorderWidth() const { return border_width_; }
  void SetBorderWidth(int w);
  TBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TBorderStyle s);
  bool Ctl3D() const { return ctl3d_; }
  void SetCtl3D(bool on);
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  const QString &Caption() const { return caption_; }
  void SetCaption(const QString &c);
  // The control's font; changes show at the next paint.
  platform::Font &font() { return font_; }
  const platform::Font &font() const { return font_; }

  int Width() const { return width(); }
  int Height() const { return height(); }
  void SetWidth(int w) { resize(w, height()); }
  void SetHeight(int h) { resize(width(), h); }

  // Frame metrics (see above).
  int FrameB() const;
  int FrameE() const;

  // Paints the control into its picture now and schedules the widget to
  // show it. Errors of the painting come out of here.
  void PaintNow();
  // What the control shows, as last painted.
  const Picture &Surface() const { return surface_; }

 protected:
  // Draws the control on canvas(): background, bevels, border, caption.
  virtual void Paint();
  // The canvas of the control's picture, sized to the control.
  Canvas &canvas();

  void paintEvent(QPaintEvent *event) override;

 private:
  TAlignment alignment_ = taCenter;
  TBevelCut bevel_inner_ = bvNone;
  TBevelCut bevel_outer_ = bvRaised;
  int bevel_width_ = 1;
  int border_width_ = 0;
  TBorderStyle border_style_ = bsNone;
  bool ctl3d_ = true;
  TColor color_ = clBtnFace;
  QString caption_;
  platform::Font font_;
  Picture surface_;
  QString last_error_;
};

}  // namespace platform
