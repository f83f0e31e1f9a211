#pragma once
// The application's title: the caption of every message dialog.
#include <string>

namespace tvz::ui {

void SetApplicationTitle(const std::string& title);  // cp1252
const std::string& ApplicationTitle();

}  // namespace tvz::ui
