#pragma once
// The Symbol face's character codes as Unicode characters, so that text set in
// "Symbol" can be drawn with an ordinary Unicode face.

namespace plat {

// The character a byte of the Symbol encoding stands for; U+FFFD for a byte
// the encoding leaves undefined.
char32_t SymbolToUnicode(unsigned char byte);

}  // namespace plat
