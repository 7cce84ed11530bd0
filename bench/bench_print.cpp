// Replay speed of the print engine: one page of 28 labels (text lines and a
// barcode picture each) drawn into the preview at 100 %, and pages per second
// printed to a 600 dpi PDF file.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "platform/Canvas.h"
#include "platform/PrinterDevice.h"
#include "print/PrintDr1.h"
#include "print/PrintDrv.h"

namespace {
TPicture BarcodePicture() {
  TPicture bars(344, 142, clWhite);
  bars.canvas().SetBrush({clBlack, platform::bsSolid});
  for (int x = 20, i = 0; x < 320; x += 2 + (i % 4), ++i)
    if (i % 2 == 0) bars.canvas().FillRect(QRect(x, 0, 1 + i % 3, 120));
  bars.canvas().End();
  return bars;
}

// Records `pages` pages of 28 labels, 4 across and 7 down, and leaves the
// job ready for replay.
void RecordLabels(TMWPrintObject &po, int pages) {
  po.SetShowProgress(false);
  po.SetShowPrintDialog(false);
  po.SetPaperSize(PAPER_A4);
  po.Start();
  const TPicture bars = BarcodePicture();
  po.SetFontInfo(TFont(QStringLiteral("Noto Sans CJK SC"), 8, 0, clBlack));
  for (int p = 0; p < pages; ++p) {
    if (p > 0) po.NewPage();
    for (int i = 0; i < 28; ++i) {
      const float x = 0.2f + (i % 4) * 2.0f, y = 0.3f + (i / 4) * 1.6f;
      po.DrawTheBox(x, y, x + 1.95f, y + 1.55f, 1);
      po.WriteLine(x + 0.1f, y + 0.05f, QStringLiteral("品名：标签 %1").arg(i));
      po.WriteLine(x + 0.1f, y + 0.2f, QStringLiteral("规格：A-%1").arg(i));
      po.PrintGraphic(x + 0.1f, y + 0.4f, 344 / 96.0f * 0.5f, 142 / 96.0f * 0.5f, bars);
      po.WriteLine(x + 0.1f, y + 1.2f, QStringLiteral("￥12.50"));
    }
  }
  po.DryRun = false;  // recording ends, as at Quit
  JobPages->FirstPage = 1;
  JobPages->LastPage = JobPages->Count();
}
}  // namespace

static void BM_PreviewPageReplay(benchmark::State &state) {
  TMWPrintObject po;
  RecordLabels(po, 1);
  for (auto _ : state) {
    CurrentPreview->ClearDisplayPage();
    po.SetPrnPrinter(DisplayPage);
    po.SetScale(1);
    po.PrintPage(JobPages->Get(1), 1);
    DisplayPage->Canvas().End();
  }
  po.Abort();
}
BENCHMARK(BM_PreviewPageReplay)->Unit(benchmark::kMillisecond);

static void BM_PdfPages600(benchmark::State &state) {
  TMWPrintObject po;
  const int pages = 4;
  RecordLabels(po, pages);
  for (auto _ : state) po.PrintFromPreview();
  state.counters["pages/s"] =
      benchmark::Counter(double(pages) * state.iterations(), benchmark::Counter::kIsRate);
  po.Abort();
}
BENCHMARK(BM_PdfPages600)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // The printer is a 600 dpi PDF file, so that no real printer is needed.
  QTemporaryDir dir;
  platform::SetPrinter(std::make_unique<platform::PdfFileDevice>(
      dir.filePath(QStringLiteral("bench.pdf")), 600, QMarginsF(0.17, 0.17, 0.17, 0.17)));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  platform::SetPrinter(nullptr);
  return 0;
}
