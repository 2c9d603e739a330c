#include "project/picture_strings.h"

#include <cstdint>

namespace pc::project {
namespace {

thread_local bool t_error = false;

constexpr std::string_view kClass = "TPicture_ads";
constexpr std::string_view kProperty = "Picture.Data";
constexpr std::size_t kBytesPerLine = 32;
constexpr std::size_t kMaxClassName = 63;

bool Fail() {
  t_error = true;
  return false;
}

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Upper(a[i]) != Upper(b[i])) return false;
  return true;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }

// The few tokens of the component text form this conversion needs.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : s_(text) {}
  void SkipBlanks() {
    while (pos_ < s_.size() && IsBlank(s_[pos_])) ++pos_;
  }
  bool AtEnd() {
    SkipBlanks();
    return pos_ == s_.size();
  }
  // An identifier; with dotted, "A.B.C" is one name (property paths).
  bool Ident(std::string_view& out, bool dotted) {
    SkipBlanks();
    const std::size_t start = pos_;
    if (pos_ >= s_.size() || !IsIdentStart(s_[pos_])) return false;
    for (;;) {
      while (pos_ < s_.size() && IsIdentChar(s_[pos_])) ++pos_;
      if (dotted && pos_ + 1 < s_.size() && s_[pos_] == '.' && IsIdentStart(s_[pos_ + 1])) {
        ++pos_;
        continue;
      }
      break;
    }
    out = s_.substr(start, pos_ - start);
    return true;
  }
  bool Symbol(char c) {
    SkipBlanks();
    if (pos_ < s_.size() && s_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  bool Peek(char c) {
    SkipBlanks();
    return pos_ < s_.size() && s_[pos_] == c;
  }
  // The digits of a binary block after its "{", up to and including "}".
  bool HexBlock(std::string& out) {
    int high = -1;
    while (pos_ < s_.size()) {
      const char c = s_[pos_++];
      if (c == '}') return high < 0;  // an odd number of digits is malformed
      if (IsBlank(c)) continue;
      const int v = HexValue(c);
      if (v < 0) return false;
      if (high < 0) {
        high = v;
      } else {
        out.push_back(static_cast<char>((high << 4) | v));
        high = -1;
      }
    }
    return false;  // no closing brace
  }

 private:
  std::string_view s_;
  std::size_t pos_ = 0;
};

void AppendHex(std::string& out, std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    out.push_back(kDigits[b >> 4]);
    out.push_back(kDigits[b & 15]);
  }
}

bool HasSizeField(PictureKind kind) {
  return kind == PictureKind::Bitmap || kind == PictureKind::Jpeg || kind == PictureKind::Metafile;
}

}  // namespace

void ClearPictureError() { t_error = false; }
bool PictureErrorRaised() { return t_error; }
void RaisePictureError() { t_error = true; }

std::string ComponentToString(const TPicture_ads& component) {
  std::string text = "object ";
  text.append(kClass);
  text.append("\r\n  ");
  text.append(kProperty);
  text.append(" = {");
  const std::string_view data = component.PictureData;
  if (data.size() < kBytesPerLine) {
    AppendHex(text, data);
    text.append("}\r\n");
  } else {
    text.append("\r\n");
    for (std::size_t at = 0; at < data.size(); at += kBytesPerLine) {
      text.append("    ");
      AppendHex(text, data.substr(at, kBytesPerLine));
      if (at + kBytesPerLine >= data.size()) text.push_back('}');
      text.append("\r\n");
    }
  }
  text.append("end\r\n");
  return text;
}

bool StringToComponent(std::string_view text, TPicture_ads& component) {
  Scanner sc(text);
  std::string_view word;
  if (!sc.Ident(word, false) || !SameText(word, "object")) return Fail();
  std::string_view cls;
  if (!sc.Ident(cls, false)) return Fail();
  if (sc.Symbol(':')) {  // "object Name: TClass"
    if (!sc.Ident(cls, false)) return Fail();
  }
  if (!SameText(cls, kClass)) return Fail();
  std::string data;
  bool seen = false;
  for (;;) {
    std::string_view name;
    if (!sc.Ident(name, true)) return Fail();
    if (SameText(name, "end")) break;
    if (!SameText(name, kProperty) || seen) return Fail();
    if (!sc.Symbol('=') || !sc.Symbol('{')) return Fail();
    if (!sc.HexBlock(data)) return Fail();
    seen = true;
  }
  if (!sc.AtEnd()) return Fail();
  component.PictureData = std::move(data);
  return true;
}

std::string PicturePayload(const TPicture& picture) {
  std::string payload;
  if (picture.Empty()) {
    payload.push_back('\0');
    return payload;
  }
  const std::string_view name = PictureClassName(picture.Kind);
  payload.push_back(static_cast<char>(name.size()));
  payload.append(name);
  if (HasSizeField(picture.Kind)) {
    const auto size = static_cast<std::uint32_t>(picture.Data.size());
    for (int i = 0; i < 4; ++i) payload.push_back(static_cast<char>((size >> (8 * i)) & 0xFF));
  }
  payload.append(picture.Data);
  return payload;
}

bool PictureFromPayload(std::string_view payload, TPicture& picture) {
  if (payload.empty()) return Fail();
  const std::size_t n = static_cast<unsigned char>(payload[0]);
  if (n == 0) {  // no picture
    picture = TPicture{};
    return true;
  }
  if (n > kMaxClassName || payload.size() < 1 + n) return Fail();
  const auto kind = PictureKindFromClassName(payload.substr(1, n));
  if (!kind) return Fail();
  std::string_view data = payload.substr(1 + n);
  if (HasSizeField(*kind)) {
    if (data.size() < 4) return Fail();
    std::uint32_t size = 0;
    for (int i = 3; i >= 0; --i) size = (size << 8) | static_cast<unsigned char>(data[i]);
    data.remove_prefix(4);
    if (size != data.size()) return Fail();  // cut short, or bytes nobody wrote
  }
  if (!PictureFromFileBytes(*kind, std::string(data), picture)) return Fail();
  return true;
}

std::string PictureToString_ads(const TPicture& picture) {
  if (!picture.Empty() && picture.Data.empty()) {
    Fail();
    return {};
  }
  TPicture_ads component;
  component.PictureData = PicturePayload(picture);
  return ComponentToString(component);
}

bool StringToPicture_ads(std::string_view text, TPicture& picture) {
  TPicture_ads component;
  if (!StringToComponent(text, component)) return false;
  return PictureFromPayload(component.PictureData, picture);
}

}  // namespace pc::project
