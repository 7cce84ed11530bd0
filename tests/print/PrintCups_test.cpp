// Real printing through CUPS, end to end: a private scheduler with its own
// configuration folder and socket, a queue whose backend writes each job to a
// file, made that scheduler's default; a job printed without preview goes
// through Qt's printer support to it, and the document that arrives is judged
// by poppler. The machine's own CUPS and its default printer are never used:
// CUPS_SERVER, CUPS_SERVERROOT and HOME point into the test's folder before
// the first printer query of this (separate) test program.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include "PrintTestSupport.h"
#include "platform/PrinterDevice.h"
#include "print/PrintDrv.h"

namespace {
const TFont kSans(QStringLiteral("DejaVu Sans"), 14, 0, clBlack);

// Runs a CUPS command-line tool; its exit code, output in *out.
int RunTool(const QString &program, const QStringList &args, QString *out = nullptr) {
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(program, args);
  if (!p.waitForFinished(20000)) {
    p.kill();
    p.waitForFinished();
    return -1;
  }
  if (out) *out = QString::fromUtf8(p.readAll());
  return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

bool WriteFile(const QString &path, const QString &text) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text.toUtf8()) >= 0;
}
}  // namespace

class CupsPrinting : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    root_ = dir_.path();
    // The backend runs as the scheduler's unprivileged user: it must reach
    // its own program and the output folder.
    QFile::setPermissions(root_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                     QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                     QFile::ExeOther);
    QDir d(root_);
    for (const char *sub : {"spool", "cache", "state", "tmp", "log", "out", "home", "bin/backend"})
      ASSERT_TRUE(d.mkpath(QString::fromLatin1(sub)));
    const auto all = QFile::Permissions(0x7777);
    QFile::setPermissions(d.filePath(QStringLiteral("out")), all);
    QFile::setPermissions(d.filePath(QStringLiteral("tmp")), all);
    for (const char *sub : {"daemon", "filter", "monitor", "notifier", "driver", "cgi-bin"})
      QFile::link(QStringLiteral("/usr/lib/cups/") + QString::fromLatin1(sub),
                  d.filePath(QStringLiteral("bin/") + QString::fromLatin1(sub)));
    const QString backend = d.filePath(QStringLiteral("bin/backend/tarvelfile"));
    ASSERT_TRUE(WriteFile(backend, QStringLiteral(
                                       "#!/bin/sh\n"
                                       "# Writes each job's document to the file in the URI.\n"
                                       "if [ $# -eq 0 ]; then echo 'file tarvelfile \"Unknown\" "
                                       "\"File\"'; exit 0; fi\n"
                                       "out=\"${DEVICE_URI#tarvelfile:}\"\n"
                                       "if [ $# -ge 6 ]; then cat \"$6\" > \"$out.part\"; "
                                       "else cat > \"$out.part\"; fi\n"
                                       "mv \"$out.part\" \"$out\"\n")));
    QFile::setPermissions(backend, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                       QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                       QFile::ExeOther);
    socket_ = d.filePath(QStringLiteral("cups.sock"));
    output_ = d.filePath(QStringLiteral("out/job.pdf"));
    ASSERT_TRUE(WriteFile(d.filePath(QStringLiteral("cupsd.conf")),
                          QStringLiteral("Listen %1\n"
                                         "WebInterface No\nBrowsing Off\nLogLevel info\n"
                                         "DefaultPolicy open\n"
                                         "<Location />\n  Order allow,deny\n  Allow all\n"
                                         "</Location>\n"
                                         "<Policy open>\n"
                                         "  JobPrivateAccess all\n  JobPrivateValues none\n"
                                         "  SubscriptionPrivateAccess all\n"
                                         "  SubscriptionPrivateValues none\n"
                                         "  <Limit All>\n    Order allow,deny\n    Allow all\n"
                                         "  </Limit>\n</Policy>\n")
                              .arg(socket_)));
    ASSERT_TRUE(WriteFile(d.filePath(QStringLiteral("cups-files.conf")),
                          QStringLiteral("ServerRoot %1\nServerBin %1/bin\n"
                                         "RequestRoot %1/spool\nCacheDir %1/cache\n"
                                         "StateDir %1/state\nTempDir %1/tmp\n"
                                         "AccessLog %1/log/access_log\n"
                                         "ErrorLog %1/log/error_log\n"
                                         "PageLog %1/log/page_log\n")
                              .arg(root_)));

    cupsd_.setProcessChannelMode(QProcess::MergedChannels);
    cupsd_.setWorkingDirectory(root_);
    cupsd_.start(QStringLiteral("/usr/sbin/cupsd"),
                 {QStringLiteral("-f"), QStringLiteral("-c"), d.filePath(QStringLiteral("cupsd.conf")),
                  QStringLiteral("-s"), d.filePath(QStringLiteral("cups-files.conf"))});
    if (!cupsd_.waitForStarted(5000))
      GTEST_SKIP() << "cupsd could not start here (is the cups package installed?): "
                   << cupsd_.errorString().toStdString();
    QElapsedTimer clock;
    clock.start();
    QString status;
    while (RunTool(QStringLiteral("lpstat"), {QStringLiteral("-h"), socket_, QStringLiteral("-r")},
               &status) != 0 ||
           !status.contains(QStringLiteral("scheduler is running"))) {
      if (cupsd_.state() == QProcess::NotRunning || clock.elapsed() > 10000) {
        QFile log(d.filePath(QStringLiteral("log/error_log")));
        log.open(QIODevice::ReadOnly);
        GTEST_SKIP() << "the private cupsd did not come up: "
                     << QString::fromUtf8(cupsd_.readAll() + log.readAll()).toStdString();
      }
      QThread::msleep(100);
    }
    running_ = true;

    QString out;
    ASSERT_EQ(RunTool(QStringLiteral("lpadmin"),
                  {QStringLiteral("-h"), socket_, QStringLiteral("-p"), QStringLiteral("tarvel"),
                   QStringLiteral("-E"), QStringLiteral("-v"),
                   QStringLiteral("tarvelfile:") + output_, QStringLiteral("-m"),
                   QStringLiteral("raw")},
                  &out),
              0)
        << out.toStdString();
    ASSERT_EQ(RunTool(QStringLiteral("lpadmin"), {QStringLiteral("-h"), socket_, QStringLiteral("-d"),
                                              QStringLiteral("tarvel")},
                  &out),
              0)
        << out.toStdString();

    // Only now does anything in this program ask for printers.
    qputenv("CUPS_SERVER", socket_.toUtf8());
    qputenv("CUPS_SERVERROOT", root_.toUtf8());
    qputenv("HOME", d.filePath(QStringLiteral("home")).toUtf8());
    previous_ = platform::SetPrinter(nullptr);
  }

  void TearDown() override {
    platform::SetPrinter(std::move(previous_));
    if (running_) {
      cupsd_.terminate();
      if (!cupsd_.waitForFinished(5000)) cupsd_.kill();
      cupsd_.waitForFinished(2000);
    }
  }

  // Waits for the backend to hand over a whole job.
  bool WaitForOutput(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!QFile::exists(output_)) {
      if (clock.elapsed() > ms) return false;
      QThread::msleep(100);
    }
    return true;
  }

  QTemporaryDir dir_;
  QString root_, socket_, output_;
  QProcess cupsd_;
  bool running_ = false;
  std::unique_ptr<platform::PrinterDevice> previous_;
};

