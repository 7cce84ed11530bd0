// Text output of the print object: the positioning core WriteLine, the
// aligned, column and decimal writes built on it, wrapping, line advance with
// automatic page breaks, and the header, footer and page-number lines.
#include <QRegularExpression>
#include <cmath>

#include "platform/Canvas.h"
#include "platform/MessageBoxes.h"
#include "print/PrintDrv.h"

namespace {
// Right-aligned x positions are 16-bit; a text wider than the space to its
// right edge starts at the page edge instead of wrapping round.
int RightAlignedX(int rightEdge, int textWidth) {
  return std::max(0, rightEdge - (textWidth + 4));
}

QString Prefix(const QString &text) {
  const int dot = text.indexOf(QLatin1Char('.'));
  return dot < 0 ? QString() : text.left(dot);
}
QString Suffix(const QString &text) {
  const int dot = text.indexOf(QLatin1Char('.'));
  return dot < 0 ? text : text.mid(dot);
}
}  // namespace

void TMWPrintObject::WriteLine(float X, float Y, const QString &Text) {
  if (!PrintingOK) return;
  platform::Canvas *canvas = Canvas();
  if (!canvas) return;
  // Special values (-1, -2 and the like) are never converted.
  if (X > -0.01f) X = ConvertH(X);
  if (Y > -0.01f) Y = ConvertV(Y);

  int x;
  if (X >= 0)
    x = InchesToPixelsHorizontal(X);
  else if (X == -1)
    x = InchesToPixelsHorizontal(LastXPosition);
  else
    x = LeftMargin;
  x = std::max(x, GutterLeft);
  if (CurrentTab > 0) x += InchesToPixelsHorizontal(CurrentTab);

  int y = 0;
  if (Y > -0.01f) {
    y = std::min(std::max(InchesToPixelsVertical(Y), GutterTop),
                 TotalPageHeightPixels - GutterBottom);
    LastYPosition = Y;
  } else if (Y == -1) {
    if (Recording() && AutoPaging &&
        LastYPosition + GetLineHeightInches() > DetailBottom / ScaleByValue)
      NewPage();
    LastYPosition = LastYPosition + GetLineHeightInches();
    y = InchesToPixelsVertical(LastYPosition);
  } else if (Y == -2) {
    if (Recording() && AutoPaging && LastYPosition > DetailBottom / ScaleByValue) NewPage();
    y = InchesToPixelsVertical(LastYPosition);
  }

  const platform::Brush keptBrush = canvas->brush();
  canvas->brush().style = PrintTransparent ? platform::bsClear : platform::bsSolid;

  {
    const MeasureType kept = Measure;
    Measure = mtInches;
    SetYPosition(LastYPosition);
    Measure = kept;
  }

  const bool rotated = RotateAngle != 0;
  const TFont originalFont = canvas->font();
  if (rotated) {
    // A font of the line's cell height turned by the angle, in its place.
    TFont rotateFont = originalFont;
    rotateFont.SetHeight(static_cast<int>(GetLineHeightPixels() * ScaleByValue));
    rotateFont.SetEscapement(RotateAngle * 10);
    rotateFont.SetOrientation(RotateAngle * 10);
    canvas->font() = rotateFont;
    CalculateMeasurements();
  } else {
    LastXPosition =
        PixelsToInchesHorizontal(GetTextWidth(Text) + static_cast<int>(x / ScaleByValue));
  }

  if (Recording())
    JobPages->StoreText(X, LastYPosition, Text, canvas->brush().color);
  else
    canvas->TextOut(x - GutterLeft, y - GutterTop, Text);

  if (rotated) {
    canvas->font() = originalFont;
    CalculateMeasurements();
  }
  canvas->SetBrush(keptBrush);
}

