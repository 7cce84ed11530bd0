// tarvel-barcode: the barcode engine on the command line, for shop staff and
// scripts. "pattern" prints what the encoder makes of a request; "png" draws it.
#include "tarvel-barcode.h"

#include <QFile>
#include <QString>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "barcode/HBarCode.h"
#include "platform/Exception.h"

using namespace barcode;

namespace {

const char kUsage[] =
    "Usage:\n"
    "  tarvel-barcode pattern TYPE DATA [--check] [--modul N] [--ratio R]\n"
    "  tarvel-barcode png TYPE DATA FILE [--check] [--modul N] [--ratio R] [--height H]\n"
    "                 [--angle DEG] [--text none|code|type|both]\n"
    "                 [--position top-left|top-right|top-center|bottom-left|bottom-right|"
    "bottom-center]\n"
    "  tarvel-barcode --help\n"
    "\n"
    "pattern prints four lines: the pattern in element codes (0-3 spaces, 5-8 bars,\n"
    "A-D short bars, of width class 0-3), the shown text, the effective ratio and the\n"
    "pattern width in pixels. png draws the barcode on a white image with a quiet zone\n"
    "of ten modules and writes it as PNG.\n"
    "\n"
    "TYPE is a symbology name or its enumeration name, in any case. DATA is UTF-8 and\n"
    "may be empty. Options may stand before or after the other arguments; \"--\" ends\n"
    "them. Control characters in output are written as \\xNN.\n"
    "\n"
    "  --check        add the optional check digit\n"
    "  --modul N      narrow module width in pixels, 1 to 49 (default 1)\n"
    "  --ratio R      wide-to-narrow ratio, a positive number (default 2.0)\n"
    "  --height H     bar height in pixels (default 40)\n"
    "  --angle DEG    rotation, counter-clockwise (default 0)\n"
    "  --text WHAT    text beside the bars (default code)\n"
    "  --position P   where the text stands (default bottom-center)\n"
    "\n"
    "Exit status: 0 done, 1 refused by the encoder, 2 usage error, 3 file not written.\n"
    "\n"
    "Types:\n";

struct UsageError {
  std::string message;
};

void WriteLine(std::FILE *to, const QString &text) {
  const QByteArray utf8 = text.toUtf8();
  std::fwrite(utf8.constData(), 1, size_t(utf8.size()), to);
  std::fputc('\n', to);
}

void PrintHelp() {
  std::fputs(kUsage, stdout);
  for (int t = 0; t < kBarTypeCount; ++t)
    std::printf("  %-20s %s\n", BCdata[t].Name, kBarTypeEnumNames[t]);
}

std::optional<TBarType> BarTypeNamed(const QString &name) {
  for (int t = 0; t < kBarTypeCount; ++t)
    if (name.compare(QLatin1String(BCdata[t].Name), Qt::CaseInsensitive) == 0 ||
        name.compare(QLatin1String(kBarTypeEnumNames[t]), Qt::CaseInsensitive) == 0)
      return TBarType(t);
  return std::nullopt;
}

int IntegerOption(const std::string &option, const std::string &value, int low, int high) {
  int n = 0;
  const char *end = value.data() + value.size();
  const auto [rest, error] = std::from_chars(value.data(), end, n);
  if (value.empty() || error != std::errc() || rest != end || n < low || n > high)
    throw UsageError{option + " must be a whole number from " + std::to_string(low) + " to " +
                     std::to_string(high) + ", not '" + value + "'"};
  return n;
}

double NumberOption(const std::string &option, const std::string &value) {
  char *end = nullptr;
  const double x = value.empty() ? NAN : std::strtod(value.c_str(), &end);
  if (value.empty() || end != value.c_str() + value.size() || !std::isfinite(x))
    throw UsageError{option + " must be a finite number, not '" + value + "'"};
  return x;
}

template <typename T, size_t N>
T ChoiceOption(const std::string &option, const std::string &value,
               const std::pair<const char *, T> (&choices)[N]) {
  std::string list;
  for (const auto &[name, v] : choices) {
    if (value == name) return v;
    list += list.empty() ? "" : "|";
    list += name;
  }
  throw UsageError{option + " must be one of " + list + ", not '" + value + "'"};
}

constexpr std::pair<const char *, TTextShow> kTextChoices[] = {
    {"none", tsNone}, {"code", tsBarCode}, {"type", tsBarType}, {"both", tsBoth}};
constexpr std::pair<const char *, TTextPosition> kPositionChoices[] = {
    {"top-left", tpTopLeft},         {"top-right", tpTopRight},
    {"top-center", tpTopCenter},     {"bottom-left", tpBottomLeft},
    {"bottom-right", tpBottomRight}, {"bottom-center", tpBottomCenter}};

// The command line split into positional arguments and validated options.
struct CommandLine {
  std::vector<std::string> positional;
  PngRequest options;
  std::vector<std::string> drawingOptions;  // given options that only png takes
  bool help = false;
};

CommandLine Parse(int argc, char **argv) {
  CommandLine cl;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      cl.positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    // "--name value" or "--name=value".
    const size_t eq = arg.find('=');
    const std::string name = arg.substr(0, eq);
    const bool takesValue = name == "--modul" || name == "--ratio" || name == "--height" ||
                            name == "--angle" || name == "--text" || name == "--position";
    if (name == "--help" && eq == std::string::npos) {
      cl.help = true;
      continue;
    }
    if (name == "--check" && eq == std::string::npos) {
      cl.options.checkSum = csModulo10;
      continue;
    }
    if (!takesValue) throw UsageError{"unknown option '" + arg + "'"};
    std::string value;
    if (eq != std::string::npos) {
      value = arg.substr(eq + 1);
    } else if (i + 1 < argc) {
      value = argv[++i];
    } else {
      throw UsageError{name + " needs a value"};
    }
    if (name == "--modul") {
      cl.options.modul = IntegerOption(name, value, 1, 49);
    } else if (name == "--ratio") {
      cl.options.ratio = NumberOption(name, value);
      if (cl.options.ratio <= 0) throw UsageError{"--ratio must be above 0, not '" + value + "'"};
    } else {
      cl.drawingOptions.push_back(name);
      if (name == "--height")
        cl.options.height = IntegerOption(name, value, 1, kMaxPngHeight);
      else if (name == "--angle")
        cl.options.angle = NumberOption(name, value);
      else if (name == "--text")
        cl.options.textShow = ChoiceOption(name, value, kTextChoices);
      else
        cl.options.textPosition = ChoiceOption(name, value, kPositionChoices);
    }
  }
  return cl;
}

