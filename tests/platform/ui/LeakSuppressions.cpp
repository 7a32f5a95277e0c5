// The grid measures text through fontconfig, which loses a block while it parses its
// configuration files on first use; the leak checker ignores allocations made inside it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
