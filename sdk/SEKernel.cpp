#include "SEKernel.h"

namespace se_kernel {
namespace {

bool detect_avx2() {
#if defined(__i386__) || defined(__x86_64__)
    __builtin_cpu_init();  // may run before libgcc's own initialiser
    return __builtin_cpu_supports("avx2") != 0;
#else
    return false;
#endif
}

// Read-only after the library is loaded.
const bool has_avx2 = detect_avx2();

}  // namespace

bool cpu_has_avx2() { return has_avx2; }

}  // namespace se_kernel
