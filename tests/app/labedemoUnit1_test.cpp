// The main window on a real keyed database in a temporary program folder,
// driven offscreen: start-up, template tree, clicks, settings at start.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <memory>

#include "app/labedemoUnit1.h"
#include "platform/MessageBoxes.h"
#include "store/dataUnit1.h"
#include "store/myinifiles.h"

using app::TlabedemoForm1;

namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    folder = dir.path() + "/";
    previous = platform::SetBoxHandler([this](const platform::BoxRequest &r) {
      boxes << r.text;
      return platform::BoxAnswer::Ok;
    });
  }
  void TearDown() override {
    window.reset();
    dm.reset();
    platform::SetBoxHandler(previous);
  }
  // Opens the data module (running extra statements first) and the window.
  void Start(const QStringList &statements = {}) {
    dm = std::make_unique<store::TDataModule2>(folder);
    try {
      dm->DataModuleCreate();
    } catch (const std::exception &e) {
      platform::ShowException(e);
    }
    for (const QString &sql : statements) dm->BenDataBase.Execute(sql);
    window = std::make_unique<TlabedemoForm1>(*dm);
  }
  QTreeWidgetItem *Root() const { return window->TreeView1->topLevelItem(0); }
  void Click(QTreeWidgetItem *node) {
    window->TreeView1->setCurrentItem(node);
    platform::RunGuarded([this] { window->TreeView1Click(); });  // as the message loop runs it
  }
  QStringList GridColumn(const QString &field) const {
    QStringList out;
    platform::Query &q = dm->labelZQuery1;
    for (int r = 0; r < q.RecordCount(); ++r) out << q.ValueAt(r, q.FieldIndex(field)).toString();
    return out;
  }
  void WriteIni(const QString &text) {
    QFile f(folder + "qvu.ini");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(platform::MemIniFile::Encode(text));
  }

  QTemporaryDir dir;
  QString folder;
  QStringList boxes;
  platform::BoxHandler previous;
  std::unique_ptr<store::TDataModule2> dm;
  std::unique_ptr<TlabedemoForm1> window;
};

}  // namespace

TEST_F(MainWindowTest, FirstStartShowsTitleTreeAndDefaults) {
  Start();
  EXPECT_TRUE(boxes.isEmpty()) << boxes.join("|").toStdString();
  EXPECT_EQ(window->windowTitle(), "Tarvel标签打印 V1.3");
  EXPECT_EQ(window->PageControl1->currentIndex(), 0);
  EXPECT_EQ(window->PageControl1->tabText(0), "可视设计");
  EXPECT_EQ(window->PageControl1->tabText(1), "直接编辑");
  EXPECT_FALSE(window->BitBtn2->isEnabled());
  EXPECT_TRUE(window->Panel3->isHidden());
  EXPECT_TRUE(window->prCheckBox9->isChecked());
  EXPECT_EQ(window->prsuEdit11->text(), "1");
  EXPECT_EQ(window->Image1->size(), QSize(187, 163));

  ASSERT_EQ(window->TreeView1->topLevelItemCount(), 1);
  QTreeWidgetItem *root = Root();
  EXPECT_EQ(root->text(0), "标签模板");
  EXPECT_TRUE(root->isExpanded());
  // Categories in the order the grouping query returns them (byte order of UTF-8).
  QStringList categories, templates;
  for (int i = 0; i < root->childCount(); ++i) {
    categories << root->child(i)->text(0);
    for (int j = 0; j < root->child(i)->childCount(); ++j) {
      QTreeWidgetItem *t = root->child(i)->child(j);
      templates << QString("%1#%2").arg(t->text(0)).arg(TlabedemoForm1::NodeId(t));
    }
  }
  EXPECT_EQ(categories, (QStringList{"家电类", "成衣类", "电脑类"}));
  EXPECT_EQ(templates, (QStringList{"模板1#6", "模板1#1", "模板2#2", "模板3#3", "模板1#4", "模板2#5"}));
  EXPECT_EQ(TlabedemoForm1::NodeTemplateLines(root->child(1)->child(0)),
            (QStringList{"barcode=123456780", "labdi=-", "cbiho=编号:001", "cName=品名:衣服",
                         "cxinho=型号:小号", "danwei=单位:件", "candi=产地:本地服装厂", "danjain=单价:28"}));

  // The grid's query still holds the last category's rows.
  EXPECT_EQ(GridColumn("demoName"), (QStringList{"模板1", "模板2"}));
  EXPECT_EQ(window->FlatduDBGrid1->model()->rowCount(), 2);

  // Settings: defaults in force, and the file now exists in UTF-16.
  EXPECT_EQ(window->Fgongmi, "Tarvel科技：5550123");
  EXPECT_TRUE(window->RadioButton3->isChecked());
  QFile ini(folder + "qvu.ini");
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  EXPECT_TRUE(ini.readAll().startsWith("\xFF\xFE"));
}

TEST_F(MainWindowTest, ClicksSelectRowsForTheGrid) {
  Start();
  Click(Root());
  EXPECT_EQ(window->FlatduDBGrid1->model()->rowCount(), 6);
  EXPECT_FALSE(window->BitBtn2->isEnabled());

  QTreeWidgetItem *clothes = Root()->child(1);
  Click(clothes);
  EXPECT_EQ(GridColumn("bintype"), (QStringList{"成衣类", "成衣类", "成衣类"}));
  EXPECT_EQ(window->FlatduDBGrid1->model()->rowCount(), 3);

  Click(clothes->child(2));  // a template: the grid is left as it was
  EXPECT_TRUE(window->BitBtn2->isEnabled());
  EXPECT_EQ(window->FlatduDBGrid1->model()->rowCount(), 3);

  Click(Root()->child(0));
  EXPECT_FALSE(window->BitBtn2->isEnabled());
  EXPECT_EQ(GridColumn("demoName"), QStringList{"模板1"});

  window->TreeView1->setCurrentItem(nullptr);
  EXPECT_NO_THROW(window->TreeView1Click());

  // Showing the direct-edit page runs the click for the selected node.
  window->TreeView1->setCurrentItem(Root());
  window->PageControl1->setCurrentIndex(1);
  EXPECT_EQ(window->FlatduDBGrid1->model()->rowCount(), 6);
}

