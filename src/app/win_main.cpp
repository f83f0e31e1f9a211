// transVardelZarp.exe: the window program. Started by a user it shows its
// window on its own; started by the timetabling program with a mode and a
// window handle it draws itself inside that window (see ui/embed_request.h).
#include <windows.h>
#include <commctrl.h>

#include "app/win_command_line.h"
#include "ui/application.h"
#include "ui/html_help.h"
#include "ui/tmform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  using namespace tvz::ui;
  HelpStartup();

  // The application: no system "insert a disk" boxes for empty drives, the
  // common controls of the manifest.
  SetErrorMode(SEM_FAILCRITICALERRORS);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  SetApplicationHelpFile("ZARP.chm");
  SetApplicationTitle("transVardelZarp");
  int exit_code = 1;
  {
    TMForm MForm(instance, CommandLineParameters());
    if (MForm.Create(show_command)) {
      MSG message;
      while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (MForm.TranslateKeys(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      exit_code = static_cast<int>(message.wParam);
    }
  }
  HelpShutdown();
  return exit_code;
}
