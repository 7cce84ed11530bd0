#include "print/PrintDr2.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include "print/PrintDrv.h"

TMWPrintObject *ProgressPrintObject = nullptr;

namespace {
void SetBackground(QWidget *w, const QColor &color) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, color);
  w->setPalette(p);
  w->setAutoFillBackground(true);
}
}  // namespace

TPrintBarForm::TPrintBarForm(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint) {
  setFixedSize(287, 87);
  SetBackground(this, QColor(128, 0, 0));  // maroon
  QFont systemFont = font();
  systemFont.setPixelSize(13);
  setFont(systemFont);
  QPalette text = palette();
  text.setColor(QPalette::WindowText, Qt::yellow);
  setPalette(text);

  PrintPanel = new QFrame(this);
  PrintPanel->setGeometry(0, 0, 287, 87);
  PrintPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  PrintPanel->setLineWidth(3);
  SetBackground(PrintPanel, QColor(0xC4, 0xE0, 0xC9));

  PrintCaption = new QLabel(QStringLiteral("正在生成打印数据，请稍等....."), PrintPanel);
  PrintCaption->setGeometry(6, 6, 275, 21);
  PrintCaption->setAlignment(Qt::AlignCenter);
  QFont captionFont(QStringLiteral("Arial"));
  captionFont.setPixelSize(11);
  PrintCaption->setFont(captionFont);
  SetCaptionColor(QColor(0, 0, 0));  // info text

  Panel2 = new QFrame(PrintPanel);
  Panel2->setGeometry(26, 31, 236, 22);
  Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel2->setLineWidth(2);
  SetBackground(Panel2, Qt::white);

  PrintBar = new QProgressBar(Panel2);
  PrintBar->setGeometry((236 - 228) / 2, (22 - 14) / 2, 228, 14);
  PrintBar->setRange(0, 100);
  PrintBar->setValue(50);
  PrintBar->setTextVisible(false);

  CancelBtn = new QPushButton(QStringLiteral("取消"), PrintPanel);
  CancelBtn->setGeometry(108, 56, 77, 22);
  CancelBtn->setHidden(true);
  connect(CancelBtn, &QPushButton::clicked, this, &TPrintBarForm::CancelBtnClick);

  if (QScreen *screen = QGuiApplication::primaryScreen())
    move(screen->geometry().center() - rect().center());
}

void TPrintBarForm::SetPanelColor(const QColor &color) {
  SetBackground(PrintPanel, color);
}

void TPrintBarForm::SetCaptionColor(const QColor &color) {
  QPalette p = PrintCaption->palette();
  p.setColor(QPalette::WindowText, color);
  PrintCaption->setPalette(p);
}

void TPrintBarForm::PaintNow() {
  repaint();
  QCoreApplication::processEvents();
}

void TPrintBarForm::UpdateBar(int x) {
  PrintBar->setValue(x);
  PaintNow();
}

void TPrintBarForm::IncBar(int x) {
  PrintBar->setValue(std::min(PrintBar->value() + x, PrintBar->maximum()));
  PaintNow();
}

void TPrintBarForm::SetDisplayText(const QString &s) {
  PrintCaption->setText(s);
  PaintNow();
}

void TPrintBarForm::CancelBtnClick() {
  if (ProgressPrintObject) ProgressPrintObject->OnCancelPrint();
}
