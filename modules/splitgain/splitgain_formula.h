// Splitgain, one sample: Signal × Neg. Scale where Signal, widened to
// double, is at or below -0.01 (the double); else Signal × Pos. Scale.
#pragma once

#include "SEKernel.h"

struct SplitgainFormula {
    // -0.01 as the nearest double (0xBF847AE147AE147B). It falls between two
    // floats: the float nearest to -0.01 (0xBC23D70A) lies above it and takes
    // Pos. Scale; the next float below (0xBC23D70B) takes Neg. Scale. A
    // comparison with the float nearest to -0.01 would send 0xBC23D70A the
    // other way.
    static constexpr double threshold = -0.01;

    // The largest float at or below `threshold`, and the float just above it.
    // Widening a float to double is exact and keeps the order, so for every
    // float x, NaN and infinities included, (double)x <= threshold exactly
    // when x <= float_threshold. The comparison therefore stays in single
    // precision: eight samples per AVX2 instruction, no conversions.
    static constexpr float float_threshold = -0.010000000707805156707763671875f;  // 0xBC23D70B
    static constexpr float float_above = -0.00999999977648258209228515625f;       // 0xBC23D70A
    static_assert(static_cast<double>(float_threshold) <= threshold, "float_threshold is at or below -0.01");
    static_assert(static_cast<double>(float_above) > threshold, "no float lies between the two");

    // Both scales are read for every sample; a NaN signal compares false and
    // takes Pos. Scale. The product is the IEEE single-precision product.
    SE_KERNEL_INLINE static float apply(float signal, float pos_scale, float neg_scale) {
        const float scale = signal <= float_threshold ? neg_scale : pos_scale;
        return signal * scale;
    }
};
