#include "geometry/geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/stage_handles.h"

namespace {

using namespace module1;

class Geometry : public ::testing::Test {
 protected:
  const stage::BackImage form;  // a stage window's: the queries answer for it alone
  const HDC kStage = form.hDC();
  const HDC kOther = kStage + 1;
};

struct At {
  float x, y;
  float want;
};

TEST_F(Geometry, EdgesByBandAndNumber) {
  EXPECT_EQ(EdgeX(kStage, 100, 1), 122.67f);
  EXPECT_EQ(EdgeX(kStage, 167.9f, 8), 1000.0f);
  EXPECT_EQ(EdgeX(kStage, 168, 8), 959.0f);  // y 168 is already the middle band
  EXPECT_EQ(EdgeX(kStage, 359.9f, 9), 1000.0f);
  EXPECT_EQ(EdgeX(kStage, 360, 9), 381.0f);  // and y 360 the bottom band
  EXPECT_EQ(EdgeX(kStage, 250, 2), 111.0f);
  EXPECT_EQ(EdgeX(kStage, 250, 3), 98.0f);  // out of x order
  EXPECT_EQ(EdgeX(kStage, 500, 24), 1000.0f);
  for (const float y : {100.0f, 250.0f, 500.0f}) {
    EXPECT_EQ(EdgeX(kStage, y, 0), 0.0f);
    EXPECT_EQ(EdgeX(kStage, y, -1), 0.0f);
    EXPECT_EQ(EdgeX(kStage, y, -32768), 0.0f);
    EXPECT_EQ(EdgeX(kStage, y, 32767), 0.0f);
  }
  EXPECT_EQ(EdgeX(kStage, 100, 9), 0.0f);   // the top band has edges 0 to 8
  EXPECT_EQ(EdgeX(kStage, 250, 10), 0.0f);  // the middle band 0 to 9
  EXPECT_EQ(EdgeX(kStage, 500, 25), 0.0f);  // the bottom band 0 to 24
}

TEST_F(Geometry, FloorLevelsAtAndJustPastEveryBoundary) {
  const At cases[] = {
      {8, 111, 111},       {122.67f, 100, 111}, {122.68f, 100, 71},  {232, 100, 71},      {232.01f, 100, 111},
      {314.67f, 100, 111}, {314.68f, 100, 47},  {424, 100, 47},      {424.01f, 100, 111}, {960, 100, 111},
      {960.01f, 100, 295}, {-5, 100, 111},      {500, 167.9f, 111},  {500, 168, 295},     {38, 250, 600},
      {38.01f, 250, 247},  {111, 250, 247},     {111.01f, 250, 295}, {560, 250, 295},     {560.01f, 250, 231},
      {647, 250, 231},     {647.01f, 250, 295}, {2000, 250, 295},    {-50, 250, 600},     {94, 400, 633},
      {94.01f, 400, 583},  {300, 515, 503},     {300, 515.01f, 615}, {315, 515, 503},     {315, 515.01f, 633},
      {350, 515, 440},     {350, 516, 633},     {370, 515.01f, 559}, {450, 470, 440},     {450, 470.01f, 631},
      {500, 470, 440},     {500, 470.01f, 511}, {500, 575, 511},     {500, 575.01f, 631}, {600, 470, 415},
      {700, 575, 511},     {700, 575.01f, 631}, {740, 575, 469},     {740, 576, 631},     {860, 505, 383},
      {860, 505.01f, 551}, {900, 600, 383},     {940, 505, 439},     {940, 505.01f, 647}, {960, 400, 647},
      {1000, 400, 439},    {1000, 600, 647},    {1000.5f, 400, 0},   {-1000, 400, 633},
  };
  for (const At& c : cases) EXPECT_EQ(FloorLevel(kStage, c.x, c.y), c.want) << c.x << ", " << c.y;
}

TEST_F(Geometry, CeilingLevelsAtAndJustPastEveryBoundary) {
  const At standing[] = {
      {8, 111, 4},         {594.67f, 100, 4},   {594.68f, 100, 124}, {696, 100, 124},     {696.01f, 100, 4},
      {98, 250, 179},      {98.01f, 250, 227},  {616, 250, 227},     {616.01f, 250, 243}, {647.01f, 250, 179},
      {925, 250, 179},     {925.01f, 250, 243}, {959, 250, 243},     {959.01f, 250, 4},   {300, 359.9f, 227},
      {300, 360, 0},       {300, 360.01f, 379}, {300, 515, 379},     {300, 515.01f, 587}, {520, 470, 427},
      {520, 470.01f, 523}, {520, 575, 523},     {520, 575.01f, 595}, {1000, 400, 379},    {1000.5f, 400, 0},
      {200, 400, 587},     {500, 600, 619},     {600, 500, 483},     {740, 500, 457},     {860, 506, 547},
      {940, 506, 641},     {990, 506, 641},     {710, 400, 595},
  };
  for (const At& c : standing) {
    EXPECT_EQ(CeilingLevel(kStage, c.x, c.y, False), c.want) << c.x << ", " << c.y;
    // Only True lowers the ceiling: any other value counts as standing.
    EXPECT_EQ(CeilingLevel(kStage, c.x, c.y, 1), c.want) << c.x << ", " << c.y;
  }
  // Crouched, the head is lower, so every ceiling comes nearer.
  const At crouched[] = {{600, 111, 108}, {8, 111, -12}, {300, 515.01f, 571}, {940, 506, 625}};
  for (const At& c : crouched) EXPECT_EQ(CeilingLevel(kStage, c.x, c.y, True), c.want) << c.x << ", " << c.y;
}

TEST_F(Geometry, SpikesWhereTheRowsLieAndNowhereElse) {
  struct Case {
    float x, y;
    bool spikes;
  };
  const Case cases[] = {
      {110.99f, 295, false}, {111, 295, true},      {294.99f, 295, true},  {295, 295, false},     {385, 295, false},
      {385.01f, 295, true},  {560, 295, true},      {560.01f, 295, false}, {698, 295, false},     {698.01f, 295, true},
      {919.99f, 295, true},  {920, 295, false},     {150, 167.9f, false},  {150, 168, true},      {150, 359.9f, true},
      {0, 633, false},       {0.01f, 633, true},    {94, 633, true},       {94.01f, 633, false},  {156, 633, false},
      {156.01f, 633, true},  {240, 633, true},      {240.01f, 633, false}, {359, 633, true},      {359.01f, 633, false},
      {284, 503, false},     {284.01f, 503, true},  {318, 503, true},      {318.01f, 503, false}, {300, 515, false},
      {315, 515, false},     {315, 515.01f, true},  {423, 440, false},     {423.01f, 440, true},  {518, 440, true},
      {518.01f, 440, false}, {500, 499.99f, true},  {500, 500, false},     {578, 511, false},     {600, 511, true},
      {633, 511, true},      {633.01f, 511, false}, {600, 500, false},     {600, 575, false},     {450, 575, false},
      {450, 575.01f, true},  {570, 631, true},      {666, 631, true},      {762, 631, true},      {855, 631, true},
      {855.01f, 631, false}, {955, 439, true},      {974, 439, false},     {1000, 439, true},     {955, 599.99f, true},
      {955, 600, false},     {500, 100, false},     {1000, 100, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OnHazard(kStage, c.x, c.y), c.spikes ? True : False) << c.x << ", " << c.y;
  }
}

TEST_F(Geometry, EveryQueryAnswersOnlyForTheStageWindow) {
  for (const float y : {111.0f, 250.0f, 633.0f, 360.0f}) {
    for (const float x : {8.0f, 200.0f, 600.0f, 1000.5f}) {
      EXPECT_EQ(FloorLevel(kOther, x, y), 0.0f);
      EXPECT_EQ(CeilingLevel(kOther, x, y, True), 0.0f);  // no crouch allowance either
      EXPECT_EQ(CeilingLevel(kOther, x, y, False), 0.0f);
      EXPECT_EQ(OnHazard(kOther, x, y), False);
      EXPECT_EQ(EdgeX(kOther, y, 1), 0.0f);
    }
  }
  EXPECT_EQ(FloorLevel(0, 8, 111), 0.0f);
  EXPECT_EQ(OnHazard(kOther, 150, 295), False);
}

TEST_F(Geometry, MidpointRoundsTheDoubleSumToSinglePrecision) {
  EXPECT_EQ(Midpoint(122.67f, 232), 177.334991f);
  EXPECT_EQ(Midpoint(1, 2), 1.5f);
  // In double the sum of the two largest floats stays finite.
  EXPECT_EQ(Midpoint(3.4e38f, 3.4e38f), 3.4e38f);
}

}  // namespace
