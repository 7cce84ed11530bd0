// Label sketches on the main window's pictures: the text lines one under the
// other, the barcode below them, the price line at the bottom. Screen only;
// printed labels are laid out by the label print window.
#include <QLabel>
#include <QPixmap>
#include <QRadioButton>
#include <QCheckBox>

#include "app/labedemoUnit1.h"
#include "barcode/pBarCode.h"
#include "labelprint/LabelJob.h"
#include "platform/Canvas.h"
#include "store/dataUnit1.h"

namespace app {

namespace {
constexpr int kLineStep = 15;
constexpr int kBarcodeHeight = 30;
}  // namespace

void TlabedemoForm1::ShowPicture(QLabel *image, const platform::Picture &picture) {
  image->setPixmap(QPixmap::fromImage(picture.Image()));
}

void TlabedemoForm1::DrawSketch(platform::Picture &picture, QLabel *image, const QStringList &lines,
                                int textLeft, bool drawBarcode, int barcodeLeft,
                                const std::function<void()> &prepareBarcode) {
  platform::Canvas &canvas = picture.canvas();
  // Whatever is drawn stays shown, also when a later step fails.
  struct ShowOnExit {
    TlabedemoForm1 *window;
    QLabel *image;
    platform::Picture &picture;
    ~ShowOnExit() { window->ShowPicture(image, picture); }
  } show{this, image, picture};

  canvas.FillRect(QRect(0, 0, picture.Width(), picture.Height()));
  int k = 0;
  for (int i = 1; i <= 6 && i < lines.size(); ++i) {
    const QString value = labelprint::TemplateLineValue(lines[i]);
    if (value.size() < labelprint::kMinimumPrintedLength) continue;
    canvas.TextOut(textLeft, kLineStep * k + 5, value);
    ++k;
  }
  int extra = 0;
  if (drawBarcode) {
    if (prepareBarcode) prepareBarcode();
    BarCode1->Draw(canvas, barcodeLeft, kLineStep * k + 5, kBarcodeHeight);
    extra = kBarcodeHeight;
  }
  if (lines.size() >= 8) {
    const QString price = labelprint::TemplateLineValue(lines[7]);
    if (price.size() >= labelprint::kMinimumPrintedLength)
      canvas.TextOut(textLeft, kLineStep * k + 10 + extra, price);
  }
}

void TlabedemoForm1::DrawTemplatePicture(const QStringList &lines) {
  const QString first = lines.value(0);
  // The barcode is the first line's value, or the whole line when it has no '='.
  const QString b = first.contains(QLatin1Char('=')) ? labelprint::TemplateLineValue(first) : first;
  DrawSketch(Image1Picture, Image1, lines, 20, b != QStringLiteral("-"), 20, [this, b] {
    BarCode1->SetBarCode(QString());
    BarCode1->SetBarType(labelprint::ChooseBarType(b));
    BarCode1->SetBarCode(b);
  });
}

void TlabedemoForm1::DrawEditorPreview() {
  // The control keeps whatever code and symbology it holds.
  DrawSketch(Image1Picture, Image1, FsetAdd, 5, CheckBox8->isChecked(), 5, {});
}

void TlabedemoForm1::FlatduDBGrid1CellClick(int) {
  const platform::Query &q = dm_.labelZQuery1;
  if (q.RecNo() < 0) return;
  const QString b = q.IsNull(QStringLiteral("barcode")) ? QStringLiteral("-")
                                                         : q.AsString(QStringLiteral("barcode")).toUpper();
  QStringList lines{b};
  for (const char *column : {"labdi", "cbiho", "cName", "cxinho", "danwei", "candi", "danjain"}) {
    const QString name = QString::fromLatin1(column);
    lines << (q.IsNull(name) ? QString() : name + QLatin1Char('=') + q.AsString(name));
  }
  // The record picture swallows failures: it stays as far as it was drawn.
  try {
    DrawSketch(Image2Picture, Image2, lines, 5, b.size() >= labelprint::kMinimumPrintedLength, 15,
               [this, b] {
                 ApplyFormatToBarCode();
                 BarCode1->SetBarCode(QString());
                 BarCode1->SetBarType(labelprint::ChooseBarType(b));
                 BarCode1->SetBarCode(b);
               });
  } catch (...) {
  }
}

}  // namespace app
