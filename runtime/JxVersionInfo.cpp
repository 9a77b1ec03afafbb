#include "runtime/JxVersionInfo.h"

// Stand-ins until the about text and file version information are built:
// nothing reads the version information yet, and the about box shows the
// texts of its template.
void ResetVersionInfo() {}

void BuildAboutText(plat::HWND) {}
