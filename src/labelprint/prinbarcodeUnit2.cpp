#include "labelprint/prinbarcodeUnit2.h"

#include <QPushButton>
#include <QScreen>

#include "barcode/pBarCode.h"
#include "platform/MessageBoxes.h"

namespace labelprint {

TpribarcodeForm2::TpribarcodeForm2(QWidget *parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("打印预览："));
  setFixedSize(405, 288);
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(11);
  setFont(font);

  BarCode1 = new barcode::TBarCode(this);
  BarCode1->setGeometry(80, 189, 231, 41);
  ConfigureLabelBarcode(*BarCode1);

  BitBtn4 = new QPushButton(QStringLiteral("打印一批"), this);
  BitBtn4->setGeometry(8, 240, 75, 25);
  BitBtn2 = new QPushButton(QStringLiteral("取消"), this);
  BitBtn2->setGeometry(312, 240, 75, 25);
  connect(BitBtn4, &QPushButton::clicked, this,
          [this] { platform::RunGuarded([this] { BitBtn4Click(); }); });
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::close);

  Timer1 = new QTimer(this);
  Timer1->setInterval(5);
  Timer1->setSingleShot(true);
  connect(Timer1, &QTimer::timeout, this,
          [this] { platform::RunGuarded([this] { Timer1Timer(); }); });

  PrintObject = std::make_unique<TMWPrintObject>();
  ConfigureLabelPrintObject(*PrintObject);
  MWPrintObject1 = PrintObject.get();
  Image2 = &Image2Picture;

  if (QScreen *screen = this->screen())
    move(screen->availableGeometry().center() - rect().center());
}

TpribarcodeForm2::~TpribarcodeForm2() {
  // A batch stopped by a refused barcode leaves its job open; end it here so
  // that its progress window and pages go with this window.
  if (PrintObject && PrintObject->PrintingStatus()) PrintObject->Abort();
}

void TpribarcodeForm2::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  BarCode1->SetTextPosition(Fbarformated ? barcode::tpBottomLeft : barcode::tpBottomCenter);
  Timer1->start();
}

void TpribarcodeForm2::Timer1Timer() {
  Timer1->stop();
  BitBtn4Click();
  close();
}

void TpribarcodeForm2::BitBtn4Click() { RunBatch(); }

void TpribarcodeForm2::FinishLabelJob() {
  LabelLayout::FinishLabelJob();
  show();
  raise();
  activateWindow();
}

}  // namespace labelprint
