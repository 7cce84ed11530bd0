#pragma once
#include <QString>

namespace platform {

// The folder of the program file, with a trailing '/'. The data folder, the
// settings file and the help file live under it.
QString ProgramFolder();
// Points the program folder elsewhere (tests, tools); empty restores it.
void SetProgramFolder(const QString &folder);

}  // namespace platform
