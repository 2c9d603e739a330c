#include "project/project_json.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <functional>
#include <set>
#include <vector>

#include "common/date_time.h"
#include "project/index_location.h"
#include "project/text_bridge.h"

namespace pc::project_json {
namespace {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

constexpr int kFirstYear = 1981;
constexpr int kLastYear = 2100;
constexpr double kAmountLimit = 99999999.0;
constexpr double kFigureLimit = 99999.99;
constexpr std::size_t kMaxInstallments = 999;
constexpr std::size_t kMaxComponents = 50;

bool ReadDigits(std::string_view text, int& value) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

bool ParseMonthText(std::string_view text, YearMonth& out) {
  if (text.size() != 7 || text[4] != '-') return false;
  int y = 0, m = 0;
  if (!ReadDigits(text.substr(0, 4), y) || !ReadDigits(text.substr(5, 2), m)) return false;
  if (y < kFirstYear || y > kLastYear || m < 1 || m > 12) return false;
  out = {y, m};
  return true;
}

bool ParseDateText(std::string_view text, double& out) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  int y = 0, m = 0, d = 0;
  if (!ReadDigits(text.substr(0, 4), y) || !ReadDigits(text.substr(5, 2), m) ||
      !ReadDigits(text.substr(8, 2), d))
    return false;
  if (y < kFirstYear || y > kLastYear) return false;
  return TryEncodeDate(y, m, d, out);
}

std::string NumberText(double v) {
  char buf[400];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  return ec == std::errc() ? std::string(buf, end) : std::string("?");
}

// Judged on the digits of the shortest decimal text that reads back as the
// same double: for the values allowed here (at most 11 significant digits)
// that is the text that was written, whatever its trailing zeros.
bool HasAtMostTwoDecimals(double v) {
  char buf[400];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  if (ec != std::errc()) return false;
  const std::string_view text(buf, static_cast<std::size_t>(end - buf));
  const std::size_t point = text.find('.');
  return point == std::string_view::npos || text.size() - point - 1 <= 2;
}

// Follows the parser's events to know where it is ("components[0].name")
// and finds the first key that appears twice in one object: JSON leaves
// that open, and taking the last one would lose a value without a word.
class DuplicateKeyFinder {
 public:
  std::optional<std::string> duplicate;  // the path of the first repeated key

  bool operator()(int /*depth*/, Json::parse_event_t event, Json& parsed) {
    switch (event) {
      case Json::parse_event_t::object_start:
        frames_.push_back(Frame{false, 0, {}, {}});
        break;
      case Json::parse_event_t::array_start:
        frames_.push_back(Frame{true, 0, {}, {}});
        break;
      case Json::parse_event_t::key:
        if (!frames_.empty()) {
          Frame& top = frames_.back();
          top.key = parsed.get<std::string>();
          if (!top.keys.insert(top.key).second && !duplicate) duplicate = Path();
        }
        break;
      case Json::parse_event_t::object_end:
      case Json::parse_event_t::array_end:
        if (!frames_.empty()) frames_.pop_back();
        ElementDone();
        break;
      case Json::parse_event_t::value:
        ElementDone();
        break;
    }
    return true;
  }

 private:
  struct Frame {
    bool is_array;
    std::size_t index;
    std::string key;
    std::set<std::string> keys;
  };

  void ElementDone() {
    if (!frames_.empty() && frames_.back().is_array) ++frames_.back().index;
  }

  std::string Path() const {
    std::string path;
    for (const Frame& f : frames_) {
      if (f.is_array) {
        path += "[" + std::to_string(f.index) + "]";
      } else {
        if (!path.empty()) path += ".";
        path += f.key;
      }
    }
    return path;
  }

  std::vector<Frame> frames_;
};

// Reads one object field by field; remembers the first problem.
class Reader {
 public:
  std::optional<JsonProblem> problem;

  bool Fail(const std::string& key, std::string text) {
    if (!problem) problem = JsonProblem{key, std::move(text)};
    return false;
  }

  bool CheckKeys(const Json& object, const std::string& prefix,
                 std::initializer_list<std::string_view> known) {
    for (const auto& [key, value] : object.items()) {
      (void)value;
      if (std::find(known.begin(), known.end(), key) == known.end())
        return Fail(prefix + key, "onbekende sleutel");
    }
    return true;
  }

