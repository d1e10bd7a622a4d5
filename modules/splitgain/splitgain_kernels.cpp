// The splitgain block loop, compiled once per instruction set.
// Compare, select and multiply: short enough that two vectors per turn pay.
#define SE_KERNEL_UNROLL 2
#include "SEKernelLoop.h"
#include "splitgain_formula.h"

SE_KERNEL_INSTANTIATE3(SplitgainFormula);
