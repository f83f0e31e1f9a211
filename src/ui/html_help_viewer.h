#pragma once
// The HTML help viewer: turns the program's help requests (contents, help
// context, keyword, topic, close) into single calls of HtmlHelpA on the
// compiled help file.
//
// Portable on purpose: the HtmlHelpA entry, the executable's path and the
// application's help file are handed in, so that the whole logic runs and is
// tested without Windows. The Windows front (html_help.cpp) loads
// "HHCtrl.ocx" and passes the real function.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tvz::ui {

// A window handle as a number (HWND on Windows); 0 is "no window".
using WindowHandle = std::uintptr_t;

// Commands of the HTML Help interface that the viewer passes, by the values
// the platform gives them.
inline constexpr unsigned kHhDisplayTopic = 0;
inline constexpr unsigned kHhDisplayToc = 1;
inline constexpr unsigned kHhDisplayIndex = 2;
inline constexpr unsigned kHhHelpContext = 15;
inline constexpr unsigned kHhCloseAll = 18;

// HtmlHelpA(caller window, file or nullptr, command, data). The result (a
// window handle) is returned for logging only; the viewer never looks at it.
// For kHhDisplayIndex, data points to the NUL-terminated keyword, valid only
// during the call.
using HtmlHelpEntry = std::function<WindowHandle(WindowHandle caller, const char* file,
                                                 unsigned command, std::uintptr_t data)>;

class HtmlHelpViewer;

// The part of the application's help manager that the viewer talks to: it
// remembers the help file the last request carried and reports the window
// that owns help windows (none: the help windows are not owned by the main
// window). It holds at most one registered viewer.
class HelpManager {
public:
  WindowHandle OwnerWindow() const { return 0; }
  const std::string& CurrentHelpFile() const { return current_help_file_; }
  // Records the help file of a request; an empty name is not recorded.
  void RecordHelpFile(const std::string& file);

  // Registers `viewer`: stores this manager in it and gives it the next
  // viewer id (the framework's own WinHelp viewer has id 0, so this is 1).
  void RegisterViewer(HtmlHelpViewer& viewer);
  // Withdraws the viewer with that id; the viewer's manager reference is
  // dropped.
  void ReleaseViewer(int viewer_id);
  HtmlHelpViewer* Viewer() const { return viewer_; }

private:
  std::string current_help_file_;
  HtmlHelpViewer* viewer_ = nullptr;
  int next_viewer_id_ = 1;
};

// True when the text from the last "." of the whole name (folder part
// included) to its end is ".chm", ASCII letters in any case.
bool IsChmFile(std::string_view file_name);

class HtmlHelpViewer {
public:
  // `html_help` may be empty (library or function missing): every display
  // operation then does nothing. `module_path` is the running executable's
  // full path; `application_help_file` gives the application's current help
  // file (the fallback when the help manager has none).
  HtmlHelpViewer(HtmlHelpEntry html_help, std::string module_path,
                 std::function<std::string()> application_help_file);

  static constexpr std::string_view kName = "HtmlHelpViewer";
  static constexpr std::string_view kDefaultTopicExtension = ".htm";

  // Viewer face.
  std::string GetName() const { return std::string(kName); }
  // 1 when the resolved help file is a .chm file, else 0; the keyword
  // itself is not examined.
  int KeywordMatches(std::string_view keyword) const;
  // One entry: "<viewer name>: <keyword>".
  std::vector<std::string> KeywordEntries(std::string_view keyword) const;
  bool HasContents() const { return true; }
  // HH_DISPLAY_TOC on the resolved help file.
  void ShowContents() const;
  // HH_DISPLAY_INDEX with the entry's keyword: everything up to and
  // including its first ":" removed (nothing when it has none), then bytes
  // <= 32 trimmed from both ends.
  void ShowKeyword(std::string_view entry) const;
  void SetViewerId(int id) { viewer_id_ = id; }
  int ViewerId() const { return viewer_id_; }
  // HH_CLOSE_ALL, without window and file.
  void CloseWindows() const;
  // CloseWindows, then forgets the help manager (without withdrawing).
  void Detach();
  bool TopicMatches(std::string_view topic) const;
  // HH_DISPLAY_TOPIC on "<help file>::/<page>"; the page is the topic with
  // ".htm" appended unless its extension, in small letters, is ".htm" or
  // ".html".
  void ShowTopic(std::string_view topic) const;
  // True when `file_name` (the request's own file, not the resolved one) is
  // a .chm file.
  bool ContextMatches(int context, std::string_view file_name) const;
  // HH_HELP_CONTEXT with the context number on the resolved help file; the
  // request's file name is not used.
  void ShowContext(int context, std::string_view file_name) const;

  // Selector face.
  // Index of the first entry whose text before its first ":" (the whole
  // entry when it has none) is the viewer name, byte for byte; 0 when none.
  int ChooseKeyword(const std::vector<std::string>& entries) const;
  // Position of the viewer name in `viewer_names`, letter case ignored; -1
  // when absent.
  int ChooseContents(const std::vector<std::string>& viewer_names) const;

  // The help file every display operation uses: the help manager's current
  // file, else the application's; a name without folder part ("\" or ":")
  // gets the executable's folder (its path up to and including the last "\"
  // or ":") in front.
  std::string ResolveHelpFile() const;
  // One HtmlHelpA call; nothing when the entry is empty. kHhCloseAll goes
  // with window 0 and no file, every other command with the manager's owner
  // window and `file`.
  void CallHtmlHelp(const std::optional<std::string>& file, unsigned command,
                    std::uintptr_t data) const;

  HelpManager* Manager() const { return manager_; }
  void SetManager(HelpManager* manager) { manager_ = manager; }

private:
  HtmlHelpEntry html_help_;
  std::string module_path_;
  std::function<std::string()> application_help_file_;
  HelpManager* manager_ = nullptr;
  int viewer_id_ = 0;
};

}  // namespace tvz::ui
