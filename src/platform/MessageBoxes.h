#pragma once
// Message boxes. Every box of the program goes through here, so that tests
// (and the headless tools) can answer or record them instead of a person.
#include <QString>
#include <exception>
#include <functional>

class QWidget;

namespace platform {

enum class BoxKind { Information, Warning, Error, Confirmation };
enum class BoxAnswer { Ok, Yes, No };

struct BoxRequest {
  BoxKind kind;
  QString caption;
  QString text;
};

using BoxHandler = std::function<BoxAnswer(const BoxRequest &)>;

// Replaces the on-screen boxes; returns the previous handler. An empty
// handler restores the real boxes.
BoxHandler SetBoxHandler(BoxHandler handler);

void ShowMessage(const QString &text, const QString &caption = QString());
void ShowWarning(const QString &text, const QString &caption = QString());
void ShowError(const QString &text, const QString &caption = QString());
// Yes/No question; true for Yes.
bool Confirm(const QString &text, const QString &caption);
// The standard error box for a failure no handler caught.
void ShowException(const std::exception &e);

// Runs an action the way the message loop runs a handler: a failure ends the
// action and is shown in the standard error box; the program goes on.
void RunGuarded(const std::function<void()> &action);

}  // namespace platform
