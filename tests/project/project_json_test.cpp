// Projects as JSON: what is refused (with the key named), what the defaults
// are, and that a project comes back unchanged.
#include "project/project_json.h"

#include <gtest/gtest.h>

#include "project/project_json_model.h"
#include "project_test_support.h"

namespace pc::project_json {
namespace {

using project::testing::Day;

constexpr double kToday = 39517;  // 10 March 2008

const char kFull[] = R"({
  "project_name": "Brug é€",
  "client": "Gemeente",
  "contractor": "Bouwer",
  "price_reference_date": "2008-01-15",
  "tender_date": "2008-01-10",
  "start_of_works": "2008-02-01",
  "calc_method": "simplified",
  "concept": true,
  "index_file_name": "Brug.kvi",
  "index_period": {
    "first": "2007-01",
    "last": "2009-12"
  },
  "components": [
    {
      "name": "Arbeid",
      "percentage": 40,
      "variable": false,
      "start_rule": "fixed_date",
      "start_date": "2008-02-10",
      "trend_kind": "yearly_percentage",
      "trend_percentage": 2.5,
      "figures": {
        "2008-01": 100,
        "2008-02": 102.25
      }
    },
    {
      "name": "Var",
      "percentage": 0,
      "variable": true,
      "start_rule": "start_of_works",
      "start_date": null,
      "trend_kind": "none",
      "trend_percentage": 0,
      "figures": {
        "2008-01": 10
      }
    }
  ],
  "installments": [
    {
      "name": "T1",
      "end_date": "2008-03-15",
      "amount": 10000.5,
      "component_amounts": {
        "Var": 1234.56
      }
    },
    {
      "name": "T2",
      "end_date": "2008-04-15",
      "amount": -20
    }
  ]
}
)";

ProjectDescription Parse(const std::string& text) {
  auto result = ParseProject(text, kToday);
  if (auto* problem = std::get_if<JsonProblem>(&result)) {
    ADD_FAILURE() << problem->Text();
    return {};
  }
  return std::get<ProjectDescription>(result);
}

TEST(ProjectJsonTest, FullDescriptionIsRead) {
  const ProjectDescription d = Parse(kFull);
  EXPECT_EQ(d.project_name, "Brug \xE9\x80");
  EXPECT_EQ(d.price_reference_date, Day(2008, 1, 15));
  EXPECT_EQ(d.tender_date, Day(2008, 1, 10));
  EXPECT_EQ(d.calc_method, 1);
  EXPECT_TRUE(d.is_concept);
  ASSERT_EQ(d.components.size(), 2u);
  EXPECT_EQ(d.components[0].start_rule, 2);
  EXPECT_EQ(d.components[0].start_date, Day(2008, 2, 10));
  EXPECT_EQ(d.components[0].trend_kind, 2);
  EXPECT_EQ(d.components[0].figures.at({2008, 2}), 102.25);
  ASSERT_EQ(d.installments.size(), 2u);
  EXPECT_EQ(d.installments[0].component_amounts.at(0).second, 1234.56);
}

TEST(ProjectJsonTest, MissingKeysTakeTheDefaultsOfANewProject) {
  const ProjectDescription d = Parse("{}");
  EXPECT_EQ(d.project_name, "Nieuw Project");
  EXPECT_EQ(d.price_reference_date, kToday);
  EXPECT_EQ(d.tender_date, kToday);
  EXPECT_EQ(d.start_of_works, kToday);
  EXPECT_EQ(d.calc_method, 0);
  EXPECT_FALSE(d.is_concept);
  const ProjectDescription t = Parse(R"({"price_reference_date": "2008-01-15"})");
  EXPECT_EQ(t.tender_date, Day(2008, 1, 15));
}

