// Texts for the status codes the HTTP client reports after a failed request:
// the HTTP reason phrases plus the client's own codes.
#pragma once

#include <string>

namespace pc::http {

// The reason text of `code`; "" for 0 (no status), "Unknown error" for a
// code without a text of its own.
std::string StatusText(int code);

}  // namespace pc::http
