// Running a per-sample formula over blocks of samples as fast as the CPU
// allows. A module writes its formula once, as a struct with a static
// `apply`; the framework's loop is compiled for SSE2 (the baseline of every
// build) and again for AVX2 (see SEKernelLoop.h), and the AVX2 code is
// chosen at run time only on a CPU that has it. Both give identical bits:
// the formula's arithmetic is IEEE single/double precision either way, and
// builds never contract or reassociate floating-point operations.
#pragma once

#include <cstdint>

// Formulas are inlined into every loop that uses them, so each instruction
// set's loop carries its own copy of the formula's code.
#define SE_KERNEL_INLINE __attribute__((always_inline)) inline

namespace se_kernel {

enum class Isa { sse2, avx2 };

// True when this CPU (and its OS) can run AVX2 code; detected once at load.
bool cpu_has_avx2();

// Three inputs, one output. Defined per instruction set in SEKernelLoop.h,
// instantiated in the module's kernel file. Buffers do not overlap, except
// that `out` may be one of the inputs exactly.
template <class Formula, Isa isa>
void map3(float* __restrict out, const float* __restrict a, const float* __restrict b, const float* __restrict c,
          int32_t count);

// The plain loop, for buffers that overlap partially.
template <class Formula>
void map3_plain(float* out, const float* a, const float* b, const float* c, int32_t count) {
    for (int32_t i = 0; i < count; ++i) out[i] = Formula::apply(a[i], b[i], c[i]);
}

inline bool overlaps_partially(const float* out, const float* in, int32_t count) {
    const uintptr_t o = reinterpret_cast<uintptr_t>(out);
    const uintptr_t i = reinterpret_cast<uintptr_t>(in);
    const uintptr_t bytes = static_cast<uintptr_t>(count) * sizeof(float);
    return o != i && o < i + bytes && i < o + bytes;
}

// out[k] = Formula::apply(a[k], b[k], c[k]) for k in [offset, offset + count).
// Nothing happens for count <= 0 or while any buffer is missing: one test per
// block, none per sample. Every input sample of k is read before out[k] is
// written, so `out` may be one of the inputs.
template <class Formula>
void run3(int32_t offset, int32_t count, float* out, const float* a, const float* b, const float* c) {
    if (count <= 0 || out == nullptr || a == nullptr || b == nullptr || c == nullptr) return;
    out += offset;
    a += offset;
    b += offset;
    c += offset;
    if (overlaps_partially(out, a, count) || overlaps_partially(out, b, count) ||
        overlaps_partially(out, c, count)) {
        map3_plain<Formula>(out, a, b, c, count);
    } else if (cpu_has_avx2()) {
        map3<Formula, Isa::avx2>(out, a, b, c, count);
    } else {
        map3<Formula, Isa::sse2>(out, a, b, c, count);
    }
}

}  // namespace se_kernel
