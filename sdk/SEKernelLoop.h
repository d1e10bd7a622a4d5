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

// A kernel file may ask for the vector loop to be unrolled, e.g.
// `#define SE_KERNEL_UNROLL 2` before including this header: it pays off for
// the shortest formulas, where the loop's own overhead is a good share of
// the work. Without it the compiler decides.
#define SE_KERNEL_PRAGMA(text) _Pragma(#text)
#define SE_KERNEL_UNROLL_PRAGMA(n) SE_KERNEL_PRAGMA(GCC unroll n)
#ifdef SE_KERNEL_UNROLL
#define SE_KERNEL_LOOP_HINT SE_KERNEL_UNROLL_PRAGMA(SE_KERNEL_UNROLL)
#else
#define SE_KERNEL_LOOP_HINT
#endif

// `out` may equal an input: each element is read before the same element is
// written, and no element is read after another one is written.
template <class Formula, Isa isa>
void map3(float* __restrict out, const float* __restrict a, const float* __restrict b, const float* __restrict c,
          int32_t count) {
    SE_KERNEL_LOOP_HINT
    for (int32_t i = 0; i < count; ++i) out[i] = Formula::apply(a[i], b[i], c[i]);
}

}  // namespace se_kernel

#define SE_KERNEL_INSTANTIATE3(Formula)                                                                      \
    template void se_kernel::map3<Formula, se_kernel::Isa::SE_KERNEL_ISA>(float* __restrict,                 \
                                                                          const float* __restrict,           \
                                                                          const float* __restrict,           \
                                                                          const float* __restrict, int32_t)
