// tarvel-label-batch: prints label descriptors exactly as the label print
// window does (same layout code, recorded at 96 pixels per inch), without a
// window: to a PDF file, a named printer or the default printer.
//
//   tarvel-label-batch [--shop TEXT] [--format one|two]
//                      (--pdf FILE [--dpi N] | --printer NAME | --default-printer) [FILE|-]
//
// Exit status: 0 printed, 1 a barcode refused (nothing printed), 2 bad
// arguments or input, 3 no printer, unknown printer, or file not writable.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryFile>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include "barcode/pBarCode.h"
#include "labelprint/LabelLayout.h"
#include "platform/Exception.h"
#include "platform/Fonts.h"
#include "platform/MemIniFile.h"
#include "platform/MessageBoxes.h"
#include "platform/PrinterDevice.h"
#include "platform/ProgramFolder.h"

namespace {

enum Exit { kDone = 0, kRefused = 1, kUsage = 2, kDevice = 3 };

void Say(const QString &text) {
  const QByteArray bytes = text.toUtf8();
  std::fprintf(stderr, "%s\n", bytes.constData());
}

const char kUsageText[] =
    "usage: tarvel-label-batch [--shop TEXT] [--format one|two]\n"
    "                          (--pdf FILE [--dpi N] | --printer NAME | --default-printer) [FILE|-]\n"
    "Prints one label per input line (label descriptors, UTF-8), 28 to an A4 page.\n"
    "  --shop TEXT        shop name at the foot of every label (default: the settings file)\n"
    "  --format one|two   barcode format (default: the settings file)\n"
    "  --pdf FILE         write a PDF file; --dpi N sets its resolution (72 to 2400, default 600)\n"
    "  --printer NAME     print on this printer\n"
    "  --default-printer  print on the system's default printer\n"
    "  FILE|-             descriptors to print; standard input when absent or -\n";

struct Options {
  std::optional<QString> shop;
  std::optional<bool> formatOne;
  QString pdf, printer, input = QStringLiteral("-");
  bool defaultPrinter = false;
  int dpi = 600;
  bool dpiGiven = false;
};

int UsageError(const QString &message) {
  Say(QStringLiteral("tarvel-label-batch: ") + message);
  return kUsage;
}

// Parses the arguments; returns an exit status, or -1 to go on.
int Parse(const QStringList &args, Options &o) {
  bool inputGiven = false, endOfOptions = false;
  int targets = 0;
  for (int i = 1; i < args.size(); ++i) {
    const QString &a = args[i];
    auto value = [&](QString &out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    if (!endOfOptions && a == QLatin1String("--")) {
      endOfOptions = true;
    } else if (!endOfOptions && (a == QLatin1String("--help") || a == QLatin1String("-h"))) {
      std::fputs(kUsageText, stdout);
      return kDone;
    } else if (!endOfOptions && a == QLatin1String("--shop")) {
      QString v;
      if (!value(v)) return UsageError(QStringLiteral("--shop needs a text"));
      o.shop = v;
    } else if (!endOfOptions && a == QLatin1String("--format")) {
      QString v;
      if (!value(v) || (v != QLatin1String("one") && v != QLatin1String("two")))
        return UsageError(QStringLiteral("--format takes one or two"));
      o.formatOne = v == QLatin1String("one");
    } else if (!endOfOptions && a == QLatin1String("--pdf")) {
      if (!value(o.pdf) || o.pdf.isEmpty()) return UsageError(QStringLiteral("--pdf needs a file name"));
      ++targets;
    } else if (!endOfOptions && a == QLatin1String("--dpi")) {
      QString v;
      bool ok = false;
      if (value(v)) o.dpi = v.toInt(&ok);
      if (!ok || o.dpi < 72 || o.dpi > 2400)
        return UsageError(QStringLiteral("--dpi takes a whole number from 72 to 2400"));
      o.dpiGiven = true;
    } else if (!endOfOptions && a == QLatin1String("--printer")) {
      if (!value(o.printer) || o.printer.isEmpty())
        return UsageError(QStringLiteral("--printer needs a printer name"));
      ++targets;
    } else if (!endOfOptions && a == QLatin1String("--default-printer")) {
      o.defaultPrinter = true;
      ++targets;
    } else if (!endOfOptions && a.startsWith(QLatin1Char('-')) && a != QLatin1String("-")) {
      return UsageError(QStringLiteral("unknown option %1").arg(a));
    } else {
      if (inputGiven) return UsageError(QStringLiteral("more than one input file"));
      o.input = a;
      inputGiven = true;
    }
  }
  if (targets != 1)
    return UsageError(QStringLiteral("give exactly one of --pdf, --printer, --default-printer"));
  if (o.dpiGiven && o.pdf.isEmpty()) return UsageError(QStringLiteral("--dpi goes with --pdf"));
  return -1;
}

struct Line {
  int number;
  QString text;
};

// One descriptor per non-empty line; a leading BOM and CR before LF are
// dropped; invalid UTF-8 is an error naming its line.
int ReadDescriptors(const QString &input, std::vector<Line> &out) {
  QFile file;
  bool opened;
  if (input == QLatin1String("-")) {
    opened = file.open(stdin, QIODevice::ReadOnly);
  } else {
    file.setFileName(input);
    opened = file.open(QIODevice::ReadOnly);
  }
  if (!opened) return UsageError(QStringLiteral("cannot read %1: %2").arg(input, file.errorString()));
  QByteArray bytes = file.readAll();
  if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
  const QList<QByteArray> lines = bytes.split('\n');
  for (int i = 0; i < lines.size(); ++i) {
    QByteArray raw = lines[i];
    if (raw.endsWith('\r')) raw.chop(1);
    if (raw.isEmpty()) continue;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(raw);
    if (decoder.hasError())
      return UsageError(QStringLiteral("line %1: invalid UTF-8").arg(i + 1));
    out.push_back(Line{i + 1, text});
  }
  return -1;
}

class BatchLayout : public labelprint::LabelLayout {};

}  // namespace

int main(int argc, char **argv) {
  // No window is ever shown; without a display Qt runs on its offscreen platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt's own diagnostics would break the one-line-per-error rule of stderr.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
  QApplication app(argc, argv);
  // The program's name, so that an installed tool finds the program's own
  // data folder and settings.
  QApplication::setApplicationName(QStringLiteral("tarvel-label"));
  platform::InstallFontSubstitutions();

  Options options;
  if (int status = Parse(QCoreApplication::arguments(), options); status >= 0) return status;
  std::vector<Line> lines;
  if (int status = ReadDescriptors(options.input, lines); status >= 0) return status;

  // Defaults as the main window reads them, without rewriting the file.
  {
    platform::MemIniFile ini(platform::DataFolderFor(platform::ProgramFolder()) +
                             QStringLiteral("qvu.ini"));
    if (!options.shop)
      options.shop = ini.ReadString(QStringLiteral("falbes"), QStringLiteral("gongmi"),
                                    QStringLiteral("Tarvel科技：5550123"));
    if (!options.formatOne)
      options.formatOne = ini.ReadBool(QStringLiteral("falbes"), QStringLiteral("bardformat"), true);
  }

  // Every message the engine would show in a box goes to standard error.
  platform::SetBoxHandler([](const platform::BoxRequest &r) {
    Say(r.text);
    return platform::BoxAnswer::No;
  });

  // The output device. A PDF goes to a temporary file beside the target and
  // replaces it only when the job has succeeded.
  std::unique_ptr<QTemporaryFile> temporary;
  if (!options.pdf.isEmpty()) {
    const QFileInfo target(options.pdf);
    temporary = std::make_unique<QTemporaryFile>(target.absolutePath() + QStringLiteral("/.") +
                                                 target.fileName() + QStringLiteral(".XXXXXX"));
    if (target.isDir() || !temporary->open()) {
      Say(QStringLiteral("cannot write %1").arg(options.pdf));
      return kDevice;
    }
    temporary->close();
    platform::SetPrinter(std::make_unique<platform::PdfFileDevice>(temporary->fileName(), options.dpi));
  } else {
    auto device = std::make_unique<platform::SystemPrinterDevice>();
    if (device->Printers().isEmpty()) {
      Say(QStringLiteral("打印机没有安装."));
      return kDevice;
    }
    if (!options.printer.isEmpty() && !device->SelectPrinter(options.printer)) {
      Say(QStringLiteral("unknown printer: %1").arg(options.printer));
      return kDevice;
    }
    platform::SetPrinter(std::move(device));
  }

  TMWPrintObject printObject;
  labelprint::ConfigureLabelPrintObject(printObject);
  printObject.SetShowProgress(false);  // no window: progress goes to standard error
  barcode::TBarCode control;
  control.SetDrawOnly(true);
  labelprint::ConfigureLabelBarcode(control);
  control.SetTextPosition(*options.formatOne ? barcode::tpBottomLeft : barcode::tpBottomCenter);
  platform::Picture scratch;

  BatchLayout layout;
  layout.MWPrintObject1 = &printObject;
  layout.BarCode1 = &control;
  layout.Image2 = &scratch;
  layout.Fgongmi = *options.shop;
  layout.FPreview = false;
  layout.Fbarformated = *options.formatOne;
  for (const Line &line : lines) layout.aabb << line.text;

  QElapsedTimer clock;
  clock.start();
  qint64 lastReport = 0;
  layout.OnLabelDone = [&](int done, int total) {
    if (clock.elapsed() - lastReport >= 1000) {
      lastReport = clock.elapsed();
      Say(QStringLiteral("%1/%2 labels").arg(done).arg(total));
    }
  };

  // Nothing half-done: a failed job leaves no output and an existing file of
  // that name as it was.
  auto fail = [&](int status) {
    if (printObject.PrintingStatus()) printObject.Abort();
    platform::SetPrinter(nullptr);
    return status;
  };
  try {
    layout.RunBatch();
  } catch (const std::exception &e) {
    const int index = layout.CurrentLabel;
    const int number = index >= 0 && index < static_cast<int>(lines.size()) ? lines[index].number : 0;
    Say(QStringLiteral("line %1: %2").arg(number).arg(platform::ExceptionText(e)));
    return fail(kRefused);
  }
  if (!layout.JobStarted) return fail(kDevice);  // the engine has said why

  if (temporary) {
    platform::SetPrinter(nullptr);  // closes the PDF writer
    if (QFileInfo(temporary->fileName()).size() == 0 ||
        std::rename(QFile::encodeName(temporary->fileName()).constData(),
                    QFile::encodeName(options.pdf).constData()) != 0) {
      Say(QStringLiteral("cannot write %1").arg(options.pdf));
      return kDevice;
    }
    temporary->setAutoRemove(false);
  }
  return kDone;
}
