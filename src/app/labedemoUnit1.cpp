#include "app/labedemoUnit1.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/Artwork.h"
#include "barcode/pBarCode.h"
#include "platform/MessageBoxes.h"
#include "store/dataUnit1.h"
#include "store/myinifiles.h"

namespace app {

TlabedemoForm1 *labedemoForm1 = nullptr;

namespace {

constexpr int kIdRole = Qt::UserRole;              // the node's state index: the row's ID
constexpr int kLinesRole = Qt::UserRole + 1;       // the node's TemplateLines
const QString kRootText = QStringLiteral("标签模板");
const QString kTitle = QStringLiteral("Tarvel标签打印 V1.3");

QPushButton *Button(const QString &caption, QWidget *parent) {
  auto *b = new QPushButton(caption, parent);
  b->setMinimumWidth(60);
  return b;
}

QWidget *TopBar(int height, QWidget *parent) {
  auto *bar = new QWidget(parent);
  bar->setFixedHeight(height);
  return bar;
}

}  // namespace

TlabedemoForm1::TlabedemoForm1(store::TDataModule2 &dataModule, QWidget *parent)
    : QMainWindow(parent), dm_(dataModule) {
  setFont(QFont(QStringLiteral("Tahoma"), 8));
  BuildMenus();

  StatusBar1 = new QStatusBar(this);
  for (int width : {150, 300, 150, 60}) {
    auto *panel = new QLabel(StatusBar1);
    panel->setFixedWidth(width);
    StatusBar1->addWidget(panel);
  }
  setStatusBar(StatusBar1);

  Splitter1 = new QSplitter(Qt::Horizontal, this);
  TreeView1 = new QTreeWidget(Splitter1);
  TreeView1->setHeaderHidden(true);
  TreeView1->setIndentation(23);
  TreeView1->setIconSize(QSize(20, 20));
  TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
  {  // the selection stays visible when the tree loses focus
    QPalette pal = TreeView1->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 pal.color(QPalette::Active, QPalette::HighlightedText));
    TreeView1->setPalette(pal);
  }
  TreeView1->setContextMenuPolicy(Qt::CustomContextMenu);
  TreePopupMenu = new QMenu(TreeView1);
  RefreshAction = TreePopupMenu->addAction(QStringLiteral("刷新"));
  connect(RefreshAction, &QAction::triggered, this,
          [this] { platform::RunGuarded([this] { BuildTemplateTree(); }); });
  connect(TreeView1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint &pos) { TreePopupMenu->popup(TreeView1->viewport()->mapToGlobal(pos)); });
  connect(TreeView1, &QTreeWidget::itemClicked, this,
          [this] { platform::RunGuarded([this] { TreeView1Click(); }); });

  PageControl1 = new QTabWidget(Splitter1);
  TabSheet1 = BuildDesignPage();
  TabSheet2 = BuildDirectEditPage();
  PageControl1->addTab(TabSheet1, QStringLiteral("可视设计"));
  PageControl1->addTab(TabSheet2, QStringLiteral("直接编辑"));
  connect(PageControl1, &QTabWidget::currentChanged, this, &TlabedemoForm1::PageChanged);

  Splitter1->addWidget(TreeView1);
  Splitter1->addWidget(PageControl1);
  Splitter1->setStretchFactor(0, 0);
  Splitter1->setStretchFactor(1, 1);
  Splitter1->setSizes({156, 892 - 156});
  setCentralWidget(Splitter1);

  resize(892, 566 + menuBar()->sizeHint().height());
  if (QScreen *screen = this->screen())
    move(screen->availableGeometry().center() - rect().center());

  ConnectCommands();
  FormCreate();
}

TlabedemoForm1::~TlabedemoForm1() {
  // FormDestroy: the editor's list and every node's TemplateLines go with the tree.
  FsetAdd.clear();
  TreeView1->clear();
  if (labedemoForm1 == this) labedemoForm1 = nullptr;
}

