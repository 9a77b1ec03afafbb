#include "runtime/JxVersionInfo.h"

// Stand-in until the about text and file version information are built:
// nothing reads the version information yet.
void ResetVersionInfo() {}
