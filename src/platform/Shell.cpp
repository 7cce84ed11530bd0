#include "platform/Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace platform {

namespace {
std::function<void(const QString &)> &Handler() {
  static std::function<void(const QString &)> handler;
  return handler;
}
}  // namespace

void SetShellHandler(std::function<void(const QString &)> handler) {
  Handler() = std::move(handler);
}

void ShellOpen(const QString &target) {
  if (Handler()) {
    Handler()(target);
    return;
  }
  const QUrl url = target.contains(QLatin1String("://")) ? QUrl(target)
                                                         : QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
  QDesktopServices::openUrl(url);
}

}  // namespace platform
