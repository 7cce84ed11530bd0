// The preview window as the user sees it: tool bar, zoom, page navigation,
// keys, printing from the preview and the page total.
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <exception>

#include "platform/Exception.h"
#include "platform/MessageBoxes.h"
#include "print/PrintDr1.h"
#include "print/PrintDrv.h"

// ------------------------------------------------------------------ pictures

namespace {
enum class Glyph { First, Prev, Next, Last, Printer, Page };

// The tool bar's pictures, drawn here so that they scale with nothing and
// need no files.
QIcon DrawIcon(Glyph glyph, int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor ink(0, 0, 128);
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  const double s = size;
  auto triangle = [&](double tipX, double baseX) {
    QPainterPath path;
    path.moveTo(tipX, s / 2);
    path.lineTo(baseX, s * 0.2);
    path.lineTo(baseX, s * 0.8);
    path.closeSubpath();
    p.drawPath(path);
  };
  switch (glyph) {
    case Glyph::First:
      p.drawRect(QRectF(s * 0.2, s * 0.2, s * 0.12, s * 0.6));
      triangle(s * 0.34, s * 0.8);
      break;
    case Glyph::Prev:
      triangle(s * 0.25, s * 0.72);
      break;
    case Glyph::Next:
      triangle(s * 0.75, s * 0.28);
      break;
    case Glyph::Last:
      triangle(s * 0.66, s * 0.2);
      p.drawRect(QRectF(s * 0.68, s * 0.2, s * 0.12, s * 0.6));
      break;
    case Glyph::Printer:
      p.setBrush(QColor(96, 96, 96));
      p.drawRoundedRect(QRectF(s * 0.1, s * 0.4, s * 0.8, s * 0.35), 2, 2);
      p.setBrush(Qt::white);
      p.setPen(QPen(QColor(64, 64, 64), 1));
      p.drawRect(QRectF(s * 0.25, s * 0.1, s * 0.5, s * 0.32));
      p.drawRect(QRectF(s * 0.25, s * 0.62, s * 0.5, s * 0.28));
      break;
    case Glyph::Page:
      p.setBrush(Qt::white);
      p.setPen(QPen(ink, 1.5));
      p.drawRect(QRectF(s * 0.22, s * 0.1, s * 0.56, s * 0.8));
      p.drawLine(QPointF(s * 0.32, s * 0.35), QPointF(s * 0.68, s * 0.35));
      p.drawLine(QPointF(s * 0.32, s * 0.5), QPointF(s * 0.68, s * 0.5));
      p.drawLine(QPointF(s * 0.32, s * 0.65), QPointF(s * 0.6, s * 0.65));
      break;
  }
  return QIcon(pm);
}

QToolButton *PageButton(QWidget *parent, Glyph glyph, const QString &hint, int left) {
  auto *b = new QToolButton(parent);
  b->setAutoRaise(true);  // flat
  b->setIcon(DrawIcon(glyph, 16));
  b->setIconSize(QSize(14, 14));
  b->setToolTip(hint);
  b->setGeometry(left, 5, 21, 18);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}
}  // namespace

// ------------------------------------------------------------------ layout

TPreviewForm::TPreviewForm(QWidget *parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("打印上机卡预览："));
  setWindowIcon(DrawIcon(Glyph::Page, 32));
  QFont f = font();
  f.setFamily(QStringLiteral("MS Sans Serif"));
  f.setPixelSize(11);
  f.setBold(true);
  setFont(f);
  resize(628, 494);
  setWindowState(Qt::WindowMaximized);

  BuildToolBar();
  PreviewPane = new QScrollArea(this);
  QPalette pal = PreviewPane->palette();
  pal.setColor(QPalette::Window, QColor(0xAB, 0xAB, 0xAB));  // work-space grey
  PreviewPane->setPalette(pal);
  PreviewPane->setBackgroundRole(QPalette::Window);
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setSizeGripEnabled(false);
  const int widths[3] = {150, 250, 50};
  for (int i = 0; i < 3; ++i) {
    status_panels_[i] = new QLabel(StatusBar1);
    status_panels_[i]->setFixedWidth(widths[i]);
    StatusBar1->addWidget(status_panels_[i]);
  }

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Panel2);
  layout->addWidget(PreviewPane, 1);
  layout->addWidget(StatusBar1);
  FormCreate();
  CloseBtn->setFocus();
}

