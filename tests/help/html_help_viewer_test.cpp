#include "ui/html_help_viewer.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tvz::ui {
namespace {

struct Call {
  WindowHandle caller;
  std::optional<std::string> file;
  unsigned command;
  std::uintptr_t data;
  std::string keyword;  // the text data points to, for the index command
};

// Stands in for HtmlHelpA and records every call.
struct Recorder {
  std::vector<Call> calls;
  HtmlHelpEntry Entry() {
    return [this](WindowHandle caller, const char* file, unsigned command, std::uintptr_t data) {
      Call c{caller, file ? std::optional<std::string>(file) : std::nullopt, command, data, {}};
      if (command == kHhDisplayIndex) c.keyword = reinterpret_cast<const char*>(data);
      calls.push_back(c);
      return WindowHandle{0x1234};
    };
  }
};

constexpr const char* kExe = "C:\\Archivos\\tvz\\transVardelZarp.exe";
constexpr const char* kChm = "C:\\Archivos\\tvz\\ZARP.chm";

struct Fixture {
  Recorder rec;
  std::string app_help = "ZARP.chm";
  HelpManager manager;
  HtmlHelpViewer viewer;
  explicit Fixture(std::string module = kExe)
      : viewer(rec.Entry(), std::move(module), [this] { return app_help; }) {
    manager.RegisterViewer(viewer);
  }
};

TEST(IsChmFile, ByTheLastDotOfTheWholeName) {
  const struct { const char* name; bool chm; } cases[] = {
      {"ZARP.chm", true},
      {"ZARP.CHM", true},
      {"C:\\a\\Zarp.cHm", true},
      {"ZARP.chm.bak", false},
      {"C:\\ayuda.chm\\ZARP", false},
      {"ZARP.hlp", false},
      {"ZARP", false},
      {"", false},
      {".chm", true},
      {"ZARP.chmx", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsChmFile(c.name), c.chm) << c.name;
}

TEST(ResolveHelpFile, FolderOfTheExecutableOnlyForBareNames) {
  const struct { const char* module; const char* help; const char* resolved; } cases[] = {
      {kExe, "ZARP.chm", kChm},
      {kExe, "D:\\otra\\ZARP.chm", "D:\\otra\\ZARP.chm"},
      {kExe, "sub\\ZARP.chm", "sub\\ZARP.chm"},
      {kExe, "D:ZARP.chm", "D:ZARP.chm"},
      {kExe, "", ""},
      {"C:transVardelZarp.exe", "ZARP.chm", "C:ZARP.chm"},
      {"transVardelZarp.exe", "ZARP.chm", "ZARP.chm"},
      {"\\\\srv\\app\\t.exe", "ZARP.chm", "\\\\srv\\app\\ZARP.chm"},
  };
  for (const auto& c : cases) {
    Fixture f(c.module);
    f.app_help = c.help;
    EXPECT_EQ(f.viewer.ResolveHelpFile(), c.resolved) << c.module << " + " << c.help;
  }
}

TEST(ResolveHelpFile, ManagersFileFirstThenTheApplications) {
  Fixture f;
  f.app_help = "app.chm";
  EXPECT_EQ(f.viewer.ResolveHelpFile(), "C:\\Archivos\\tvz\\app.chm");
  f.manager.RecordHelpFile("manager.chm");
  EXPECT_EQ(f.viewer.ResolveHelpFile(), "C:\\Archivos\\tvz\\manager.chm");
  f.manager.RecordHelpFile("");  // an empty name is not recorded
  EXPECT_EQ(f.viewer.ResolveHelpFile(), "C:\\Archivos\\tvz\\manager.chm");
  f.manager.ReleaseViewer(f.viewer.ViewerId());
  EXPECT_EQ(f.viewer.Manager(), nullptr);
  EXPECT_EQ(f.viewer.ResolveHelpFile(), "C:\\Archivos\\tvz\\app.chm");
}

TEST(HtmlHelpViewer, ContentsAndContextEachMakeOneCall) {
  Fixture f;
  f.viewer.ShowContents();
  ASSERT_TRUE(f.viewer.ContextMatches(3, "ZARP.chm"));
  f.viewer.ShowContext(3, "ignored.chm");
  ASSERT_EQ(f.rec.calls.size(), 2u);
  EXPECT_EQ(f.rec.calls[0].caller, 0u);
  EXPECT_EQ(f.rec.calls[0].file, kChm);
  EXPECT_EQ(f.rec.calls[0].command, kHhDisplayToc);
  EXPECT_EQ(f.rec.calls[0].data, 0u);
  EXPECT_EQ(f.rec.calls[1].file, kChm);
  EXPECT_EQ(f.rec.calls[1].command, kHhHelpContext);
  EXPECT_EQ(f.rec.calls[1].data, 3u);
}

TEST(HtmlHelpViewer, NotAChmFileShowsNothingAndDeclines) {
  Fixture f;
  f.app_help = "ZARP.hlp";
  f.viewer.ShowContents();
  f.viewer.ShowContext(3, "ZARP.hlp");
  f.viewer.ShowTopic("ventana_principal");
  f.viewer.ShowKeyword("HtmlHelpViewer: Exportar");
  EXPECT_TRUE(f.rec.calls.empty());
  EXPECT_EQ(f.viewer.KeywordMatches("Exportar"), 0);
  EXPECT_FALSE(f.viewer.TopicMatches("x"));
  EXPECT_FALSE(f.viewer.ContextMatches(3, "ZARP.hlp"));
  // The request's own file decides the context match, not the resolved one.
  EXPECT_TRUE(f.viewer.ContextMatches(3, "otro.CHM"));
  f.app_help = "ZARP.chm";
  EXPECT_EQ(f.viewer.KeywordMatches("anything"), 1);
  EXPECT_TRUE(f.viewer.TopicMatches("anything"));
}

TEST(HtmlHelpViewer, MissingEntryDoesNothing) {
  HelpManager manager;
  HtmlHelpViewer viewer(nullptr, kExe, [] { return std::string("ZARP.chm"); });
  manager.RegisterViewer(viewer);
  EXPECT_TRUE(viewer.ContextMatches(3, "ZARP.chm"));
  // Would crash on an empty std::function if any of these called it.
  viewer.ShowContents();
  viewer.ShowContext(3, "ZARP.chm");
  viewer.ShowTopic("a");
  viewer.ShowKeyword("k");
  viewer.CloseWindows();
  viewer.Detach();
  EXPECT_EQ(viewer.Manager(), nullptr);
}

TEST(HtmlHelpViewer, CloseAllGoesWithoutWindowAndFile) {
  Fixture f;
  f.viewer.Detach();
  ASSERT_EQ(f.rec.calls.size(), 1u);
  EXPECT_EQ(f.rec.calls[0].caller, 0u);
  EXPECT_EQ(f.rec.calls[0].file, std::nullopt);
  EXPECT_EQ(f.rec.calls[0].command, kHhCloseAll);
  EXPECT_EQ(f.rec.calls[0].data, 0u);
  EXPECT_EQ(f.viewer.Manager(), nullptr);
}

TEST(HtmlHelpViewer, TopicPageGetsHtmUnlessHtmOrHtml) {
  const struct { const char* topic; const char* page; } cases[] = {
      {"exportar", "exportar.htm"},
      {"exportar.htm", "exportar.htm"},
      {"exportar.HTML", "exportar.HTML"},
      {"exportar.Htm", "exportar.Htm"},
      {"exportar.txt", "exportar.txt.htm"},
      {"carpeta.d/pagina", "carpeta.d/pagina.htm"},
      {"", ".htm"},
  };
  for (const auto& c : cases) {
    Fixture f;
    f.viewer.ShowTopic(c.topic);
    ASSERT_EQ(f.rec.calls.size(), 1u) << c.topic;
    EXPECT_EQ(f.rec.calls[0].file, std::string(kChm) + "::/" + c.page) << c.topic;
    EXPECT_EQ(f.rec.calls[0].command, kHhDisplayTopic);
    EXPECT_EQ(f.rec.calls[0].data, 0u);
  }
}

TEST(HtmlHelpViewer, KeywordIsTheEntryAfterItsFirstColonTrimmed) {
  Fixture f;
  const auto entries = f.viewer.KeywordEntries("Vardelin.ini");
  ASSERT_EQ(entries, std::vector<std::string>{"HtmlHelpViewer: Vardelin.ini"});
  const struct { std::string entry; const char* keyword; } cases[] = {
      {entries[0], "Vardelin.ini"},
      {"  Mensajes\t", "Mensajes"},
      {"a:b:c", "b:c"},
      {": \x01" " C:\\VTEMP \r\n", "C:\\VTEMP"},
      {"HtmlHelpViewer:", ""},
      {"caf\xE9" " ", "caf\xE9"},  // bytes above 127 are kept
  };
  for (const auto& c : cases) {
    f.rec.calls.clear();
    f.viewer.ShowKeyword(c.entry);
    ASSERT_EQ(f.rec.calls.size(), 1u);
    EXPECT_EQ(f.rec.calls[0].file, kChm);
    EXPECT_EQ(f.rec.calls[0].command, kHhDisplayIndex);
    EXPECT_EQ(f.rec.calls[0].keyword, c.keyword) << c.entry;
  }
}

TEST(HtmlHelpViewer, Selectors) {
  Fixture f;
  using V = std::vector<std::string>;
  EXPECT_EQ(f.viewer.ChooseKeyword(V{"HtmlHelpViewer: a", ": a"}), 0);
  EXPECT_EQ(f.viewer.ChooseKeyword(V{": a", "HtmlHelpViewer: a"}), 1);
  EXPECT_EQ(f.viewer.ChooseKeyword(V{": a", "htmlhelpviewer: a"}), 0);  // byte for byte
  EXPECT_EQ(f.viewer.ChooseKeyword(V{": a", "HtmlHelpViewer"}), 1);
  EXPECT_EQ(f.viewer.ChooseKeyword(V{}), 0);
  EXPECT_EQ(f.viewer.ChooseContents(V{"", "HtmlHelpViewer"}), 1);
  EXPECT_EQ(f.viewer.ChooseContents(V{"HTMLHELPVIEWER", ""}), 0);
  EXPECT_EQ(f.viewer.ChooseContents(V{"", "WinHelp"}), -1);
}

TEST(HelpManager, RegistrationGivesTheNextId) {
  Fixture f;
  EXPECT_EQ(f.viewer.ViewerId(), 1);
  EXPECT_EQ(f.viewer.Manager(), &f.manager);
  f.manager.ReleaseViewer(99);  // another id: nothing withdrawn
  EXPECT_EQ(f.viewer.Manager(), &f.manager);
}

}  // namespace
}  // namespace tvz::ui
