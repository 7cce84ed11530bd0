#include "app/setUnit2.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/MessageBoxes.h"
#include "store/myinifiles.h"

namespace app {

TsetForm2::TsetForm2(const QString &settingsFile, QWidget *parent)
    : QDialog(parent), settingsFile_(settingsFile) {
  setWindowTitle(QStringLiteral("设置系统"));
  setFixedSize(436, 301);
  auto *layout = new QVBoxLayout(this);
  PageControl1 = new QTabWidget(this);
  auto *page = new QWidget;
  auto *form = new QFormLayout(page);
  form->setLabelAlignment(Qt::AlignRight);
  Edit1 = new QLineEdit(store::kDefaultShopName, page);
  Edit1->setFixedWidth(170);
  form->addRow(QStringLiteral("店名或色司名："), Edit1);
  PageControl1->addTab(page, QStringLiteral("系统设置"));
  layout->addWidget(PageControl1, 1);
  auto *buttons = new QHBoxLayout;
  BitBtn1 = new QPushButton(QStringLiteral("确定"), this);
  BitBtn2 = new QPushButton(QStringLiteral("取消"), this);
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  layout->addLayout(buttons);
  connect(BitBtn1, &QPushButton::clicked, this, &TsetForm2::OkClick);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TsetForm2::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  store::TMyIniFile ini(settingsFile_);
  Edit1->setText(ini.ReadString(store::kSettingsSection, store::kShopNameKey, store::kDefaultShopName));
}

void TsetForm2::OkClick() {
  {
    store::TMyIniFile ini(settingsFile_);
    ini.WriteString(store::kSettingsSection, store::kShopNameKey, Edit1->text());
  }
  accept();
}

}  // namespace app