TEST_F(MainWindowTest, EmptyTableGivesTheRootAlone) {
  Start({"delete from Labeldemo"});
  ASSERT_EQ(window->TreeView1->topLevelItemCount(), 1);
  EXPECT_EQ(Root()->childCount(), 0);
  EXPECT_TRUE(Root()->isExpanded());
}

TEST_F(MainWindowTest, FixtureRowsDuplicatesNullsAndQuotes) {
  Start({"delete from Labeldemo",
         "insert into Labeldemo(ID,bintype,demoName,barcode,labdi) values (10,'A','same',NULL,NULL)",
         "insert into Labeldemo(ID,bintype,demoName,barcode) values (11,'A','same','-')",
         "insert into Labeldemo(ID,bintype,demoName) values (12,'it''s \\ ; --','q')"});
  EXPECT_TRUE(boxes.isEmpty()) << boxes.join("|").toStdString();
  ASSERT_EQ(Root()->childCount(), 2);
  QTreeWidgetItem *a = Root()->child(0);
  ASSERT_EQ(a->childCount(), 2);
  EXPECT_EQ(a->child(0)->text(0), "same");
  EXPECT_EQ(a->child(1)->text(0), "same");
  EXPECT_EQ(TlabedemoForm1::NodeId(a->child(0)), 10);
  EXPECT_EQ(TlabedemoForm1::NodeId(a->child(1)), 11);
  const QStringList lines = TlabedemoForm1::NodeTemplateLines(a->child(0));
  ASSERT_EQ(lines.size(), 8);
  EXPECT_EQ(lines[0], "34534d3rt");
  EXPECT_EQ(lines[1], "");  // null labdi: the whole line is empty
  EXPECT_EQ(lines[2], "cbiho=-");
  EXPECT_EQ(TlabedemoForm1::NodeTemplateLines(a->child(1))[0], "barcode=-");

  QTreeWidgetItem *quoted = Root()->child(1);
  EXPECT_EQ(quoted->text(0), "it's \\ ; --");
  ASSERT_EQ(quoted->childCount(), 1);
  Click(quoted);
  EXPECT_EQ(GridColumn("demoName"), QStringList{"q"});
}

TEST_F(MainWindowTest, SettingsChooseTheFormatAtStart) {
  struct Case {
    QString ini;
    bool formatOne;
    QString shop;
  } cases[] = {
      {"[falbes]\r\nbardformat=0\r\ngongmi=小店=一;二\r\n", false, "小店=一;二"},
      {"[FALBES]\r\nBardFormat=abc\r\n", true, "Tarvel科技：5550123"},
      {"[falbes]\r\nbardformat=1\r\n", true, "Tarvel科技：5550123"},
  };
  for (const Case &c : cases) {
    WriteIni(c.ini);
    Start();
    EXPECT_EQ(window->RadioButton3->isChecked(), c.formatOne) << c.ini.toStdString();
    EXPECT_EQ(window->RadioButton4->isChecked(), !c.formatOne) << c.ini.toStdString();
    EXPECT_EQ(window->Fgongmi, c.shop);
    window.reset();
    dm.reset();
  }
}

TEST_F(MainWindowTest, SettingsInAnotherEncodingGiveDefaults) {
  {
    QFile f(folder + "qvu.ini");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QString("[falbes]\r\nbardformat=0\r\ngongmi=小店\r\n").toUtf8());
  }
  Start();
  EXPECT_TRUE(window->RadioButton3->isChecked());
  EXPECT_EQ(window->Fgongmi, "Tarvel科技：5550123");
}

TEST_F(MainWindowTest, UnusableDatabaseIsReportedAndTheWindowStillOpens) {
  QDir().mkpath(folder + "qvsdat");
  {
    QFile f(folder + "qvsdat/qvsdat.qvy");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
  }
  Start();
  ASSERT_FALSE(boxes.isEmpty());
  EXPECT_TRUE(boxes[0].contains("qvsdat.qvy")) << boxes[0].toStdString();
  EXPECT_EQ(window->windowTitle(), "Tarvel标签打印 V1.3");
  ASSERT_EQ(window->TreeView1->topLevelItemCount(), 1);
  EXPECT_EQ(Root()->childCount(), 0);
  const int shown = boxes.size();
  Click(Root());  // fails again, shown, no crash
  EXPECT_EQ(boxes.size(), shown + 1);
  QFile f(folder + "qvsdat/qvsdat.qvy");
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray(4096, 'x'));
}

TEST_F(MainWindowTest, DesignPictureIsCentredOnThePageControl) {
  Start();
  window->resize(1000, 700);
  window->PageControl1->resize(800, 600);
  window->CenterDesignImage();
  EXPECT_EQ(window->Image1->pos(), QPoint(800 / 2 - 187 / 2, 600 / 2 - 163));
  window->Panel3->show();
  window->CenterDesignImage();
  EXPECT_EQ(window->Image1->pos(), QPoint(307, 300 - 81 - 163));
}