void TMWPrintObject::WriteLineAlign(float Y, const QString &Text, std::uint16_t Align) {
  switch (Align) {
    case 0:
      WriteLine(PixelsToUnitH(LeftMargin), Y, Text);
      break;
    case 1:
      WriteLineCenter(Y, Text);
      break;
    case 2:
      WriteLineRight(Y, Text);
      break;
    case 3: {
      const float w = Converting() && Measure == mtMM
                          ? GetTextWidthMM(Suffix(Text) + QLatin1Char('W'))
                      : Converting() && Measure == mtPixels
                          ? float(GetTextWidth(Suffix(Text) + QLatin1Char('W')))
                          : GetTextWidthInches(Suffix(Text) + QLatin1Char('W'));
      WriteLineDecimal(PixelsToUnitH(RightMargin) - w, Y, Text);
      break;
    }
    case 4:
      WriteLine(PixelsToUnitH(LeftMargin) + GetIndent(), Y, Text);
      break;
    default:
      break;
  }
}

// Writes at a pixel position of the current canvas, whatever the tab.
void TMWPrintObject::WriteLineAtPixel(int x, float Y, const QString &Text) {
  const float tab = CurrentTab;
  SetTabInches(0);
  WriteLine(PixelsToUnitH(x), Y, Text);
  SetTabInches(tab);
}

int TMWPrintObject::XToPixels(float X) const {
  return Measure == mtPixels ? static_cast<int>(std::nearbyint(X)) : UnitToPixelsH(X);
}

void TMWPrintObject::WriteLineCenter(float Y, const QString &Text) {
  if (!PrintingOK) return;
  const int x = LeftMargin + (RightMargin - LeftMargin - GetTextWidth(Text)) / 2;
  WriteLineAtPixel(x, Y, Text);
}

void TMWPrintObject::WriteLineCenterToX(float X, float Y, const QString &Text) {
  if (!PrintingOK || !Canvas()) return;
  const int xPixels = XToPixels(X);
  const int x = xPixels - Canvas()->TextWidth(Text) / 2;
  WriteLineAtPixel(x, Y, Text);
}

void TMWPrintObject::WriteLineRightToX(float X, float Y, const QString &Text) {
  if (!PrintingOK || !Canvas()) return;
  const int xPixels = XToPixels(X);
  const int x = xPixels - Canvas()->TextWidth(Text);
  WriteLineAtPixel(x, Y, Text);
}

// The line a recorded right-aligned write goes on: Y, or for the special
// values the current line (-1 moving to the next line first).
float TMWPrintObject::RightWriteY(float Y) {
  if (Y >= 0) return Y;
  if (Y == -1) NextLine();
  return GetYPosition();
}

void TMWPrintObject::WriteLineRight(float Y, const QString &Text) {
  if (!PrintingOK) return;
  const float tab = CurrentTab;
  SetTabInches(0);
  if (Recording()) {
    // Measured again where the page is finally shown, with that canvas's fonts.
    JobPages->StoreWriteLineRight(ConvertV(RightWriteY(Y)), Text);
  } else {
    const double scale2 = double(ScaleByValue) * ScaleByValue;
    const int x = RightAlignedX(static_cast<int>(RightMargin / scale2), GetTextWidth(Text));
    WriteLine(PixelsToUnitH(x), Y, Text);
  }
  SetTabInches(tab);
}

void TMWPrintObject::WriteLineDecimal(float X, float Y, const QString &Text) {
  const QString prefix = Prefix(Text);
  float w = GetTextWidthInches(prefix);
  if (Converting() && Measure == mtMM) w = GetTextWidthMM(prefix);
  if (Converting() && Measure == mtPixels) w = static_cast<float>(GetTextWidth(prefix));
  WriteLine(X - w, Y, Text);
}

void TMWPrintObject::WriteLineColumn(std::uint16_t ColumnNumber, float Y, const QString &Text) {
  if (!PrintingOK) return;
  WriteLine(GetColumnLeft(ColumnNumber) + 0.02f, Y, Text);
}

