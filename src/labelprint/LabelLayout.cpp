#include "labelprint/LabelLayout.h"

#include "barcode/pBarCode.h"
#include "labelprint/LabelJob.h"
#include "platform/Canvas.h"
#include "platform/Picture.h"

namespace labelprint {

const QString kRuleText = QStringLiteral("-  -  -  -  -  -  -  -  -  -  -  -  -  -  -  -  -  -");

namespace {
constexpr double kLineStep = 0.15;
constexpr double kDotStep = 0.08;
constexpr int kMaxDots = 18;
}  // namespace

LabelGeometry GeometryOf(int column, int row) {
  return LabelGeometry{2.0 * column + 0.25, 2.0 * column + 0.35, 2.0 * column + 2.0,
                       row * 0.2 * 8 + 0.1};
}

QString UpperLatin(const QString &text) {
  QString out = text;
  for (QChar &ch : out)
    if (ch >= QLatin1Char('a') && ch <= QLatin1Char('z')) ch = QChar(ch.unicode() - 'a' + 'A');
  return out;
}

void ConfigureLabelPrintObject(TMWPrintObject &p) {
  p.SetAutomaticPaging(false);  // labels make their own page breaks
  p.SetShowProgress(true);
  p.SetShowCancelBtn(false);
  p.SetProgressBarMax(100);
  p.SetProgressBarInc(1);
  p.SetTransparent(false);  // text on an opaque background
  p.SetMeasurement(mtInches);
  p.SetProgressFormColor(clInfoBk);
  p.SetProgressTextColor(clBlack);
  p.SetPrintPageNumbers(false);
  p.SetShowTotalPages(true);
  p.SetAutoPageFeed(true);
}

void ConfigureLabelBarcode(barcode::TBarCode &b) {
  b.SetBarCode(QString());  // a code held from before may not suit the new type
  b.font().SetName(QStringLiteral("宋体"));
  b.font().SetHeight(-14);
  b.SetModul(1);
  b.SetRatio(2.6);
  b.SetTextShow(barcode::tsBarCode);
  b.SetTextPosition(barcode::tpBottomLeft);
  b.SetBarType(barcode::bcCodeEAN13);
  b.SetBarCode(QStringLiteral("6901028095884"));
}

bool LabelLayout::StartLabelJob() {
  MWPrintObject1->SetStartPercent(P3_Seventy);
  MWPrintObject1->SetPreview(FPreview);
  MWPrintObject1->SetShowPrintDialog(false);
  MWPrintObject1->SetPaperSize(PAPER_A4);
  MWPrintObject1->SetOrientation(poPortrait);
  return MWPrintObject1->Start();
}

bool LabelLayout::DrawBarcode(const QString &text) {
  Image2->Clear();
  if (text.size() <= 1) return false;  // "-" and single characters: no barcode
  BarCode1->SetBarCode(QString());
  BarCode1->SetBarType(ChooseBarType(text));
  BarCode1->SetRatio(2.0);
  BarCode1->SetBarCode(text);
  // Drawing on the empty image gives it a white picture of its own size.
  Image2->SetSize(kScratchWidth, kScratchHeight);
  BarCode1->Draw(Image2->canvas(), Fbarformated ? 8 : 0, 0, 40);
  return true;
}

void LabelLayout::RunBatch() {
  JobStarted = StartLabelJob();
  int c = 0, r = 0;
  const int count = aabb.size();
  for (int k = 0; k < count; ++k) {
    CurrentLabel = k;
    const DescriptorParts parts = SplitDescriptor(aabb[k]);
    Fjiage = parts.price;
    DrawBarcode(parts.barcode);
    WriteLabel(parts.lines, c, r);
    if (++c == kColumns) {
      c = 0;
      ++r;
    }
    // A new page after every 28th label, but not after the last one: that
    // would feed a blank sheet of label stock.
    if ((k + 1) % kLabelsPerPage == 0 && k + 1 < count) {
      c = 0;
      r = 0;
      MWPrintObject1->NewPage();
    }
    if (OnLabelDone) OnLabelDone(k + 1, count);
  }
  CurrentLabel = -1;
  FinishLabelJob();
}

void LabelLayout::WriteLabel(const QStringList &lines, int c, int r) {
  TMWPrintObject &p = *MWPrintObject1;
  const LabelGeometry g = GeometryOf(c, r);
  p.SetMeasure(mtInches);
  p.SetFontSize(8);
  p.WriteLine(g.x0, g.y0, kRuleText);

  double y = g.y0;
  for (const QString &line : lines) {
    y += kLineStep;
    p.WriteLine(g.xt, y, UpperLatin(line));
  }

  double bottom;
  const bool hasPrice = Fjiage.size() >= 2;
  if (!Image2->IsEmpty()) {
    p.SetMeasure(mtPixels);
    p.PrintGraphic(p.InchesToPixelsHorizontal(g.xt), p.InchesToPixelsVertical(y + kLineStep),
                   Image2->Width(), Image2->Height(), *Image2);
    p.SetMeasure(mtInches);
    if (hasPrice) {
      p.SetFontSize(9);
      p.SetFontStyle(platform::fsBold);
      p.WriteLine(g.xt, y + 0.57, Fjiage);
      p.SetFontStyle(0);
      p.SetFontSize(8);
      p.WriteLine(g.xt, y + 0.7, Fgongmi);
      bottom = y + 0.7;
    } else {
      p.SetFontStyle(0);
      p.SetFontSize(8);
      p.WriteLine(g.xt, y + 0.57, Fgongmi);
      bottom = y + 0.57;
    }
  } else {
    if (hasPrice) {
      p.SetFontSize(9);
      p.SetFontStyle(platform::fsBold);
      p.WriteLine(g.xt, y + kLineStep, Fjiage);
      p.SetFontStyle(0);
      p.SetFontSize(8);
      p.WriteLine(g.xt, y + 0.3, Fgongmi);
    } else {
      p.SetFontStyle(0);
      p.SetFontSize(8);
      p.WriteLine(g.xt, y + 0.3, Fgongmi);
    }
    bottom = y + 0.3;
  }

  // Dotted edges, at most 18 dots so that a label stays inside its row.
  p.SetFontSize(5);
  double yd = g.y0;
  for (double x : {g.x0, g.xr}) {
    yd = g.y0;
    for (int dots = 0; dots < kMaxDots;) {
      yd += kDotStep;
      p.WriteLine(x, yd, QStringLiteral("."));
      ++dots;
      if (!(yd < bottom + 0.2)) break;
    }
  }
  p.SetFontSize(6);
  p.WriteLine(g.x0, yd + 0.13, kRuleText);
}

void LabelLayout::FinishLabelJob() { MWPrintObject1->Quit(); }

}  // namespace labelprint
