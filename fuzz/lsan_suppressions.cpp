// Linked into every fuzz target. The font library keeps a few hundred bytes
// of its configuration parse unreachable for the life of the process (once,
// whoever loads it: any target whose input ends in a drawn box or text);
// that is not the engine's leak.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
