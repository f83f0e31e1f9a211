#pragma once
// Linux only: another process that takes something (a table open for
// exclusive use, a record lock, a folder lock) and keeps it until this
// object is released or goes away.
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <stdexcept>

namespace tvz::test {

class ChildHold {
public:
  // In a child process, `body` takes what it is to hold and calls
  // hold(taken); hold() returns once this object is released, and the child
  // ends when `body` returns.
  using Body = std::function<void(const std::function<void(bool taken)>& hold)>;
  explicit ChildHold(const Body& body) {
    int ready[2], release[2];
    if (::pipe(ready) != 0 || ::pipe(release) != 0) throw std::runtime_error("pipe");
    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error("fork");
    if (pid_ == 0) {
      ::close(ready[0]);
      ::close(release[1]);
      bool told = false;
      auto hold = [&](bool taken) {
        const char ok = taken ? 1 : 0;
        (void)!::write(ready[1], &ok, 1);
        told = true;
        char c;
        while (::read(release[0], &c, 1) > 0) {
        }
      };
      try {
        body(hold);
      } catch (...) {
      }
      if (!told) hold(false);
      ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    release_ = release[1];
    char ok = 0;
    held_ = ::read(ready[0], &ok, 1) == 1 && ok == 1;
    ::close(ready[0]);
  }
  ~ChildHold() { Release(); }
  ChildHold(const ChildHold&) = delete;
  ChildHold& operator=(const ChildHold&) = delete;

  // Whether the child took what it was to hold.
  bool held() const { return held_; }
  // Lets the child go and waits for it to end.
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

}  // namespace tvz::test
#endif
