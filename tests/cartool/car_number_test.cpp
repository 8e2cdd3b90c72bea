// Number boxes to floats by the atof rules.
#include <math.h>

#include <gtest/gtest.h>

#include <cfloat>

#include "car_number.h"

TEST(CarNumber, ReadsTheLongestDecimalPrefix) {
    EXPECT_EQ(carNumberFromText("12.5abc"), 12.5f);
    EXPECT_EQ(carNumberFromText("  -3"), -3.0f);
    EXPECT_EQ(carNumberFromText("+4e2x"), 400.0f);
    EXPECT_EQ(carNumberFromText(".5"), 0.5f);
    EXPECT_EQ(carNumberFromText("5."), 5.0f);
    EXPECT_EQ(carNumberFromText("7e"), 7.0f);  // an exponent without digits is not read
    EXPECT_EQ(carNumberFromText("2.5E-1"), 0.25f);
}

TEST(CarNumber, TextWithoutANumberIsZero) {
    for (const char* text : {"", "abc", "-", ".", "e5", "inf", "nan", "\t"})
        EXPECT_EQ(carNumberFromText(text), 0.0f) << text;
    // Hexadecimal is not a decimal number: only the 0 before the x counts.
    EXPECT_EQ(carNumberFromText("0x10"), 0.0f);
    EXPECT_EQ(carNumberFromText(nullptr), 0.0f);
}

TEST(CarNumber, RoundsToTheNearestFloatAndSaturatesToInfinity) {
    EXPECT_EQ(carNumberFromText("0.1"), 0.1f);
    EXPECT_EQ(carNumberFromText("3.4028235e38"), FLT_MAX);
    EXPECT_TRUE(isinf(carNumberFromText("1e39")) && carNumberFromText("1e39") > 0);
    EXPECT_TRUE(isinf(carNumberFromText("-1e400")) && carNumberFromText("-1e400") < 0);
    EXPECT_TRUE(isinf(carNumberFromText("3.40282357e38")));  // just past the halfway point
    EXPECT_EQ(carNumberFromText("1e-60"), 0.0f);
}
