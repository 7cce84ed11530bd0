#pragma once
// The progress window: the small borderless box the print object shows while
// a job is recorded and while its pages go to the printer. Every change is
// painted at once and followed by a turn of the message loop, so that the box
// and its cancel button stay alive while the job runs.
#include <QWidget>

class QLabel;
class QFrame;
class QProgressBar;
class QPushButton;

class TMWPrintObject;

class TPrintBarForm : public QWidget {
  Q_OBJECT
 public:
  explicit TPrintBarForm(QWidget *parent = nullptr);

  void UpdateBar(int x);
  // Advances the bar, never beyond its maximum.
  void IncBar(int x);
  void SetDisplayText(const QString &s);
  void CancelBtnClick();

  QFrame *PrintPanel = nullptr;
  QLabel *PrintCaption = nullptr;
  QFrame *Panel2 = nullptr;
  QProgressBar *PrintBar = nullptr;
  QPushButton *CancelBtn = nullptr;

  // Panel colour and caption text colour, as the print object chooses them.
  void SetPanelColor(const QColor &color);
  void SetCaptionColor(const QColor &color);

 private:
  void PaintNow();
};

// The print object whose progress window is showing; the cancel button asks
// it to cancel.
extern TMWPrintObject *ProgressPrintObject;
