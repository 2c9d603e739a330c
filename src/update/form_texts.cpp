#include "update/form_texts.h"

namespace pc::update {

std::string AdminMailBody() { return std::string(kAdminMailBodyStart) + std::string(kSupportEmail); }

std::string OnlineIndexTitle(std::string_view fileName) {
  const std::size_t keep = fileName.size() > 4 ? fileName.size() - 4 : 0;
  return std::string(fileName.substr(0, keep)) + " Indexen";
}

std::string LogText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::string WithPlainLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      out.push_back('\n');
      const char pair = c == '\r' ? '\n' : '\r';
      if (i + 1 < text.size() && text[i + 1] == pair) ++i;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace pc::update
