#include "http/status_text.h"

#include <utility>

namespace pc::http {

std::string StatusText(int code) {
  static constexpr std::pair<int, const char*> kTexts[] = {
      {1, "File I/O error"},
      {2, "No downloads between 09:30 and 16:30."},
      {100, "Continue"},
      {101, "Switching Protocols"},
      {200, "OK"},
      {201, "Created"},
      {202, "Accepted"},
      {203, "Non-Authoritative Information"},
      {204, "No Content"},
      {205, "Reset Content"},
      {206, "Partial Content"},
      {300, "Multiple Choices"},
      {301, "Moved Permanently"},
      {302, "Moved Temporarily"},
      {303, "See Other"},
      {304, "Not Modified"},
      {305, "Use Proxy"},
      {400, "Bad Request"},
      {401, "Unauthorized"},
      {402, "Payment Required"},
      {403, "Forbidden"},
      {404, "Not Found"},
      {405, "Method Not Allowed"},
      {406, "Not Acceptable"},
      {407, "Proxy Authentication Required"},
      {408, "Request Time-out"},
      {409, "Conflict"},
      {410, "Gone"},
      {411, "Length Required"},
      {412, "Precondition Failed"},
      {413, "Request Entity Too Large"},
      {414, "Request-URI Too Large"},
      {415, "Unsupported Media Type"},
      {416, "Requested range not valid"},
      {500, "Internal Server Error"},
      {501, "Not Implemented"},
      {502, "Bad Gateway"},
      {503, "Service Unavailable"},
      {504, "Gateway Time-out"},
      {505, "HTTP Version not supported"},
      {9001, "Network error: Timeout occured"},
      {9002, "Parser error: No Stocks Found (see \"File, Check for system updates\" if there are new configuration files)"},
  };
  if (code == 0) return "";
  for (const auto& [c, text] : kTexts) {
    if (c == code) return text;
  }
  return "Unknown error";
}

}  // namespace pc::http
