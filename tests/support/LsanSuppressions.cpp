// The leak checker runs on every test program. fontconfig (under Qt's text
// drawing) builds caches once per process and never frees them; they are not
// leaks of ours. Linked into every test program, so the tests pass with no
// extra options (the same list is in lsan.supp for programs the tests start).
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