// Fills type, data and (for png) file from the positional arguments after the subcommand.
void TakePositional(CommandLine &cl, size_t count, const char *usage) {
  if (cl.positional.size() != count + 1)
    throw UsageError{std::string("expected ") + usage + " (see --help)"};
  const QString type = QString::fromUtf8(cl.positional[1].c_str());
  const std::optional<TBarType> found = BarTypeNamed(type);
  if (!found) throw UsageError{"unknown TYPE '" + cl.positional[1] + "' (see --help)"};
  cl.options.type = *found;
  cl.options.data = QString::fromUtf8(cl.positional[2].c_str());
  if (count == 3) cl.options.file = QFile::decodeName(cl.positional[3].c_str());
}

QString DecimalNumber(double x) {
  char text[512];
  const auto result = std::to_chars(text, text + sizeof text, x, std::chars_format::fixed);
  std::string s(text, result.ptr);
  if (s.find('.') == std::string::npos) s += ".0";
  return QString::fromStdString(s);
}

int RunPattern(const PngRequest &request) {
  std::string pattern;
  QString text;
  double ratio = request.ratio;
  int width = 0;
  try {
    MakeBarPattern(request.type, request.data, request.modul, ratio, request.checkSum, pattern,
                   text);
    width = PatternWidth(pattern);
  } catch (const platform::Exception &e) {
    WriteLine(stderr, OneLine(e.Message()));
    return kExitRefused;
  }
  WriteLine(stdout, QString::fromLatin1(pattern.data(), qsizetype(pattern.size())));
  WriteLine(stdout, OneLine(text));
  WriteLine(stdout, DecimalNumber(ratio));
  WriteLine(stdout, QString::number(width));
  return kExitDone;
}

}  // namespace

QString OneLine(const QString &text) {
  QString out;
  out.reserve(text.size());
  for (QChar c : text) {
    const char16_t u = c.unicode();
    if (u < 0x20 || (u >= 0x7F && u < 0xA0))
      out += QString::asprintf("\\x%02X", unsigned(u));
    else if (u == 0x2028 || u == 0x2029)
      out += QString::asprintf("\\u%04X", unsigned(u));
    else
      out += c;
  }
  return out;
}

int main(int argc, char **argv) {
  try {
    CommandLine cl = Parse(argc, argv);
    if (cl.help) {
      PrintHelp();
      return kExitDone;
    }
    if (cl.positional.empty())
      throw UsageError{"expected a subcommand: pattern or png (see --help)"};
    const std::string &command = cl.positional[0];
    if (command == "pattern") {
      if (!cl.drawingOptions.empty())
        throw UsageError{"option " + cl.drawingOptions.front() + " is for png only"};
      TakePositional(cl, 2, "pattern TYPE DATA");
      return RunPattern(cl.options);
    }
    if (command == "png") {
      TakePositional(cl, 3, "png TYPE DATA FILE");
      return RunPng(cl.options);
    }
    throw UsageError{"unknown subcommand '" + command + "' (see --help)"};
  } catch (const UsageError &e) {
    WriteLine(stderr,
              OneLine(QStringLiteral("tarvel-barcode: ") + QString::fromUtf8(e.message.c_str())));
    return kExitUsage;
  }
}
