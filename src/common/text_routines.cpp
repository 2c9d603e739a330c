#include "common/text_routines.h"

#include <charconv>
#include <system_error>

namespace pc {

std::string GroupDigits(std::uint64_t value, char separator) {
  const std::string digits = std::to_string(value);
  std::string out;
  out.reserve(digits.size() + digits.size() / 3);
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(separator);
    out.push_back(digits[i]);
  }
  return out;
}

std::int32_t ParseInteger(std::string_view text) {
  std::string compact;
  compact.reserve(text.size());
  for (char c : text) {
    if (c == ' ') continue;
    if ((c < '0' || c > '9') && c != '-') return 0;
    compact.push_back(c);
  }
  if (compact.empty()) return 0;
  std::int32_t value = 0;
  const char* first = compact.data();
  const char* last = first + compact.size();
  auto [end, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || end != last) return 0;
  return value;
}

TPathParts SplitPath(std::string_view path) {
  TPathParts parts;
  const std::size_t slash = path.find_last_of("\\/");
  std::string_view rest = path;
  if (slash != std::string_view::npos) {
    parts.Folder = std::string(path.substr(0, slash + 1));
    rest = path.substr(slash + 1);
  }
  const std::size_t dot = rest.rfind('.');
  if (dot == std::string_view::npos) {
    parts.Name = std::string(rest);
  } else {
    parts.Name = std::string(rest.substr(0, dot));
    parts.Extension = std::string(rest.substr(dot));
  }
  return parts;
}

std::string FileBaseName(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  if (name.size() <= 4) return std::string();
  return std::string(name.substr(0, name.size() - 4));
}

std::string StripLeading(std::string_view text, char c) {
  const std::size_t first = text.find_first_not_of(c);
  return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string StripTrailing(std::string_view text, char c) {
  const std::size_t last = text.find_last_not_of(c);
  return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string PadLeft(std::string_view text, std::size_t width, char fill) {
  if (text.size() >= width) return std::string(text);
  return std::string(width - text.size(), fill) + std::string(text);
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (true) {
    const std::size_t hit = text.find(from, pos);
    if (hit == std::string_view::npos) break;
    out.append(text.substr(pos, hit - pos));
    out.append(to);
    pos = hit + from.size();
  }
  out.append(text.substr(pos));
  return out;
}

std::string RemoveCharacters(std::string_view text, std::string_view set) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (set.find(c) == std::string_view::npos) out.push_back(c);
  }
  return out;
}

bool AllCharactersInSet(std::string_view text, std::string_view set) {
  for (char c : text) {
    const char upper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    if (set.find(upper) == std::string_view::npos) return false;
  }
  return true;
}

std::string UpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

std::string CutText(std::string_view text, std::size_t maxLength) {
  return std::string(text.substr(0, maxLength));
}

}  // namespace pc
