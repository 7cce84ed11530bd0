#pragma once
// The main window: the template tree on the left, the pages "可视设计"
// (design) and "直接编辑" (direct edit) on the right.
#include <QMainWindow>
#include <QStringList>
#include <functional>

#include "platform/DataGrid.h"
#include "platform/Picture.h"

namespace barcode {
class TBarCode;
}

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace store {
class TDataModule2;
}

namespace app {

class TlabedemoForm1 : public QMainWindow {
  Q_OBJECT
 public:
  explicit TlabedemoForm1(store::TDataModule2 &dataModule, QWidget *parent = nullptr);
  ~TlabedemoForm1() override;

  void BuildTemplateTree();
  void TreeView1Click();
  void CenterDesignImage();
  void loadini();

  // Template editor: top-bar "添加", "修改", "删除" and the panel's
  // "确定", "修改", "取消".
  void BitBtn1Click();
  void BitBtn2Click();
  void BitBtn3Click();
  void BitBtn6Click();
  void BitBtn8Click();
  void BitBtn7Click();
  void RenderPanelPreview();
  void CollectPanelValues(QStringList &list) const;

  // Label sketches on the window's pictures.
  void DrawTemplatePicture(const QStringList &lines);
  void DrawEditorPreview();
  void FlatduDBGrid1CellClick(int column);

  // Record grid: "删除" and the descriptors of the marked records.
  void BitBtn14Click();
  void CollectGridLabels(QStringList &list, int defaultCopies);
  // Print commands: "打印预览" and "直接打印" print the marked records,
  // "打印标签" the selected template.
  void BitBtn15Click();
  void BitBtn18Click();
  void BitBtn9Click();

  // Settings, barcode format, help, web page, about box.
  void SettingsClick();
  void FormatChanged();
  void HelpClick();
  void WebClick();
  void AboutClick();
  QString SettingsFile() const;

  // Tree node data: a template node carries the row's ID (its state index)
  // and its TemplateLines.
  static int NodeLevel(const QTreeWidgetItem *node);
  static qint64 NodeId(const QTreeWidgetItem *node);
  static QStringList NodeTemplateLines(const QTreeWidgetItem *node);
  static QStringList MakeTemplateLines(const platform::Query &query);

  // Fields other parts of the window use.
  QStringList FsetAdd;
  QString Fgongmi;

  // Components, named as the window's designer named them.
  QTreeWidget *TreeView1 = nullptr;
  QMenu *TreePopupMenu = nullptr;
  QAction *RefreshAction = nullptr;
  QSplitter *Splitter1 = nullptr;
  QTabWidget *PageControl1 = nullptr;
  QWidget *TabSheet1 = nullptr;  // "可视设计"
  QWidget *TabSheet2 = nullptr;  // "直接编辑"
  QStatusBar *StatusBar1 = nullptr;

  // Design page.
  QPushButton *BitBtn1 = nullptr, *BitBtn2 = nullptr, *BitBtn3 = nullptr, *BitBtn9 = nullptr,
              *BitBtn5 = nullptr;
  QCheckBox *prCheckBox9 = nullptr;
  QLineEdit *prsuEdit11 = nullptr;
  QWidget *Panel1 = nullptr;  // fills the design page under its top bar
  QLabel *Image1 = nullptr;
  platform::Picture Image1Picture{187, 163};  // what Image1 shows
  barcode::TBarCode *BarCode1 = nullptr;      // never visible: draws barcodes onto pictures
  QWidget *Panel3 = nullptr;  // template editor, docked at the bottom
  QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr,
            *Edit5 = nullptr, *Edit6 = nullptr, *Edit7 = nullptr, *Edit8 = nullptr,
            *Edit9 = nullptr;
  QCheckBox *CheckBox1 = nullptr, *CheckBox2 = nullptr, *CheckBox3 = nullptr,
            *CheckBox4 = nullptr, *CheckBox5 = nullptr, *CheckBox6 = nullptr,
            *CheckBox7 = nullptr, *CheckBox8 = nullptr;
  QPushButton *BitBtn6 = nullptr, *BitBtn7 = nullptr, *BitBtn8 = nullptr;

  // Direct-edit page.
  QPushButton *BitBtn14 = nullptr, *BitBtn15 = nullptr, *BitBtn18 = nullptr, *BitBtn4 = nullptr;
  QRadioButton *RadioButton1 = nullptr, *RadioButton2 = nullptr, *RadioButton3 = nullptr,
               *RadioButton4 = nullptr;
  QLineEdit *Edit10 = nullptr;
  platform::DataGrid *FlatduDBGrid1 = nullptr;
  QLabel *Image2 = nullptr;
  platform::Picture Image2Picture{172, 185};  // what Image2 shows
  QLabel *Image3 = nullptr;

  // Menu commands.
  QAction *ExitAction = nullptr, *SettingsAction = nullptr, *HelpAction = nullptr,
          *WebAction = nullptr, *AboutAction = nullptr;

 protected:
  void resizeEvent(QResizeEvent *event) override;
  void showEvent(QShowEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void FormCreate();
  void BuildMenus();
  QWidget *BuildDesignPage();
  QWidget *BuildEditorPanel(QWidget *parent);
  QWidget *BuildDirectEditPage();
  void SetUpGrid();
  void PageChanged(int index);
  // Draws a label sketch of eight TemplateLines-shaped lines onto a picture;
  // prepareBarcode (may be empty) readies BarCode1 before it draws.
  void DrawSketch(platform::Picture &picture, QLabel *image, const QStringList &lines, int textLeft,
                  bool drawBarcode, int barcodeLeft, const std::function<void()> &prepareBarcode);
  void ShowPicture(QLabel *image, const platform::Picture &picture);
  // Human-readable text of BarCode1 by the chosen format.
  void ApplyFormatToBarCode();
  void Select(const QString &sql);
  void Execute(const QString &sql);
  void ConnectCommands();
  void PrintMarkedRecords(bool preview);

  store::TDataModule2 &dm_;
};

// The maker's web page, opened by "访问Tarvel网站".
extern const QString kMakerWebAddress;

// The single main window, set by the program start.
extern TlabedemoForm1 *labedemoForm1;

}  // namespace app
