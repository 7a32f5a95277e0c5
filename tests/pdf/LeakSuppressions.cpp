// fontconfig 2.14 loses a block while it parses its configuration files on first use; the
// leak checker is told to ignore allocations made inside that library.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
