// The block loop behind se_kernel::map3. Included only by a module's kernel
// file, which the build compiles once per instruction set with
// SE_KERNEL_ISA set to `sse2` or `avx2` (and the matching compiler flags).
// Instantiate with SE_KERNEL_INSTANTIATE3(Formula).
#pragma once

#include "SEKernel.h"

#ifndef SE_KERNEL_ISA
#error "a kernel file is compiled with SE_KERNEL_ISA set to sse2 or avx2"
#endif

namespace se_kernel {

// `out` may equal an input: each element is read before the same element is
// written, and no element is read after another one is written.
// Two vectors per turn halve the loop's own overhead, which is a good share
// of the work for formulas this short.
template <class Formula, Isa isa>
void map3(float* __restrict out, const float* __restrict a, const float* __restrict b, const float* __restrict c,
          int32_t count) {
#pragma GCC unroll 4
    for (int32_t i = 0; i < count; ++i) out[i] = Formula::apply(a[i], b[i], c[i]);
}

}  // namespace se_kernel

#define SE_KERNEL_INSTANTIATE3(Formula)                                                                      \
    template void se_kernel::map3<Formula, se_kernel::Isa::SE_KERNEL_ISA>(float* __restrict,                 \
                                                                          const float* __restrict,           \
                                                                          const float* __restrict,           \
                                                                          const float* __restrict, int32_t)
