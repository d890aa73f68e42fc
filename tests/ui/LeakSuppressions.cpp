// Under LeakSanitizer: fontconfig, which Qt uses for fonts, keeps caches for
// the life of the process that the window tests cannot free. Other builds
// never call this function.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
