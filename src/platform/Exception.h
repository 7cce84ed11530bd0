#pragma once
// The one failure type of the program: an exception that carries a message
// text for the user. Whoever catches it shows Message() in an error box.
#include <QString>
#include <exception>
#include <string>

namespace platform {

class Exception : public std::exception {
 public:
  explicit Exception(QString message) : message_(std::move(message)), utf8_(message_.toStdString()) {}
  const QString &Message() const { return message_; }
  const char *what() const noexcept override { return utf8_.c_str(); }

 private:
  QString message_;
  std::string utf8_;
};

// Text of any exception, for error boxes.
QString ExceptionText(const std::exception &e);

}  // namespace platform
