// tarvel-barcode run as a script runs it: arguments in, lines and an exit
// status out. Every error is one line on standard error.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>

#include "barcode/HBarCode.h"

namespace {

struct ToolRun {
  int status = -1;
  QString out, err;
};

ToolRun Tool(const QStringList &args) {
  QProcess p;
  p.start(QStringLiteral(TARVEL_BARCODE_TOOL), args);
  p.closeWriteChannel();
  ToolRun r;
  if (!p.waitForFinished(20000)) {
    p.kill();
    p.waitForFinished();
    r.err = QStringLiteral("(timed out)");
    return r;
  }
  r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
  r.out = QString::fromUtf8(p.readAllStandardOutput());
  r.err = QString::fromUtf8(p.readAllStandardError());
  return r;
}

std::string Show(const QStringList &args) {
  return args.join(QStringLiteral(" | ")).toStdString();
}

TEST(TarvelBarcodeTool, PatternPrintsFourLines) {
  const struct {
    QStringList args;
    const char *out;
    const char *origin;
  } rows[] = {
      {{"pattern", "EAN13", "6901028095884"},
       "50525060517061605171516060705050715070515170515251525071505\n6901028095884\n2.0\n95\n",
       "the worked example"},
      {{"pattern", "Code128A", "AB12"},
       "6053515052625250625171606171506171506270506\nAB12\n2.0\n79\n",
       "start A, 33, 34, 17, 18, check 18"},
      {{"pattern", "Code128C", "12345"},
       "6051716160617060705070625150816270506\n012345\n2.0\n68\n",
       "odd set C data shows its 0"},
      {{"pattern", "EAN13", ""},
       "50526052605260526052605260505050715071507150715071507150505\n\n2.0\n95\n",
       "empty data: thirteen zeros"},
      {{"pattern", "EAN13", "6901028095884", "--ratio", "5"},
       "50525060517061605171516060705050715070515170515251525071505\n6901028095884\n3.0\n121\n",
       "EAN-13 holds the ratio at 3.0: classes 1, 3, 4, 6"},
      {{"pattern", "Code128B", "A", "--ratio=2.5", "--modul=3"},
       "6051535052625250626270506\nA\n2.5\n172\n",
       "Code 128 keeps any ratio: classes 3, 8, 12, 16"},
      {{"pattern", "Code39", "", "--check"},
       "51506060505051606050515060605\n\n2.0\n38\n",
       "start, check \"0\", stop"},
  };
  for (const auto &r : rows) {
    const ToolRun run = Tool(r.args);
    EXPECT_EQ(run.status, 0) << r.origin << ": " << Show(r.args) << "\n" << run.err.toStdString();
    EXPECT_EQ(run.out.toStdString(), r.out) << r.origin << ": " << Show(r.args);
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
  }
}

TEST(TarvelBarcodeTool, TypeByNameOrEnumerationInAnyCase) {
  const ToolRun reference = Tool({"pattern", "EAN13", "123"});
  for (const char *type : {"ean13", "EAN13", "bcCodeEAN13", "BCCODEEAN13", "bccodeean13"})
    EXPECT_EQ(Tool({"pattern", type, "123"}).out, reference.out) << type;
  for (int t = 0; t < barcode::kBarTypeCount; ++t) {
    EXPECT_EQ(Tool({"pattern", barcode::BCdata[t].Name, "12"}).status, 0)
        << barcode::BCdata[t].Name;
    EXPECT_EQ(Tool({"pattern", QString(barcode::kBarTypeEnumNames[t]).toUpper(), "12"}).status, 0)
        << barcode::kBarTypeEnumNames[t];
  }
  EXPECT_EQ(Tool({"pattern", "codebar", "1"}).status, 0);
  EXPECT_EQ(Tool({"pattern", "code25 INTERLEAVED", "12"}).status, 0);
}

TEST(TarvelBarcodeTool, OptionsBeforeOrAfterAndDoubleDash) {
  const QString expected = Tool({"pattern", "Code39", "ABC", "--check", "--modul", "2"}).out;
  ASSERT_FALSE(expected.isEmpty());
  EXPECT_EQ(Tool({"--check", "--modul", "2", "pattern", "Code39", "ABC"}).out, expected);
  EXPECT_EQ(Tool({"pattern", "--modul=2", "Code39", "--check", "ABC"}).out, expected);
  // After "--" a leading minus is data: EAN-13 refuses it as not numeric.
  const ToolRun run = Tool({"pattern", "EAN13", "--modul", "2", "--", "-12"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err.toStdString(), "-12 : Barcode must be numeric.\n");
  const ToolRun data = Tool({"pattern", "Code128B", "--", "--check"});
  EXPECT_EQ(data.status, 0);
  EXPECT_EQ(data.out.split('\n').value(1), QStringLiteral("--check"));
}

TEST(TarvelBarcodeTool, HelpListsAllTypes) {
  const ToolRun run = Tool({"--help"});
  EXPECT_EQ(run.status, 0);
  for (int t = 0; t < barcode::kBarTypeCount; ++t) {
    EXPECT_TRUE(run.out.contains(QLatin1String(barcode::BCdata[t].Name)))
        << barcode::BCdata[t].Name;
    EXPECT_TRUE(run.out.contains(QLatin1String(barcode::kBarTypeEnumNames[t])));
  }
  EXPECT_EQ(Tool({"pattern", "EAN13", "1", "--help"}).status, 0);
}

TEST(TarvelBarcodeTool, RefusalsExitOneWithTheEncodersMessage) {
  const struct {
    QStringList args;
    const char *err;
  } rows[] = {
      {{"pattern", "EAN13", "12a"}, "12a : Barcode must be numeric.\n"},
      {{"pattern", "EAN13", " 123 "}, " 123  : Barcode must be numeric.\n"},
      {{"pattern", "Code93", "abc"}, "abc : Code_93 bad data.\n"},
      {{"pattern", "EAN8", "123456789"},
       "EAN8 : Invalid barcode length. (lib\\barcode\\BarDef, line 169)\n"},
      {{"pattern", "EAN13", "6901028095884", "--check"},
       "EAN13 : Invalid barcode length. (lib\\barcode\\BarDef, line 213)\n"},
      {{"pattern", "Codebar", "12x"}, "12x : Codabar bad data.\n"},
      {{"pattern", "EAN128C", "1a", "--check"}, "'a' is not a valid integer value\n"},
      {{"pattern", "Code128B", "1", "--ratio", "1e300"}, "Bar width out of range.\n"},
      {{"pattern", "Code93", "a\nb"}, "a\\x0Ab : Code_93 bad data.\n"},
  };
  for (const auto &r : rows) {
    const ToolRun run = Tool(r.args);
    EXPECT_EQ(run.status, 1) << Show(r.args);
    EXPECT_EQ(run.err.toStdString(), r.err) << Show(r.args);
    EXPECT_TRUE(run.out.isEmpty()) << Show(r.args);
  }
}

TEST(TarvelBarcodeTool, UsageErrorsExitTwoWithOneLine) {
  const QStringList rows[] = {
      {},
      {"pattern"},
      {"pattern", "EAN13"},
      {"pattern", "EAN13", "1", "2"},
      {"print", "EAN13", "1"},
      {"pattern", "EAN14", "1"},
      {"pattern", "bcCodeEAN", "1"},
      {"pattern", "EAN13", "1", "--nope"},
      {"pattern", "EAN13", "1", "-x"},
      {"pattern", "EAN13", "-12"},
      {"pattern", "EAN13", "1", "--modul", "0"},
      {"pattern", "EAN13", "1", "--modul", "50"},
      {"pattern", "EAN13", "1", "--modul", "2.5"},
      {"pattern", "EAN13", "1", "--modul", ""},
      {"pattern", "EAN13", "1", "--modul"},
      {"pattern", "EAN13", "1", "--ratio", "0"},
      {"pattern", "EAN13", "1", "--ratio", "-2"},
      {"pattern", "EAN13", "1", "--ratio", "nan"},
      {"pattern", "EAN13", "1", "--ratio", "inf"},
      {"pattern", "EAN13", "1", "--ratio", "2x"},
      {"pattern", "EAN13", "1", "--check=yes"},
      {"pattern", "EAN13", "1", "--height", "30"},
      {"png", "EAN13", "1"},
      {"png", "EAN13", "1", "/tmp/x.png", "--angle", "nan"},
      {"png", "EAN13", "1", "/tmp/x.png", "--angle", "inf"},
      {"png", "EAN13", "1", "/tmp/x.png", "--height", "0"},
      {"png", "EAN13", "1", "/tmp/x.png", "--height", "tall"},
      {"png", "EAN13", "1", "/tmp/x.png", "--text", "all"},
      {"png", "EAN13", "1", "/tmp/x.png", "--position", "middle"},
      {"png", "EAN13", "1", "/tmp/x.png", "--modul", "99"},
      {"png", "NoSuchType", "1", "/tmp/x.png"},
  };
  for (const QStringList &args : rows) {
    const ToolRun run = Tool(args);
    EXPECT_EQ(run.status, 2) << Show(args) << "\n" << run.err.toStdString();
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("tarvel-barcode: "))) << run.err.toStdString();
    EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.endsWith('\n'));
    EXPECT_TRUE(run.out.isEmpty());
  }
}