TEST_F(CupsPrinting, AJobWithoutPreviewArrivesAsOneDocumentWithASheetPerPage) {
  platform::PrinterDevice &printer = platform::Printer();
  ASSERT_EQ(printer.PrinterName(), QStringLiteral("tarvel"))
      << "the private scheduler's default printer, and nothing else, is used";
  EXPECT_EQ(printer.Printers(), QStringList{QStringLiteral("tarvel")});

  TPicture bars(192, 96, clWhite);
  bars.canvas().SetBrush({clBlack, platform::bsSolid});
  for (int x = 0; x < 192; x += 8) bars.canvas().FillRect(QRect(x, 0, 4, 96));
  bars.canvas().End();

  TMWPrintObject po;
  po.SetShowProgress(false);
  po.SetShowPrintDialog(false);
  po.SetPaperSize(PAPER_A4);
  po.SetTitle(QStringLiteral("tarvel labels"));
  ASSERT_TRUE(po.Start());
  po.SetFontInfo(kSans);
  for (int i = 1; i <= 3; ++i) {
    if (i > 1) po.NewPage();
    po.WriteLine(1, 1, QStringLiteral("cups%1").arg(i));
  }
  po.PrintGraphic(1, 2, -1, -1, bars);  // on page 3: 2 x 1 in
  EXPECT_TRUE(po.Quit());

  ASSERT_TRUE(WaitForOutput(30000)) << "no job reached the queue";
  EXPECT_EQ(PdfInfo(output_, QStringLiteral("Pages")), QStringLiteral("3"));
  EXPECT_TRUE(PdfInfo(output_, QStringLiteral("Page size")).contains(QStringLiteral("595")))
      << "A4: " << PdfInfo(output_, QStringLiteral("Page size")).toStdString();
  const auto pages = PdfWords(output_);
  ASSERT_EQ(pages.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    QStringList words;
    for (const PdfWord &w : pages[i]) words << w.text;
    EXPECT_TRUE(words.contains(QStringLiteral("cups%1").arg(i + 1))) << words.join(' ').toStdString();
  }
  const QImage page3 = RenderPdfPage(output_, 3, 300, QSize(1200, 1200));
  const QRect picture = DarkBox(page3, QRect(0, 450, 1200, 750));
  EXPECT_NEAR(picture.left(), 300, 3) << "1 in from the sheet's left edge";
  EXPECT_NEAR(picture.top(), 600, 3) << "2 in from its top";
  EXPECT_NEAR(picture.width(), 600 - 300 / 96.0 * 4, 3) << "2 in, ending on a space";

  QString jobs;
  RunTool(QStringLiteral("lpstat"),
      {QStringLiteral("-h"), socket_, QStringLiteral("-W"), QStringLiteral("completed"),
       QStringLiteral("-o")},
      &jobs);
  EXPECT_EQ(jobs.count(QStringLiteral("tarvel-")), 1) << "one job: " << jobs.toStdString();
}