void TlabedemoForm1::BuildMenus() {
  QMenu *file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
  ExitAction = file->addAction(QStringLiteral("退出"));
  connect(ExitAction, &QAction::triggered, this, &QWidget::close);

  QMenu *settings = menuBar()->addMenu(QStringLiteral("设置系统(&S)"));
  SettingsAction = settings->addAction(QStringLiteral("设置系统"));

  QMenu *help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
  HelpAction = help->addAction(QStringLiteral("帮助"));
  help->addSeparator();
  WebAction = help->addAction(QStringLiteral("访问Tarvel网站"));
  help->addSeparator();
  AboutAction = help->addAction(QStringLiteral("关于..."));
}

QWidget *TlabedemoForm1::BuildDesignPage() {
  auto *page = new QWidget;
  auto *layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  QWidget *bar = TopBar(33, page);
  auto *row = new QHBoxLayout(bar);
  row->setContentsMargins(4, 2, 4, 2);
  BitBtn1 = Button(QStringLiteral("添加"), bar);
  BitBtn2 = Button(QStringLiteral("修改"), bar);
  BitBtn2->setEnabled(false);
  BitBtn3 = Button(QStringLiteral("删除"), bar);
  BitBtn9 = Button(QStringLiteral("打印标签"), bar);
  prCheckBox9 = new QCheckBox(QStringLiteral("打印预览"), bar);
  prCheckBox9->setChecked(true);
  prsuEdit11 = new QLineEdit(QStringLiteral("1"), bar);
  prsuEdit11->setFixedWidth(40);
  BitBtn5 = Button(QStringLiteral("帮助"), bar);
  for (QWidget *w : {static_cast<QWidget *>(BitBtn1), static_cast<QWidget *>(BitBtn2),
                     static_cast<QWidget *>(BitBtn3), static_cast<QWidget *>(BitBtn9),
                     static_cast<QWidget *>(prCheckBox9)})
    row->addWidget(w);
  row->addWidget(new QLabel(QStringLiteral("打印数量："), bar));
  row->addWidget(prsuEdit11);
  row->addWidget(new QLabel(QStringLiteral("张"), bar));
  row->addWidget(BitBtn5);
  row->addStretch(1);
  layout->addWidget(bar);

  // The panel fills the rest of the page; the design picture sits at a place
  // of its own (CenterDesignImage), the editor panel docks at the bottom.
  Panel1 = new QWidget(page);
  auto *panelLayout = new QVBoxLayout(Panel1);
  panelLayout->setContentsMargins(0, 0, 0, 0);
  panelLayout->addStretch(1);
  Image1 = new QLabel(Panel1);
  Image1->setFixedSize(187, 163);
  Image1Picture.SetImage(DecorativePicture(187, 163).toImage());
  ShowPicture(Image1, Image1Picture);
  BarCode1 = new barcode::TBarCode(Panel1);
  BarCode1->hide();
  BarCode1->SetDrawOnly(true);
  BarCode1->SetBevelOuter(platform::bvNone);
  BarCode1->font().SetName(QStringLiteral("Tahoma"));
  BarCode1->font().SetHeight(-12);
  BarCode1->SetModul(1);
  BarCode1->SetRatio(2.0);
  BarCode1->SetTextShow(barcode::tsBarCode);
  BarCode1->SetBarType(barcode::bcCodeEAN13);
  BarCode1->SetBarCode(QStringLiteral("123456789"));
  Panel3 = BuildEditorPanel(Panel1);
  panelLayout->addWidget(Panel3);
  Panel3->hide();
  layout->addWidget(Panel1, 1);
  return page;
}