  // Text: converted to Windows-1252, at most `limit` characters.
  bool Text(const Json& object, const char* name, const std::string& key, std::size_t limit,
            bool required, std::string& out) {
    const auto it = object.find(name);
    if (it == object.end() || it->is_null()) {
      if (required) return Fail(key, "ontbreekt");
      return true;
    }
    if (!it->is_string()) return Fail(key, "moet een tekst zijn");
    std::string converted;
    if (!Utf8ToSingleByte(it->get_ref<const std::string&>(), converted))
      return Fail(key, "bevat een teken dat niet in Windows-1252 bestaat");
    if (converted.size() > limit)
      return Fail(key, "is langer dan " + std::to_string(limit) + " tekens");
    if (required && converted.empty()) return Fail(key, "mag niet leeg zijn");
    out = std::move(converted);
    return true;
  }

  bool Date(const Json& object, const char* name, const std::string& key, bool nullable,
            double& out) {
    const auto it = object.find(name);
    if (it == object.end()) return true;
    if (it->is_null()) {
      if (!nullable) return Fail(key, "moet een datum \"JJJJ-MM-DD\" zijn");
      out = 0;
      return true;
    }
    if (!it->is_string() || !ParseDateText(it->get_ref<const std::string&>(), out))
      return Fail(key, "moet een datum \"JJJJ-MM-DD\" tussen 1981 en 2100 zijn");
    return true;
  }

  bool Bool(const Json& object, const char* name, const std::string& key, bool& out) {
    const auto it = object.find(name);
    if (it == object.end() || it->is_null()) return true;
    if (!it->is_boolean()) return Fail(key, "moet true of false zijn");
    out = it->get<bool>();
    return true;
  }

  bool Number(const Json& value, const std::string& key, double low, double high,
              bool two_decimals, double& out) {
    if (!value.is_number()) return Fail(key, "moet een getal zijn");
    const double v = value.get<double>();
    if (!std::isfinite(v) || v < low || v > high)
      return Fail(key, NumberText(v) + " ligt niet tussen " + NumberText(low) + " en " +
                           NumberText(high));
    if (two_decimals && !HasAtMostTwoDecimals(v))
      return Fail(key, NumberText(v) + " heeft meer dan twee decimalen");
    out = v;
    return true;
  }

  bool OptionalNumber(const Json& object, const char* name, const std::string& key, double low,
                      double high, bool two_decimals, double& out) {
    const auto it = object.find(name);
    if (it == object.end() || it->is_null()) return true;
    return Number(*it, key, low, high, two_decimals, out);
  }