void TMWPrintObject::WriteLineColumnCenter(std::uint16_t ColumnNumber, float Y,
                                           const QString &Text) {
  if (!PrintingOK || !Canvas()) return;
  const int cw = Canvas()->TextWidth(Text);
  int x;
  if (!Converting()) {
    const TColumnEntry c = ColumnNumber >= 1 && ColumnNumber <= 20
                               ? ColumnInformation[ColumnNumber - 1]
                               : TColumnEntry{};
    x = InchesToPixelsHorizontal(c.Length) / 2 + InchesToPixelsHorizontal(c.Position) - cw / 2;
  } else if (Measure == mtMM) {
    x = (MMToPixelsHorizontal(GetColumnWidth(ColumnNumber)) - cw) / 2 +
        MMToPixelsHorizontal(GetColumnLeft(ColumnNumber));
  } else if (Measure == mtPixels) {
    x = static_cast<int>((GetColumnWidth(ColumnNumber) - cw) / 2) +
        static_cast<int>(GetColumnLeft(ColumnNumber));
  } else {
    x = (InchesToPixelsHorizontal(GetColumnWidth(ColumnNumber)) - cw) / 2 +
        InchesToPixelsHorizontal(GetColumnLeft(ColumnNumber));
  }
  WriteLineAtPixel(x, Y, Text);
}

void TMWPrintObject::WriteLineColumnRight(std::uint16_t ColumnNumber, float Y,
                                          const QString &Text) {
  if (!PrintingOK) return;
  const float tab = CurrentTab;
  SetTabInches(0);
  if (Recording()) {
    JobPages->StoreColRight(ColumnNumber, ConvertV(RightWriteY(Y)), Text);
  } else {
    const float right = GetColumnRight(ColumnNumber) / ScaleByValue;
    int edge;
    if (Converting() && Measure == mtMM)
      edge = MMToPixelsHorizontal(right);
    else if (Converting() && Measure == mtPixels)
      edge = static_cast<int>(right);
    else
      edge = InchesToPixelsHorizontal(right);
    WriteLine(PixelsToUnitH(RightAlignedX(edge, GetTextWidth(Text))), Y, Text);
  }
  SetTabInches(tab);
}

void TMWPrintObject::WriteLineColumnDecimal(std::uint16_t ColumnNumber, float X, float Y,
                                            const QString &Text) {
  const QString prefix = Prefix(Text);
  float w = GetTextWidthInches(prefix);
  if (Converting() && Measure == mtMM) w = GetTextWidthMM(prefix);
  if (Converting() && Measure == mtPixels) w = static_cast<float>(GetTextWidth(prefix));
  WriteLine(GetColumnLeft(ColumnNumber) + X - w, Y, Text);
}

void TMWPrintObject::WriteLineColumnAlign(std::uint16_t ColumnNumber, float Y, const QString &Text,
                                          std::uint16_t Align) {
  switch (Align) {
    case 0:
      WriteLineColumn(ColumnNumber, Y, Text);
      break;
    case 1:
      WriteLineColumnCenter(ColumnNumber, Y, Text);
      break;
    case 2:
      WriteLineColumnRight(ColumnNumber, Y, Text);
      break;
    case 3: {
      const QString s = Suffix(Text) + QLatin1Char('W');
      float w = GetTextWidthInches(s);
      if (Converting() && Measure == mtMM) w = GetTextWidthMM(s);
      if (Converting() && Measure == mtPixels) w = static_cast<float>(GetTextWidth(s));
      WriteLineColumnDecimal(
          ColumnNumber, GetColumnRight(ColumnNumber) - w - GetColumnLeft(ColumnNumber), Y, Text);
      break;
    }
    case 4: {
      const float tab = CurrentTab;
      SetTabInches(0);
      WriteLine(GetColumnLeft(ColumnNumber) + GetIndent(), Y, Text);
      SetTabInches(tab);
      break;
    }
    default:
      break;
  }
}

// ---------------------------------------------------------------- wrapping

void TMWPrintObject::WrapText(const QString &Text, QStringList &theText, float X, float Y) {
  // The bounds are converted in every mode.
  auto toInches = [this](float v) {
    switch (Measure) {
      case mtMM:
        return MMToInches(v);
      case mtPixels:
        return PixelsToInchesHorizontal(static_cast<int>(v));
      default:
        return v;
    }
  };
  X = toInches(X);
  Y = toInches(Y);
  QString s = Text;
  s.replace(QLatin1Char('\t'), QStringLiteral("  "));
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  while (s.endsWith(QLatin1Char('\n'))) s.chop(1);

  // Positions are 1-based, as the breaking rule is stated.
  QString line;
  int start = 1;
  int brk = 0;
  bool appended = false;
  const float span = Y - X;
  for (int i = 1; i <= s.size(); ++i) {
    const QChar c = s.at(i - 1);
    if (c == QLatin1Char('\n'))
      brk = i;
    else
      line += c;
    if (c == QLatin1Char(' ')) brk = i;
    if (GetTextWidthInches(line) > span || c == QLatin1Char('\n')) {
      theText.append(brk - 1 < start ? QString() : s.mid(start - 1, brk - start));
      appended = true;
      start = brk + 1;
      line = i - 1 >= start ? s.mid(start - 1, i - start) : QString();
    }
  }
  if (!appended)
    theText.append(s);
  else
    theText.append(s.mid(start - 1));
}

