#pragma once
// How the main window sits in the host program's window when the host starts
// it embedded.
//
// On Windows the window becomes a child of the host's window, borderless at
// (2, 2) of its client area. Under Wine a child of another process's window
// is never drawn (it has no X drawable of its own), and a list box that
// scrolls in it waits for an X event that never comes; there the window is a
// borderless popup owned by the host's window instead, laid over the host's
// client area at (2, 2) and kept there (HostFollower). A host that does not
// answer messages would stall any window of ours tied to it, so then the
// window shows on its own, with its frame.
#include <windows.h>

namespace tvz::ui {

enum class Embedding {
  kChild,       // WS_CHILD of the host's window
  kOwnedPopup,  // a top-level popup owned by the host's window
  kOnItsOwn,    // an ordinary window, tied to nothing
};

// True when the program runs under Wine (ntdll exports wine_get_version);
// asked once.
bool RunsUnderWine();

// True when the thread of `host` handles a message within `timeout_ms`.
bool HostAnswers(HWND host, DWORD timeout_ms);

Embedding ChooseEmbedding(bool host_answers, bool under_wine);

struct WindowStyles {
  LONG_PTR style = 0;
  LONG_PTR ex_style = 0;
  bool operator==(const WindowStyles&) const = default;
};
// The styles of the window `from` once it is arranged as `embedding`: no
// caption nor border inside the host, a tool window (never in the taskbar)
// as a popup; unchanged on its own.
WindowStyles EmbeddedStyles(Embedding embedding, WindowStyles from);

// What the popup must do to stay over the host, from what both windows show.
struct HostView {
  bool exists = false;
  bool shown = false;  // visible and not minimised
  POINT place{};       // (2, 2) of its client area, in screen coordinates
};
struct PopupView {
  bool shown = false;
  POINT at{};                  // its top left corner on the screen
  bool right_above_host = false;  // no visible window between it and the host
};
enum class FollowAction { kNothing, kClose, kHide, kPlace };
struct FollowStep {
  FollowAction action = FollowAction::kNothing;
  UINT flags = 0;  // SetWindowPos flags of kPlace
};
FollowStep NextFollowStep(const HostView& host, const PopupView& popup);

// Arranges `form` (its client area `client`, created top-level) in `host` as
// `embedding`.
void ArrangeInHost(HWND form, HWND host, Embedding embedding, SIZE client);

// Keeps the popup `form` over `host`, one step of NextFollowStep on each tick
// of a timer of the form (every kFollowMilliseconds).
inline constexpr UINT kFollowMilliseconds = 50;
class HostFollower {
public:
  HostFollower(HWND form, HWND host) : form_(form), host_(host) {}
  // False when the host's window is gone and the form must close, as a
  // child would have been destroyed with it.
  bool Step();

private:
  HWND form_;
  HWND host_;
  int raise_again_in_ = 0;  // ticks until the popup is raised once more
};

}  // namespace tvz::ui
