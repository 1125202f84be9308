// Under the leak sanitizer: fontconfig keeps its caches until the process ends, which the
// sanitizer would report for every test that draws text. Our own leaks are still reported.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
