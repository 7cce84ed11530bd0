#pragma once
// The settings dialog: the shop name printed at the foot of every label.
#include <QDialog>

class QLineEdit;
class QPushButton;
class QTabWidget;

namespace app {

class TsetForm2 : public QDialog {
  Q_OBJECT
 public:
  // settingsFile: the program's "qvu.ini".
  explicit TsetForm2(const QString &settingsFile, QWidget *parent = nullptr);

  QTabWidget *PageControl1 = nullptr;
  QLineEdit *Edit1 = nullptr;
  QPushButton *BitBtn1 = nullptr, *BitBtn2 = nullptr;  // "确定", "取消"

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  void OkClick();
  QString settingsFile_;
};

}  // namespace app
