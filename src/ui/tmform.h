#pragma once
// TMForm, the program's main window: the folder lists, the two conversions,
// help and leaving; embedded in the host program's window when the command
// line asks for it.
//
// The window procedure only dispatches: each message goes to one handler
// below. Which run buttons are enabled follows from run_finished_.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/conversion.h"
#include "ui/directory_list.h"
#include "ui/drive_list.h"
#include "ui/embed_request.h"
#include "ui/embedding.h"
#include "ui/form_controls.h"
#include "ui/form_layout.h"
#include "ui/form_painting.h"
#include "ui/message_dialog.h"

namespace tvz::ui {

class TMForm final : public RunHost {
public:
  // `parameters`: the program's command line after its name, cp1252, as
  // ReadEmbedRequest reads it. Exactly two put the window inside the host's
  // window; a bad handle is reported once the window exists.
  TMForm(HINSTANCE instance, const std::vector<std::string>& parameters);
  TMForm(const TMForm&) = delete;
  TMForm& operator=(const TMForm&) = delete;
  ~TMForm() override;

  // Creates the window and shows it. False when the system refused to
  // create it.
  bool Create(int show_command);
  // The window's keyboard interface (Tab, Enter, Escape, Alt+S). True
  // when `message` was handled and must not be dispatched.
  bool TranslateKeys(MSG& message);

  // Embedded in the host's window (`NumParametros` == 2).
  bool Embedded() const { return run_.Embedded; }

  // The user interface of a run.
  void ShowMessage(const std::string& text) override;  // cp1252, no icon
  void SetBusy(bool busy) override;
  void ShowError(const std::string& text);  // cp1252, error icon, final stop added

private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  // Event handlers.
  void OnCreate();
  void FormCreate();
  void FormClose();
  void OnDestroy();
  void OnCommand(int id, int code);
  void BExportarClick();
  void BImportarClick();
  void BCloseClick();
  void Button1Click();
  void HelpKey();
  void EnterKey();
  void DirectoriosOpen();
  void UnidadesChange();
  void OnPaint();
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void OnMeasureItem(MEASUREITEMSTRUCT& item);
  bool OnSetCursor();
  void OnDpiChanged(UINT dpi, const RECT& suggested);

  // Operations.
  // tmform_run.cpp: the runs, their dialogs and the restore of the copies.
  void RunConversion(RunOutcome (*run)(Conversion&), const char* conversion);
  void ShowReport(const std::string& write_error);
  void RestoreTables();
  void Modal(const std::function<void(HWND owner, DialogPlace place)>& show);
  void EmbedIn(HWND host);
  void FollowHostWindow();
  bool OnActivate(UINT state);
  void ApplyDpi(UINT dpi);
  void ApplyPanels(TopPanels panels);
  void UpdateButtons();
  void DirectoryChanged();
  void Close();
  void ShowDialog(const std::string& text, bool error);
  FormView View() const;

  HINSTANCE instance_;
  // What the command line asked for: a host window, or the reason it named
  // none that can be used (empty when it named none at all).
  std::optional<EmbedRequest> embed_;
  std::string command_line_error_;
  // How the window sits in the host's window, once embedded.
  Embedding embedding_ = Embedding::kOnItsOwn;
  std::optional<HostFollower> follower_;  // Embedding::kOwnedPopup
  HWND focus_ = nullptr;  // the control that had the focus when the popup went inactive
  // The run state: the chosen folder of the last run (`RutaCarpeta`), the
  // run status (`Transformado`, 0 when the window is created, written to the
  // result file when an embedded window closes) and the mode. The form is
  // its host: the run's messages and busy cursor.
  Conversion run_;
  HWND hwnd_ = nullptr;
  HBRUSH list_brush_ = nullptr;
  UINT dpi_ = 96;
  TopPanels panels_ = TopPanels::kBoth;
  FormFonts fonts_;
  ButtonGlyphs glyphs_;
  DirectoryList Directorios;
  DriveList Unidades;
  bool busy_ = false;
  bool running_ = false;    // a conversion is under way (its dialogs may be up)
  bool restoring_ = false;  // the copies' dialog is open
  bool run_finished_ = false;  // a run finished: one conversion per window
  bool close_handled_ = false;
};

}  // namespace tvz::ui
