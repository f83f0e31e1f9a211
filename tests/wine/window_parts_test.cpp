// The window's parts that need no window: command line, layout, folder chain.
#include <gtest/gtest.h>

#include "ui/embed_request.h"
#include "core/errors.h"
#include "ui/control_ids.h"
#include "ui/directory_list.h"
#include "ui/form_layout.h"

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
    for (const ControlPlace& place : ControlPlaces()) {
      if (!PanelShown(place.panel, shown)) continue;
      const Box panel = PanelBox(place.panel, shown);
      const Box b = ControlBox(place, shown);
      EXPECT_GE(b.left, panel.left) << place.id;
      EXPECT_LE(b.right(), panel.right()) << place.id;
      EXPECT_GE(b.top, panel.top) << place.id;
      EXPECT_LE(b.bottom(), panel.bottom()) << place.id;
    }
  }
  const ControlPlace& importar = ControlPlaces()[1];
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

}  // namespace
}  // namespace tvz::ui
