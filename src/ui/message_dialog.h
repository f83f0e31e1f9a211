#pragma once
// The program's message dialog: modal, centred on the screen, captioned with
// the application title, the text and one button "Aceptar". The system's
// message box is not used because its buttons speak the system's language.
#include <windows.h>

#include <string>

namespace tvz::ui {

enum class MessageKind {
  kInformation,  // the runs' messages: no icon
  kError,        // an error that ended an operation: the error icon
  kQuestion,     // a confirmation: the warning icon, "Aceptar" and "Cancelar"
};

// How the dialog keeps in front of the window it belongs to.
enum class DialogPlace {
  kOwned,    // owned by `owner` (or by no window), which is disabled meanwhile
  kTopmost,  // owned by no window, topmost while it is shown: in front of a
             // window of another process that must not be its owner
};

// Shows `text` (cp1252) and returns when the user has pressed "Aceptar",
// Enter, Escape or the close box. `owner` may be null; a non-null owner is
// disabled while the dialog is up.
void ShowMessageDialog(HWND owner, const std::string& text, MessageKind kind,
                       DialogPlace place = DialogPlace::kOwned);

// The same dialog as a question (kQuestion): true when the user pressed
// "Aceptar" (or Enter), false for "Cancelar", Escape or the close box.
bool AskMessageDialog(HWND owner, const std::string& text, DialogPlace place = DialogPlace::kOwned);

}  // namespace tvz::ui
