#pragma once
// The end-to-end tests' stand-in for the timetabling program: a window of its
// own, and one run of transVardelZarp.exe started with parameters and a
// current folder, driven from outside as a user and the host would: find
// its window, press its buttons, read and answer its message dialogs.
//
// Everything waits with MsgWaitForMultipleObjects and pumps this process's
// messages: the program's window is tied to ours (a child on Windows, an
// owned popup under Wine), so it may send us messages and wait for them.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tvz::e2e {

// Counts failed checks; each check prints one line.
bool Check(bool ok, const std::string& what);
int Failures();

// Pumps messages until `done()` or the timeout; false on timeout.
template <typename Done>
bool WaitUntil(Done done, DWORD timeout_ms);
void PumpFor(DWORD ms);

// True under Wine, where the program lays its window over the host's
// instead of making it a child.
bool UnderWine();

// The host window, top-level, shown.
HWND CreateHostWindow();
// "%llX" of the handle, as the host program passes it.
std::string HandleText(HWND window);

struct DialogSeen {
  std::string text;        // cp1252: its static texts and edits, in z-order
  bool error_icon = false;
  bool caption_ok = false;  // "transVardelZarp"
  bool button_ok = false;   // one button, "Aceptar"
  bool centred = false;     // centred on the work area
  bool fits = false;        // inside the work area
};

class ProgramRun {
public:
  // Starts `exe` with `parameters` in `current_folder`. Check(false) when it
  // cannot be started.
  ProgramRun(const std::wstring& exe, const std::vector<std::string>& parameters,
             const std::wstring& current_folder, HWND host);
  ~ProgramRun();

  // Waits until the main window is visible and idle, answering (and
  // recording) dialogs that come first. Null on timeout.
  HWND WaitForForm();
  // Presses a control of the main window (posted: a sent BM_CLICK would
  // block us while the program shows a modal dialog).
  void Click(int control_id);
  // Waits for `count` dialogs, records and answers each.
  void AnswerDialogs(std::size_t count);
  // Waits for the program to end, answering any further dialog; true and
  // its exit code when it ended in time.
  bool WaitForExit(DWORD& exit_code);
  // Waits for a dialog of the program other than `other_than` and returns
  // it unanswered; null on timeout.
  HWND WaitForDialog(HWND other_than = nullptr);
  // True while the program runs and its window is idle with no dialog.
  bool Idle();
  bool WaitIdle();

  // Runs before each dialog is read and answered.
  void BeforeAnswer(std::function<void(HWND dialog)> hook) { before_answer_ = std::move(hook); }

  HWND form() const { return form_; }
  const std::vector<DialogSeen>& dialogs() const { return dialogs_; }

private:
  HWND FindForm() const;
  HWND FindDialog(HWND other_than = nullptr) const;
  void Answer(HWND dialog);

  PROCESS_INFORMATION process_{};
  HWND host_;
  HWND form_ = nullptr;
  std::vector<DialogSeen> dialogs_;
  std::function<void(HWND)> before_answer_;
};

// Real key presses (SendInput) to the foreground window; `modifier` (e.g.
// VK_MENU, VK_SHIFT) is held while `key` is pressed.
void PressKey(WORD key, WORD modifier = 0);
// A real left click (SendInput) at a point of the screen; two make a double
// click.
void ClickAt(POINT screen, int clicks = 1);

std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);  // GetWindowText, also across processes
std::wstring EditText(HWND edit);  // an edit control's text (WM_GETTEXT)
std::string Narrow(const std::wstring& wide);  // to cp1252
std::wstring WideFrom(const std::string& cp1252);

template <typename Done>
bool WaitUntil(Done done, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeout_ms) return false;
    PumpFor(20);
  }
  return true;
}

}  // namespace tvz::e2e
