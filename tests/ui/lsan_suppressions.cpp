// Fontconfig keeps its configuration and font patterns until the process ends, and Qt never
// releases them, so the leak checker of sanitizer builds reports them once text is drawn.
// They are not leaks of ours.

#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
#endif
