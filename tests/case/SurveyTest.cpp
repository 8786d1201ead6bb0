// Survey files: CSV and JSON read alike, and bad rows refused by name.
#include <gtest/gtest.h>

#include <string>

#include <nlohmann/json.hpp>

#include "../TestFluids.h"
#include "pdrop/case/CaseFile.h"
#include "pdrop/case/Survey.h"

namespace pdrop {
namespace {

// The example oil well: 8000 ft vertical.
TraverseCase Well() { return ReadCaseFile(PDROP_EXAMPLES_DIR "/oil_well.json"); }

// A gauge pulled out of the hole, one temperature missing: the same points
// from either format, in increasing depth.
TEST(SurveyFile, ReadsCsvAndJsonAlike) {
  const std::string csv =
      "\xEF\xBB\xBFpressure_psia, md_ft ,temperature_F\r\n"
      "2400.5,8000,210\r\n"
      "\r\n"
      "1300,4000,\r\n"
      "250,0,100\r\n";
  const std::string json =
      R"([{"md_ft": 8000, "pressure_psia": 2400.5, "temperature_F": 210},
          {"md_ft": 4000, "pressure_psia": 1300},
          {"md_ft": 0, "pressure_psia": 250, "temperature_F": 100}])";
  for (const std::string& text : {csv, json}) {
    const Survey s = ParseSurvey(text, "s", Well());
    ASSERT_EQ(s.points.size(), 3u);
    EXPECT_TRUE(s.has_temperature);
    test::ExpectValues({s.points[0].md_ft, s.points[0].temperature_F, s.points[1].pressure_psia,
                        s.points[2].md_ft, s.points[2].pressure_psia},
                       {0.0, 100.0, 1300.0, 8000.0, 2400.5});
    EXPECT_FALSE(IsSet(s.points[1].temperature_F));
  }
}

// The rows of tests/data/bad_input.json: a survey text and a part of the message.
TEST(SurveyFile, RefusesABadRowNamingIt) {
  const nlohmann::json rows = ReadJsonFile(PDROP_TEST_DATA_DIR "/bad_input.json").at("survey");
  ASSERT_EQ(rows.size(), 12u);
  for (const nlohmann::json& row : rows) {
    const std::string text = row[0];
    const std::string m = test::ErrorOf<InputError>([&] { ParseSurvey(text, "s", Well()); });
    EXPECT_NE(m.find(row[1].get<std::string>()), std::string::npos) << text << ": " << m;
  }
}

}  // namespace
}  // namespace pdrop
