// Small text edits shared by the whole program. Texts are single-byte
// (Windows-1252); none of these routines throws or depends on the locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pc {

// The decimal text of `value` with `separator` before every group of three
// digits counted from the right, never in front of the first digit
// (1234567 -> "1.234.567", 999 -> "999", 0 -> "0").
std::string GroupDigits(std::uint64_t value, char separator);

// Tolerant integer reading: every blank is removed; the rest is accepted only
// when it is non-empty, consists of digits and "-" only and reads as one
// 32-bit integer ("-12", " 2 007 "). Anything else, including texts such as
// "1-2", "--3" or values beyond the 32-bit range, gives 0.
std::int32_t ParseInteger(std::string_view text);

// A full file name split at the last folder separator and the last ".".
struct TPathParts {
  std::string Folder;     // up to and including the last "\" or "/"; empty when none
  std::string Name;       // between the last separator and the last "."
  std::string Extension;  // from the last "." on, with the dot; empty when none
};
// "C:\data\project.v2.kvp" -> {"C:\data\", "project.v2", ".kvp"}. A "." in a
// folder name does not count as the start of an extension.
TPathParts SplitPath(std::string_view path);

// The file name without folder and without its last four characters (the
// extension with its dot, ".kvp"). A name of four characters or fewer gives
// the empty text.
std::string FileBaseName(std::string_view path);

// Removes every repetition of `c` from the start / the end of `text`.
std::string StripLeading(std::string_view text, char c);
std::string StripTrailing(std::string_view text, char c);

// Prefixes `fill` until `text` is `width` characters long; longer texts are
// returned unchanged.
std::string PadLeft(std::string_view text, std::size_t width, char fill);

// Every occurrence of `from` replaced by `to`, scanning left to right and
// continuing after each replacement (the replacement is never rescanned).
// An empty `from` returns the text unchanged.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// The text without any character that occurs in `set`.
std::string RemoveCharacters(std::string_view text, std::string_view set);

// True when every character of the text, converted to upper case, occurs in
// `set`; an empty text gives true.
bool AllCharactersInSet(std::string_view text, std::string_view set);

// Upper case of the letters a..z only; every other byte, letters with
// diacritics included, stays as written. Used for case-blind name matching.
std::string UpperCase(std::string_view text);
// Whether the two texts are equal after UpperCase.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

// The first `maxLength` bytes of the text (bounded names and captions).
std::string CutText(std::string_view text, std::size_t maxLength);

}  // namespace pc
