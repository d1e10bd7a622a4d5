// Splitgain, one sample: Signal × Neg. Scale at or below -0.01, else Signal × Pos. Scale.
#pragma once

#include "SEKernel.h"

struct SplitgainFormula {
    // -0.01 as the nearest double. It falls between two floats: the float
    // nearest to -0.01 (0xBC23D70A) lies above it and takes Pos. Scale; the
    // next float below (0xBC23D70B) takes Neg. Scale. A float comparison
    // would send 0xBC23D70A the other way.
    static constexpr double threshold = -0.01;

    // Both scales are read for every sample; a NaN signal compares false and
    // takes Pos. Scale. The product is the IEEE single-precision product.
    SE_KERNEL_INLINE static float apply(float signal, float pos_scale, float neg_scale) {
        const float scale = static_cast<double>(signal) <= threshold ? neg_scale : pos_scale;
        return signal * scale;
    }
};
