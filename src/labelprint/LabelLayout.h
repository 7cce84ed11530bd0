#pragma once
// Lays label descriptors out four across and seven down on A4 portrait pages
// through a print object, each label with its rules, text lines, barcode
// picture, price, shop name and dotted edges. It needs no window: the label
// print window and the headless batch tool run the same code.
#include <QString>
#include <QStringList>
#include <functional>

#include "print/PrintDrv.h"

namespace barcode {
class TBarCode;
}
namespace platform {
class Picture;
}

namespace labelprint {

// Label cells: 2 in wide, 1.6 in high; 4 columns, 7 rows, 28 to a page.
constexpr int kColumns = 4;
constexpr int kRows = 7;
constexpr int kLabelsPerPage = kColumns * kRows;
// The scratch picture that receives each label's barcode.
constexpr int kScratchWidth = 344;
constexpr int kScratchHeight = 142;

extern const QString kRuleText;  // 18 hyphens, two spaces apart

// Where the parts of one label go, in inches of the page.
struct LabelGeometry {
  double x0, xt, xr, y0;
};
LabelGeometry GeometryOf(int column, int row);

// Raises a to z only; every other character stays as it is.
QString UpperLatin(const QString &text);

// The print object and barcode control settings of label jobs.
void ConfigureLabelPrintObject(TMWPrintObject &printObject);
void ConfigureLabelBarcode(barcode::TBarCode &control);

class LabelLayout {
 public:
  // Job fields, set by the caller before the batch runs.
  QStringList aabb;                                   // descriptors, in print order
  QString Fgongmi = QStringLiteral("Tarvel科技:5550123");  // shop name at each label's foot
  bool FPreview = false;                              // preview before printing
  bool Fbarformated = false;                          // barcode format one
  QString Fjiage;                                     // price line of the label being laid out

  // Components the layout works with; owned by whoever runs it.
  TMWPrintObject *MWPrintObject1 = nullptr;
  barcode::TBarCode *BarCode1 = nullptr;
  platform::Picture *Image2 = nullptr;

  // Called after each label with (labels done, total); may be empty.
  std::function<void(int, int)> OnLabelDone;
  // While the batch runs: the index of the label being laid out; and whether
  // the job could start (no printer, for one, stops it).
  int CurrentLabel = -1;
  bool JobStarted = false;

  // Configures the print object (70 % preview, no print dialog, A4 portrait)
  // and starts the job; false when it could not start.
  bool StartLabelJob();
  // The whole batch: start, every label, finish. A barcode the control
  // refuses raises out of it, with the job left unfinished.
  void RunBatch();
  void WriteLabel(const QStringList &lines, int c, int r);
  // Ends the job: shows the preview, or prints every recorded page.
  virtual void FinishLabelJob();

  // The label's barcode into the scratch picture; false when it has none.
  bool DrawBarcode(const QString &text);

 protected:
  virtual ~LabelLayout() = default;
};

}  // namespace labelprint
