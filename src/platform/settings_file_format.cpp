// The JSON form of the user's hive. Reading goes through the event
// (SAX) interface of the JSON library, so that a damaged file still gives
// every key and value that came before the damage.
#include <charconv>
#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>

#include "common/cp1252.h"
#include "platform/file_registry.h"

namespace pc::platform {
namespace {

constexpr std::string_view kBinaryTag = "REG_BINARY";
constexpr std::string_view kStringTag = "REG_SZ";
constexpr std::string_view kDWordTag = "REG_DWORD";

std::string ToHex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    out += kDigits[b >> 4];
    out += kDigits[b & 0x0F];
  }
  return out;
}

std::optional<std::string> FromHex(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::string out;
  out.reserve(hex.size() / 2);
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(hex.data() + i, hex.data() + i + 2, value, 16);
    if (ec != std::errc() || end != hex.data() + i + 2) return std::nullopt;
    out += static_cast<char>(value);
  }
  return out;
}

using json = nlohmann::ordered_json;

// Builds the hive from the parser's events. A string is whole once its
// closing quote is read, but a number is taken only once the event after it
// has arrived, so that a number cut short at the end of a truncated file
// ("80" of "8080") is not kept.
class HiveBuilder final : public nlohmann::json_sax<json> {
 public:
  explicit HiveBuilder(RegistryTree& hive) : hive_(hive) {}

  bool damaged() const { return damaged_; }

