/* A DLL of our own: what a shipped exe must not need. */
__declspec(dllexport) int tvz_probe_value(void) { return 7; }
