#include "app/labelAdUnit1.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

TlabelAdForm1::TlabelAdForm1(QWidget *parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("添加："));
  setFixedSize(346, 120);
  auto *layout = new QVBoxLayout(this);
  auto *group = new QGroupBox(this);
  auto *row = new QHBoxLayout(group);
  Label1 = new QLabel(group);
  Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Edit1 = new QLineEdit(group);
  row->addWidget(Label1);
  row->addWidget(Edit1, 1);
  layout->addWidget(group);
  auto *buttons = new QHBoxLayout;
  BitBtn1 = new QPushButton(QStringLiteral("确定"), this);
  BitBtn2 = new QPushButton(QStringLiteral("取消"), this);
  BitBtn1->setDefault(true);
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  layout->addLayout(buttons);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

bool AskText(QWidget *owner, const QString &prompt, QString &text) {
  TlabelAdForm1 dialog(owner);
  dialog.Label1->setText(prompt);
  dialog.Edit1->setText(text);
  if (dialog.exec() != QDialog::Accepted) return false;
  text = dialog.Edit1->text();
  return true;
}

}  // namespace app
