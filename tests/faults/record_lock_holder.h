#pragma once
// Linux only: another process that holds a POSIX record lock on a file (a
// classic fcntl lock or an open file description lock, read or write, over
// a range or the whole file) until this object goes away.
#ifndef _WIN32
#include <fcntl.h>

#include <filesystem>
#include <functional>

#include "support/child_hold.h"

namespace tvz::faults {

struct RecordLock {
  const char* name;
  int command;  // F_SETLK or F_OFD_SETLK
  short type;   // F_RDLCK or F_WRLCK
  off_t start;
  off_t length;  // 0: to the end, however long
};

class OtherProcessLocks {
public:
  OtherProcessLocks(const std::filesystem::path& file, const RecordLock& lock)
      : child_([&](const std::function<void(bool)>& hold) {
          const int fd = ::open(file.c_str(), lock.type == F_WRLCK ? O_RDWR : O_RDONLY);
          struct flock fl{};
          fl.l_type = lock.type;
          fl.l_whence = SEEK_SET;
          fl.l_start = lock.start;
          fl.l_len = lock.length;
          hold(fd >= 0 && ::fcntl(fd, lock.command, &fl) == 0);
        }) {}
  bool held() const { return child_.held(); }
  void Release() { child_.Release(); }

private:
  test::ChildHold child_;
};

// The locks other programs take: whole files and single ranges, both kinds.
inline const RecordLock kRecordLocks[] = {
    {"fcntl write lock, whole file", F_SETLK, F_WRLCK, 0, 0},
    {"fcntl read lock, whole file", F_SETLK, F_RDLCK, 0, 0},
    {"fcntl write lock, one record", F_SETLK, F_WRLCK, 200, 10},
    {"OFD write lock, whole file", F_OFD_SETLK, F_WRLCK, 0, 0},
    {"OFD read lock, header", F_OFD_SETLK, F_RDLCK, 0, 32},
    {"OFD write lock, far beyond the end", F_OFD_SETLK, F_WRLCK, 0x7FFFFFFE, 1},
};

}  // namespace tvz::faults
#endif
