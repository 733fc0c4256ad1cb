// The leak checker runs on every test program. fontconfig (under Qt's text
// drawing) builds caches once per process and never frees them; they are not
// leaks of ours. Kept in the program so that the tests pass with no extra
// options (the same list is in tests/support/lsan.supp for other programs).
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
