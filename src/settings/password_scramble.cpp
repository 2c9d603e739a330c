#include "settings/password_scramble.h"

namespace pc::settings {

std::string ScramblePassword(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(static_cast<unsigned char>(c) ^ kPasswordKey);
  return out;
}

}  // namespace pc::settings
