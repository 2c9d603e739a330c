// The values a user types into the options dialog, read and checked before
// they are stored: a port must be one a connection can use, and the index
// folder must exist or be made.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pc::settings {

inline constexpr std::string_view kBadPortMessage = "De poort moet een getal van 1 tot en met 65535 zijn.";

// A port typed by the user: decimal digits, blanks around them allowed, with
// a value of 1..65535. Nothing for any other text.
std::optional<std::int32_t> ReadPort(std::string_view text);

// The folder text without blanks around it and with the separator at its end
// (empty stays empty).
std::string IndexFolderText(std::string_view text);

// Creates `folder` with every missing parent; an empty text on success,
// otherwise the message "De map "<folder>" kan niet worden aangemaakt.".
std::string MakeIndexFolder(const std::string& folder);

}  // namespace pc::settings