QWidget *TlabedemoForm1::BuildEditorPanel(QWidget *parent) {
  auto *panel = new QWidget(parent);
  panel->setFixedHeight(163);
  auto *grid = new QGridLayout(panel);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setVerticalSpacing(2);

  auto edit = [panel](const QString &text) { return new QLineEdit(text, panel); };
  auto check = [panel](const QString &caption) { return new QCheckBox(caption, panel); };

  Edit1 = edit(QStringLiteral("模板1"));
  CheckBox1 = check(QStringLiteral("第一行"));
  Edit2 = edit(QStringLiteral("标题：Tarvel销售单"));
  CheckBox2 = check(QStringLiteral("第二行"));
  Edit4 = edit(QStringLiteral("编号：001"));
  CheckBox3 = check(QStringLiteral("第三行"));
  Edit5 = edit(QStringLiteral("品名：台式电脑"));
  CheckBox7 = check(QStringLiteral("最后行"));
  Edit6 = edit(QStringLiteral("单价：3元"));
  CheckBox4 = check(QStringLiteral("第四行"));
  Edit3 = edit(QStringLiteral("型号：ddd-98sw"));
  CheckBox5 = check(QStringLiteral("第五行"));
  Edit7 = edit(QStringLiteral("单位：台"));
  CheckBox6 = check(QStringLiteral("第六行"));
  Edit8 = edit(QStringLiteral("产地：中国"));
  CheckBox8 = check(QStringLiteral("是否打条码"));
  Edit9 = edit(QStringLiteral("209473643"));
  CheckBox8->setChecked(true);

  grid->addWidget(new QLabel(QStringLiteral("模板名称："), panel), 0, 0);
  grid->addWidget(Edit1, 0, 1);
  grid->addWidget(CheckBox1, 1, 0);
  grid->addWidget(Edit2, 1, 1);
  grid->addWidget(CheckBox2, 2, 0);
  grid->addWidget(Edit4, 2, 1);
  grid->addWidget(CheckBox3, 3, 0);
  grid->addWidget(Edit5, 3, 1);
  grid->addWidget(CheckBox7, 4, 0);
  grid->addWidget(Edit6, 4, 1);
  grid->addWidget(CheckBox4, 1, 2);
  grid->addWidget(Edit3, 1, 3);
  grid->addWidget(CheckBox5, 2, 2);
  grid->addWidget(Edit7, 2, 3);
  grid->addWidget(CheckBox6, 3, 2);
  grid->addWidget(Edit8, 3, 3);
  grid->addWidget(CheckBox8, 4, 2);
  grid->addWidget(Edit9, 4, 3);

  auto *buttons = new QVBoxLayout;
  BitBtn6 = Button(QStringLiteral("确定"), panel);
  BitBtn8 = Button(QStringLiteral("修改"), panel);
  BitBtn8->hide();
  BitBtn7 = Button(QStringLiteral("取消"), panel);
  buttons->addWidget(BitBtn6);
  buttons->addWidget(BitBtn8);
  buttons->addWidget(BitBtn7);
  buttons->addStretch(1);
  grid->addLayout(buttons, 0, 4, 5, 1);
  return panel;
}

QWidget *TlabedemoForm1::BuildDirectEditPage() {
  auto *page = new QWidget;
  auto *layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  QWidget *bar = TopBar(63, page);
  auto *row = new QHBoxLayout(bar);
  row->setContentsMargins(4, 2, 4, 2);
  BitBtn14 = Button(QStringLiteral("删除"), bar);
  BitBtn15 = Button(QStringLiteral("打印预览"), bar);
  BitBtn18 = Button(QStringLiteral("直接打印"), bar);
  row->addWidget(BitBtn14);
  row->addWidget(BitBtn15);
  row->addWidget(BitBtn18);

  auto *copies = new QGroupBox(bar);
  auto *copiesRow = new QHBoxLayout(copies);
  RadioButton1 = new QRadioButton(QStringLiteral("每种只打印一张"), copies);
  RadioButton2 = new QRadioButton(QStringLiteral("每种打印"), copies);
  RadioButton1->setChecked(true);
  Edit10 = new QLineEdit(QStringLiteral("10"), copies);
  Edit10->setFixedWidth(40);
  copiesRow->addWidget(RadioButton1);
  copiesRow->addWidget(RadioButton2);
  copiesRow->addWidget(Edit10);
  row->addWidget(copies);

  BitBtn4 = Button(QStringLiteral("帮助"), bar);
  row->addWidget(BitBtn4);

  auto *format = new QGroupBox(bar);
  auto *formatRow = new QHBoxLayout(format);
  formatRow->addWidget(new QLabel(QStringLiteral("条形码格式："), format));
  RadioButton3 = new QRadioButton(QStringLiteral("格式一"), format);
  RadioButton4 = new QRadioButton(QStringLiteral("格式二"), format);
  RadioButton3->setChecked(true);
  formatRow->addWidget(RadioButton3);
  formatRow->addWidget(RadioButton4);
  row->addWidget(format);
  row->addStretch(1);
  layout->addWidget(bar);

  FlatduDBGrid1 = new platform::DataGrid(page);
  layout->addWidget(FlatduDBGrid1, 1);

  auto *bottom = new QWidget(page);
  bottom->setFixedHeight(185);
  auto *bottomRow = new QHBoxLayout(bottom);
  bottomRow->setContentsMargins(0, 0, 0, 0);
  Image2 = new QLabel(bottom);
  Image2->setFixedWidth(172);
  Image2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Image3 = new QLabel(bottom);
  Image3->setFixedWidth(473);
  Image3->setScaledContents(true);
  Image3->setPixmap(BannerPicture(473, 185));
  Image3->setCursor(Qt::PointingHandCursor);
  bottomRow->addWidget(Image2);
  bottomRow->addStretch(1);
  bottomRow->addWidget(Image3);
  layout->addWidget(bottom);
  return page;
}