void TPreviewForm::BuildToolBar() {
  Panel2 = new QWidget(this);
  Panel2->setFixedHeight(28);
  Panel2->setAutoFillBackground(true);
  QPalette pal = Panel2->palette();
  pal.setColor(QPalette::Window, QColor(0xF0, 0xF0, 0xF0));  // menu colour
  Panel2->setPalette(pal);

  CloseBtn = new QPushButton(QStringLiteral("关闭(&C)"), Panel2);
  CloseBtn->setGeometry(7, 3, 92, 23);
  CloseBtn->setToolTip(QStringLiteral("close preview"));
  CloseBtn->setAutoDefault(false);
  connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);

  PrintBtn = new QPushButton(QStringLiteral("打印"), Panel2);
  PrintBtn->setGeometry(102, 3, 92, 23);
  PrintBtn->setToolTip(QStringLiteral("print report"));
  PrintBtn->setIcon(DrawIcon(Glyph::Printer, 16));  // greyed by Qt when disabled
  PrintBtn->setAutoDefault(false);
  connect(PrintBtn, &QPushButton::clicked, this, &TPreviewForm::PrintBtnClick);

  ZoomLabel = new QLabel(QStringLiteral("百分比（%）："), Panel2);
  ZoomLabel->setGeometry(200, 7, 121, 16);
  ZoomLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  ZoomFactor = new QComboBox(Panel2);
  ZoomFactor->setGeometry(324, 3, 64, 22);
  ZoomFactor->addItems({QStringLiteral("60 %"), QStringLiteral("70 %"), QStringLiteral("80 %"),
                        QStringLiteral("90 %"), QStringLiteral("100 %")});
  connect(ZoomFactor, qOverload<int>(&QComboBox::activated), this,
          [this](int) { ZoomFactorChange(); });

  FirstPage = PageButton(Panel2, Glyph::First, QStringLiteral("first page"), 394);
  PrevPage = PageButton(Panel2, Glyph::Prev, QStringLiteral("previous page"), 415);
  PgNumb = new QLineEdit(Panel2);
  PgNumb->setGeometry(436, 5, 35, 21);
  NextPage = PageButton(Panel2, Glyph::Next, QStringLiteral("next page"), 470);
  LastPage = PageButton(Panel2, Glyph::Last, QStringLiteral("last page"), 491);
  connect(FirstPage, &QToolButton::clicked, this, &TPreviewForm::FirstPageClick);
  connect(PrevPage, &QToolButton::clicked, this, &TPreviewForm::PrevPageClick);
  connect(NextPage, &QToolButton::clicked, this, &TPreviewForm::NextPageClick);
  connect(LastPage, &QToolButton::clicked, this, &TPreviewForm::LastPageClick);
}

QString TPreviewForm::StatusText(int panel) const {
  return panel >= 0 && panel < 3 ? status_panels_[panel]->text() : QString();
}

// ------------------------------------------------------------------- showing

void TPreviewForm::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (!keys_watched_) {
    // The window sees keys before its controls do.
    qApp->installEventFilter(this);
    keys_watched_ = true;
  }
  if (!event->spontaneous()) FormShow();
}

void TPreviewForm::hideEvent(QHideEvent *event) {
  if (keys_watched_) {
    qApp->removeEventFilter(this);
    keys_watched_ = false;
  }
  QDialog::hideEvent(event);
}

void TPreviewForm::FormShow() {
  ZoomFactor->setCurrentIndex(std::clamp(StartPercent, 0, 4));
  CurrentPage = 1;
  PgNumb->setText(QStringLiteral("1"));
  LastPage->setToolTip(QStringLiteral("last page (%1)").arg(TotalPages));
  platform::RunGuarded([this] { ZoomFactorChange(); });
  UpdatePageButtons();
  status_panels_[0]->setText(QStringLiteral("共　：%1页").arg(TotalPages));
}

