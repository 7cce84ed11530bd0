// Program start: the data module first, then the main window, then the
// message loop. The program takes no command-line arguments.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/labedemoUnit1.h"
#include "platform/Fonts.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramFolder.h"
#include "store/dataUnit1.h"

int main(int argc, char **argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tarvel-label"));
  QApplication::setApplicationDisplayName(QStringLiteral("Tarvel标签打印"));
  platform::InstallFontSubstitutions();
  // Qt's own buttons and dialogs ("OK", "Yes", the print dialog) in Chinese.
  QTranslator qtChinese;
  if (qtChinese.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtChinese);

  // The data lives beside the program, or in the user's data folder when the
  // program's folder is not writable (an installed program).
  store::TDataModule2 dataModule(platform::DataFolderFor(platform::ProgramFolder()));
  store::DataModule2 = &dataModule;
  // A database that cannot be opened is reported; the program goes on without it.
  platform::RunGuarded([&] { dataModule.DataModuleCreate(); });

  app::TlabedemoForm1 mainWindow(dataModule);
  app::labedemoForm1 = &mainWindow;
  mainWindow.show();
  return application.exec();
}
