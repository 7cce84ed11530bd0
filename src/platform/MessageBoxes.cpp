#include "platform/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/Exception.h"

namespace platform {

namespace {
BoxHandler &Handler() {
  static BoxHandler handler;
  return handler;
}

QString DefaultCaption() {
  QString name = QApplication::applicationDisplayName();
  return name.isEmpty() ? QStringLiteral("Tarvel标签打印") : name;
}

BoxAnswer Show(BoxKind kind, const QString &text, const QString &caption) {
  BoxRequest request{kind, caption.isEmpty() ? DefaultCaption() : caption, text};
  if (Handler()) return Handler()(request);
  QWidget *parent = QApplication::activeWindow();
  switch (kind) {
    case BoxKind::Information:
      QMessageBox::information(parent, request.caption, text);
      return BoxAnswer::Ok;
    case BoxKind::Warning:
      QMessageBox::warning(parent, request.caption, text);
      return BoxAnswer::Ok;
    case BoxKind::Error:
      QMessageBox::critical(parent, request.caption, text);
      return BoxAnswer::Ok;
    case BoxKind::Confirmation:
      return QMessageBox::question(parent, request.caption, text,
                                   QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes
                 ? BoxAnswer::Yes
                 : BoxAnswer::No;
  }
  return BoxAnswer::Ok;
}
}  // namespace

QString ExceptionText(const std::exception &e) {
  if (auto *own = dynamic_cast<const Exception *>(&e)) return own->Message();
  return QString::fromLocal8Bit(e.what());
}

BoxHandler SetBoxHandler(BoxHandler handler) {
  BoxHandler previous = Handler();
  Handler() = std::move(handler);
  return previous;
}

void ShowMessage(const QString &text, const QString &caption) {
  Show(BoxKind::Information, text, caption);
}
void ShowWarning(const QString &text, const QString &caption) {
  Show(BoxKind::Warning, text, caption);
}
void ShowError(const QString &text, const QString &caption) { Show(BoxKind::Error, text, caption); }
bool Confirm(const QString &text, const QString &caption) {
  return Show(BoxKind::Confirmation, text, caption) == BoxAnswer::Yes;
}
void ShowException(const std::exception &e) { ShowError(ExceptionText(e)); }

void RunGuarded(const std::function<void()> &action) {
  try {
    action();
  } catch (const std::exception &e) {
    ShowException(e);
  }
}

}  // namespace platform
