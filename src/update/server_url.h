// Where the update server is.
#pragma once

#include <string>
#include <string_view>

#include "platform/environment.h"

namespace pc::update {

inline constexpr std::string_view kServerUrlVariable = "PRIJSCORRECTUM_UPDATE_SERVER";

// The base URL this build was made with.
std::string BuiltInServerUrl();

// The base URL to use: `override` when not empty, else the environment
// variable PRIJSCORRECTUM_UPDATE_SERVER when set and not empty, else the
// built-in one; a "/" is added when it does not end in one.
std::string UpdateServerUrl(const platform::Environment& env, std::string_view override = {});

// True for an http:// or https:// URL with a host (compared without regard
// to the letter case of the scheme).
bool IsHttpUrl(std::string_view url);

// The host name of an http:// or https:// URL, without user, port and path
// ("http://piet@update.example.nl:8080/update/" gives "update.example.nl";
// an IPv6 address keeps its brackets). Empty when the URL is not one.
std::string UrlHostName(std::string_view url);

}  // namespace pc::update
