#pragma once
// The program's help on Windows: one HTML help viewer for the whole process,
// answering the help button (contents) and F1 (help context) with the
// compiled help file beside the executable.
//
// Order of use: HelpStartup() before the main window is created,
// HelpShutdown() after it has closed. Between them every call runs on the
// user-interface thread. Without "HHCtrl.ocx" or its "HtmlHelpA" every call
// does nothing and shows no message.
#include <string>

namespace tvz::ui {

// Creates the viewer: loads "HHCtrl.ocx", looks up "HtmlHelpA", registers the
// viewer with the help manager. Calling it twice does nothing.
void HelpStartup();
// Withdraws and releases the viewer and unloads the library. Sends no close
// request: help windows still open end with the process.
void HelpShutdown();
// The application's help file ("ZARP.chm"); a name without folder part is
// looked for beside the executable.
void SetApplicationHelpFile(const std::string& name);
// The help button: the help file's table of contents.
void HelpContents();
// F1: the topic of help context `context` (the main window uses 3).
void HelpContext(int context);

}  // namespace tvz::ui
