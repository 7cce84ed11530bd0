// Label sketches on the main window's pictures, judged by the ink they leave.
#include <QLabel>
#include <QRadioButton>

#include "MainWindowFixture.h"
#include "barcode/pBarCode.h"
#include "platform/Canvas.h"

namespace {

// Rows [from, to) of the picture that hold any non-white pixel, in x range.
bool Ink(const platform::Picture &p, int y0, int y1, int x0 = 0, int x1 = -1) {
  const QImage &img = p.Image();
  if (x1 < 0) x1 = img.width();
  for (int y = std::max(0, y0); y < std::min(y1, img.height()); ++y)
    for (int x = std::max(0, x0); x < std::min(x1, img.width()); ++x)
      if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) return true;
  return false;
}

int FirstInkColumn(const platform::Picture &p, int y0, int y1) {
  for (int x = 0; x < p.Width(); ++x)
    if (Ink(p, y0, y1, x, x + 1)) return x;
  return -1;
}

using SketchTest = MainWindowFixture;

}  // namespace

TEST_F(SketchTest, EmptyTemplateClearsThePicture) {
  window->DrawTemplatePicture({"barcode=-", "labdi=-", "cbiho=-", "cName=-", "cxinho=-", "danwei=-",
                               "candi=-", "danjain=-"});
  EXPECT_FALSE(Ink(window->Image1Picture, 0, 163));
  EXPECT_EQ(window->Image1Picture.Width(), 187);
}

TEST_F(SketchTest, LinesOfTwoCharactersAreDrawnAndShorterOnesLeaveNoGap) {
  window->DrawTemplatePicture({"barcode=-", "labdi=x", "cbiho=ab", "cName=", "cxinho=a=bc",
                               "danwei=-", "candi=", "danjain=9"});
  const platform::Picture &p = window->Image1Picture;
  EXPECT_TRUE(Ink(p, 5, 20));    // "ab" as the first line
  EXPECT_TRUE(Ink(p, 20, 35));   // "bc" (value after the inner '=') right under it
  EXPECT_FALSE(Ink(p, 35, 163)); // nothing else: "x", "-", empty and the price "9" are skipped
  const int left = FirstInkColumn(p, 0, 163);  // text starts at 20, less the glyph's own bearing
  EXPECT_GE(left, 20);
  EXPECT_LE(left, 22);
}

TEST_F(SketchTest, BarcodeSitsUnderTheLinesAndThePriceUnderTheBarcode) {
  window->DrawTemplatePicture({"barcode=6901028095884", "labdi=第一行", "cbiho=第二行", "cName=第三行",
                               "cxinho=-", "danwei=-", "candi=-", "danjain=单价:1"});
  const platform::Picture &p = window->Image1Picture;
  EXPECT_EQ(window->BarCode1->BarCode(), "6901028095884");
  EXPECT_EQ(window->BarCode1->BarType(), barcode::bcCodeEAN13);
  // Three lines at 5, 20, 35; the barcode from 50 for 30; the price at 15*3+10+30 = 85.
  EXPECT_TRUE(Ink(p, 50, 52, 20, 187));
  EXPECT_FALSE(Ink(p, 48, 50, 60, 187));
  EXPECT_TRUE(Ink(p, 85, 100));
  EXPECT_FALSE(Ink(p, 110, 163));
}

TEST_F(SketchTest, RefusedTemplateBarcodeReachesTheErrorBox) {
  Select(Find("成衣类", "模板1"));
  EXPECT_TRUE(boxes.isEmpty()) << boxes.join("\n").toStdString();
  QTreeWidgetItem *t = Find("成衣类", "模板2");
  t->setData(0, Qt::UserRole + 1, QStringList{"barcode=12345A", "labdi=ab", "", "", "", "", "", ""});
  Select(t);
  ASSERT_EQ(boxes.size(), 1);
  EXPECT_TRUE(boxes[0].contains("12345A")) << boxes[0].toStdString();
  EXPECT_TRUE(Ink(window->Image1Picture, 5, 20));  // the line before the barcode stays drawn
}

TEST_F(SketchTest, RecordPictureUpperCasesAndSwallowsRefusals) {
  dm->BenDataBase.Execute("update Labeldemo set barcode='abc123' where ID=1");
  dm->BenDataBase.Execute("update Labeldemo set barcode='A' where ID=2");
  dm->BenDataBase.Execute("update Labeldemo set barcode='12345A', cbiho='xx' where ID=3");
  Select(Root());
  platform::Query &q = dm->labelZQuery1;

  q.MoveTo(0);
  window->FlatduDBGrid1CellClick(0);
  EXPECT_EQ(window->BarCode1->BarCode(), "ABC123");
  EXPECT_EQ(window->BarCode1->BarType(), barcode::bcCode128A);
  EXPECT_EQ(window->BarCode1->TextPosition(), barcode::tpBottomLeft);
  EXPECT_EQ(FirstInkColumn(window->Image2Picture, 5 + 15 * 5, 5 + 15 * 5 + 25), 15);

  q.MoveTo(1);  // one character: no barcode
  window->FlatduDBGrid1CellClick(0);
  EXPECT_EQ(window->BarCode1->BarCode(), "ABC123");

  window->RadioButton4->click();
  q.MoveTo(2);
  window->FlatduDBGrid1CellClick(0);  // EAN-13 refuses a letter: no box, lines drawn
  EXPECT_TRUE(boxes.isEmpty()) << boxes.join("\n").toStdString();
  EXPECT_EQ(window->BarCode1->TextPosition(), barcode::tpBottomCenter);
  EXPECT_TRUE(Ink(window->Image2Picture, 5, 20));
}

TEST_F(SketchTest, FormatChangeRedrawsTheControlAndEditorPreviewUsesIt) {
  window->RadioButton4->click();
  EXPECT_EQ(window->BarCode1->TextPosition(), barcode::tpBottomCenter);
  EXPECT_EQ(window->BarCode1->BarCode(), "123456789");  // the kept code is given back
  window->RadioButton3->click();
  EXPECT_EQ(window->BarCode1->TextPosition(), barcode::tpBottomLeft);

  window->CheckBox8->setChecked(false);
  window->CheckBox1->setChecked(true);
  window->RenderPanelPreview();
  EXPECT_EQ(window->FsetAdd.value(1), "labdi=标题：Tarvel销售单");
  EXPECT_TRUE(Ink(window->Image1Picture, 5, 20, 5, 187));
  EXPECT_FALSE(Ink(window->Image1Picture, 22, 163));
  window->CheckBox8->click();  // a switch click renders the preview with the barcode
  EXPECT_TRUE(Ink(window->Image1Picture, 20, 50, 5, 187));
}
