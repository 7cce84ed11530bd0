#include "platform/KeyFilter.h"

#include <QKeyEvent>
#include <QObject>
#include <QWidget>

namespace platform {

namespace {
class KeyFilter : public QObject {
 public:
  KeyFilter(QObject *parent, std::function<bool(QChar)> accepts)
      : QObject(parent), accepts_(std::move(accepts)) {}

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() == QEvent::KeyPress) {
      auto *key = static_cast<QKeyEvent *>(event);
      const QString text = key->text();
      if (key->key() == Qt::Key_Backspace || text.isEmpty()) return false;
      for (QChar c : text)
        if (!accepts_(c)) return true;  // dropped
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<bool(QChar)> accepts_;
};
}  // namespace

void InstallKeyFilter(QWidget *edit, std::function<bool(QChar)> accepts) {
  edit->installEventFilter(new KeyFilter(edit, std::move(accepts)));
}

}  // namespace platform
