#include "ui/html_help_viewer.h"

#include "core/ascii.h"

namespace tvz::ui {

namespace {

std::string_view TrimControlAndBlank(std::string_view s) {
  auto is_blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

// The extension of a topic: from its last "." to the end, unless a folder
// separator follows that ".".
std::string_view TopicExtension(std::string_view topic) {
  const auto pos = topic.find_last_of(".\\/:");
  if (pos == std::string_view::npos || topic[pos] != '.') return {};
  return topic.substr(pos);
}

}  // namespace

void HelpManager::RecordHelpFile(const std::string& file) {
  if (!file.empty()) current_help_file_ = file;
}

void HelpManager::RegisterViewer(HtmlHelpViewer& viewer) {
  viewer_ = &viewer;
  viewer.SetManager(this);
  viewer.SetViewerId(next_viewer_id_++);
}

void HelpManager::ReleaseViewer(int viewer_id) {
  if (viewer_ != nullptr && viewer_->ViewerId() == viewer_id) {
    viewer_->SetManager(nullptr);
    viewer_ = nullptr;
  }
}

bool IsChmFile(std::string_view file_name) {
  const auto dot = file_name.rfind('.');
  return dot != std::string_view::npos && ascii::EqualsNoCase(file_name.substr(dot), ".chm");
}

HtmlHelpViewer::HtmlHelpViewer(HtmlHelpEntry html_help, std::string module_path,
                               std::function<std::string()> application_help_file)
    : html_help_(std::move(html_help)),
      module_path_(std::move(module_path)),
      application_help_file_(std::move(application_help_file)) {}

std::string HtmlHelpViewer::ResolveHelpFile() const {
  std::string name;
  if (manager_ != nullptr) name = manager_->CurrentHelpFile();
  if (name.empty() && application_help_file_) name = application_help_file_();
  if (!name.empty() && name.find_first_of("\\:") == std::string::npos) {
    const auto last = module_path_.find_last_of("\\:");
    if (last != std::string::npos) name = module_path_.substr(0, last + 1) + name;
  }
  return name;
}

void HtmlHelpViewer::CallHtmlHelp(const std::optional<std::string>& file, unsigned command,
                                  std::uintptr_t data) const {
  if (!html_help_) return;
  if (command == kHhCloseAll) {
    html_help_(0, nullptr, command, data);
    return;
  }
  const WindowHandle owner = manager_ != nullptr ? manager_->OwnerWindow() : 0;
  html_help_(owner, file ? file->c_str() : nullptr, command, data);
}

int HtmlHelpViewer::KeywordMatches(std::string_view) const {
  return IsChmFile(ResolveHelpFile()) ? 1 : 0;
}

std::vector<std::string> HtmlHelpViewer::KeywordEntries(std::string_view keyword) const {
  std::string entry(kName);
  entry += ": ";
  entry += keyword;
  return {entry};
}

void HtmlHelpViewer::ShowContents() const {
  const std::string file = ResolveHelpFile();
  if (IsChmFile(file)) CallHtmlHelp(file, kHhDisplayToc, 0);
}

void HtmlHelpViewer::ShowKeyword(std::string_view entry) const {
  const std::string file = ResolveHelpFile();
  if (!IsChmFile(file)) return;
  const auto colon = entry.find(':');
  if (colon != std::string_view::npos) entry.remove_prefix(colon + 1);
  const std::string keyword(TrimControlAndBlank(entry));
  CallHtmlHelp(file, kHhDisplayIndex, reinterpret_cast<std::uintptr_t>(keyword.c_str()));
}

void HtmlHelpViewer::CloseWindows() const { CallHtmlHelp(std::nullopt, kHhCloseAll, 0); }

void HtmlHelpViewer::Detach() {
  CloseWindows();
  manager_ = nullptr;
}

bool HtmlHelpViewer::TopicMatches(std::string_view) const { return IsChmFile(ResolveHelpFile()); }

void HtmlHelpViewer::ShowTopic(std::string_view topic) const {
  const std::string file = ResolveHelpFile();
  if (!IsChmFile(file)) return;
  std::string page(topic);
  const auto ext = TopicExtension(topic);
  if (!ascii::EqualsNoCase(ext, ".htm") && !ascii::EqualsNoCase(ext, ".html")) {
    page += kDefaultTopicExtension;
  }
  CallHtmlHelp(file + "::/" + page, kHhDisplayTopic, 0);
}

bool HtmlHelpViewer::ContextMatches(int, std::string_view file_name) const {
  return IsChmFile(file_name);
}

void HtmlHelpViewer::ShowContext(int context, std::string_view) const {
  const std::string file = ResolveHelpFile();
  // The context number travels as the 32-bit value HTML Help reads.
  if (IsChmFile(file)) {
    CallHtmlHelp(file, kHhHelpContext, static_cast<std::uint32_t>(context));
  }
}

int HtmlHelpViewer::ChooseKeyword(const std::vector<std::string>& entries) const {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string_view entry = entries[i];
    if (entry.substr(0, entry.find(':')) == kName) return static_cast<int>(i);
  }
  return 0;
}

int HtmlHelpViewer::ChooseContents(const std::vector<std::string>& viewer_names) const {
  // Viewer names are ASCII identifiers: an ASCII case-blind match is the
  // list's case-blind comparison for them.
  for (std::size_t i = 0; i < viewer_names.size(); ++i) {
    if (ascii::EqualsNoCase(viewer_names[i], kName)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace tvz::ui
