// The main window's commands driven offscreen on a real keyed database:
// template editor, record grid, settings dialog, format choice, help.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <memory>

#include "MainWindowFixture.h"
#include "app/labedemoUnit1.h"
#include "app/labelAdUnit1.h"
#include "app/setUnit2.h"
#include "platform/Exception.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"
#include "platform/ProgramFolder.h"
#include "store/dataUnit1.h"
#include "store/myinifiles.h"

using app::TlabedemoForm1;

using CommandsTest = MainWindowFixture;

TEST_F(CommandsTest, CategoryAddedUnderTheRootIsNotStoredUntilATemplateIs) {
  Select(Root());
  AnswerText("新类 ");
  window->BitBtn1->click();
  ASSERT_NE(Find("新类 "), nullptr);  // stored exactly as typed
  EXPECT_TRUE(window->Panel3->isHidden());
  window->RefreshAction->trigger();
  EXPECT_EQ(Find("新类 "), nullptr);

  Select(Root());
  AnswerText("新类 ");
  window->BitBtn1->click();
  Select(Find("新类 "));
  AnswerText("  模板X\t");
  window->BitBtn1->click();
  EXPECT_FALSE(window->Panel3->isHidden());
  EXPECT_FALSE(window->BitBtn1->isEnabled());
  EXPECT_EQ(window->Edit1->text(), "  模板X\t");
  window->CheckBox1->setChecked(true);
  window->Edit2->setText("标题's \\ --");
  window->CheckBox2->setChecked(true);
  window->Edit4->clear();  // on with an empty box: an empty text
  window->BitBtn6->click();
  EXPECT_TRUE(boxes.isEmpty()) << boxes.join("\n").toStdString();
  EXPECT_TRUE(window->Panel3->isHidden());
  EXPECT_TRUE(window->BitBtn1->isEnabled());
  EXPECT_TRUE(window->FsetAdd.isEmpty());

  QTreeWidgetItem *added = Find("新类 ", "模板X");
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(TlabedemoForm1::NodeId(added), 7);
  EXPECT_EQ(TlabedemoForm1::NodeTemplateLines(added),
            (QStringList{"barcode=209473643", "labdi=标题's \\ --", "cbiho=", "cName=-", "cxinho=-",
                         "danwei=-", "candi=-", "danjain=-"}));
  EXPECT_EQ(Table("labdi", "ID=7"), QStringList{"新类 /模板X/标题's \\ --"});
  EXPECT_EQ(Table("cbiho", "ID=7"), QStringList{"新类 /模板X/"});
  EXPECT_EQ(Table("barcode", "ID=7"), QStringList{"新类 /模板X/209473643"});
  window->RefreshAction->trigger();
  EXPECT_NE(Find("新类 ", "模板X"), nullptr);
}

TEST_F(CommandsTest, ConfirmWithATemplateSelectedAddsASibling) {
  QTreeWidgetItem *t = Find("成衣类", "模板2");
  Select(t);
  window->BitBtn1->click();
  EXPECT_FALSE(window->Panel3->isHidden());
  window->Edit1->setText("模板9");
  window->BitBtn6->click();
  EXPECT_EQ(t->childCount(), 0);
  EXPECT_NE(Find("成衣类", "模板9"), nullptr);
  EXPECT_EQ(Table("bintype", "demoName='模板9'"), QStringList{"成衣类/模板9/成衣类"});
  // The grid now holds the query that read the new ID.
  EXPECT_EQ(dm->labelZQuery1.FieldName(0), "bb1");
}

TEST_F(CommandsTest, FailedInsertIsReportedAndAddsNoNode) {
  Select(Find("成衣类"));
  dm->BenDataBase.Execute("drop table Labeldemo");
  window->BitBtn1->setEnabled(true);
  AnswerText("模板Z");
  window->BitBtn1->click();
  window->BitBtn6->click();
  EXPECT_EQ(boxes, QStringList{"提示：|加入失败，可能是条形码有了。"});
  EXPECT_EQ(Find("成衣类", "模板Z"), nullptr);
}

