// Yardstick loops over the modules' own formulas, built in two ways.
#pragma once

#include <cstdint>

namespace reference {
// (a) a plain scalar loop built at -O2 without vectorisation.
void tiltbias_plain(float* out, const float* signal, const float* gain, const float* shift, int32_t count);
void splitgain_plain(float* out, const float* signal, const float* pos, const float* neg, int32_t count);
// (b) the same loop with __restrict, -O3 and -march=native.
void tiltbias_native(float* out, const float* signal, const float* gain, const float* shift, int32_t count);
void splitgain_native(float* out, const float* signal, const float* pos, const float* neg, int32_t count);
}  // namespace reference