// --------------------------------------------------------------------- zoom

void TPreviewForm::ZoomFactorChange() {
  if (!DisplayPage) return;
  const int entry = std::clamp(ZoomFactor->currentIndex(), 0, 4);
  const float scale = static_cast<float>(ZoomPercents[entry] / 100.0);
  DisplayPage->hide();
  float wInches = PaperWidthInches, hInches = PaperHeightInches;
  if (CanvasOrient == poLandscape) std::swap(wInches, hInches);
  const int w = static_cast<int>(std::nearbyint(NormalPixelsPerInch * wInches * scale));
  const int h = static_cast<int>(std::nearbyint(NormalPixelsPerInch * hInches * scale));
  // The drawing surface keeps its 2000 x 2000; a larger page is cut there.
  DisplayPage->resize(std::min(w, 2000), std::min(h, 2000));
  DisplayPage->Canvas().SetPixelsPerInch(static_cast<int>(NormalPixelsPerInch * scale));
  if (JobPrintObject) JobPrintObject->SetScale(scale);
  if (CurrentPage == 1) {
    CopyCurrentCanvas();
  } else {
    PrevPageClick();
    NextPageClick();
  }
  DisplayPage->show();
  FormResize();
}

void TPreviewForm::CopyCurrentCanvas() {
  try {
    ClearDisplayPage();
    if (!JobPrintObject) return;
    JobPrintObject->SetPrnPrinter(DisplayPage);
    JobPrintObject->PrintPage(JobPages ? JobPages->Get(CurrentPage) : nullptr, CurrentPage);
  } catch (const std::exception &) {
    platform::ShowMessage(QStringLiteral("There was an error displaying the page."));
    throw;
  }
  if (DisplayPage) DisplayPage->update();
}

void TPreviewForm::resizeEvent(QResizeEvent *event) {
  QDialog::resizeEvent(event);
  FormResize();
}

void TPreviewForm::FormResize() {
  if (width() < 480) resize(480, height());
  if (!DisplayPage || !PreviewPane || !page_area_) return;
  QScrollBar *v = PreviewPane->verticalScrollBar();
  QScrollBar *hBar = PreviewPane->horizontalScrollBar();
  const int keptV = v->value(), keptH = hBar->value();
  v->setValue(0);
  hBar->setValue(0);
  page_area_->resize(DisplayPage->width() + 30, DisplayPage->height() + 30);
  const int freeWidth = PreviewPane->viewport()->width() - DisplayPage->width();
  DisplayPage->move(freeWidth > 0 ? freeWidth / 2 : 5, DisplayPage->y());
  if (freeWidth > 0) page_area_->resize(PreviewPane->viewport()->width(), page_area_->height());
  v->setValue(keptV);
  hBar->setValue(keptH);
}

// --------------------------------------------------------------- navigation

int TPreviewForm::PageBoxNumber() const {
  return PgNumb->text().toInt();
}

void TPreviewForm::UpdatePageButtons() {
  const int n = PageBoxNumber();
  FirstPage->setEnabled(n > 1);
  PrevPage->setEnabled(n > 1);
  NextPage->setEnabled(n < TotalPages);
  LastPage->setEnabled(n < TotalPages);
}

void TPreviewForm::PgNumbExit() {
  if (PgNumb->text().isEmpty()) PgNumb->setText(QStringLiteral("1"));
  try {
    bool ok = false;
    int n = PgNumb->text().toInt(&ok);
    if (!ok)
      throw platform::Exception(QStringLiteral("'%1' is not a valid integer value")
                                    .arg(PgNumb->text()));
    if (n > TotalPages) n = TotalPages;
    if (n < 1) n = 1;
    PgNumb->setText(QString::number(n));
    CurrentPage = n;
    CopyCurrentCanvas();
    FormResize();
  } catch (const std::exception &e) {
    platform::ShowMessage(QStringLiteral("Error in page number.\n") + platform::ExceptionText(e));
  }
}

