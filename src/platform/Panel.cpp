#include "platform/Panel.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include "platform/Exception.h"
#include "platform/Fonts.h"
#include "platform/MessageBoxes.h"

namespace platform {

namespace {
constexpr TColor kHighlight = clWhite;
constexpr TColor kShadow = clGray;

// A frame of width w inside r, top-left in one colour and bottom-right in
// the other; r shrinks by w on every side.
void Frame3D(Canvas &c, QRect &r, TColor topLeft, TColor bottomRight, int w) {
  for (int i = 0; i < w && r.width() > 0 && r.height() > 0; ++i) {
    c.pen().color = topLeft;
    c.MoveTo(r.left(), r.bottom());
    c.LineTo(r.left(), r.top());
    c.LineTo(r.right() + 1, r.top());
    c.pen().color = bottomRight;
    c.MoveTo(r.right(), r.top());
    c.LineTo(r.right(), r.bottom());
    c.LineTo(r.left() - 1, r.bottom());
    r.adjust(1, 1, -1, -1);
  }
}

void Bevel(Canvas &c, QRect &r, TBevelCut cut, int w) {
  if (cut == bvNone) return;
  if (cut == bvSpace) {
    r.adjust(w, w, -w, -w);
    return;
  }
  if (cut == bvRaised)
    Frame3D(c, r, kHighlight, kShadow, w);
  else
    Frame3D(c, r, kShadow, kHighlight, w);
}
}  // namespace

Panel::Panel(QWidget *parent) : QWidget(parent) {
  InstallFontSubstitutions();
  resize(185, 41);
}

Panel::~Panel() = default;

void Panel::SetAlignment(TAlignment a) {
  alignment_ = a;
  update();
}
void Panel::SetBevelInner(TBevelCut b) {
  bevel_inner_ = b;
  update();
}
void Panel::SetBevelOuter(TBevelCut b) {
  bevel_outer_ = b;
  update();
}
void Panel::SetBevelWidth(int w) {
  bevel_width_ = w < 1 ? 1 : w;
  update();
}
void Panel::SetBorderWidth(int w) {
  border_width_ = w < 0 ? 0 : w;
  update();
}
void Panel::SetBorderStyle(TBorderStyle s) {
  border_style_ = s;
  update();
}
void Panel::SetCtl3D(bool on) {
  ctl3d_ = on;
  update();
}
void Panel::SetColor(TColor c) {
  color_ = c;
  update();
}
void Panel::SetCaption(const QString &c) {
  caption_ = c;
  update();
}

int Panel::FrameB() const {
  return border_width_ + (bevel_inner_ != bvNone ? bevel_width_ : 0) +
         (bevel_outer_ != bvNone ? bevel_width_ : 0);
}

int Panel::FrameE() const {
  return border_style_ == bsNone ? 0 : ctl3d_ ? 4 : 2;
}

Canvas &Panel::canvas() {
  if (surface_.Width() != width() || surface_.Height() != height())
    surface_.SetSize(width(), height(), color_);
  return surface_.canvas();
}

void Panel::Paint() {
  Canvas &c = canvas();
  const Canvas::State kept = c.SaveState();
  QRect r(0, 0, width(), height());
  // The border style's edge sits outside the client area.
  if (border_style_ != bsNone) {
    const int edge = FrameE() / 2;
    if (ctl3d_)
      for (int i = 0; i < edge; ++i) Frame3D(c, r, i == 0 ? kShadow : clBlack, kHighlight, 1);
    else
      Frame3D(c, r, clBlack, clBlack, edge);
  }
  c.brush().color = color_;
  c.brush().style = bsSolid;
  c.FillRect(r);
  c.pen().width = 1;
  Bevel(c, r, bevel_outer_, bevel_width_);
  r.adjust(border_width_, border_width_, -border_width_, -border_width_);
  Bevel(c, r, bevel_inner_, bevel_width_);
  if (!caption_.isEmpty()) {
    c.SetFont(font_);
    c.brush().style = bsClear;
    const int tw = c.TextWidth(caption_), th = c.TextHeight(caption_);
    int x = r.left();
    if (alignment_ == taRightJustify) x = r.right() + 1 - tw;
    if (alignment_ == taCenter) x = r.left() + (r.width() - tw) / 2;
    c.TextOut(x, r.top() + (r.height() - th) / 2, caption_);
  }
  c.RestoreState(kept);
}

void Panel::PaintNow() {
  Paint();
  update();
}

void Panel::paintEvent(QPaintEvent *) {
  try {
    Paint();
    last_error_.clear();
  } catch (const Exception &e) {
    // Reported once, after the paint, in the standard error box.
    if (e.Message() != last_error_) {
      last_error_ = e.Message();
      const QString text = e.Message();
      QTimer::singleShot(0, this, [text] { ShowError(text); });
    }
  }
  if (surface_.IsEmpty()) return;
  surface_.canvas().End();
  QPainter p(this);
  p.drawImage(0, 0, surface_.Image());
}

}  // namespace platform