void TlabedemoForm1::SetUpGrid() {
  FlatduDBGrid1->Bind(&dm_.labelZQuery1,
                      {{QStringLiteral("打印"), QStringLiteral("yesprn"), 39, true},
                       {QStringLiteral("打印数量"), QStringLiteral("printzan"), 50},
                       {QStringLiteral("模板名"), QStringLiteral("demoName"), 100},
                       {QStringLiteral("条形码数据"), QStringLiteral("barcode"), 94},
                       {QStringLiteral("标题(第一行)"), QStringLiteral("labdi"), 105},
                       {QStringLiteral("编号(第二行)"), QStringLiteral("cbiho"), 100},
                       {QStringLiteral("品名(第三行)"), QStringLiteral("cName"), 102},
                       {QStringLiteral("型号(第四行)"), QStringLiteral("cxinho"), 102},
                       {QStringLiteral("单位(第五行)"), QStringLiteral("danwei"), 101},
                       {QStringLiteral("产地(第六行)"), QStringLiteral("candi"), 84},
                       {QStringLiteral("单价(最后行)"), QStringLiteral("danjain"), 53}});
  FlatduDBGrid1->SetFooter({{QStringLiteral("小计"), QString(), QString()},
                            {QString(), QStringLiteral("printzan"), QStringLiteral(" 张")}},
                           Qt::yellow);
  FlatduDBGrid1->SetRowColors(QColor(236, 236, 255), QColor(223, 223, 255));
}

void TlabedemoForm1::FormCreate() {
  FsetAdd.clear();
  PageControl1->setCurrentIndex(0);
  SetUpGrid();
  platform::RunGuarded([this] { BuildTemplateTree(); });
  platform::RunGuarded([this] { loadini(); });
  setWindowTitle(kTitle);
}

void TlabedemoForm1::Select(const QString &sql) {
  dm_.labelZQuery1.Close();
  dm_.labelZQuery1.SetSQL(sql);
  dm_.labelZQuery1.Open();
}

int TlabedemoForm1::NodeLevel(const QTreeWidgetItem *node) {
  int level = 0;
  for (const QTreeWidgetItem *p = node ? node->parent() : nullptr; p; p = p->parent()) ++level;
  return level;
}

qint64 TlabedemoForm1::NodeId(const QTreeWidgetItem *node) {
  return node ? node->data(0, kIdRole).toLongLong() : 0;
}

QStringList TlabedemoForm1::NodeTemplateLines(const QTreeWidgetItem *node) {
  return node ? node->data(0, kLinesRole).toStringList() : QStringList();
}

QStringList TlabedemoForm1::MakeTemplateLines(const platform::Query &q) {
  QStringList lines;
  lines << (q.IsNull(QStringLiteral("barcode"))
                ? QStringLiteral("34534d3rt")
                : QStringLiteral("barcode=") + q.AsString(QStringLiteral("barcode")));
  for (const char *column : {"labdi", "cbiho", "cName", "cxinho", "danwei", "candi", "danjain"}) {
    const QString name = QString::fromLatin1(column);
    lines << (q.IsNull(name) ? QString() : name + QLatin1Char('=') + q.AsString(name));
  }
  return lines;
}

