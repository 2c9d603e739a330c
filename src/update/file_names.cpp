#include "update/file_names.h"

#include <array>

namespace pc::update {
namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsDeviceName(std::string_view name) {
  // The part before the first dot decides: "nul.txt" is the device too.
  const std::string_view stem = name.substr(0, name.find('.'));
  std::string upper;
  for (char c : stem) upper.push_back(Upper(c));
  while (!upper.empty() && upper.back() == ' ') upper.pop_back();
  static constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
  for (auto d : kPlain)
    if (upper == d) return true;
  if (upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' &&
      upper[3] <= '9') {
    return true;
  }
  return upper == "CONIN$" || upper == "CONOUT$";
}

}  // namespace

bool IsSafeFileName(std::string_view name) {
  if (name.empty() || name == "." || name.find("..") != std::string_view::npos) return false;
  for (char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F || c == '/' || c == '\\' || c == ':') return false;
  }
  if (name.back() == '.' || name.back() == ' ') return false;
  return !IsDeviceName(name);
}

std::string PercentEncode(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size() * 3);
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
      out.push_back(c);
    } else {
      out.push_back('%');
      out.push_back(kHex[u >> 4]);
      out.push_back(kHex[u & 0x0F]);
    }
  }
  return out;
}

}  // namespace pc::update
