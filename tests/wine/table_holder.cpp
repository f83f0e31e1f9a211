// A Windows program that holds a table as the timetabling program may: open
// with no sharing, and/or byte ranges locked with LockFile. It writes "held"
// (or why not) on standard output, then keeps the table until STOP exists
// (a minute at most).
//
//   table_holder FILE open|lock|both STOP
//
// "open": CreateFile with share mode 0; "lock": shared open, LockFile over
// the header (bytes 0-31) and a record far beyond the end (0x7FFFFFFE), as
// dBase-style record locks are placed; "both": the two together.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::printf("usage: table_holder FILE open|lock|both STOP\n");
    return 2;
  }
  const bool exclusive = std::wcscmp(argv[2], L"open") == 0 || std::wcscmp(argv[2], L"both") == 0;
  const bool lock = std::wcscmp(argv[2], L"lock") == 0 || std::wcscmp(argv[2], L"both") == 0;
  const DWORD share = exclusive ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE;
  HANDLE h = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    std::printf("cannot open: error %lu\n", GetLastError());
    return 1;
  }
  if (lock && (!LockFile(h, 0, 0, 32, 0) || !LockFile(h, 0x7FFFFFFE, 0, 1, 0))) {
    std::printf("cannot lock: error %lu\n", GetLastError());
    return 1;
  }
  std::printf("held\n");
  std::fflush(stdout);
  for (int i = 0; i < 600 && GetFileAttributesW(argv[3]) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
  CloseHandle(h);
  return 0;
}