  template <std::size_t N>
  bool Choice(const Json& object, const char* name, const std::string& key,
              const std::string_view (&names)[N], std::uint8_t& out) {
    const auto it = object.find(name);
    if (it == object.end() || it->is_null()) return true;
    if (it->is_string()) {
      for (std::size_t i = 0; i < N; ++i) {
        if (it->get_ref<const std::string&>() == names[i]) {
          out = static_cast<std::uint8_t>(i);
          return true;
        }
      }
    }
    std::string list;
    for (std::size_t i = 0; i < N; ++i) list += (i ? ", \"" : "\"") + std::string(names[i]) + "\"";
    return Fail(key, "moet een van " + list + " zijn");
  }
};

constexpr std::string_view kStartRules[] = {"start_of_works", "year_after_tender", "fixed_date",
                                            "year_after_start"};
constexpr std::string_view kTrendKinds[] = {"none", "linear", "yearly_percentage"};
constexpr std::string_view kCalcMethods[] = {"official", "simplified"};

std::string UpperCase(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

bool ReadComponent(Reader& r, const Json& value, const std::string& prefix,
                   ComponentDescription& c) {
  if (!value.is_object()) return r.Fail(prefix, "moet een object zijn");
  const std::string p = prefix + ".";
  if (!r.CheckKeys(value, p,
                   {"name", "percentage", "variable", "start_rule", "start_date", "trend_kind",
                    "trend_percentage", "figures"}))
    return false;
  if (!r.Text(value, "name", p + "name", 25, true, c.name)) return false;
  if (!r.OptionalNumber(value, "percentage", p + "percentage", 0, 100, true, c.percentage))
    return false;
  if (!r.Bool(value, "variable", p + "variable", c.variable)) return false;
  if (!r.Choice(value, "start_rule", p + "start_rule", kStartRules, c.start_rule)) return false;
  if (!r.Date(value, "start_date", p + "start_date", true, c.start_date)) return false;
  if (!r.Choice(value, "trend_kind", p + "trend_kind", kTrendKinds, c.trend_kind)) return false;
  if (!r.OptionalNumber(value, "trend_percentage", p + "trend_percentage", -100, 100, false,
                        c.trend_percentage))
    return false;
  const auto figures = value.find("figures");
  if (figures != value.end() && !figures->is_null()) {
    if (!figures->is_object()) return r.Fail(p + "figures", "moet een object zijn");
    for (const auto& [month_text, figure] : figures->items()) {
      const std::string key = p + "figures." + month_text;
      YearMonth month;
      if (!ParseMonthText(month_text, month))
        return r.Fail(key, "moet een maand \"JJJJ-MM\" tussen 1981 en 2100 zijn");
      double v = 0;
      if (!r.Number(figure, key, 0, kFigureLimit, true, v)) return false;
      if (v != 0) c.figures[month] = v;
    }
  }
  return true;
}

bool ReadInstallment(Reader& r, const Json& value, const std::string& prefix,
                     InstallmentDescription& t) {
  if (!value.is_object()) return r.Fail(prefix, "moet een object zijn");
  const std::string p = prefix + ".";
  if (!r.CheckKeys(value, p, {"name", "end_date", "amount", "component_amounts"})) return false;
  if (!r.Text(value, "name", p + "name", 25, true, t.name)) return false;
  if (value.find("end_date") == value.end() || value["end_date"].is_null())
    return r.Fail(p + "end_date", "ontbreekt");
  if (!r.Date(value, "end_date", p + "end_date", false, t.end_date)) return false;
  if (!r.OptionalNumber(value, "amount", p + "amount", -kAmountLimit, kAmountLimit, false,
                        t.amount))
    return false;
  const auto amounts = value.find("component_amounts");
  if (amounts != value.end() && !amounts->is_null()) {
    if (!amounts->is_object()) return r.Fail(p + "component_amounts", "moet een object zijn");
    for (const auto& [name, amount] : amounts->items()) {
      const std::string key = p + "component_amounts." + name;
      std::string converted;
      if (!Utf8ToSingleByte(name, converted))
        return r.Fail(key, "bevat een teken dat niet in Windows-1252 bestaat");
      double v = 0;
      if (!r.Number(amount, key, -kAmountLimit, kAmountLimit, false, v)) return false;
      t.component_amounts.emplace_back(std::move(converted), v);
    }
  }
  return true;
}

bool CheckProject(Reader& r, ProjectDescription& d) {
  std::set<std::string> names;
  for (std::size_t i = 0; i < d.components.size(); ++i) {
    if (!names.insert(UpperCase(d.components[i].name)).second)
      return r.Fail("components[" + std::to_string(i) + "].name",
                    "er is reeds een bestanddeel met deze naam");
  }
  for (std::size_t i = 0; i < d.installments.size(); ++i) {
    const auto& t = d.installments[i];
    const std::string p = "installments[" + std::to_string(i) + "].";
    if (t.end_date < d.start_of_works)
      return r.Fail(p + "end_date", "ligt voor de aanvang uitvoering (start_of_works)");
    std::set<std::string> seen;
    for (const auto& entry : t.component_amounts) {
      const std::string& name = entry.first;
      const std::string key = p + "component_amounts." + SingleByteToUtf8(name);
      const std::string upper = UpperCase(name);
      const auto it = std::find_if(d.components.begin(), d.components.end(),
                                   [&upper](const auto& c) { return UpperCase(c.name) == upper; });
      if (it == d.components.end()) return r.Fail(key, "geen bestanddeel van dit project");
      if (!it->variable) return r.Fail(key, "dit bestanddeel is niet variabel");
      if (!seen.insert(UpperCase(name)).second) return r.Fail(key, "komt twee keer voor");
    }
  }
  std::stable_sort(d.installments.begin(), d.installments.end(),
                   [](const auto& a, const auto& b) { return a.end_date < b.end_date; });
  for (std::size_t i = 1; i < d.installments.size(); ++i) {
    if (d.installments[i].end_date == d.installments[i - 1].end_date)
      return r.Fail("installments", "er zijn twee termijnen met de einddatum " +
                                        IsoDate(d.installments[i].end_date));
  }
  if (d.index_period && d.index_period->first > d.index_period->second)
    return r.Fail("index_period", "\"first\" ligt na \"last\"");
  // A figure outside the period would be dropped without a word.
  if (d.index_period) {
    for (std::size_t i = 0; i < d.components.size(); ++i) {
      for (const auto& [month, figure] : d.components[i].figures) {
        if (month < d.index_period->first || d.index_period->second < month)
          return r.Fail("components[" + std::to_string(i) + "].figures." + IsoMonth(month),
                        "ligt buiten index_period");
      }
    }
  }
  return true;
}

}  // namespace

std::string IsoDate(double date) {
  TYmd ymd;
  if (!TryDecodeDate(date, ymd)) return "0000-00-00";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", ymd.Year, ymd.Month, ymd.Day);
  return buf;
}

std::string IsoMonth(YearMonth month) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d", month.year, month.month);
  return buf;
}

