// The main window's print commands end to end: records marked in the grid or
// the selected template, through the label print window, onto a PDF printer,
// judged by pdfinfo, pdftotext and zbarimg.
#include <QComboBox>
#include <QRadioButton>

#include "MainWindowFixture.h"
#include "PdfJudge.h"
#include "labelprint/prinbarcodeUnit2.h"
#include "print/PrintDr1.h"
#include "platform/PrinterDevice.h"

namespace {

class PrintCommandsTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    pdf = dir.filePath("printed.pdf");
  }
  void TearDown() override {
    platform::SetPrinter(nullptr);
    MainWindowFixture::TearDown();
  }
  // Runs a command; a label window still open after guardMs is closed with
  // "取消" so that a failure cannot hang the test.
  void Run(QPushButton *button, int guardMs = 20000) {
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [this] {
      if (auto *w = qobject_cast<labelprint::TpribarcodeForm2 *>(QApplication::activeModalWidget())) {
        stillOpen = true;
        w->BitBtn2->click();
      }
    });
    guard.start(guardMs);
    QFile::remove(pdf);
    platform::SetPrinter(std::make_unique<platform::PdfFileDevice>(pdf, 300));
    button->click();
    platform::SetPrinter(nullptr);  // closes the document
  }
  QString pdf;
  bool stillOpen = false;
};

}  // namespace

TEST_F(PrintCommandsTest, DirectPrintPrintsTheMarkedRecordsAndClearsTheirMarks) {
  dm->BenDataBase.Execute("update Labeldemo set yesprn='Y', printzan=2, barcode='6901028095884' where ID=1");
  dm->BenDataBase.Execute("update Labeldemo set yesprn='Y', barcode='abc123' where ID=4");
  Select(Root());
  window->RadioButton4->click();  // format two
  Run(window->BitBtn18);
  EXPECT_FALSE(stillOpen);
  EXPECT_TRUE(boxes.isEmpty()) << boxes.join("\n").toStdString();
  EXPECT_EQ(pdfjudge::Pages(pdf), 1);
  const QString text = pdfjudge::Text(pdf);
  EXPECT_EQ(text.count("品名:衣服"), 2) << text.toStdString();
  EXPECT_TRUE(text.contains("型号:S-234-S"));  // lines upper-cased
  EXPECT_EQ(text.count("Tarvel科技:5550123"), 3);
  QStringList codes = pdfjudge::Barcodes(pdf, 300);
  codes.sort();
  EXPECT_EQ(codes, (QStringList{"CODE-128:ABC123", "EAN-13:6901028095884"}));  // zbar reports a symbol once
  EXPECT_TRUE(Table("yesprn").filter("/Y").isEmpty());
  EXPECT_FALSE(dm->labelZQuery1.ControlsDisabled());
  EXPECT_EQ(window->FlatduDBGrid1->model()->rowCount(), 6);
}

TEST_F(PrintCommandsTest, BadCountsStopBeforeAnythingChanges) {
  dm->BenDataBase.Execute("update Labeldemo set yesprn='Y' where ID in (1,2)");
  Select(Root());
  window->RadioButton2->setChecked(true);
  window->Edit10->setText("");
  Run(window->BitBtn18);
  ASSERT_EQ(boxes.size(), 1);
  EXPECT_TRUE(boxes[0].contains("is not a valid integer value")) << boxes[0].toStdString();
  EXPECT_EQ(Table("yesprn").filter("/Y").size(), 2);
  EXPECT_EQ(pdfjudge::Pages(pdf), -1);

  // A null copy count stops the walk there; the grid follows its rows again.
  boxes.clear();
  dm->BenDataBase.Execute("update Labeldemo set printzan=NULL where ID=2");
  Select(Root());
  window->Edit10->setText("3");
  Run(window->BitBtn15);
  ASSERT_EQ(boxes.size(), 1);
  EXPECT_TRUE(boxes[0].contains("Null")) << boxes[0].toStdString();
  EXPECT_FALSE(dm->labelZQuery1.ControlsDisabled());
  EXPECT_EQ(dm->labelZQuery1.RecNo(), 0);
  EXPECT_EQ(Table("yesprn", "ID=1"), QStringList{"成衣类/模板1/N"});

  boxes.clear();
  window->Edit10->setText("200000");  // far more labels than a job may hold
  dm->BenDataBase.Execute("update Labeldemo set yesprn='N' where ID=2");
  dm->BenDataBase.Execute("update Labeldemo set yesprn='Y', printzan=0 where ID=3");
  Select(Root());
  Run(window->BitBtn18);
  ASSERT_EQ(boxes.size(), 1);
  EXPECT_TRUE(boxes[0].contains("100000")) << boxes[0].toStdString();
}

TEST_F(PrintCommandsTest, PrintLabelRepeatsTheSelectedTemplate) {
  window->prCheckBox9->setChecked(false);
  window->prsuEdit11->setText("3");
  Select(Root());
  Run(window->BitBtn9);  // not a template: nothing happens
  EXPECT_EQ(pdfjudge::Pages(pdf), -1);

  Select(Find("电脑类", "模板2"));
  Run(window->BitBtn9);
  EXPECT_FALSE(stillOpen);
  const QString text = pdfjudge::Text(pdf);
  EXPECT_EQ(text.count("品名:笔记本"), 3) << text.toStdString();
  EXPECT_EQ(pdfjudge::Barcodes(pdf), QStringList{"EAN-13:0000123456784"});

  window->prsuEdit11->setText("0");  // an empty job: one empty page
  Run(window->BitBtn9);
  EXPECT_EQ(pdfjudge::Pages(pdf), 1);
  EXPECT_FALSE(pdfjudge::Text(pdf).contains("品名"));
}

TEST_F(PrintCommandsTest, RefusedBarcodeLeavesTheLabelWindowOpenAndPrintsNothing) {
  dm->BenDataBase.Execute("update Labeldemo set yesprn='Y', barcode='12345a' where ID=1");
  Select(Root());
  Run(window->BitBtn18, 3000);
  EXPECT_TRUE(stillOpen);
  ASSERT_EQ(boxes.size(), 1);
  EXPECT_TRUE(boxes[0].contains("12345A")) << boxes[0].toStdString();
  EXPECT_EQ(pdfjudge::Pages(pdf), -1);
}

TEST_F(PrintCommandsTest, PreviewOpensAtSeventyPercentAndClearsMarksEvenWhenClosedUnprinted) {
  dm->BenDataBase.Execute("update Labeldemo set yesprn='Y', printzan=3 where ID=2");
  Select(Root());
  QString zoom, caption;
  int pages = 0;
  QTimer::singleShot(0, [&] {
    // The label window runs its batch, then the preview comes up modally over it.
    QTimer *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [&, poll] {
      auto *preview = qobject_cast<TPreviewForm *>(QApplication::activeModalWidget());
      if (!preview) return;
      poll->stop();
      poll->deleteLater();
      zoom = preview->ZoomFactor->currentText();
      caption = preview->windowTitle();
      pages = TotalPages;
      preview->close();  // closed without printing
    });
    poll->start(10);
  });
  Run(window->BitBtn15);
  EXPECT_FALSE(stillOpen);
  EXPECT_EQ(zoom, "70 %");
  EXPECT_EQ(caption, "打印上机卡预览：");
  EXPECT_EQ(pages, 1);
  EXPECT_EQ(pdfjudge::Pages(pdf), -1);  // nothing printed
  EXPECT_EQ(Table("yesprn", "ID=2"), QStringList{"成衣类/模板2/N"});
}