void TMWPrintObject::WriteLineWrap(float XL, float XR, float Y, const QString &Text, bool KeepY,
                                   bool SamePage) {
  if (!PrintingOK) return;
  QStringList lines;
  WrapText(Text, lines, XL, XR);
  while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();
  if (KeepY) SaveCurrentY();
  if (Y == -1)
    NextLine();
  else if (Y != -2)
    SetYPosition(Y);
  if (SamePage && GetLinesLeft() < lines.size()) {
    // The kept line moves to the top of the new page. Without KeepY nothing
    // was saved, and a save here would never be restored: the line stack
    // would creep one deeper with every such text.
    if (KeepY) RestoreCurrentY();
    NewPage();
    if (KeepY) SaveCurrentY();
  }
  for (int i = 0; i < lines.size(); ++i) {
    WriteLine(XL, -2, lines[i]);
    if (i + 1 < lines.size()) NextLine();
  }
  if (KeepY) RestoreCurrentY();
}

void TMWPrintObject::WriteLineColumnWrap(std::uint16_t ColumnNumber, float Y, const QString &Text,
                                         bool KeepY, bool SamePage) {
  if (!PrintingOK) return;
  WriteLineWrap(GetColumnLeft(ColumnNumber), GetColumnRight(ColumnNumber), Y, Text, KeepY,
                SamePage);
}

void TMWPrintObject::WriteLineColumnArray(const std::vector<QVariant> &Columns, float Y,
                                          const std::vector<QVariant> &Alignments,
                                          const std::vector<QVariant> &Texts, bool KeepY,
                                          bool SamePage) {
  if (Columns.size() != Alignments.size() || Columns.size() != Texts.size()) {
    platform::ShowMessage(QStringLiteral("错误."));
    return;
  }
  // Twenty columns at most; further entries are not written.
  const size_t count = std::min<size_t>(Columns.size(), 20);
  std::vector<QStringList> lists(count);
  int n = 0;
  for (size_t k = 0; k < count; ++k) {
    const auto column = static_cast<std::uint16_t>(Columns[k].toInt());
    WrapText(Texts[k].toString(), lists[k], GetColumnLeft(column), GetColumnRight(column));
    n = std::max(n, static_cast<int>(lists[k].size()));
  }
  if (Y == -1)
    NextLine();
  else if (Y != -2)
    SetYPosition(Y);
  if (SamePage && GetLinesLeft() < n) NewPage();
  if (KeepY) SaveCurrentY();
  const int pages = TotalPages;
  for (int i = 0; i < n; ++i) {
    for (size_t k = 0; k < count; ++k) {
      if (lists[k].size() <= i) continue;
      const auto column = static_cast<std::uint16_t>(Columns[k].toInt());
      switch (Alignments[k].toInt()) {
        case 0:
          WriteLineColumn(column, -2, lists[k][i]);
          break;
        case 1:
          WriteLineColumnCenter(column, -2, lists[k][i]);
          break;
        case 2:
          WriteLineColumnRight(column, -2, lists[k][i]);
          break;
        default:
          break;
      }
    }
    NextLine();
    if (!AutoPaging && LastYPosition + GetLineHeightInches() > DetailBottom) NewPage();
  }
  if (KeepY) {
    if (TotalPages != pages)
      SetTopOfPage();
    else
      RestoreCurrentY();
  }
}

// ----------------------------------------------------------- line advance

