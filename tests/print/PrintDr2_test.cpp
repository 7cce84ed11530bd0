#include "print/PrintDr2.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "PrintTestSupport.h"

TEST(ProgressWindow, LayoutAndCaptions) {
  TPrintBarForm form;
  EXPECT_EQ(form.size(), QSize(287, 87));
  EXPECT_EQ(form.PrintCaption->text(), QStringLiteral("正在生成打印数据，请稍等....."));
  EXPECT_EQ(form.CancelBtn->text(), QStringLiteral("取消"));
  EXPECT_TRUE(form.CancelBtn->isHidden());
  EXPECT_EQ(form.PrintBar->maximum(), 100);
}

TEST(ProgressWindow, BarNeverPassesItsMaximum) {
  TPrintBarForm form;
  form.UpdateBar(80);
  form.IncBar(30);
  EXPECT_EQ(form.PrintBar->value(), 100);
  form.UpdateBar(10);
  form.IncBar(5);
  EXPECT_EQ(form.PrintBar->value(), 15);
}

TEST(ProgressWindow, EmptyTextLeavesTheBarAlone) {
  TPrintBarForm form;
  form.UpdateBar(42);
  form.SetDisplayText(QString());
  EXPECT_EQ(form.PrintCaption->text(), QString());
  EXPECT_EQ(form.PrintBar->value(), 42);
}

class ProgressCancel : public PrintTest {};

TEST_F(ProgressCancel, ConfirmedCancelStopsRecordingAndFiresOnCancel) {
  struct Case {
    platform::BoxAnswer answer;
    bool stillActive;
    int cancels;
  } cases[] = {{platform::BoxAnswer::Yes, false, 1}, {platform::BoxAnswer::No, true, 0}};
  for (const Case &c : cases) {
    boxes_.clear();
    answer_ = c.answer;
    int cancels = 0;
    po_->OnCancel = [&](QObject *) { ++cancels; };
    po_->SetShowProgress(true);
    po_->SetShowCancelBtn(true);
    ASSERT_TRUE(po_->Start());
    ASSERT_NE(po_->ProgressBar, nullptr);
    EXPECT_FALSE(po_->ProgressBar->CancelBtn->isHidden());
    EXPECT_EQ(ProgressPrintObject, po_.get());
    po_->ProgressBar->CancelBtn->click();
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, QStringLiteral("放异打印吗？"));
    EXPECT_EQ(boxes_[0].kind, platform::BoxKind::Confirmation);
    EXPECT_EQ(po_->PrintingStatus(), c.stillActive);
    EXPECT_EQ(cancels, c.cancels);
    EXPECT_TRUE(po_->ProgressBar->isVisible()) << "shown again after the question";
    // After a confirmed cancel nothing more is recorded.
    const int before = JobPages->Get(1)->Count();
    po_->WriteLine(1, 1, QStringLiteral("x"));
    EXPECT_EQ(JobPages->Get(1)->Count() > before, c.stillActive);
    po_->Abort();
  }
}

TEST_F(ProgressCancel, StartShowsTheWindowAsTheObjectIsSetUp) {
  po_->SetShowProgress(true);
  po_->SetProgressFormColor(0x0000FF);
  po_->SetProgressTextColor(0xFF0000);
  po_->SetProgressBarMax(200);
  ASSERT_TRUE(po_->Start());
  TPrintBarForm *form = po_->ProgressBar;
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(po_->BarShowing);
  EXPECT_TRUE(form->CancelBtn->isHidden()) << "ShowCancelBtn is off by default";
  EXPECT_EQ(form->PrintPanel->palette().color(QPalette::Window), QColor(255, 0, 0));
  EXPECT_EQ(form->PrintCaption->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_EQ(form->PrintBar->maximum(), 200);
  EXPECT_EQ(form->PrintBar->value(), 0);
  po_->SetProgressBarInc(150);
  po_->Increment();
  po_->Increment();
  EXPECT_EQ(form->PrintBar->value(), 200);
  po_->UpdateBar(20);
  po_->SetProgressText(QStringLiteral("第二步"));
  EXPECT_EQ(form->PrintBar->value(), 20);
  EXPECT_EQ(form->PrintCaption->text(), QStringLiteral("第二步"));
  po_->Abort();
  EXPECT_EQ(po_->ProgressBar, nullptr);
  EXPECT_FALSE(po_->BarShowing);
}
