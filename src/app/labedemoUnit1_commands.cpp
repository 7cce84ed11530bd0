// The main window's commands: template editor, record grid, settings,
// barcode format, help, web page and about box.
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/Artwork.h"
#include "app/labedemoUnit1.h"
#include "app/labelAdUnit1.h"
#include "app/setUnit2.h"
#include "barcode/pBarCode.h"
#include "labelprint/LabelJob.h"
#include "labelprint/prinbarcodeUnit2.h"
#include "platform/Exception.h"
#include "platform/KeyFilter.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramFolder.h"
#include "platform/Shell.h"
#include "store/dataUnit1.h"
#include "store/myinifiles.h"

namespace app {

const QString kMakerWebAddress = QStringLiteral("https://www.tarvel.com.cn/");

namespace {

const QString kPromptCaption = QStringLiteral("提示：");
constexpr int kIdRole = Qt::UserRole;
constexpr int kLinesRole = Qt::UserRole + 1;

// Blanks and control characters off both ends, as names typed into the
// template-name box are stored.
QString TrimBlanks(const QString &text) {
  int begin = 0, end = text.size();
  while (begin < end && text[begin].unicode() <= 0x20) ++begin;
  while (end > begin && text[end - 1].unicode() <= 0x20) --end;
  return text.mid(begin, end - begin);
}

QString Quoted(const QString &value) {
  return QLatin1Char('\'') + platform::SqlText(value) + QLatin1Char('\'');
}

// The copy count of a grid row: a null or non-numeric value stops the job.
// A count typed into a count box.
int CountFromBox(const QLineEdit *box) {
  bool ok = false;
  const int n = box->text().trimmed().toInt(&ok);
  if (!ok)
    throw platform::Exception(QStringLiteral("'%1' is not a valid integer value").arg(box->text()));
  return n;
}

// One job holds at most this many labels (3,572 sheets): a mistyped count
// must not lock the program up building millions of labels.
constexpr qint64 kMaxLabelsPerJob = 100000;

void AddCopies(QStringList &list, const QString &descriptor, qint64 copies) {
  if (copies <= 0) return;
  if (list.size() + copies > kMaxLabelsPerJob)
    throw platform::Exception(
        QStringLiteral("打印数量太多：一次最多打印 %1 张标签。").arg(kMaxLabelsPerJob));
  for (qint64 i = 0; i < copies; ++i) list << descriptor;
}

qint64 CopyCount(const platform::Query &q) {
  const QVariant v = q.Value(QStringLiteral("printzan"));
  if (v.isNull() || !v.isValid())
    throw platform::Exception(
        QStringLiteral("Could not convert variant of type (Null) into type (Integer)"));
  bool ok = false;
  const qint64 n = v.toString().trimmed().toLongLong(&ok);
  if (!ok)
    throw platform::Exception(QStringLiteral("'%1' is not a valid integer value").arg(v.toString()));
  return n;
}

}  // namespace

void TlabedemoForm1::ConnectCommands() {
  auto guarded = [this](void (TlabedemoForm1::*handler)()) {
    return [this, handler] { platform::RunGuarded([this, handler] { (this->*handler)(); }); };
  };
  connect(BitBtn1, &QPushButton::clicked, this, guarded(&TlabedemoForm1::BitBtn1Click));
  connect(BitBtn2, &QPushButton::clicked, this, guarded(&TlabedemoForm1::BitBtn2Click));
  connect(BitBtn3, &QPushButton::clicked, this, guarded(&TlabedemoForm1::BitBtn3Click));
  connect(BitBtn6, &QPushButton::clicked, this, guarded(&TlabedemoForm1::BitBtn6Click));
  connect(BitBtn8, &QPushButton::clicked, this, guarded(&TlabedemoForm1::BitBtn8Click));
  connect(BitBtn7, &QPushButton::clicked, this, guarded(&TlabedemoForm1::BitBtn7Click));
  for (QCheckBox *box : {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6, CheckBox7,
                         CheckBox8})
    connect(box, &QCheckBox::clicked, this, guarded(&TlabedemoForm1::RenderPanelPreview));
  connect(BitBtn14, &QPushButton::clicked, this, guarded(&TlabedemoForm1::BitBtn14Click));
  connect(BitBtn15, &QPushButton::clicked, this, guarded(&TlabedemoForm1::BitBtn15Click));
  connect(BitBtn18, &QPushButton::clicked, this, guarded(&TlabedemoForm1::BitBtn18Click));
  connect(BitBtn9, &QPushButton::clicked, this, guarded(&TlabedemoForm1::BitBtn9Click));
  connect(FlatduDBGrid1, &platform::DataGrid::CellClick, this,
          [this](int column) { FlatduDBGrid1CellClick(column); });

  // The format handler runs when a button becomes chosen, not on a click on
  // the one already chosen.
  for (QRadioButton *button : {RadioButton3, RadioButton4})
    connect(button, &QRadioButton::toggled, this, [this](bool on) {
      if (on) platform::RunGuarded([this] { FormatChanged(); });
    });

  connect(SettingsAction, &QAction::triggered, this, guarded(&TlabedemoForm1::SettingsClick));
  connect(HelpAction, &QAction::triggered, this, guarded(&TlabedemoForm1::HelpClick));
  connect(BitBtn4, &QPushButton::clicked, this, guarded(&TlabedemoForm1::HelpClick));
  connect(BitBtn5, &QPushButton::clicked, this, guarded(&TlabedemoForm1::HelpClick));
  connect(WebAction, &QAction::triggered, this, guarded(&TlabedemoForm1::WebClick));
  connect(AboutAction, &QAction::triggered, this, guarded(&TlabedemoForm1::AboutClick));
  Image3->installEventFilter(this);

  // Edit9 takes barcode characters only; Edit10 a whole number.
  platform::InstallKeyFilter(Edit9, [](QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
  });
  platform::InstallKeyFilter(Edit10,
                             [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

void TlabedemoForm1::Execute(const QString &sql) {
  dm_.labelZQuery1.Close();
  dm_.labelZQuery1.SetSQL(sql);
  dm_.labelZQuery1.ExecSQL();
}

// --- template editor --------------------------------------------------------

void TlabedemoForm1::BitBtn1Click() {
  QTreeWidgetItem *node = TreeView1->currentItem();
  if (!node) return;
  BitBtn8->hide();
  BitBtn6->show();
  switch (NodeLevel(node)) {
    case 0: {
      QString name;
      if (AskText(this, QStringLiteral("请输入分类："), name) && !name.isEmpty()) {
        // Not stored: a category exists in the table once a template is added under it.
        auto *category = new QTreeWidgetItem(node, QStringList{name});
        category->setIcon(0, TreeImage(0));
      }
      break;
    }
    case 1: {
      QString name;
      if (AskText(this, QStringLiteral("请输入模板名："), name) && !name.isEmpty()) {
        Panel3->show();
        BitBtn1->setEnabled(false);
        Edit1->setText(name);
      }
      break;
    }
    default:
      Panel3->show();
      BitBtn1->setEnabled(false);
      break;
  }
  CenterDesignImage();
}

void TlabedemoForm1::BitBtn2Click() {
  QTreeWidgetItem *node = TreeView1->currentItem();
  if (!node) return;
  BitBtn8->show();
  BitBtn6->hide();
  const int level = NodeLevel(node);
  if (level == 1) {
    const QString oldName = node->text(0);
    QString name = oldName;
    if (AskText(this, QStringLiteral("请输入模板名："), name) && !name.isEmpty()) {
      node->setText(0, name);
      Execute(QStringLiteral("Update Labeldemo set bintype='") + platform::SqlText(name) +
              QStringLiteral("'") + QStringLiteral(" where bintype=") + Quoted(oldName));
    }
  } else if (level == 2) {
    Panel3->show();
    BitBtn2->setEnabled(false);
  }
  CenterDesignImage();
}

void TlabedemoForm1::BitBtn3Click() {
  QTreeWidgetItem *node = TreeView1->currentItem();
  if (!node) return;
  const int level = NodeLevel(node);
  if (level == 0) return;
  if (!platform::Confirm(QStringLiteral("删除将不能恢复!!"), kPromptCaption)) return;
  if (level == 1)
    Execute(QStringLiteral("delete from Labeldemo where bintype=") + Quoted(node->text(0)));
  else
    Execute(QStringLiteral("delete from Labeldemo where ID=") + QString::number(NodeId(node)));
  delete node;
}

void TlabedemoForm1::CollectPanelValues(QStringList &list) const {
  list.clear();
  const std::pair<const QCheckBox *, const QLineEdit *> boxes[] = {
      {CheckBox8, Edit9}, {CheckBox1, Edit2}, {CheckBox2, Edit4}, {CheckBox3, Edit5},
      {CheckBox4, Edit3}, {CheckBox5, Edit7}, {CheckBox6, Edit8}, {CheckBox7, Edit6}};
  for (const auto &[check, edit] : boxes)
    list << (check->isChecked() ? edit->text() : QStringLiteral("-"));
}

void TlabedemoForm1::RenderPanelPreview() {
  QStringList values;
  CollectPanelValues(values);
  static const char *const keys[] = {"barcode", "labdi", "cbiho", "cName",
                                     "cxinho",  "danwei", "candi", "danjain"};
  FsetAdd.clear();
  for (int i = 0; i < 8; ++i) FsetAdd << QString::fromLatin1(keys[i]) + QLatin1Char('=') + values[i];
  DrawEditorPreview();
}

void TlabedemoForm1::BitBtn6Click() {
  Panel3->hide();
  BitBtn1->setEnabled(true);
  RenderPanelPreview();
  QTreeWidgetItem *node = TreeView1->currentItem();
  const int level = NodeLevel(node);
  if (node && (level == 1 || level == 2)) {
    QTreeWidgetItem *parent = level == 1 ? node : node->parent();
    const QString category = parent->text(0);
    const QString name = TrimBlanks(Edit1->text());
    try {
      const QStringList lines = FsetAdd;
      FsetAdd.clear();
      QStringList values;
      CollectPanelValues(values);
      QStringList quoted{category, values[0], values[1], values[2], values[3], values[4],
                         values[5], values[6], name, values[7]};
      for (QString &v : quoted) v = platform::SqlText(v);
      Execute(QStringLiteral("insert into Labeldemo(bintype,barcode,labdi,cbiho,cName,cxinho,"
                             "danwei,candi,demoName,danjain) values ('") +
              quoted.join(QStringLiteral("','")) + QStringLiteral("')"));
      Select(QStringLiteral("select last_insert_rowid() as bb1 from Labeldemo"));
      dm_.labelZQuery1.First();
      const qint64 id = dm_.labelZQuery1.AsInteger(QStringLiteral("bb1"));
      auto *added = new QTreeWidgetItem(parent, QStringList{name});
      added->setIcon(0, TreeImage(1));
      added->setData(0, kIdRole, id);
      added->setData(0, kLinesRole, lines);
    } catch (const std::exception &) {
      platform::ShowMessage(QStringLiteral("加入失败，可能是条形码有了。"), kPromptCaption);
    }
  }
  CenterDesignImage();
}

void TlabedemoForm1::BitBtn8Click() {
  Panel3->hide();
  BitBtn1->setEnabled(true);
  RenderPanelPreview();
  QTreeWidgetItem *node = TreeView1->currentItem();
  if (node && NodeLevel(node) == 2) {
    const QString category = node->parent()->text(0);
    const QString name = TrimBlanks(Edit1->text());
    node->setText(0, name);
    node->setData(0, kLinesRole, FsetAdd);
    FsetAdd.clear();
    QStringList values;
    CollectPanelValues(values);
    static const char *const columns[] = {"barcode", "labdi",  "cbiho",    "cName",  "cxinho",
                                          "danwei",  "candi", "demoName", "danjain"};
    const QString columnValues[] = {values[0], values[1], values[2], values[3], values[4],
                                    values[5], values[6], name,      values[7]};
    QString sql = QStringLiteral("Update Labeldemo set bintype=") + Quoted(category);
    for (int i = 0; i < 9; ++i)
      sql += QLatin1Char(',') + QString::fromLatin1(columns[i]) + QLatin1Char('=') +
             Quoted(columnValues[i]);
    sql += QStringLiteral(" where ID=") + QString::number(NodeId(node));
    Execute(sql);
  }
  CenterDesignImage();
}

void TlabedemoForm1::BitBtn7Click() {
  Panel3->hide();
  BitBtn1->setEnabled(true);
  CenterDesignImage();
}

// --- record grid --------------------------------------------------------------

void TlabedemoForm1::BitBtn14Click() {
  if (!platform::Confirm(QStringLiteral("删除将不能恢复!!"), kPromptCaption)) return;
  dm_.labelZQuery1.Delete();
}

void TlabedemoForm1::CollectGridLabels(QStringList &list, int defaultCopies) {
  platform::Query &q = dm_.labelZQuery1;
  for (; !q.Eof(); q.Next()) {
    if (!q.AsBoolean(QStringLiteral("yesprn"))) continue;
    QStringList lines;
    for (const char *column : {"labdi", "cbiho", "cName", "cxinho", "danwei", "candi"})
      lines << q.AsString(QString::fromLatin1(column));
    const QString s = labelprint::GridDescriptor(
        q.AsString(QStringLiteral("barcode")), q.IsNull(QStringLiteral("barcode")), lines,
        q.AsString(QStringLiteral("danjain")));
    const qint64 printzan = CopyCount(q);
    AddCopies(list, s, printzan > 0 ? printzan : defaultCopies);
    q.Edit();
    q.SetValue(QStringLiteral("yesprn"), false);
    q.Post();
  }
}

// --- print commands -------------------------------------------------------------

void TlabedemoForm1::PrintMarkedRecords(bool preview) {
  // The count is read first: a bad one stops the command before anything changes.
  const int defaultCopies = RadioButton1->isChecked() ? 1 : CountFromBox(Edit10);
  labelprint::TpribarcodeForm2 form(this);
  form.Fgongmi = Fgongmi;
  form.FPreview = preview;
  // Every print command prints in the chosen format, so that a label printed
  // straight away looks like its preview.
  form.Fbarformated = RadioButton3->isChecked();
  platform::Query &q = dm_.labelZQuery1;
  q.First();
  q.DisableControls();
  try {
    CollectGridLabels(form.aabb, defaultCopies);
  } catch (...) {
    // The grid shows and follows its rows again whatever happened.
    q.First();
    q.EnableControls();
    throw;
  }
  q.First();
  q.EnableControls();
  form.exec();
}

void TlabedemoForm1::BitBtn15Click() { PrintMarkedRecords(true); }

void TlabedemoForm1::BitBtn18Click() { PrintMarkedRecords(false); }

void TlabedemoForm1::BitBtn9Click() {
  QTreeWidgetItem *node = TreeView1->currentItem();
  if (!node || NodeLevel(node) != 2) return;
  const int count = CountFromBox(prsuEdit11);
  labelprint::TpribarcodeForm2 form(this);
  form.Fgongmi = Fgongmi;
  form.FPreview = true;
  AddCopies(form.aabb, labelprint::TemplateDescriptor(NodeTemplateLines(node)), count);
  form.FPreview = prCheckBox9->isChecked();
  form.Fbarformated = RadioButton3->isChecked();
  form.exec();
}

// --- settings, format, help, web page, about -----------------------------------

QString TlabedemoForm1::SettingsFile() const { return store::SettingsFilePath(dm_.ProgramFolder()); }

void TlabedemoForm1::SettingsClick() {
  {
    TsetForm2 dialog(SettingsFile(), this);
    dialog.exec();
  }
  loadini();
}

void TlabedemoForm1::FormatChanged() {
  const QString kept = BarCode1->BarCode();
  BarCode1->SetBarCode(QString());
  {
    store::TMyIniFile ini(SettingsFile());
    ini.WriteBool(store::kSettingsSection, store::kBarFormatKey, RadioButton3->isChecked());
  }
  ApplyFormatToBarCode();
  BarCode1->SetBarCode(kept);  // drawn anew with the new text position
}

void TlabedemoForm1::HelpClick() {
  // The help file stays beside the program, wherever the data is kept.
  platform::ShellOpen(platform::ProgramFolder() + QStringLiteral("help.html"));
}

void TlabedemoForm1::WebClick() { platform::ShellOpen(kMakerWebAddress); }

void TlabedemoForm1::AboutClick() {
  QDialog about(this);
  about.setWindowTitle(QStringLiteral("关于...."));
  about.setFixedSize(396, 225);
  auto *picture = new QLabel(&about);
  picture->setGeometry(12, 12, 91, 98);
  auto *name = new QLabel(QStringLiteral("Tarvel标签打印 \nV1.3"), &about);
  name->setGeometry(12, 116, 89, 65);
  name->setAlignment(Qt::AlignCenter);
  name->setWordWrap(true);
  name->setStyleSheet(QStringLiteral("color: blue;"));
  auto *contact = new QLabel(QStringLiteral("Tarvel科技\n电话：5550123\n网址：") + kMakerWebAddress,
                             &about);
  contact->setGeometry(120, 78, 262, 69);
  contact->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
  auto *close = new QPushButton(QStringLiteral("取消"), &about);
  close->setGeometry(396 / 2 - 40, 225 - 36, 80, 26);
  connect(close, &QPushButton::clicked, &about, &QDialog::reject);
  about.exec();
}

}  // namespace app
