#include "reference_kernels.h"
#include "splitgain_formula.h"
#include "tiltbias_formula.h"

namespace reference {

void tiltbias_native(float* __restrict out, const float* __restrict signal, const float* __restrict gain,
                     const float* __restrict shift, int32_t count) {
    for (int32_t i = 0; i < count; ++i) out[i] = TiltbiasFormula::apply(signal[i], gain[i], shift[i]);
}

void splitgain_native(float* __restrict out, const float* __restrict signal, const float* __restrict pos,
                      const float* __restrict neg, int32_t count) {
    for (int32_t i = 0; i < count; ++i) out[i] = SplitgainFormula::apply(signal[i], pos[i], neg[i]);
}

}  // namespace reference