ParseResult ParseProject(std::string_view utf8_json, double today) {
  Json root;
  DuplicateKeyFinder duplicates;
  try {
    root = Json::parse(utf8_json.begin(), utf8_json.end(), std::ref(duplicates));
  } catch (const Json::exception& e) {
    return JsonProblem{"", std::string("geen geldige JSON: ") + e.what()};
  }
  if (duplicates.duplicate) return JsonProblem{*duplicates.duplicate, "staat er twee keer"};
  Reader r;
  if (!root.is_object()) return JsonProblem{"", "het bestand moet een JSON-object bevatten"};
  ProjectDescription d;
  d.price_reference_date = today;
  d.start_of_works = today;
  bool ok = r.CheckKeys(root, "",
                        {"project_name", "client", "contractor", "price_reference_date",
                         "tender_date", "start_of_works", "calc_method", "concept",
                         "index_file_name", "index_period", "components", "installments"}) &&
            r.Text(root, "project_name", "project_name", 50, false, d.project_name) &&
            r.Text(root, "client", "client", 50, false, d.client) &&
            r.Text(root, "contractor", "contractor", 50, false, d.contractor) &&
            r.Date(root, "price_reference_date", "price_reference_date", false,
                   d.price_reference_date);
  d.tender_date = d.price_reference_date;
  std::uint8_t method = 0;
  ok = ok && r.Date(root, "tender_date", "tender_date", false, d.tender_date) &&
       r.Date(root, "start_of_works", "start_of_works", false, d.start_of_works) &&
       r.Choice(root, "calc_method", "calc_method", kCalcMethods, method) &&
       r.Bool(root, "concept", "concept", d.is_concept) &&
       r.Text(root, "index_file_name", "index_file_name", 64, false, d.index_file_name);
  if (ok && !d.index_file_name.empty() && !project::IsPlainIndexFileName(d.index_file_name))
    ok = r.Fail("index_file_name", "moet een bestandsnaam zonder map zijn");
  d.calc_method = method;
  if (ok) {
    const auto period = root.find("index_period");
    if (period != root.end() && !period->is_null()) {
      YearMonth first, last;
      if (!period->is_object()) {
        ok = r.Fail("index_period", "moet een object met \"first\" en \"last\" zijn");
      } else if (!r.CheckKeys(*period, "index_period.", {"first", "last"})) {
        ok = false;
      } else if (!period->contains("first") || !(*period)["first"].is_string() ||
                 !ParseMonthText((*period)["first"].get_ref<const std::string&>(), first)) {
        ok = r.Fail("index_period.first", "moet een maand \"JJJJ-MM\" tussen 1981 en 2100 zijn");
      } else if (!period->contains("last") || !(*period)["last"].is_string() ||
                 !ParseMonthText((*period)["last"].get_ref<const std::string&>(), last)) {
        ok = r.Fail("index_period.last", "moet een maand \"JJJJ-MM\" tussen 1981 en 2100 zijn");
      } else {
        d.index_period = std::make_pair(first, last);
      }
    }
  }
  if (ok) {
    const auto components = root.find("components");
    if (components != root.end() && !components->is_null()) {
      if (!components->is_array()) {
        ok = r.Fail("components", "moet een lijst zijn");
      } else if (components->size() > kMaxComponents) {
        ok = r.Fail("components", "meer dan 50 bestanddelen");
      } else {
        for (std::size_t i = 0; ok && i < components->size(); ++i) {
          d.components.emplace_back();
          ok = ReadComponent(r, (*components)[i], "components[" + std::to_string(i) + "]",
                             d.components.back());
        }
      }
    }
  }
  if (ok) {
    const auto installments = root.find("installments");
    if (installments != root.end() && !installments->is_null()) {
      if (!installments->is_array()) {
        ok = r.Fail("installments", "moet een lijst zijn");
      } else if (installments->size() > kMaxInstallments) {
        ok = r.Fail("installments", "meer dan 999 termijnen");
      } else {
        for (std::size_t i = 0; ok && i < installments->size(); ++i) {
          d.installments.emplace_back();
          ok = ReadInstallment(r, (*installments)[i], "installments[" + std::to_string(i) + "]",
                               d.installments.back());
        }
      }
    }
  }
  if (ok) ok = CheckProject(r, d);
  if (!ok) return r.problem ? *r.problem : JsonProblem{"", "onbekende fout"};
  return d;
}