void TPreviewForm::FirstPageClick() {
  PgNumb->setText(QStringLiteral("1"));
  PgNumbExit();
  UpdatePageButtons();
}

void TPreviewForm::PrevPageClick() {
  const int n = PageBoxNumber();
  if (n > 1) {
    PgNumb->setText(QString::number(n - 1));
    PgNumbExit();
  }
  UpdatePageButtons();
}

void TPreviewForm::NextPageClick() {
  const int n = PageBoxNumber();
  if (n < TotalPages) {
    PgNumb->setText(QString::number(n + 1));
    PgNumbExit();
  }
  UpdatePageButtons();
}

void TPreviewForm::LastPageClick() {
  PgNumb->setText(QString::number(TotalPages));
  PgNumbExit();
  UpdatePageButtons();
}

// --------------------------------------------------------------------- keys

// Installed on the application while the window shows: the window sees
// keys before its controls, and the page box gets its entry rules.
bool TPreviewForm::eventFilter(QObject *watched, QEvent *event) {
  auto *widget = qobject_cast<QWidget *>(watched);
  if (!widget || widget->window() != this) return QDialog::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    auto *key = static_cast<QKeyEvent *>(event);
    if (FormKeyDown(key)) return true;
    if (watched == PgNumb) {
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        // Enter moves the focus on, which ends the entry (a window that is
        // not active gets no focus change, so the entry ends here).
        focusNextChild();
        if (PgNumb->hasFocus() || !isActiveWindow()) {
          PgNumbExit();
          UpdatePageButtons();
        }
        return true;
      }
      // Only digits reach the box; every other character, Backspace
      // included, is dropped.
      const QString text = key->text();
      if (!text.isEmpty() && !(text.size() == 1 && text.at(0) >= QLatin1Char('0') &&
                               text.at(0) <= QLatin1Char('9')))
        return true;
    }
  } else if (event->type() == QEvent::FocusOut && watched == PgNumb) {
    PgNumbExit();
    UpdatePageButtons();
  }
  return QDialog::eventFilter(watched, event);
}

bool TPreviewForm::FormKeyDown(QKeyEvent *key) {
  QScrollBar *v = PreviewPane->verticalScrollBar();
  switch (key->key()) {
    case Qt::Key_Escape:
      CloseBtn->click();
      return true;
    case Qt::Key_PageUp:  // the next page, as the tool bar's order suggests
      NextPage->click();
      return true;
    case Qt::Key_PageDown:
      PrevPage->click();
      return true;
    case Qt::Key_Up:
      v->setValue(std::max(0, v->value() - 10));
      return true;
    case Qt::Key_Down:
      v->setValue(std::min(v->value() + 10, v->maximum()));
      return true;
    default:
      break;
  }
  if (key->text() == QStringLiteral("+")) {
    if (ZoomFactor->currentIndex() < ZoomFactor->count() - 1)
      ZoomFactor->setCurrentIndex(ZoomFactor->currentIndex() + 1);
    platform::RunGuarded([this] { ZoomFactorChange(); });
    return true;
  }
  if (key->text() == QStringLiteral("-")) {
    if (ZoomFactor->currentIndex() > 0) ZoomFactor->setCurrentIndex(ZoomFactor->currentIndex() - 1);
    platform::RunGuarded([this] { ZoomFactorChange(); });
    return true;
  }
  return false;
}

// ----------------------------------------------------------------- printing

void TPreviewForm::PrintBtnClick() {
  if (!JobPrintObject) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const float kept = JobPrintObject->GetScale();
  JobPrintObject->SetScale(1);
  try {
    JobPrintObject->PrintFromPreview();
  } catch (const std::exception &e) {
    platform::ShowException(e);
  }
  JobPrintObject->SetScale(kept);
  QApplication::restoreOverrideCursor();
}