TEST(ProjectJsonTest, BadInputNamesTheKeyAndTheProblem) {
  const struct {
    const char* json;
    const char* key;
    const char* problem;  // start of the problem text
  } cases[] = {
      {"{", "", "geen geldige JSON"},
      {"[]", "", "het bestand moet"},
      {R"({"projectnaam": "x"})", "projectnaam", "onbekende sleutel"},
      {R"({"project_name": 5})", "project_name", "moet een tekst zijn"},
      {R"({"project_name": "\u0100"})", "project_name", "bevat een teken"},
      {R"({"client": "x\u0000y"})", "client", "bevat een teken"},
      {R"({"contractor": "123456789012345678901234567890123456789012345678901"})", "contractor",
       "is langer dan 50"},
      {R"({"price_reference_date": "2008-02-30"})", "price_reference_date", "moet een datum"},
      {R"({"tender_date": "1970-01-01"})", "tender_date", "moet een datum"},
      {R"({"start_of_works": "15-01-2008"})", "start_of_works", "moet een datum"},
      {R"({"calc_method": "fast"})", "calc_method", "moet een van"},
      {R"({"concept": "ja"})", "concept", "moet true of false"},
      {R"({"index_period": {"first": "2008-13", "last": "2009-01"}})", "index_period.first",
       "moet een maand"},
      {R"({"index_period": {"first": "2009-01", "last": "2008-01"}})", "index_period", "\"first\""},
      {R"({"index_period": {"first": "2008-01", "last": "2008-06"},
           "components": [{"name": "A", "figures": {"2008-03": 100, "2008-07": 101}}]})",
       "components[0].figures.2008-07", "ligt buiten index_period"},
      {R"({"index_file_name": "../../elsewhere/Evil.kvi"})", "index_file_name", "moet een bestandsnaam zonder map"},
      {R"({"index_file_name": "sub\\Evil.kvi"})", "index_file_name", "moet een bestandsnaam zonder map"},
      {R"({"index_file_name": ".."})", "index_file_name", "moet een bestandsnaam zonder map"},
      {R"({"components": {}})", "components", "moet een lijst"},
      {R"({"components": [{"percentage": 5}]})", "components[0].name", "ontbreekt"},
      {R"({"components": [{"name": ""}]})", "components[0].name", "mag niet leeg"},
      {R"({"components": [{"name": "12345678901234567890123456"}]})", "components[0].name",
       "is langer dan 25"},
      {R"({"components": [{"name": "A", "percentage": 150}]})", "components[0].percentage",
       "150 ligt niet tussen 0 en 100"},
      {R"({"components": [{"name": "A", "percentage": 12.345}]})", "components[0].percentage",
       "12.345 heeft meer dan twee decimalen"},
      {R"({"components": [{"name": "A", "percentage": 12345.678}]})", "components[0].percentage",
       "12345.678 ligt niet tussen"},
      {R"({"components": [{"name": "A", "percentage": 99.99001}]})", "components[0].percentage",
       "99.99001 heeft meer dan twee decimalen"},
      {R"({"components": [{"name": "A", "figures": {"2008-01": 12345.678}}]})",
       "components[0].figures.2008-01", "12345.678 heeft meer dan twee decimalen"},
      {R"({"components": [{"name": "A", "figures": {"2008-01": 99999.991}}]})",
       "components[0].figures.2008-01", "99999.991 ligt niet tussen"},
      {R"({"components": [{"name": "A", "figures": {"2008-01": 0.001}}]})",
       "components[0].figures.2008-01", "0.001 heeft meer dan twee decimalen"},
      {R"({"project_name": "a", "project_name": "b"})", "project_name", "staat er twee keer"},
      {R"({"components": [{"name": "A", "percentage": 100, "percentage": 555}]})",
       "components[0].percentage", "staat er twee keer"},
      {R"({"components": [{"name": "A"}, {"name": "B", "figures": {"2008-01": 1, "2008-01": 2}}]})",
       "components[1].figures.2008-01", "staat er twee keer"},
      {R"({"installments": [[1, {"a": 1}], {"name": "T", "name": "U"}]})", "installments[1].name",
       "staat er twee keer"},
      {R"({"components": [{"name": "A", "percentage": "12"}]})", "components[0].percentage",
       "moet een getal"},
      {R"({"components": [{"name": "A", "start_rule": 1}]})", "components[0].start_rule",
       "moet een van"},
      {R"({"components": [{"name": "A", "trend_percentage": 1e400}]})", "", "geen geldige JSON"},
      {R"({"components": [{"name": "A", "figures": {"2008-01": -1}}]})",
       "components[0].figures.2008-01", "-1 ligt niet tussen"},
      {R"({"components": [{"name": "A", "figures": {"2008-01": 100000}}]})",
       "components[0].figures.2008-01", "100000 ligt niet tussen"},
      {R"({"components": [{"name": "A", "figures": {"1980-12": 1}}]})",
       "components[0].figures.1980-12", "moet een maand"},
      {R"({"components": [{"name": "A"}, {"name": "a"}]})", "components[1].name",
       "er is reeds een bestanddeel"},
      {R"({"installments": [{"name": "T"}]})", "installments[0].end_date", "ontbreekt"},
      {R"({"start_of_works": "2008-02-01", "installments": [{"name": "T", "end_date": "2008-01-31"}]})",
       "installments[0].end_date", "ligt voor de aanvang"},
      {R"({"start_of_works": "2008-02-01", "installments": [{"name": "T", "end_date": "2008-03-01"},
          {"name": "U", "end_date": "2008-03-01"}]})",
       "installments", "er zijn twee termijnen"},
      {R"({"start_of_works": "2008-02-01", "installments": [{"name": "T", "end_date": "2008-03-01",
          "amount": 100000000}]})",
       "installments[0].amount", "100000000 ligt niet tussen"},
      {R"({"start_of_works": "2008-02-01", "components": [{"name": "A", "percentage": 5}],
          "installments": [{"name": "T", "end_date": "2008-03-01", "component_amounts": {"A": 1}}]})",
       "installments[0].component_amounts.A", "dit bestanddeel is niet variabel"},
      {R"({"start_of_works": "2008-02-01",
          "installments": [{"name": "T", "end_date": "2008-03-01", "component_amounts": {"B": 1}}]})",
       "installments[0].component_amounts.B", "geen bestanddeel"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.json);
    auto result = ParseProject(c.json, kToday);
    ASSERT_TRUE(std::holds_alternative<JsonProblem>(result));
    const JsonProblem& p = std::get<JsonProblem>(result);
    EXPECT_EQ(p.key, c.key);
    EXPECT_EQ(p.problem.rfind(c.problem, 0), 0u) << p.problem;
  }
}

