// Splitgain: its description, its arithmetic and its state rule.
#include <gtest/gtest.h>

#include <limits>

#include "SEModuleMain.h"
#include "module_under_test.h"

float reference_output(float signal, float pos_scale, float neg_scale) {
    const double threshold = -0.01;
    return static_cast<double>(signal) <= threshold ? signal * neg_scale : signal * pos_scale;
}

namespace {

TEST(Splitgain, DescribesItself) {
    SEModuleProperties properties{};
    ASSERT_EQ(getModuleProperties(0, &properties), 1);
    EXPECT_STREQ(properties.name, "Splitgain V1.0");
    EXPECT_STREQ(properties.id, "SplitgainV1.0");
    EXPECT_STREQ(properties.about, "by Quorvane");
}

TEST(Splitgain, PinTable) {
    expect_pin_table({{"Signal", DIR_IN, "0", nullptr},
                      {"Pos. Scale", DIR_IN, "5", nullptr},
                      {"Neg. Scale", DIR_IN, "5", nullptr},
                      {"Output", DIR_OUT, nullptr, nullptr}});
}

TEST(Splitgain, ThresholdIsTheNearestDoubleToMinusOneHundredth) {
    uint64_t bits;
    const double threshold = SplitgainFormula::threshold;
    std::memcpy(&bits, &threshold, sizeof bits);
    EXPECT_EQ(bits, 0xBF847AE147AE147Bull);
}

// The kernel compares in single precision; around the threshold, sample by
// sample, it must choose the scale the double comparison chooses.
TEST(Splitgain, ChoosesTheScaleOfTheDoubleComparisonAroundTheThreshold) {
    const uint32_t center = 0xBC23D70Bu;
    for (uint32_t bits = center - (1u << 16); bits <= center + (1u << 16); ++bits) {
        const float x = float_of(bits);
        const bool negative_side = static_cast<double>(x) <= -0.01;
        ASSERT_EQ(bits_of(SplitgainFormula::apply(x, 2.0f, 4.0f)), bits_of(x * (negative_side ? 4.0f : 2.0f)))
            << std::hex << bits;
    }
}

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kMinSub = std::numeric_limits<float>::denorm_min();
const float kNearest = float_of(0xBC23D70Au);  // -0.00999999977648258209228515625
const float kBelow = float_of(0xBC23D70Bu);    // -0.010000000707805156707763671875

// Signal, Pos. Scale, Neg. Scale -> Output.
INSTANTIATE_TEST_SUITE_P(
    Splitgain, Arithmetic,
    ::testing::Values(ArithmeticCase{"negative side", -1.0f, 7.0f, 5.0f, -5.0f},
                      ArithmeticCase{"positive side", 0.5f, 5.0f, 7.0f, 2.5f},
                      ArithmeticCase{"float nearest the threshold is above it", kNearest, 2.0f, 3.0f, kNearest * 2.0f},
                      ArithmeticCase{"next float below takes Neg. Scale", kBelow, 2.0f, 3.0f, kBelow * 3.0f},
                      ArithmeticCase{"positive zero", 0.0f, -3.0f, 5.0f, -0.0f},
                      ArithmeticCase{"negative zero", -0.0f, 2.0f, 5.0f, -0.0f},
                      ArithmeticCase{"NaN", kNaN, 2.0f, 3.0f, kNaN},
                      ArithmeticCase{"minus infinity, zero Neg. Scale", -kInf, 2.0f, 0.0f, kNaN},
                      ArithmeticCase{"infinity, zero Pos. Scale", kInf, 0.0f, 2.0f, kNaN},
                      ArithmeticCase{"minus infinity", -kInf, 0.0f, 2.0f, -kInf},
                      ArithmeticCase{"zero Pos. Scale mutes the top", kNearest, 0.0f, 1.0f, -0.0f},
                      ArithmeticCase{"Neg. Scale 1 passes the bottom", kBelow, 0.0f, 1.0f, kBelow},
                      ArithmeticCase{"subnormal kept", kMinSub, 1.0f, 0.0f, kMinSub},
                      ArithmeticCase{"subnormal product", 3 * kMinSub, 0.5f, 9.0f, 2 * kMinSub}));

constexpr state_type S0 = STATE_STEADY;
constexpr state_type S1 = STATE_STATIC;
constexpr state_type S2 = STATE_STREAMING;

// States of Signal, Pos. Scale, Neg. Scale; the input told last; the scales' values.
INSTANTIATE_TEST_SUITE_P(
    Splitgain, StateRule,
    ::testing::Values(StateCase{"all steady", {S0, S0, S0}, 2, 5.0f, 5.0f, S0},
                      StateCase{"signal streams", {S2, S0, S0}, 2, 5.0f, 5.0f, S2},
                      StateCase{"a scale streams", {S0, S0, S2}, 0, 5.0f, 5.0f, S2},
                      StateCase{"signal just changed", {S1, S0, S0}, 0, 5.0f, 5.0f, S1},
                      StateCase{"both scales zero mute a streaming signal", {S2, S0, S0}, 2, 0.0f, -0.0f, S0},
                      StateCase{"one scale zero does not mute", {S2, S0, S0}, 2, 0.0f, 1.0f, S2},
                      StateCase{"the other scale zero does not mute", {S2, S0, S0}, 2, 1.0f, 0.0f, S2},
                      StateCase{"zero scale that just changed", {S2, S0, S1}, 2, 0.0f, 0.0f, S1},
                      StateCase{"a streaming zero scale counts", {S2, S2, S0}, 0, 0.0f, 0.0f, S2}));

}  // namespace