namespace {

OrderedJson NumberValue(double v) {
  if (std::isfinite(v) && v == std::trunc(v) && std::fabs(v) < 9.0e15)
    return OrderedJson(static_cast<std::int64_t>(v));
  if (!std::isfinite(v)) return OrderedJson(nullptr);
  return OrderedJson(v);
}

}  // namespace

std::string WriteProject(const ProjectDescription& d) {
  OrderedJson root;
  root["project_name"] = SingleByteToUtf8(d.project_name);
  root["client"] = SingleByteToUtf8(d.client);
  root["contractor"] = SingleByteToUtf8(d.contractor);
  root["price_reference_date"] = IsoDate(d.price_reference_date);
  root["tender_date"] = IsoDate(d.tender_date);
  root["start_of_works"] = IsoDate(d.start_of_works);
  root["calc_method"] = d.calc_method == 1 ? "simplified" : "official";
  root["concept"] = d.is_concept;
  if (!d.index_file_name.empty()) root["index_file_name"] = SingleByteToUtf8(d.index_file_name);
  if (d.index_period) {
    OrderedJson period;
    period["first"] = IsoMonth(d.index_period->first);
    period["last"] = IsoMonth(d.index_period->second);
    root["index_period"] = std::move(period);
  }
  OrderedJson components = OrderedJson::array();
  for (const auto& c : d.components) {
    OrderedJson jc;
    jc["name"] = SingleByteToUtf8(c.name);
    jc["percentage"] = NumberValue(c.percentage);
    jc["variable"] = c.variable;
    jc["start_rule"] = std::string(kStartRules[c.start_rule < 4 ? c.start_rule : 0]);
    jc["start_date"] = c.start_date >= 1.0 ? OrderedJson(IsoDate(c.start_date)) : OrderedJson();
    jc["trend_kind"] = std::string(kTrendKinds[c.trend_kind < 3 ? c.trend_kind : 0]);
    jc["trend_percentage"] = NumberValue(c.trend_percentage);
    OrderedJson figures = OrderedJson::object();
    for (const auto& [month, value] : c.figures) figures[IsoMonth(month)] = NumberValue(value);
    jc["figures"] = std::move(figures);
    components.push_back(std::move(jc));
  }
  root["components"] = std::move(components);
  OrderedJson installments = OrderedJson::array();
  for (const auto& t : d.installments) {
    OrderedJson jt;
    jt["name"] = SingleByteToUtf8(t.name);
    jt["end_date"] = IsoDate(t.end_date);
    jt["amount"] = NumberValue(t.amount);
    if (!t.component_amounts.empty()) {
      OrderedJson amounts = OrderedJson::object();
      for (const auto& [name, amount] : t.component_amounts)
        amounts[SingleByteToUtf8(name)] = NumberValue(amount);
      jt["component_amounts"] = std::move(amounts);
    }
    installments.push_back(std::move(jt));
  }
  root["installments"] = std::move(installments);
  return root.dump(2) + "\n";
}

}  // namespace pc::project_json
