// The light of the time of day: a smooth cycle through a winter's day, and
// the right kind of light at the hours the picture is judged at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "scene/light_state.h"

namespace {

double luminance(const Rgb& c) { return 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2]; }

// A minute at a time through the day and over midnight: no value moves by
// more than a twentieth of its whole range in one minute, so every change
// of light takes at least twenty minutes.
TEST(LightState, NoValueJumpsAnywhereInTheDay) {
  std::vector<std::vector<double>> day;
  for (int minute = 0; minute <= 1440; ++minute) day.push_back(lightStateAt(minute).values());
  EXPECT_EQ(day.front(), day.back()) << "the day wraps round";
  size_t changing = 0;
  for (size_t k = 0; k < day[0].size(); ++k) {
    double low = day[0][k], high = day[0][k], steepest = 0;
    for (size_t m = 0; m + 1 < day.size(); ++m) {
      low = std::min(low, day[m][k]);
      high = std::max(high, day[m][k]);
      steepest = std::max(steepest, std::fabs(day[m + 1][k] - day[m][k]));
    }
    changing += high - low > 0.05;
    EXPECT_LE(steepest, (high - low) / 20 + 1e-9) << "value " << k;
  }
  EXPECT_GE(changing, day[0].size() - 3) << "nearly every value follows the day";
}

TEST(LightState, TheJudgedHoursShowNightDawnDayDuskNight) {
  struct Hour {
    int minutes;
    DayPhase phase;
  };
  const Hour hours[] = {{3 * 60, DayPhase::Night}, {7 * 60 + 45, DayPhase::Dawn},
                        {12 * 60, DayPhase::Day},  {15 * 60 + 50, DayPhase::Dusk},
                        {22 * 60, DayPhase::Night}};
  for (const Hour& hour : hours) {
    EXPECT_EQ(dayPhaseAt(hour.minutes), hour.phase) << hour.minutes;
    LightState s = lightStateAt(hour.minutes);
    bool night = hour.phase == DayPhase::Night, day = hour.phase == DayPhase::Day;
    bool twilight = !night && !day;
    EXPECT_EQ(s.nightSky > 0.95, night) << hour.minutes;
    EXPECT_EQ(s.twilight > 0.5, twilight) << hour.minutes;
    EXPECT_EQ(s.trainLights > 0.3, !day) << hour.minutes;
    EXPECT_EQ(s.diffuse[2] > s.diffuse[0], night) << "moonlight is cold " << hour.minutes;
  }
  // The ground darkens from day to twilight to night.
  double noon = luminance(lightStateAt(720).tint), night = luminance(lightStateAt(180).tint);
  for (int twilight : {7 * 60 + 45, 15 * 60 + 50}) {
    double t = luminance(lightStateAt(twilight).tint);
    EXPECT_LT(t, noon);
    EXPECT_GT(t, night);
  }
  EXPECT_LT(night, noon / 3);
  // Lit things away from the train (the firs and their snow) darken by
  // night as far as the unlit ground does; the train has the snow's bounce.
  auto ambientLight = [](const LightState& s) {
    Rgb sum;
    for (size_t c = 0; c < 3; ++c) sum[c] = s.ambient[c] + s.sceneAmbient[c];
    return luminance(sum);
  };
  EXPECT_LE(ambientLight(lightStateAt(180)) / ambientLight(lightStateAt(720)), night / noon);
  EXPECT_GT(luminance(lightStateAt(180).bounceDiffuse), 0.0);
  // The glow over the horizon stands where the sun rises, then sets.
  EXPECT_LT(lightStateAt(7 * 60 + 45).glowAzimuth, -45);
  EXPECT_GT(lightStateAt(15 * 60 + 50).glowAzimuth, 45);
}

TEST(LightState, TheSunRisesAboutEightAndSetsAboutFour) {
  EXPECT_LT(lightStateAt(7 * 60 + 50).sunElevation, 0);
  EXPECT_GT(lightStateAt(8 * 60 + 10).sunElevation, 0);
  EXPECT_GT(lightStateAt(15 * 60 + 50).sunElevation, 0);
  EXPECT_LT(lightStateAt(16 * 60 + 10).sunElevation, 0);
}

}  // namespace
