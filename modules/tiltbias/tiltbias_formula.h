// Tiltbias, one sample: Output = Signal × Gain + Shift.
#pragma once

#include "SEKernel.h"

struct TiltbiasFormula {
    // The product of two floats is exact in double; the sum is rounded to
    // double and the result rounded to float once. No fused operation and no
    // extended precision: every build and every code path gives these bits.
    // Shift is added whatever its value (its "range" text limits nothing).
    SE_KERNEL_INLINE static float apply(float signal, float gain, float shift) {
        return static_cast<float>(static_cast<double>(signal) * gain + shift);
    }
};
