#include "ui/application.h"

namespace tvz::ui {

namespace {
std::string& Title() {
  static std::string title;
  return title;
}
}  // namespace

void SetApplicationTitle(const std::string& title) { Title() = title; }
const std::string& ApplicationTitle() { return Title(); }

}  // namespace tvz::ui