void TMWPrintObject::NextLine() {
  if (!PrintingOK) return;
  LastYPosition = LastYPosition + GetLineHeightInches();
  if (Recording() && AutoPaging &&
      LastYPosition + GetLineHeightInches() > DetailBottom / ScaleByValue)
    NewPage();
  else if (Recording())
    JobPages->StoreGeneral(commNewLine);
  LastXPosition = LeftMarginInches();
}

void TMWPrintObject::NewLines(std::uint16_t Number) {
  if (!PrintingOK) return;
  for (int i = 0; i < Number; ++i) {
    NextLine();
    if (std::fabs(LastYPosition - DetailTop) < 0.001f) break;  // right after a page break
  }
}

// ------------------------------------------- header, footer, page number

void TMWPrintObject::WriteHeaderLines(std::array<THeaderLine, 10> &lines,
                                      const THeaderCoordinates &box) {
  platform::Canvas *canvas = Canvas();
  if (!canvas) return;
  for (THeaderLine &line : lines) {
    if (line.Text.isEmpty()) continue;
    if (line.Font) SetFontInfo(*line.Font);
    const QString text = FromLineBytes(line.Text);
    const int cw = canvas->TextWidth(text);
    float x;
    switch (line.Alignment) {
      case 0:
        x = box.XTop;
        break;
      case 1:
        if (Converting() && Measure == mtPixels)
          x = static_cast<float>(static_cast<int>(box.XTop + (box.XBottom - box.XTop) / 2)) -
              cw / 2.0f;
        else
          x = box.XTop + (box.XBottom - box.XTop) / 2 - PixelsToUnitH(cw / 2);
        break;
      case 2:
        x = box.XBottom - PixelsToUnitH(cw);
        break;
      default:
        continue;
    }
    WriteLine(x, line.YPosition, text);
  }
}

void TMWPrintObject::WriteHeader() {
  if (!PrintingOK) return;
  const THeaderCoordinates &box = HeaderCoordinates;
  if (box.Boxed) {
    if (box.Shading < 1)
      DrawBox(box.XTop, box.YTop, box.XBottom, box.YBottom, box.LineWidth);
    else
      DrawBoxShade(box.XTop, box.YTop, box.XBottom, box.YBottom, box.LineWidth, box.Shading);
  }
  SaveCurrentFont();
  WriteHeaderLines(Header, HeaderCoordinates);
  RestoreCurrentFont();
}

void TMWPrintObject::WriteFooter() {
  if (!PrintingOK) return;
  SaveCurrentFont();
  const THeaderCoordinates &box = FooterCoordinates;
  if (box.Boxed) {
    if (box.Shading < 1)
      DrawBox(box.XTop, box.YTop, box.XBottom, box.YBottom, box.LineWidth);
    else
      DrawBoxShade(box.XTop, box.YTop, box.XBottom, box.YBottom, box.LineWidth, box.Shading);
  }
  // Footer lines near the bottom must not break the page they end.
  const bool kept = AutoPaging;
  AutoPaging = false;
  WriteHeaderLines(Footer, FooterCoordinates);
  RestoreCurrentFont();
  AutoPaging = kept;
}

QString TMWPrintObject::PageNumberText(int page) const {
  // The format is fixed, so the number is put in by replacement rather than
  // by a printf-style call on stored text.
  QString text = FromLineBytes(PageNumber.Text);
  text.replace(QStringLiteral("%d"), QString::number(page));
  if (PageNumber.ShowTotalPages) text += QStringLiteral(" of ") + QString::number(TotalPages);
  return text;
}

void TMWPrintObject::WritePageNumber() {
  if (!PrintingOK || !PageNumbering || PageNumber.Text.isEmpty()) return;
  PageNumber.Text = ToLineBytes(QStringLiteral("第 %d 页"));
  const QString text = PageNumberText(CurrentPageNumber());
  SaveCurrentFont();
  if (PageNumber.Font) SetFontInfo(*PageNumber.Font);
  const bool kept = AutoPaging;
  SetAutoPaging(false);
  if (Recording()) JobPages->StoreGeneral(commWritePage);
  WriteLineCenter(PageNumber.YPosition, text);
  SetAutoPaging(kept);
  RestoreCurrentFont();
}
