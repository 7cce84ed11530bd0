#pragma once
// The label print window: shown modally by the main window with a list of
// label descriptors, it runs the whole batch by itself 5 ms after it is shown,
// previews or prints, and closes itself.
#include <QDialog>
#include <QTimer>
#include <memory>

#include "labelprint/LabelLayout.h"
#include "platform/Picture.h"

class QPushButton;

namespace labelprint {

class TpribarcodeForm2 : public QDialog, public LabelLayout {
  Q_OBJECT
 public:
  explicit TpribarcodeForm2(QWidget *parent = nullptr);
  ~TpribarcodeForm2() override;

  barcode::TBarCode *BarCodeSample() const { return BarCode1; }
  QPushButton *BitBtn4 = nullptr;  // "打印一批"
  QPushButton *BitBtn2 = nullptr;  // "取消"
  platform::Picture Image2Picture{0, 0};  // hidden scratch picture, 344 x 142 when drawn
  QTimer *Timer1 = nullptr;
  std::unique_ptr<TMWPrintObject> PrintObject;

  void BitBtn4Click();
  void Timer1Timer();
  void FinishLabelJob() override;

 protected:
  void showEvent(QShowEvent *event) override;
};

}  // namespace labelprint
