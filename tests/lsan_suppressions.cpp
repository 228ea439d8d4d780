// Leak-check suppressions of the test programs. Fontconfig keeps its
// configuration for the life of the process and never frees it; a library
// must not decide this for the programs that link it, so each test program
// carries its own.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\n";
}
