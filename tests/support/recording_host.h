#pragma once
// A run's host that keeps what the run showed: its messages and every turn
// of the busy cursor.
#include <string>
#include <vector>

#include "core/conversion.h"

namespace tvz::test {

class RecordingHost : public RunHost {
public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void SetBusy(bool busy) override { busy_changes.push_back(busy); }
  // Whether the busy cursor is on now.
  bool Busy() const { return !busy_changes.empty() && busy_changes.back(); }
  std::vector<std::string> messages;
  std::vector<bool> busy_changes;
};

}  // namespace tvz::test