TEST_F(CommandsTest, CancelledOrEmptyNamesChangeNothing) {
  Select(Root());
  AnswerText("x", false);
  window->BitBtn1->click();
  AnswerText("");
  window->BitBtn1->click();
  EXPECT_EQ(Root()->childCount(), 3);
  Select(Find("成衣类"));
  AnswerText("", true);
  window->BitBtn2Click();
  EXPECT_NE(Find("成衣类"), nullptr);
  EXPECT_EQ(Table("bintype", "bintype='成衣类'").size(), 3);
}

TEST_F(CommandsTest, RenamingACategoryOntoAnotherMergesThemInTheTable) {
  Select(Find("家电类"));
  AnswerNext<app::TlabelAdForm1>([](app::TlabelAdForm1 *d) {
    EXPECT_EQ(d->Edit1->text(), "家电类");
    d->Edit1->setText("电脑类");
    d->BitBtn1->click();
  });
  // A click on a category disables the top-bar "修改"; the keyboard can still
  // move the selection to one after a template was clicked.
  EXPECT_FALSE(window->BitBtn2->isEnabled());
  window->BitBtn2Click();
  EXPECT_EQ(Table("bintype", "bintype='电脑类'").size(), 3);
  EXPECT_EQ(dm->labelZQuery1.RecordCount(), 0);  // the grid shows nothing until the next click
  int named = 0;
  for (int i = 0; i < Root()->childCount(); ++i) named += Root()->child(i)->text(0) == "电脑类";
  EXPECT_EQ(named, 2);
}

