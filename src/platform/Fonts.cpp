#include "platform/Fonts.h"

#include <QFont>
#include <QStringList>

namespace platform {

void InstallFontSubstitutions() {
  static bool done = false;
  if (done) return;
  done = true;
  const QStringList sans{QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC"),
                         QStringLiteral("Noto Sans"), QStringLiteral("Liberation Sans")};
  const QStringList serif{QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"),
                          QStringLiteral("DejaVu Serif")};
  for (const char *face : {"Tahoma", "MS Sans Serif", "Arial", "Microsoft Sans Serif", "Verdana"})
    QFont::insertSubstitutions(QString::fromLatin1(face), sans);
  for (const QString &face : {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("新宋体")})
    QFont::insertSubstitutions(face, serif);
  QFont::insertSubstitutions(QStringLiteral("Courier New"),
                             {QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Noto Sans Mono CJK SC")});
}

}  // namespace platform
