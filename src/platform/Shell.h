#pragma once
// The desktop's "open" action for files and web addresses. The result is not
// examined: whatever the desktop shows for a missing file is what the user sees.
#include <QString>
#include <functional>

namespace platform {

void ShellOpen(const QString &target);
// Replaces the desktop call (tests); an empty handler restores it.
void SetShellHandler(std::function<void(const QString &)> handler);

}  // namespace platform
