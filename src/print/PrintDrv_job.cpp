// The end of a print job: the preview or the print pass, the replay of
// recorded pages onto the current canvas, and the release of the job.
#include <QApplication>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <cmath>
#include <exception>

#include "platform/Canvas.h"
#include "platform/MessageBoxes.h"
#include "platform/PrinterDevice.h"
#include "print/PrintDr2.h"
#include "print/PrintDrv.h"

namespace {
// One stage of ending a job: a failure is reported and the next stage runs.
template <typename Stage>
void RunStage(Stage &&stage) {
  try {
    stage();
  } catch (const std::exception &) {
    platform::ShowMessage(QStringLiteral("错误."));
  }
}

// The window the print-pass progress box is placed over.
QWidget *MainWindow() {
  for (QWidget *w : QApplication::topLevelWidgets())
    if (qobject_cast<QMainWindow *>(w) && w->isVisible()) return w;
  return nullptr;
}
}  // namespace

void TMWPrintObject::CloseProgress() {
  progress_.reset();
  ProgressBar = nullptr;
  BarShowing = false;
  if (ProgressPrintObject == this) ProgressPrintObject = nullptr;
}

bool TMWPrintObject::ShowPreview() {
  if (!PreviewMode) return true;
  if (!CurrentPreview) return false;
  CurrentPreview->StartPercent = PreviewPercent;
  return CurrentPreview->exec() == QDialog::Accepted;
}

bool TMWPrintObject::Quit() {
  if (ImagePrinting) {
    ImageCanvas = nullptr;
    PrintingOK = false;
    ImagePrinting = false;
    return true;
  }
  bool result = true;
  if (PrintingOK) {
    RunStage([&] {
      WriteHeader();
      WriteFooter();
      WritePageNumber();
      DoNewPage();
    });
    RunStage([&] {
      DryRun = false;
      CloseProgress();
      if (JobPages) {
        JobPages->FirstPage = 1;
        JobPages->LastPage = JobPages->Count();
      }
    });
    const bool keptPaging = AutoPaging;
    AutoPaging = false;
    SetFontAngle(0);
    const MeasureType keptMeasure = Measure;
    Measure = mtInches;
    RunStage([&] {
      if (ActualPreview) {
        result = ShowPreview();
      } else {
        result = true;
        PrintFromPreview();
      }
    });
    Measure = keptMeasure;
    AutoPaging = keptPaging;
  } else {
    // Cancelled while recording, or Start failed: nothing is shown or printed.
    CloseProgress();
    DryRun = false;
  }
  RunStage([&] {
    ClearLayout();
    ReleaseJob();
  });
  PrintingOK = false;
  WritePrinterSpecs(true);
  if (PrintDone) PrintDone(this);
  return result;
}

// ------------------------------------------------------------------ replay

void TMWPrintObject::PrintPage(TMWPageList *Page, int iPage) {
  if (!Page) return;
  if (PageFeeding) SetTopOfPage();
  for (int i = 0; i < Page->Count(); ++i) {
    const TMWPrintCommand &command = *Page->Items[static_cast<std::size_t>(i)];
    try {
      if (command.Command() == commWritePage)
        ReplayPageNumber(*Page, i, iPage);
      else
        ReplayCommand(command);
    } catch (const std::exception &) {
      const CommandSet kind = command.Command();
      platform::ShowMessage(kind == commLine || kind == commFont || kind == commPageNumber
                                ? QStringLiteral("错误")
                                : QStringLiteral("错误."));
    }
  }
}

// A page number was recorded before the job's length was known: the group
// from commWritePage to its text is replayed with this page's own number.
void TMWPrintObject::ReplayPageNumber(TMWPageList &page, int &index, int iPage) {
  for (++index; index < page.Count(); ++index) {
    const TMWPrintCommand &c = *page.Items[static_cast<std::size_t>(index)];
    switch (c.Command()) {
      case commTab:
        SetTab(static_cast<const TMWTab &>(c).Tab());
        break;
      case commWriteRight: {
        const auto &r = static_cast<const TMWWriteRight &>(c);
        WriteLineRight(r.Y(), r.Text());
        break;
      }
      case commMeasure:
        SetMeasure(static_cast<MeasureType>(static_cast<const TMWMeasure &>(c).Measure));
        break;
      case commSetY:
        SetYPosition(static_cast<const TMWSetY &>(c).yPosition());
        break;
      case commText: {
        const auto &t = static_cast<const TMWText &>(c);
        PageNumber.Text = ToLineBytes(QStringLiteral("第 %d 页"));
        WriteLine(t.X(), t.Y(), PageNumberText(iPage));
        return;
      }
      default:
        break;
    }
  }
}