void TlabedemoForm1::BuildTemplateTree() {
  TreeView1->clear();
  auto *root = new QTreeWidgetItem(TreeView1, QStringList{kRootText});
  root->setIcon(0, TreeImage(0));

  platform::Query &q = dm_.labelZQuery1;
  Select(QStringLiteral("select  * from Labeldemo  group by bintype"));
  QStringList categories;
  for (q.First(); !q.Eof(); q.Next()) categories << q.AsString(QStringLiteral("bintype"));

  for (const QString &name : categories) {
    Select(QStringLiteral("select  * from Labeldemo where bintype='") + platform::SqlText(name) +
           QLatin1Char('\''));
    auto *category = new QTreeWidgetItem(root, QStringList{name});
    category->setIcon(0, TreeImage(0));
    for (q.First(); !q.Eof(); q.Next()) {
      auto *node = new QTreeWidgetItem(category, QStringList{q.AsString(QStringLiteral("demoName"))});
      node->setData(0, kLinesRole, MakeTemplateLines(q));
      node->setIcon(0, TreeImage(1));
      node->setData(0, kIdRole, q.AsInteger(QStringLiteral("ID")));
    }
  }
  root->setExpanded(true);
}

void TlabedemoForm1::TreeView1Click() {
  QTreeWidgetItem *node = TreeView1->currentItem();
  if (!node) return;
  BitBtn2->setEnabled(false);
  switch (NodeLevel(node)) {
    case 0:
      Select(QStringLiteral("select * from Labeldemo"));
      Panel3->hide();
      BitBtn1->setEnabled(true);
      break;
    case 1:
      Select(QStringLiteral("select * from Labeldemo where bintype='") +
             platform::SqlText(node->text(0)) + QLatin1Char('\''));
      break;
    default:
      BitBtn2->setEnabled(true);
      DrawTemplatePicture(NodeTemplateLines(node));
      break;
  }
}

void TlabedemoForm1::CenterDesignImage() {
  const int w = PageControl1->width();
  const int h = PageControl1->height();
  const int left = w / 2 - Image1->width() / 2;
  const int top = Panel3->isHidden() ? h / 2 - Image1->height()
                                     : h / 2 - Image1->height() / 2 - Panel3->height();
  Image1->move(left, top);
}

void TlabedemoForm1::loadini() {
  {
    store::TMyIniFile ini(store::SettingsFilePath(dm_.ProgramFolder()));
    Fgongmi = ini.ReadString(store::kSettingsSection, store::kShopNameKey, store::kDefaultShopName);
    if (ini.ReadBool(store::kSettingsSection, store::kBarFormatKey, true))
      RadioButton3->setChecked(true);
    else
      RadioButton4->click();  // counts as the user's choice of format two
  }  // closing the file writes it back
  ApplyFormatToBarCode();
}

void TlabedemoForm1::ApplyFormatToBarCode() {
  BarCode1->SetTextPosition(RadioButton3->isChecked() ? barcode::tpBottomLeft
                                                      : barcode::tpBottomCenter);
}

void TlabedemoForm1::PageChanged(int index) {
  if (index == 0)
    TreeView1->setVisible(true);
  else
    platform::RunGuarded([this] { TreeView1Click(); });
}

void TlabedemoForm1::resizeEvent(QResizeEvent *event) {
  QMainWindow::resizeEvent(event);
  CenterDesignImage();
}

bool TlabedemoForm1::eventFilter(QObject *watched, QEvent *event) {
  if (watched == Image3 && event->type() == QEvent::MouseButtonRelease)
    platform::RunGuarded([this] { WebClick(); });
  return QMainWindow::eventFilter(watched, event);
}

void TlabedemoForm1::showEvent(QShowEvent *event) {
  QMainWindow::showEvent(event);
  // FormShow: come to the front of the desktop.
  raise();
  activateWindow();
  CenterDesignImage();
}

}  // namespace app
