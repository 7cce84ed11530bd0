// tarvel-label-batch run as a script runs it: a copy of the tool in its own
// folder (so its settings file is a test's own), input from a file or
// standard input, output judged by pdfinfo, pdftotext and zbarimg.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "PdfJudge.h"

namespace {

struct Result {
  int status;
  QString err;
};

class LabelBatchTool : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    tool = dir.filePath("tarvel-label-batch");
    ASSERT_TRUE(QFile::copy(TARVEL_LABEL_BATCH_TOOL, tool));
    QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  Result Run(const QStringList &args, const QByteArray &input = QByteArray()) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("CUPS_SERVER", dir.filePath("no-cups.sock"));  // never the machine's printers
    p.setProcessEnvironment(env);
    p.start(tool, args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(120000);
    return Result{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                  QString::fromUtf8(p.readAllStandardError())};
  }
  void Write(const QString &name, const QByteArray &bytes) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  QString Text(const QString &pdf) { return pdfjudge::Text(pdf); }
  QTemporaryDir dir;
  QString tool;
};

}  // namespace

TEST_F(LabelBatchTool, PrintsDescriptorsFromAFileWithBomCrlfAndEmptyLines) {
  Write("in.txt", "\xEF\xBB\xBF" "6901028095884;\xE5\x93\x81\xE5\x90\x8D:shirt;\xE5\x8D\x95\xE4\xBB\xB7:28\r\n"
                  "\r\n"
                  "ABC123;model:ddd-98sw;-\n\n");
  const QString pdf = dir.filePath("out.pdf");
  const Result r = Run({"--pdf", pdf, "--dpi", "300", "--shop", "Shop=1;2", dir.filePath("in.txt")});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(pdfjudge::Pages(pdf), 1);
  const QString text = Text(pdf);
  EXPECT_TRUE(text.contains("品名:SHIRT")) << text.toStdString();
  EXPECT_TRUE(text.contains("MODEL:DDD-98SW"));
  EXPECT_EQ(text.count("Shop=1;2"), 2);
  QStringList codes = pdfjudge::Barcodes(pdf, 300);
  codes.sort();
  EXPECT_EQ(codes, (QStringList{"CODE-128:ABC123", "EAN-13:6901028095884"}));
  EXPECT_TRUE(QDir(dir.path()).entryList({".out.pdf*"}, QDir::Hidden | QDir::Files).isEmpty());
}

TEST_F(LabelBatchTool, SettingsBesideTheToolGiveTheDefaults) {
  // qvu.ini as the program writes it: UTF-16 LE with BOM.
  QByteArray ini("\xFF\xFE", 2);
  const QString text = "[falbes]\r\ngongmi=设置里的店\r\nbardformat=0\r\n";
  for (QChar c : text) ini.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
  Write("qvu.ini", ini);
  const QString pdf = dir.filePath("a.pdf");
  const Result r = Run({"--pdf", pdf, "-"}, "-;x1;-\n");
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_TRUE(Text(pdf).contains("设置里的店"));
  // Without a settings file: the built-in shop name.
  QFile::remove(dir.filePath("qvu.ini"));
  ASSERT_EQ(Run({"--pdf", pdf}, "-;x1;-\n").status, 0);
  EXPECT_TRUE(Text(pdf).contains(QString("Tarvel科技：5550123").normalized(QString::NormalizationForm_KC)));
  EXPECT_FALSE(QFile::exists(dir.filePath("qvu.ini")));  // reading never writes it
}

TEST_F(LabelBatchTool, RefusedBarcodeNamesItsLineAndKeepsTheOldFile) {
  const QString pdf = dir.filePath("keep.pdf");
  Write("keep.pdf", "old contents");
  const Result r = Run({"--pdf", pdf}, "6901028095884;a1;-\n\n12345A;a2;-\n-;a3;-\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.err.startsWith("line 3: 12345A")) << r.err.toStdString();
  QFile f(pdf);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "old contents");
  EXPECT_EQ(QDir(dir.path()).entryList({".keep.pdf*"}, QDir::Hidden | QDir::Files), QStringList{});
}

TEST_F(LabelBatchTool, BadArgumentsAndInputExitTwo) {
  const QString pdf = dir.filePath("x.pdf");
  const QStringList cases[] = {
      {},                                          // no target
      {"--pdf", pdf, "--default-printer"},         // two targets
      {"--pdf", pdf, "--dpi", "71"},
      {"--pdf", pdf, "--dpi", "2401"},
      {"--pdf", pdf, "--dpi", "abc"},
      {"--printer", "p", "--dpi", "300"},          // --dpi without --pdf
      {"--pdf", pdf, "--format", "three"},
      {"--pdf", pdf, "--bogus"},
      {"--pdf", pdf, dir.filePath("missing.txt")},
      {"--pdf", pdf, "a.txt", "b.txt"},
      {"--pdf"},
  };
  for (const QStringList &args : cases) {
    const Result r = Run(args, "-;x;-\n");
    EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
  }
  const Result bad = Run({"--pdf", pdf}, "-;ok;-\n-;ok;-\n-;\xff\xfe;-\n");
  EXPECT_EQ(bad.status, 2);
  EXPECT_TRUE(bad.err.contains("line 3")) << bad.err.toStdString();
  EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(LabelBatchTool, DevicesThatCannotBeUsedExitThree) {
  Result r = Run({"--pdf", dir.filePath("no/such/folder/x.pdf")}, "-;x;-\n");
  EXPECT_EQ(r.status, 3) << r.err.toStdString();
  r = Run({"--default-printer"}, "-;x;-\n");
  EXPECT_EQ(r.status, 3);
  EXPECT_TRUE(r.err.contains("打印机没有安装.")) << r.err.toStdString();
  r = Run({"--printer", "nosuch"}, "-;x;-\n");
  EXPECT_EQ(r.status, 3);
}

TEST_F(LabelBatchTool, TwentyEightLabelsMakeOnePageAndTwentyNineTwo) {
  const QString pdf = dir.filePath("p.pdf");
  ASSERT_EQ(Run({"--pdf", pdf, "--dpi", "150"}, QByteArray("-;x;-\n").repeated(28)).status, 0);
  EXPECT_EQ(pdfjudge::Pages(pdf), 1);
  ASSERT_EQ(Run({"--pdf", pdf, "--dpi", "150"}, QByteArray("-;x;-\n").repeated(29)).status, 0);
  EXPECT_EQ(pdfjudge::Pages(pdf), 2);
  ASSERT_EQ(Run({"--pdf", pdf, "--dpi", "150"}, QByteArray()).status, 0);
  EXPECT_EQ(pdfjudge::Pages(pdf), 1);  // an empty job is one empty page
}