void TMWPrintObject::ReplayCommand(const TMWPrintCommand &c) {
  switch (c.Command()) {
    case commLine: {
      const auto &l = static_cast<const TMWLine &>(c);
      DrawLine(l.X1(), l.Y1(), l.X2(), l.Y2(), l.LineWidth());
      break;
    }
    case commNewLine:
      NextLine();
      break;
    case commGraphic: {
      // Height carries the width and Width the height (crossed names).
      const auto &g = static_cast<const TMWGraphic &>(c);
      PrintGraphic(g.X(), g.Y(), g.Height(), g.Width(), g.BitMap());
      break;
    }
    case commDetailArea: {
      const auto &d = static_cast<const TMWDetail &>(c);
      SetDetailTopBottom(d.X(), d.Y());
      break;
    }
    case commFont:
      SetFontInfo(static_cast<const TMWFont &>(c).Font());
      break;
    case commFooterDim:
    case commHeaderDim: {
      const auto &d = static_cast<const TMWBoxDim &>(c);
      if (c.Command() == commFooterDim)
        SetFooterDim(d.X1(), d.Y1(), d.X2(), d.Y2(), d.Boxed(), d.LineWidth(), d.Shading());
      else
        SetHeaderDim(d.X1(), d.Y1(), d.X2(), d.Y2(), d.Boxed(), d.LineWidth(), d.Shading());
      break;
    }
    case commFooterInf:
    case commHeaderInf: {
      const auto &l = static_cast<const TMWLineInf &>(c);
      if (c.Command() == commFooterInf)
        SetFooterInfo(l.Line(), l.yPosition(), l.Text(), l.Alignment(), l.Font());
      else
        SetHeaderInfo(l.Line(), l.yPosition(), l.Text(), l.Alignment(), l.Font());
      break;
    }
    case commLineWidth:
      SetLineWidth(static_cast<const TMWLineWidth &>(c).LineWidth());
      break;
    case commMargins: {
      const auto &m = static_cast<const TMWMargins &>(c);
      SetMargins(m.X1(), m.Y1(), m.X2(), m.Y2());
      break;
    }
    case commOrient:
      PageOrientation = static_cast<const TMWOrient &>(c).Orientation();
      break;
    case commPageNumber: {
      const auto &p = static_cast<const TMWPageNumber &>(c);
      SetPageNumberInfo(p.yPosition(), p.Text(), p.Alignment(), p.IncludeTotal(), p.Font());
      break;
    }
    case commTab:
      SetTab(static_cast<const TMWTab &>(c).Tab());
      break;
    case commTopOfPage:
      SetTopOfPage();
      break;
    case commSetY:
      SetYPosition(static_cast<const TMWSetY &>(c).yPosition());
      break;
    case commText: {
      const auto &t = static_cast<const TMWText &>(c);
      const TColor kept = GetBrushColor();
      SetBrushColor(t.BrushColor());
      WriteLine(t.X(), t.Y(), t.Text());
      SetBrushColor(kept);
      break;
    }
    case commColumn: {
      const auto &col = static_cast<const TMWColumn &>(c);
      CreateColumn(col.Number(), col.XPosition(), col.Length());
      break;
    }
    case commAutoPageTrue:
      SetAutoPaging(true);
      break;
    case commAutoPageFalse:
      SetAutoPaging(false);
      break;
    case commSaveY:
      SaveCurrentY();
      break;
    case commRestoreY:
      RestoreCurrentY();
      break;
    case commFColor:
      SetFontColor(static_cast<const TMWColor &>(c).Color());
      break;
    case commBColor:
      SetBrushColor(static_cast<const TMWColor &>(c).Color());
      break;
    case commPColor:
      SetPenColor(static_cast<const TMWColor &>(c).Color());
      break;
    case commBrushStyle:
      SetBrushStyle(static_cast<const TMWBrushStyle &>(c).Style());
      break;
    case commPStyle:
      SetPenStyle(static_cast<const TMWPStyle &>(c).Style());
      break;
    case commPMode:
      SetPenMode(static_cast<const TMWPMode &>(c).Mode());
      break;
    case commFontAngle:
      SetFontAngle(static_cast<const TMWFontAngle &>(c).Angle);
      break;
    case commIndent:
      SetIndent(static_cast<const TMWIndent &>(c).Indent());
      break;
    case commMoveTo:
    case commLineTo: {
      const auto &p = static_cast<const TMWGraphicPoint &>(c);
      if (c.Command() == commMoveTo)
        MoveTo(p.X1(), p.Y1());
      else
        LineTo(p.X1(), p.Y1());
      break;
    }
    case commEllipse:
    case commFillRect:
    case commFrameRect: {
      const auto &r = static_cast<const TMWTwoPoints &>(c);
      if (c.Command() == commEllipse)
        Ellipse(r.X1(), r.Y1(), r.X2(), r.Y2());
      else if (c.Command() == commFillRect)
        FillRect(r.X1(), r.Y1(), r.X2(), r.Y2());
      else
        FrameRect(r.X1(), r.Y1(), r.X2(), r.Y2());
      break;
    }
    case commFloodFill: {
      const auto &f = static_cast<const TMWFloodFill &>(c);
      FloodFill(f.X(), f.Y(), f.Color(), f.FillStyle());
      break;
    }
    case commArc:
    case commPie: {
      const auto &a = static_cast<const TMWPieArc &>(c);
      if (c.Command() == commArc)
        Arc(a.X1(), a.Y1(), a.X2(), a.Y2(), a.X3(), a.Y3(), a.X4(), a.Y4());
      else
        Pie(a.X1(), a.Y1(), a.X2(), a.Y2(), a.X3(), a.Y3(), a.X4(), a.Y4());
      break;
    }
    case commPolyLine:
    case commPolygon: {
      const auto &p = static_cast<const TMWPolygon &>(c);
      const std::vector<float> values(p.Points, p.Points + p.Num);
      if (c.Command() == commPolyLine)
        PolyLine(values);
      else
        Polygon(values);
      break;
    }
    case commColRight: {
      const auto &r = static_cast<const TMWColRight &>(c);
      WriteLineColumnRight(static_cast<std::uint16_t>(r.ColumnNumber()), r.Y(), r.Text());
      break;
    }
    case commWriteRight: {
      const auto &r = static_cast<const TMWWriteRight &>(c);
      WriteLineRight(r.Y(), r.Text());
      break;
    }
    // commMeasure acts only inside a page-number group; the other kinds are
    // never recorded or carry nothing to replay.
    default:
      break;
  }
}

