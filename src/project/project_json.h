// A project described as JSON (the format of docs/project-json.md), and the
// checked plain description that sits between the JSON text and a project
// document. Parsing never throws: bad input gives a JsonProblem that names
// the key and says what is wrong, in Dutch.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace pc::project_json {

// A calendar month, 1981-01 .. 2100-12 once checked.
struct YearMonth {
  int year = 0;
  int month = 0;
  auto operator<=>(const YearMonth&) const = default;
};

struct ComponentDescription {
  std::string name;  // Windows-1252, 1..25 characters
  double percentage = 0;
  bool variable = false;
  std::uint8_t start_rule = 0;  // 0 start of works, 1 year after tender, 2 fixed date, 3 year after start
  double start_date = 0;        // whole day, 0 = none
  std::uint8_t trend_kind = 0;  // 0 none, 1 linear, 2 yearly percentage
  double trend_percentage = 0;
  std::map<YearMonth, double> figures;  // own figures only, none of them 0
};

struct InstallmentDescription {
  std::string name;  // Windows-1252, 1..25 characters
  double end_date = 0;
  double amount = 0;
  // By component name as written in the JSON (matched without regard to case).
  std::vector<std::pair<std::string, double>> component_amounts;
};

// Dates are days since 30 December 1899, whole days.
struct ProjectDescription {
  std::string project_name = "Nieuw Project";
  std::string client;
  std::string contractor;
  double price_reference_date = 0;
  double tender_date = 0;
  double start_of_works = 0;
  std::uint16_t calc_method = 0;  // 0 official, 1 simplified
  bool is_concept = false;
  std::string index_file_name;
  std::optional<std::pair<YearMonth, YearMonth>> index_period;
  std::vector<ComponentDescription> components;      // display order
  std::vector<InstallmentDescription> installments;  // sorted by end date once checked
};

struct JsonProblem {
  std::string key;      // e.g. "components[0].percentage"; empty for the whole text
  std::string problem;  // UTF-8 Dutch text
  std::string Text() const { return key.empty() ? problem : key + ": " + problem; }
};

using ParseResult = std::variant<ProjectDescription, JsonProblem>;

// Parses and checks a UTF-8 JSON text. `today` (whole day) is the default of
// the price reference date and the start of works. On success every value is
// in range, names are unique, installments are sorted and have distinct end
// days on or after the start of works, and component_amounts name variable
// components only.
ParseResult ParseProject(std::string_view utf8_json, double today);

// Writes the description as UTF-8 JSON (keys in the documented order,
// indented by two blanks, ending in a newline).
std::string WriteProject(const ProjectDescription& project);

// "YYYY-MM-DD" for a date; "YYYY-MM" for a month. Exposed for the commands
// that print dates in machine form.
std::string IsoDate(double date);
std::string IsoMonth(YearMonth month);

}  // namespace pc::project_json
