// Compiled into every test executable. fontconfig 2.14 loses a block while it parses its
// configuration files on first use; the leak checker ignores allocations made inside it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
