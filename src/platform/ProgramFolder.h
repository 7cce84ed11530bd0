#pragma once
#include <QString>

namespace platform {

// The folder of the program file, with a trailing '/'. The data folder, the
// settings file and the help file live under it.
QString ProgramFolder();
// Points the program folder elsewhere (tests, tools); empty restores it.
void SetProgramFolder(const QString &folder);

// The folder that keeps the program's data ("qvsdat" and the settings file),
// with a trailing '/': the program folder when the program may write there,
// as a program unpacked into a folder of its own may; otherwise (an installed
// program in a system folder) the user's own data folder for the program.
QString DataFolderFor(const QString &programFolder);

}  // namespace platform
