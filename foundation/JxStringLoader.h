#pragma once
// The hook through which strings load their texts by string id. The resource
// libraries connect it to their look-up (the loaded libraries newest first,
// then the program's own strings); until then no id has a text.

#include <cstddef>
#include <functional>
#include <string>

// Fills text and answers true when the id has a text.
using JxStringLoader = std::function<bool(unsigned id, std::string& text)>;

// Installs the loader (an empty function: no id has a text); returns the
// previous one so that tests can put it back.
JxStringLoader SetStringLoader(JxStringLoader loader);

// The text of id cut to what a buffer of bufferSize bytes holds with its
// terminator (never in the middle of a double-byte character). False, and
// text unchanged, when the id has no text or an empty one.
bool LoadStringText(unsigned id, std::string& text, std::size_t bufferSize = 512);
