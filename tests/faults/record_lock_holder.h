#pragma once
// Linux only: another process that holds a POSIX record lock on a file (a
// classic fcntl lock or an open file description lock, read or write, over
// a range or the whole file) until this object goes away.
#ifndef _WIN32
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

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
  OtherProcessLocks(const std::filesystem::path& file, const RecordLock& lock) {
    int ready[2], release[2];
    if (::pipe(ready) != 0 || ::pipe(release) != 0) throw std::runtime_error("pipe");
    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error("fork");
    if (pid_ == 0) {
      ::close(ready[0]);
      ::close(release[1]);
      const int fd = ::open(file.c_str(), lock.type == F_WRLCK ? O_RDWR : O_RDONLY);
      struct flock fl{};
      fl.l_type = lock.type;
      fl.l_whence = SEEK_SET;
      fl.l_start = lock.start;
      fl.l_len = lock.length;
      const char ok = fd >= 0 && ::fcntl(fd, lock.command, &fl) == 0 ? 1 : 0;
      (void)!::write(ready[1], &ok, 1);
      char c;
      while (::read(release[0], &c, 1) > 0) {
      }
      ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    release_ = release[1];
    char ok = 0;
    held_ = ::read(ready[0], &ok, 1) == 1 && ok == 1;
    ::close(ready[0]);
  }
  ~OtherProcessLocks() { Release(); }
  OtherProcessLocks(const OtherProcessLocks&) = delete;
  OtherProcessLocks& operator=(const OtherProcessLocks&) = delete;
  bool held() const { return held_; }
  void Release() {
    if (release_ < 0) return;
    ::close(release_);
    release_ = -1;
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }

private:
  pid_t pid_ = -1;
  int release_ = -1;
  bool held_ = false;
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
