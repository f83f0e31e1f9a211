/* An exe that imports a non-system DLL and has no version resource: the
   release checks must refuse it. */
__declspec(dllimport) int tvz_probe_value(void);

int main(void) { return tvz_probe_value() == 7 ? 0 : 1; }