TEST(TarvelBarcodeTool, PngOptionsThatAreValidPassParsing) {
  // Drawing is the png subcommand's own business; here only: a valid request is
  // not a usage error.
  const QStringList args = {
      "png",      "EAN13", "6901028095884", QDir::tempPath() + "/tarvel-tool-test.png",
      "--height", "60",    "--angle",       "-90.5",
      "--text",   "both",  "--position",    "bottom-left",
      "--modul",  "2",     "--ratio",       "2.5",
      "--check"};
  EXPECT_NE(Tool(args).status, 2) << Tool(args).err.toStdString();
}

TEST(TarvelBarcodeTool, BadDataStaysOnItsLines) {
  // Control characters are written as \xNN, so the four lines stay four.
  ToolRun run = Tool({"pattern", "Code128B", "a\nb\tc"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.split('\n').value(1), QStringLiteral("a\\x0Ab\\x09c"));
  EXPECT_EQ(run.out.count('\n'), 4);
  // Non-ASCII passes through as UTF-8 (and is drawn as spaces in set B).
  run = Tool({"pattern", "Code128B", "价签"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.split('\n').value(1), QStringLiteral("价签"));
  // Long data.
  run = Tool({"pattern", "Code128C", QString(10000, '9')});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out.split('\n').value(3), QString::number(11 * 5002 + 13));
}

}  // namespace
