// Survey files: CSV and JSON read alike, and bad rows refused by name.
#include <gtest/gtest.h>

#include <string>

#include "../TestFluids.h"
#include "pdrop/case/CaseFile.h"
#include "pdrop/case/Survey.h"

namespace pdrop {
namespace {

TraverseCase Well() {
  TraverseCase c;
  c.stations = {{0.0, 0.0, 2.441, 0.0, 0.0006}, {8000.0, 8000.0, 2.441, 0.0, 0.0006}};
  c.known_pressure_psia = 250.0;
  c.oil_STBd = 1000.0;
  return c;
}

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
    EXPECT_EQ(s.points[0].md_ft, 0.0);
    EXPECT_EQ(s.points[0].temperature_F, 100.0);
    EXPECT_EQ(s.points[1].pressure_psia, 1300.0);
    EXPECT_FALSE(IsSet(s.points[1].temperature_F));
    EXPECT_EQ(s.points[2].md_ft, 8000.0);
    EXPECT_EQ(s.points[2].pressure_psia, 2400.5);
  }
}

TEST(SurveyFile, RefusesABadRowNamingIt) {
  const struct {
    const char* text;
    const char* message;
  } rows[] = {
      {"md_ft,pressure_psia\n1000,500\n2000,abc\n",
       "s line 3: pressure_psia = 'abc' is not a number"},
      {"md_ft,pressure_psia\n1000,500\n2000,nan\n",
       "s line 3: pressure_psia = 'nan' is not a number"},
      {"md_ft,pressure_psia\n1000,500\n9000,900\n",
       "s line 3: md_ft = 9000 is outside the measured depths of the case, 0 to 8000 ft"},
      {"md_ft,pressure_psia\n1000,500\n3000,900\n2000,700\n",
       "s line 4: md_ft = 2000 does not follow the depth before it, 3000 ft"},
      {"md_ft,pressure_psia\n1000,500\n1000,510\n",
       "s line 3: md_ft = 1000 repeats the depth before it"},
      {"md_ft,pressure_psia\n1000,40000\n",
       "s line 2: pressure_psia = 40000 is outside the accepted range 5 to 30000 psia"},
      {"md_ft,pressure_psia\n1000\n", "s line 2: expected 2 values, found 1"},
      {"md_ft,p\n", "s line 1: unknown column 'p'"},
      {"md_ft,pressure_psia\n", "s: no survey points"},
      {R"([{"md_ft": 3000, "pressure_psia": 900}, {"md_ft": 2000, "pressure_psia": 700},
           {"md_ft": 2500, "pressure_psia": 800}])",
       "s[2]: md_ft = 2500 does not precede the depth before it, 2000 ft"},
      {R"([{"md_ft": -5, "pressure_psia": 900}])", "s[0]: md_ft = -5 is outside"},
      {R"([{"md_ft": 100, "pressure_psia": "900"}])",
       "s[0].pressure_psia: expected a number, found \"900\""},
  };
  for (const auto& row : rows) {
    const std::string m = test::ErrorOf<InputError>([&] { ParseSurvey(row.text, "s", Well()); });
    EXPECT_NE(m.find(row.message), std::string::npos) << row.text << ": " << m;
  }
}

}  // namespace
}  // namespace pdrop