// -------------------------------------------------------------- print pass

void TMWPrintObject::PrintFromPreview() {
  if (!JobPages) return;
  AutoPaging = false;
  WritePrinterSpecs(false);
  if (ShowDialog && !JobPages->SetPrintOptions()) return;

  const bool wasActive = PrintingOK;
  PreviewMode = false;
  const int first = JobPages->FirstPage;
  const int last = JobPages->LastPage;
  const float step = last >= first ? 100.0f / static_cast<float>(last + 1 - first) : 100.0f;
  float progress = 0;

  if (UseProgress) {
    progress_ = std::make_unique<TPrintBarForm>();
    ProgressBar = progress_.get();
    ProgressBar->SetPanelColor(platform::ToQColor(BarFormColor));
    ProgressBar->SetCaptionColor(platform::ToQColor(BarTextColor));
    ProgressBar->CancelBtn->setVisible(true);
    PrintingInternal = true;
    ProgressBar->SetDisplayText(QStringLiteral("Printing Report......."));
    if (QWidget *main = MainWindow())
      ProgressBar->move(main->x() + (main->width() - ProgressBar->width()) / 3,
                        main->y() + (main->height() - ProgressBar->height()) / 3);
    ProgressBar->show();
    ProgressBar->UpdateBar(0);
    ProgressPrintObject = this;
    BarShowing = true;
  }

  platform::Canvas *keptCanvas = TheCanvas;
  platform::PrinterDevice &printer = platform::Printer();
  if (BeforePrint) BeforePrint(this);
  const bool begun = printer.BeginDoc(DocumentTitle);
  if (begun) {
    TheCanvas = printer.Canvas();
    CalculateMeasurements();
    if (OnFirstPage) OnFirstPage(this);
    for (int page = first; page <= last; ++page) {
      // The sheet for a page is started only when the page is printed, so a
      // cancel after page n leaves n sheets, not a blank one after them.
      if (page != first && PageFeeding) {
        printer.NewPage();
        SetTopOfPage();
      }
      PrintPage(JobPages->Get(page), page);
      progress += step;
      if (UseProgress && ProgressBar)
        ProgressBar->UpdateBar(static_cast<int>(std::nearbyint(progress)));
      QCoreApplication::processEvents();
      if (!PrintingOK) break;
    }
    if (OnLastPage) OnLastPage(this);
    if (UseProgress && ProgressBar) ProgressBar->UpdateBar(100);
    SetFontAngle(0);
    // Pages already sent are printed also after a cancel.
    printer.EndDoc();
    if (AfterPrint) AfterPrint(this);
  }

  TheCanvas = keptCanvas;
  CloseProgress();
  PreviewMode = true;
  ImagePrinting = false;
  // A cancel stops this pass only: the job itself, and a preview that runs
  // the pass, stay usable.
  PrintingOK = wasActive;
  if (!begun)
    throw std::runtime_error("The printer could not start the document.");
}
