#include "settings/option_values.h"

#include "platform/folders.h"

namespace pc::settings {
namespace {

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<std::int32_t> ReadPort(std::string_view text) {
  text = Trimmed(text);
  if (text.empty() || text.size() > 5) return std::nullopt;
  std::int32_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > 65535) return std::nullopt;
  return value;
}

std::string IndexFolderText(std::string_view text) {
  std::string folder(Trimmed(text));
  if (!folder.empty() && folder.back() != platform::kPathSeparator) folder.push_back(platform::kPathSeparator);
  return folder;
}

std::string MakeIndexFolder(const std::string& folder) {
  if (!folder.empty() && platform::CreateFolderWithParents(folder)) return {};
  return "De map \"" + folder + "\" kan niet worden aangemaakt.";
}

}  // namespace pc::settings
