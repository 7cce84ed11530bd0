// The png subcommand of tarvel-barcode: the barcode drawn by the drawing core
// on white with a quiet zone of ten modules on every side, written as PNG.
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>
#include <memory>

#include "barcode/BarcodeImage.h"
#include "platform/Exception.h"
#include "platform/Fonts.h"
#include "tarvel-barcode.h"

namespace {

void Complain(const QString &text) {
  const QByteArray line = OneLine(text).toUtf8();
  std::fprintf(stderr, "%s\n", line.constData());
}

// Fonts need a GUI application; the tool needs no display.
void EnsureGuiApplication() {
  if (QGuiApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "tarvel-barcode";
  static char *argv[] = {name, nullptr};
  // Qt's own chatter would break the one-line rule of standard error.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
    if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", OneLine(text).toUtf8().constData());
  });
  static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
  platform::InstallFontSubstitutions();
}

}  // namespace

int RunPng(const PngRequest &request) {
  EnsureGuiApplication();
  barcode::BarcodeImageRequest r;
  r.type = request.type;
  r.data = request.data;
  r.checkSum = request.checkSum;
  r.modul = request.modul;
  r.ratio = request.ratio;
  r.height = request.height;
  r.angle = request.angle;
  r.textShow = request.textShow;
  r.textPosition = request.textPosition;
  r.font = platform::Font(QStringLiteral("Sans Serif"), 9);
  r.quietModules = 10;
  QImage image;
  try {
    image = barcode::DrawBarcodeImage(r);
  } catch (const platform::Exception &e) {
    const QString message = e.Message();
    if (message == QLatin1String(barcode::kMsgImageTooLarge)) {
      Complain(QStringLiteral("tarvel-barcode: cannot write %1: %2").arg(request.file, message));
      return kExitCannotWrite;
    }
    Complain(message);  // the engine's own message, as the pattern subcommand gives it
    return kExitRefused;
  }
  QImageWriter writer(request.file, "png");
  if (!writer.write(image)) {
    Complain(QStringLiteral("tarvel-barcode: cannot write %1: %2")
                 .arg(request.file, writer.errorString()));
    return kExitCannotWrite;
  }
  return kExitDone;
}
