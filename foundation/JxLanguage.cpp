#include "foundation/JxLanguage.h"

// Stand-in until the language selection is built: the default language
// (code page 1252 and its case tables) stays in use.
void SelectLanguage() {}
