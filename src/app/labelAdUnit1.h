#pragma once
// The one-line input dialog for category and template names.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace app {

class TlabelAdForm1 : public QDialog {
  Q_OBJECT
 public:
  explicit TlabelAdForm1(QWidget *parent = nullptr);

  QLabel *Label1 = nullptr;   // the prompt, set by the caller
  QLineEdit *Edit1 = nullptr; // the text, taken as typed
  QPushButton *BitBtn1 = nullptr, *BitBtn2 = nullptr;  // "确定", "取消"
};

// Asks with the prompt and a starting text; true with the typed text when
// the dialog was closed with "确定".
bool AskText(QWidget *owner, const QString &prompt, QString &text);

}  // namespace app
