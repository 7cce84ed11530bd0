#pragma once
// The program names Windows faces (Tahoma, 宋体, MS Sans Serif, Arial). They
// are mapped onto installed faces, CJK-capable first, so that text never fails
// for want of a face and Chinese always has glyphs.
namespace platform {
void InstallFontSubstitutions();
}