// Two decimals are judged on the digits, also for large figures and for
// values that a relative tolerance would let through or refuse.
TEST(ProjectJsonTest, TwoDecimalsAreAcceptedWhateverTheSize) {
  for (const char* figure : {"0.01", "100.12", "100.1", "99999.99", "12345.67", "1e2", "100.10", "0"}) {
    SCOPED_TRACE(figure);
    const ProjectDescription d =
        Parse(std::string(R"({"components": [{"name": "A", "percentage": 12.34, "figures": {"2008-01": )") +
              figure + "}}]}");
    ASSERT_EQ(d.components.size(), 1u);
    EXPECT_EQ(d.components[0].percentage, 12.34);
  }
}

TEST(ProjectJsonTest, TooManyEntriesAreRefused) {
  std::string components = R"({"components": [)";
  for (int i = 0; i < 51; ++i) components += (i ? "," : "") + std::string(R"({"name": "C)") + std::to_string(i) + "\"}";
  components += "]}";
  auto result = ParseProject(components, kToday);
  ASSERT_TRUE(std::holds_alternative<JsonProblem>(result));
  EXPECT_EQ(std::get<JsonProblem>(result).key, "components");
}

TEST(ProjectJsonTest, WriteGivesBackTheSameText) {
  const ProjectDescription d = Parse(kFull);
  EXPECT_EQ(WriteProject(d), kFull);
}

// Through a project document and a project file and back.
class ProjectJsonFileTest : public project::testing::ProjectFixture {};

TEST_F(ProjectJsonFileTest, JsonToProjectFileToJsonIsUnchanged) {
  const ProjectDescription d = Parse(kFull);
  project::TProjectData document(&services_);
  ASSERT_FALSE(ToDocument(d, document).has_value());
  const std::string path = temp_.Path("Brug.kvp");
  ASSERT_TRUE(document.SaveProjectFile(path));
  project::TProjectData back(&services_);
  ASSERT_TRUE(back.OpenProjectFile(path));
  EXPECT_EQ(WriteProject(FromDocument(back)), kFull);
}

TEST_F(ProjectJsonFileTest, PeriodIsDerivedWhenNotGiven) {
  const ProjectDescription d = Parse(R"({"price_reference_date": "2007-06-15",
      "components": [{"name": "A", "percentage": 10, "figures": {"2008-01": 1, "2009-03": 2}}]})");
  const auto period = DerivedPeriod(d);
  EXPECT_EQ(period.first, (YearMonth{2007, 6}));
  EXPECT_EQ(period.second, (YearMonth{2009, 3}));
  project::TProjectData document(&services_);
  ASSERT_FALSE(ToDocument(d, document).has_value());
  EXPECT_EQ(document.IndexTable->PeriodStart(), MonthKeyOfYearMonth(2007, 6));
  EXPECT_FALSE(FromDocument(document).index_period.has_value());
}

}  // namespace
}  // namespace pc::project_json