  bool null() override { return Primitive(std::nullopt); }
  bool boolean(bool v) override { return Primitive(Number(v ? 1 : 0), true); }
  bool number_integer(number_integer_t v) override {
    // A negative number typed by hand stands for its 32-bit pattern.
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::uint32_t>::max()) {
      return Primitive(std::nullopt);
    }
    return Primitive(Number(static_cast<std::uint32_t>(static_cast<std::int64_t>(v))));
  }
  bool number_unsigned(number_unsigned_t v) override {
    if (v > std::numeric_limits<std::uint32_t>::max()) return Primitive(std::nullopt);
    return Primitive(Number(static_cast<std::uint32_t>(v)));
  }
  bool number_float(number_float_t, const string_t&) override { return Primitive(std::nullopt); }
  bool string(string_t& v) override {
    RegistryValue value;
    value.type = RegistryValueType::String;
    value.text = Utf8ToCp1252(v);
    raw_string_ = v;
    return Primitive(value, true);
  }
  bool binary(binary_t&) override { return Primitive(std::nullopt); }

  bool start_object(std::size_t) override {
    if (skip_ > 0) {
      ++skip_;
      return true;
    }
    switch (depth_) {
      case 0:  // the file itself
        depth_ = 1;
        return true;
      case 1:  // a key
        if (!have_name_) return Skip();
        have_name_ = false;
        if (hive_.OpenKey(key_path_, true) != RegistryResult::Ok) return Skip();
        depth_ = 2;
        return true;
      case 2:  // a typed value
        if (!have_name_) return Skip();
        depth_ = 3;
        typed_tag_.clear();
        typed_value_.reset();
        typed_spoiled_ = false;
        return true;
      default:
        return Skip();
    }
  }
  bool end_object() override {
    if (skip_ > 0) {
      --skip_;
      return true;
    }
    switch (depth_) {
      case 3:
        depth_ = 2;
        have_name_ = false;
        if (typed_value_ && !typed_spoiled_) {
          pending_ = std::move(typed_value_);
          pending_->name = value_name_;
        } else {
          damaged_ = true;
        }
        return true;
      case 2:
        CommitPending();
        depth_ = 1;
        return true;
      case 1:
        depth_ = 0;
        done_ = true;
        return true;
      default:
        damaged_ = true;
        return true;
    }
  }
  bool start_array(std::size_t) override {
    if (skip_ > 0) {
      ++skip_;
      return true;
    }
    if (depth_ == 0) {
      damaged_ = true;
      return false;  // not a file of this layout at all
    }
    have_name_ = false;
    return Skip();
  }
  bool end_array() override {
    if (skip_ > 0) --skip_;
    return true;
  }
  bool key(string_t& k) override {
    if (skip_ > 0) return true;
    switch (depth_) {
      case 1:
        key_path_ = Utf8ToCp1252(k);
        have_name_ = true;
        return true;
      case 2:
        CommitPending();
        value_name_ = Utf8ToCp1252(k);
        have_name_ = true;
        return true;
      case 3:
        // A typed value has exactly one member; with more it means nothing.
        typed_spoiled_ = typed_spoiled_ || !typed_tag_.empty();
        typed_tag_ = k;
        typed_value_.reset();
        return true;
      default:
        damaged_ = true;
        return true;
    }
  }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    damaged_ = true;
    return false;
  }

 private:
  static RegistryValue Number(std::uint32_t n) {
    RegistryValue v;
    v.type = RegistryValueType::DWord;
    v.number = n;
    return v;
  }

  bool Skip() {
    damaged_ = true;
    skip_ = 1;
    return true;
  }

  bool Primitive(std::optional<RegistryValue> value, bool whole = false) {
    if (skip_ > 0) return true;
    if (depth_ == 0) {
      damaged_ = true;
      return false;
    }
    if (depth_ == 1 || !have_name_) {  // a key that is not an object
      have_name_ = false;
      damaged_ = true;
      return true;
    }
    if (depth_ == 2) {
      have_name_ = false;
      if (!value) {
        damaged_ = true;
        return true;
      }
      value->name = value_name_;
      pending_ = std::move(value);
      if (whole) CommitPending();
      return true;
    }
    // depth 3: the member of a typed value
    typed_value_.reset();
    if (!value) {
      damaged_ = true;
      return true;
    }
    if (typed_tag_ == kBinaryTag && value->type == RegistryValueType::String) {
      if (auto bytes = FromHex(raw_string_)) {
        value->type = RegistryValueType::Binary;
        value->text = std::move(*bytes);
        typed_value_ = std::move(value);
      }
    } else if ((typed_tag_ == kStringTag && value->type == RegistryValueType::String) ||
               (typed_tag_ == kDWordTag && value->type == RegistryValueType::DWord)) {
      typed_value_ = std::move(value);
    }
    if (!typed_value_) damaged_ = true;
    return true;
  }

  void CommitPending() {
    if (pending_) {
      if (hive_.SetValue(key_path_, *pending_) != RegistryResult::Ok) damaged_ = true;
      pending_.reset();
    }
  }

 public:
  bool done_ = false;

 private:
  RegistryTree& hive_;
  int depth_ = 0;
  int skip_ = 0;
  bool have_name_ = false;
  bool damaged_ = false;
  std::string key_path_;
  std::string value_name_;
  std::string raw_string_;
  std::string typed_tag_;
  bool typed_spoiled_ = false;
  std::optional<RegistryValue> typed_value_;
  std::optional<RegistryValue> pending_;
};

}  // namespace

std::string EncodeSettingsFile(const RegistryTree& hive) {
  json file = json::object();
  hive.ForEachKey([&](const std::string& path, std::span<const RegistryValue> values) {
    json key = json::object();
    for (const auto& v : values) {
      const std::string name = Cp1252ToUtf8(v.name);
      switch (v.type) {
        case RegistryValueType::String:
          key[name] = Cp1252ToUtf8(v.text);
          break;
        case RegistryValueType::DWord:
          key[name] = v.number;
          break;
        case RegistryValueType::Binary:
          key[name] = json{{std::string(kBinaryTag), ToHex(v.text)}};
          break;
        case RegistryValueType::None:
          break;
      }
    }
    file[Cp1252ToUtf8("\\" + path)] = std::move(key);
  });
  return file.dump(2) + "\n";
}

SettingsFileState DecodeSettingsFile(std::string_view text, RegistryTree& hive) {
  HiveBuilder builder(hive);
  bool parsed = false;
  try {
    parsed = json::sax_parse(text.begin(), text.end(), &builder, json::input_format_t::json, true);
  } catch (...) {
    parsed = false;  // whatever was built before stays
  }
  return parsed && builder.done_ && !builder.damaged() ? SettingsFileState::Loaded : SettingsFileState::Damaged;
}

}  // namespace pc::platform
