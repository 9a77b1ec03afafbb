#pragma once
// A writer of files compressed in the Windows LZ format ("SZDD"), as the
// compress tools of an installer's medium made them and the installer
// expands them: the signature, mode "A", the name's last character and the
// length, then LZSS over a 4096-byte window that starts filled with blanks.

#include <string>

namespace testkit {

// The bytes compressed; `lastChar` is the character the compressed file's
// name stands in for (0: none given).
std::string LzCompress(const std::string& bytes, char lastChar = 0);

}  // namespace testkit