TEST_F(CommandsTest, DeleteAsksThenRemovesEveryRowOfTheCategory) {
  dm->BenDataBase.Execute("insert into Labeldemo(bintype,demoName) values ('成衣类','unseen')");
  answerNo = true;
  Select(Find("成衣类"));
  window->BitBtn3->click();
  EXPECT_EQ(Table("bintype", "bintype='成衣类'").size(), 4);
  answerNo = false;
  window->BitBtn3->click();
  EXPECT_EQ(boxes.last(), "提示：|删除将不能恢复!!");
  EXPECT_TRUE(Table("bintype", "bintype='成衣类'").isEmpty());
  EXPECT_EQ(Find("成衣类"), nullptr);

  Select(Find("电脑类", "模板2"));
  window->BitBtn3->click();
  EXPECT_EQ(Table("ID"), (QStringList{"电脑类/模板1/4", "家电类/模板1/6"}));

  boxes.clear();
  Select(Root());
  window->BitBtn3->click();
  EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(CommandsTest, ChangingATemplateWritesThatRowOnly) {
  QTreeWidgetItem *t = Find("电脑类", "模板1");
  Select(t);
  window->BitBtn2->click();
  EXPECT_FALSE(window->Panel3->isHidden());
  EXPECT_FALSE(window->BitBtn2->isEnabled());
  EXPECT_FALSE(window->BitBtn8->isHidden());
  EXPECT_TRUE(window->BitBtn6->isHidden());
  window->Edit1->setText(" 改名' ");
  window->CheckBox7->setChecked(true);
  window->Edit6->setText("单价:1'0");
  window->CheckBox8->setChecked(false);
  window->BitBtn8->click();
  EXPECT_EQ(t->text(0), "改名'");
  EXPECT_EQ(Table("danjain", "ID=4"), QStringList{"电脑类/改名'/单价:1'0"});
  EXPECT_EQ(Table("barcode", "ID=4"), QStringList{"电脑类/改名'/-"});
  EXPECT_EQ(Table("danjain", "ID<>4").size(), 5);
  EXPECT_EQ(Table("danjain", "ID=5"), QStringList{"电脑类/模板2/单价:6800元"});
  EXPECT_EQ(TlabedemoForm1::NodeTemplateLines(t).last(), "danjain=单价:1'0");
}

TEST_F(CommandsTest, KeyFiltersDropWhatTheBoxesDoNotTake) {
  window->Edit9->clear();
  QTest::keyClicks(window->Edit9, "a-1 B_z9.");
  EXPECT_EQ(window->Edit9->text(), "a1Bz9");
  QTest::keyClick(window->Edit9, Qt::Key_Backspace);
  EXPECT_EQ(window->Edit9->text(), "a1Bz");
  window->Edit10->clear();
  QTest::keyClicks(window->Edit10, "1a2-3 ");
  EXPECT_EQ(window->Edit10->text(), "123");
  window->prsuEdit11->clear();
  QTest::keyClicks(window->prsuEdit11, "1a");
  EXPECT_EQ(window->prsuEdit11->text(), "1a");  // no filter on this one
}

TEST_F(CommandsTest, FooterSumsTheCopiesOfTheRowsShownAndFollowsEdits) {
  Select(Root());
  EXPECT_EQ(window->FlatduDBGrid1->FooterText(0), "小计");
  EXPECT_EQ(window->FlatduDBGrid1->FooterText(1), "0 张");
  auto *model = window->FlatduDBGrid1->model();
  ASSERT_TRUE(model->setData(model->index(1, 1), "3", Qt::EditRole));
  ASSERT_TRUE(model->setData(model->index(4, 1), "12", Qt::EditRole));
  EXPECT_EQ(window->FlatduDBGrid1->FooterText(1), "15 张");
  EXPECT_EQ(Table("printzan", "ID=2"), QStringList{"成衣类/模板2/3"});
  ASSERT_TRUE(model->setData(model->index(0, 0), Qt::Checked, Qt::CheckStateRole));
  EXPECT_EQ(Table("yesprn", "ID=1"), QStringList{"成衣类/模板1/Y"});
  Select(Find("成衣类"));
  EXPECT_EQ(window->FlatduDBGrid1->FooterText(1), "3 张");
  // "删除" on the grid removes the current row after the question.
  dm->labelZQuery1.MoveTo(1);
  window->BitBtn14->click();
  EXPECT_TRUE(Table("ID", "ID=2").isEmpty());
  EXPECT_EQ(window->FlatduDBGrid1->FooterText(1), "0 张");
}

TEST_F(CommandsTest, CollectGridLabelsFollowsCopiesAndClearsMarks) {
  dm->BenDataBase.Execute("update Labeldemo set yesprn='Y', printzan=3 where ID=1");
  dm->BenDataBase.Execute("update Labeldemo set yesprn='Y', printzan=0 where ID=2");
  dm->BenDataBase.Execute("update Labeldemo set yesprn='Y', printzan=0, barcode=NULL where ID=6");
  Select(Root());
  QStringList list;
  dm->labelZQuery1.First();
  window->CollectGridLabels(list, 1);
  const QString first = "123456780;编号:001;品名:衣服;型号:小号;单位:件;产地:本地服装厂;单价:28";
  EXPECT_EQ(list, (QStringList{first, first, first,
                               "123456781;品名:裤子;单位:条;产地:本地服装厂;单价:30",
                               "-;;品名:电视机;型号:20寸;单位:台;单价:460"}));
  EXPECT_EQ(Table("yesprn").filter("/Y").size(), 0);
  EXPECT_EQ(Table("printzan", "ID=1"), QStringList{"成衣类/模板1/3"});  // counts stay

  // Default count 10 only for rows without their own count.
  dm->BenDataBase.Execute("update Labeldemo set yesprn='Y' where ID in (1,2)");
  Select(Root());
  list.clear();
  dm->labelZQuery1.First();
  window->CollectGridLabels(list, 10);
  EXPECT_EQ(list.size(), 13);
}

TEST_F(CommandsTest, NullCopyCountStopsAtThatRecord) {
  dm->BenDataBase.Execute("update Labeldemo set yesprn='Y' where ID in (1,3)");
  dm->BenDataBase.Execute("update Labeldemo set printzan=NULL where ID=3");
  Select(Root());
  QStringList list;
  dm->labelZQuery1.First();
  EXPECT_THROW(window->CollectGridLabels(list, 1), platform::Exception);
  EXPECT_EQ(Table("yesprn", "ID in (1,3)"), (QStringList{"成衣类/模板1/N", "成衣类/模板3/Y"}));
}

TEST_F(CommandsTest, SettingsDialogReadsWritesAndReloads) {
  AnswerNext<app::TsetForm2>([](app::TsetForm2 *d) {
    EXPECT_EQ(d->windowTitle(), "设置系统");
    EXPECT_EQ(d->Edit1->text(), "Tarvel科技：5550123");
    d->BitBtn2->click();
  });
  window->SettingsAction->trigger();
  {
    store::TMyIniFile ini(folder + "qvu.ini");
    EXPECT_FALSE(ini.ValueExists("falbes", "gongmi"));
  }
  AnswerNext<app::TsetForm2>([](app::TsetForm2 *d) {
    d->Edit1->setText(" 我的小店=1;2 ");
    d->BitBtn1->click();
  });
  window->SettingsAction->trigger();
  EXPECT_EQ(window->Fgongmi, " 我的小店=1;2 ");
}

TEST_F(CommandsTest, FormatChoiceIsKeptAcrossRestartsAndOnlyRealChangesWrite) {
  window->RadioButton4->click();
  EXPECT_EQ(store::TMyIniFile(folder + "qvu.ini").ReadString("falbes", "bardformat", "?"), "0");
  QFile::remove(folder + "qvu.ini");
  window->RadioButton4->click();  // already chosen: nothing written
  EXPECT_FALSE(QFile::exists(folder + "qvu.ini"));
  window->RadioButton3->click();
  window->RadioButton4->click();
  EXPECT_EQ(store::TMyIniFile(folder + "qvu.ini").ReadString("falbes", "bardformat", "?"), "0");
  Restart();
  EXPECT_TRUE(window->RadioButton4->isChecked());
  window->RadioButton3->click();
  Restart();
  EXPECT_TRUE(window->RadioButton3->isChecked());
}

TEST_F(CommandsTest, HelpAndWebPageGoToTheDesktop) {
  window->BitBtn5->click();
  window->BitBtn4->click();
  window->HelpAction->trigger();
  window->WebAction->trigger();
  QTest::mouseClick(window->Image3, Qt::LeftButton);
  const QString help = platform::ProgramFolder() + "help.html";  // beside the program, not the data
  EXPECT_EQ(opened, (QStringList{help, help, help, app::kMakerWebAddress, app::kMakerWebAddress}));
}

TEST_F(CommandsTest, NastyTextTypedIntoTheGridIsStoredExactlyInThatRowOnly) {
  Select(Root());
  auto *model = window->FlatduDBGrid1->model();
  const QString nasty[] = {"x'; drop table Labeldemo; --", "a\\b''c", QString(10000, QChar(u'价')),
                           "' or '1'='1", "名\t称\"quoted\""};
  const QStringList before = Table("labdi");
  int column = 4;  // "标题(第一行)"
  ASSERT_EQ(model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(), "标题(第一行)");
  for (const QString &text : nasty) {
    ASSERT_TRUE(model->setData(model->index(2, column), text, Qt::EditRole));
    QStringList expected = before;
    expected[2] = "成衣类/模板3/" + text;
    EXPECT_EQ(Table("labdi"), expected) << text.left(30).toStdString();
    EXPECT_EQ(Table("cbiho", "ID<>3").size(), 5);
  }
  // Clearing a cell makes it null; the record picture then leaves that line out.
  ASSERT_TRUE(model->setData(model->index(2, column), "", Qt::EditRole));
  EXPECT_EQ(Table("labdi", "ID=3"), QStringList{"成衣类/模板3/<null>"});
}
