#pragma once
// Drops typed characters that an edit box does not accept. Backspace and keys
// that type nothing (arrows, Delete, Home, ...) always pass.
#include <QChar>
#include <functional>

class QWidget;

namespace platform {
void InstallKeyFilter(QWidget *edit, std::function<bool(QChar)> accepts);
}
