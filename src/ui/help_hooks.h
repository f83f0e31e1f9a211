#pragma once
// The program's help: the HTML help bridge, or nothing in a build that does
// not have it yet (the help button and F1 then do nothing).
#ifdef TVZ_HAVE_HTML_HELP
#include "ui/html_help.h"
#else
#include <string>

namespace tvz::ui {
inline void HelpStartup() {}
inline void HelpShutdown() {}
inline void SetApplicationHelpFile(const std::string&) {}
inline void HelpContents() {}
inline void HelpContext(int) {}
}  // namespace tvz::ui
#endif
