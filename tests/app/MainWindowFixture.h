#pragma once
// A main window on a real keyed database in a temporary program folder, with
// message boxes and the desktop's "open" recorded instead of shown.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <memory>

#include "app/labedemoUnit1.h"
#include "app/labelAdUnit1.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"
#include "store/dataUnit1.h"

using app::TlabedemoForm1;


// Answers the next modal dialog from the event loop, as a person would.
template <typename Dialog>
void AnswerNext(std::function<void(Dialog *)> answer) {
  QTimer::singleShot(0, [answer] {
    auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr) << "no modal dialog of the expected kind";
    answer(dialog);
  });
}

void AnswerText(const QString &text, bool ok = true) {
  AnswerNext<app::TlabelAdForm1>([text, ok](app::TlabelAdForm1 *d) {
    d->Edit1->setText(text);
    (ok ? d->BitBtn1 : d->BitBtn2)->click();
  });
}

class MainWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = dir.path() + "/";
    previous = platform::SetBoxHandler([this](const platform::BoxRequest &r) {
      boxes << r.caption + "|" + r.text;
      return answerNo ? platform::BoxAnswer::No : platform::BoxAnswer::Yes;
    });
    platform::SetShellHandler([this](const QString &t) { opened << t; });
    Restart();
  }
  void TearDown() override {
    window.reset();
    dm.reset();
    platform::SetBoxHandler(previous);
    platform::SetShellHandler({});
  }
  void Restart() {
    window.reset();
    dm.reset();
    dm = std::make_unique<store::TDataModule2>(folder);
    dm->DataModuleCreate();
    window = std::make_unique<TlabedemoForm1>(*dm);
  }
  QTreeWidgetItem *Root() { return window->TreeView1->topLevelItem(0); }
  QTreeWidgetItem *Find(const QString &category, const QString &name = QString()) {
    for (int i = 0; i < Root()->childCount(); ++i) {
      QTreeWidgetItem *c = Root()->child(i);
      if (c->text(0) != category) continue;
      if (name.isEmpty()) return c;
      for (int j = 0; j < c->childCount(); ++j)
        if (c->child(j)->text(0) == name) return c->child(j);
    }
    return nullptr;
  }
  void Select(QTreeWidgetItem *node) {
    ASSERT_NE(node, nullptr);
    window->TreeView1->setCurrentItem(node);
    platform::RunGuarded([this] { window->TreeView1Click(); });
  }
  // Rows of the table as "bintype/demoName/col" for one column.
  QStringList Table(const QString &column = "demoName", const QString &where = "1=1") {
    platform::Query q(&dm->BenDataBase);
    q.SetSQL("select * from Labeldemo where " + where + " order by ID");
    q.Open();
    QStringList out;
    for (q.First(); !q.Eof(); q.Next())
      out << q.AsString("bintype") + "/" + q.AsString("demoName") + "/" +
                 (q.IsNull(column) ? "<null>" : q.AsString(column));
    return out;
  }
  QByteArray IniBytes() {
    QFile f(folder + "qvu.ini");
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  QTemporaryDir dir;
  QString folder;
  QStringList boxes, opened;
  bool answerNo = false;
  platform::BoxHandler previous;
  std::unique_ptr<store::TDataModule2> dm;
  std::unique_ptr<TlabedemoForm1> window;
};

