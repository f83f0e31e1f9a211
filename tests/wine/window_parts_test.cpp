// The window's parts that need no window: command line, layout, folder chain,
// the report's texts and file, the copies' lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ui/embed_request.h"
#include "core/errors.h"
#include "ui/control_ids.h"
#include "ui/directory_list.h"
#include "ui/form_layout.h"
#include "ui/report_dialog.h"
#include "ui/report_file.h"
#include "support/recording_host.h"

namespace tvz::ui {
namespace {

TEST(CommandLine, ModeSelectsPanelsInAnyLetterCase) {
  const struct {
    const char* mode;
    TopPanels panels;
  } cases[] = {
      {"importar", TopPanels::kImportOnly}, {"IMPORTAR", TopPanels::kImportOnly},
      {"Importar", TopPanels::kImportOnly}, {"exportar", TopPanels::kExportOnly},
      {"eXpOrTaR", TopPanels::kExportOnly}, {"ayuda", TopPanels::kBoth},
      {"", TopPanels::kBoth},                {"importar ", TopPanels::kBoth},
  };
  for (const auto& c : cases) EXPECT_EQ(PanelsForMode(c.mode), c.panels) << c.mode;
}

TEST(CommandLine, OnlyTwoParametersEmbed) {
  EXPECT_FALSE(ReadEmbedRequest({}));
  EXPECT_FALSE(ReadEmbedRequest({"importar"}));
  EXPECT_FALSE(ReadEmbedRequest({"importar", "1A2B", "extra"}));
  const auto request = ReadEmbedRequest({"IMPORTAR", "1A2b"});
  ASSERT_TRUE(request);
  EXPECT_EQ(request->host, 0x1A2B);
  EXPECT_EQ(request->panels, TopPanels::kImportOnly);
}

TEST(CommandLine, HandleThatIsNoHexNumberIsAnError) {
  const struct {
    const char* handle;
    const char* message;
  } cases[] = {
      {"zz", "'$zz' no es un valor entero v\xE1" "lido"},
      {"", "'$' no es un valor entero v\xE1" "lido"},
      {"12G", "'$12G' no es un valor entero v\xE1" "lido"},
      {"0x10", "'$0x10' no es un valor entero v\xE1" "lido"},
  };
  for (const auto& c : cases) {
    try {
      ReadEmbedRequest({"exportar", c.handle});
      ADD_FAILURE() << c.handle << " was accepted";
    } catch (const RunError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

TEST(Layout, PanelsTileTheClientAreaInEveryMode) {
  for (TopPanels shown : {TopPanels::kBoth, TopPanels::kExportOnly, TopPanels::kImportOnly}) {
    int top_width = 0;
    for (Panel p : {Panel::kExport, Panel::kImport}) {
      if (!PanelShown(p, shown)) continue;
      const Box b = PanelBox(p, shown);
      EXPECT_EQ(b.left, top_width);
      EXPECT_EQ(b.top, 0);
      EXPECT_EQ(b.height, 101);
      top_width = b.right();
    }
    EXPECT_EQ(top_width, kClientWidth);
    const Box folder = PanelBox(Panel::kFolder, shown);
    EXPECT_EQ(folder, (Box{0, 101, kClientWidth, 169}));
    EXPECT_EQ(folder.bottom(), kClientHeight);
  }
}

TEST(Layout, ControlsSitInTheirPanels) {
  for (TopPanels shown : {TopPanels::kBoth, TopPanels::kExportOnly, TopPanels::kImportOnly}) {
    for (const FormControl& place : FormControls()) {
      if (IsText(place.kind) || !PanelShown(place.panel, shown)) continue;
      const Box panel = PanelBox(place.panel, shown);
      const Box b = ControlBox(place, shown);
      EXPECT_GE(b.left, panel.left) << place.id;
      EXPECT_LE(b.right(), panel.right()) << place.id;
      EXPECT_GE(b.top, panel.top) << place.id;
      EXPECT_LE(b.bottom(), panel.bottom()) << place.id;
    }
  }
  const FormControl& importar = *ControlOf(IDC_BIMPORTAR);
  ASSERT_EQ(importar.id, IDC_BIMPORTAR);
  EXPECT_EQ(ControlBox(importar, TopPanels::kBoth), (Box{385, 72, 89, 25}));
  EXPECT_EQ(ControlBox(importar, TopPanels::kImportOnly), (Box{96, 72, 89, 25}));
}

TEST(Layout, ScalingKeepsNeighboursTogether) {
  for (unsigned dpi : {96u, 120u, 144u, 168u, 192u}) {
    const Box left = ScaleToDpi(PanelBox(Panel::kExport, TopPanels::kBoth), dpi);
    const Box right = ScaleToDpi(PanelBox(Panel::kImport, TopPanels::kBoth), dpi);
    const Box bottom = ScaleToDpi(PanelBox(Panel::kFolder, TopPanels::kBoth), dpi);
    EXPECT_EQ(left.right(), right.left) << dpi;
    EXPECT_EQ(right.right(), ScaleToDpi(kClientWidth, dpi)) << dpi;
    EXPECT_EQ(left.bottom(), bottom.top) << dpi;
    EXPECT_EQ(bottom.bottom(), ScaleToDpi(kClientHeight, dpi)) << dpi;
  }
  EXPECT_EQ(ScaleToDpi(599, 144), 899);  // 898.5 rounds up
  EXPECT_EQ(ScaleToDpi(270, 120), 338);  // 337.5 rounds up
}

TEST(DirectoryChain, FromTheRootDownToTheFolder) {
  const struct {
    const wchar_t* directory;
    std::vector<std::pair<std::wstring, std::wstring>> items;  // name, path
  } cases[] = {
      {L"C:\\", {{L"C:\\", L"C:\\"}}},
      {L"C:\\VTEMP", {{L"C:\\", L"C:\\"}, {L"VTEMP", L"C:\\VTEMP"}}},
      {L"D:\\a\\Datos ZARP\\2024",
       {{L"D:\\", L"D:\\"}, {L"a", L"D:\\a"}, {L"Datos ZARP", L"D:\\a\\Datos ZARP"},
        {L"2024", L"D:\\a\\Datos ZARP\\2024"}}},
      {L"\\\\servidor\\datos\\zarp",
       {{L"\\\\servidor\\datos", L"\\\\servidor\\datos\\"},
        {L"zarp", L"\\\\servidor\\datos\\zarp"}}},
  };
  for (const auto& c : cases) {
    const std::vector<DirectoryItem> items = ChainItems(c.directory);
    ASSERT_EQ(items.size(), c.items.size()) << c.directory;
    for (std::size_t i = 0; i < items.size(); ++i) {
      EXPECT_EQ(items[i].name, c.items[i].first);
      EXPECT_EQ(items[i].path, c.items[i].second);
      EXPECT_EQ(items[i].level, static_cast<int>(i));
      EXPECT_TRUE(items[i].open);
    }
  }
}

TEST(ReportDialog, CountLinesAndWhereTheReportIs) {
  const struct {
    std::size_t warnings;
    std::vector<std::string> summary;
    const char* write_error;
    const char* heading;
    const char* lines;
    const char* where;
  } cases[] = {
      {1, {"PROFT: 1 valor"}, "", "El proceso ha terminado con 1 aviso:", "PROFT: 1 valor",
       "El informe completo est\xE1 en C:\\P\\transVardelZarp-informe.txt"},
      {3, {"A: 2", "B: 1"}, "", "El proceso ha terminado con 3 avisos:", "A: 2\r\nB: 1",
       "El informe completo est\xE1 en C:\\P\\transVardelZarp-informe.txt"},
      {2, {"A: 2"}, "Acceso denegado.", "El proceso ha terminado con 2 avisos:", "A: 2",
       "No se ha podido escribir el informe completo en C:\\P\\transVardelZarp-informe.txt: "
       "Acceso denegado."},
  };
  for (const auto& c : cases) {
    const ReportDialogText text =
        MakeReportDialogText(c.warnings, c.summary, "C:\\P\\transVardelZarp-informe.txt", c.write_error);
    EXPECT_EQ(text.heading, c.heading);
    EXPECT_EQ(text.lines, c.lines);
    EXPECT_EQ(text.where, c.where);
  }
}

std::string FileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(ReportFile, ReplacesThePreviousReportWhole) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tvz_report_file_test";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::filesystem::path file = dir / kReportFileName;
  std::ofstream(file, std::ios::binary) << std::string(20000, '#');
  test::RecordingHost host;
  Conversion c(host);
  c.RutaCarpeta = "C:\\ZARP\\";
  c.informe.Add({AvisoTipo::kSinHoras, "ASIGT", "ZARP_ASIGNATGRUPO.TXT", 4, "MAT", "", 0, ""});
  EXPECT_EQ(WriteReportFile(file, c, {"exportar", "finalizado", {}}), "");
  const std::string text = FileBytes(file);
  EXPECT_EQ(text.rfind("Informe de transVardelZarp (exportar)\r\n", 0), 0u);
  EXPECT_NE(text.find("\r\nAvisos: 1\r\n"), std::string::npos);
  EXPECT_EQ(text.find('#'), std::string::npos) << "nothing of the previous report is left";
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1) << "no temporary left";
  // A folder that does not exist: the reason, and no file.
  EXPECT_NE(WriteReportFile(dir / "no" / kReportFileName, c, {"importar", "finalizado", {}}), "");
  EXPECT_FALSE(std::filesystem::exists(dir / "no"));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tvz::ui
