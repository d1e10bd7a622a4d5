#include "reference_kernels.h"
#include "splitgain_formula.h"
#include "tiltbias_formula.h"

namespace reference {

void tiltbias_plain(float* out, const float* signal, const float* gain, const float* shift, int32_t count) {
    for (int32_t i = 0; i < count; ++i) out[i] = TiltbiasFormula::apply(signal[i], gain[i], shift[i]);
}

void splitgain_plain(float* out, const float* signal, const float* pos, const float* neg, int32_t count) {
    for (int32_t i = 0; i < count; ++i) out[i] = SplitgainFormula::apply(signal[i], pos[i], neg[i]);
}

}  // namespace reference
