// The splitgain block loop, compiled once per instruction set.
#include "SEKernelLoop.h"
#include "splitgain_formula.h"

SE_KERNEL_INSTANTIATE3(SplitgainFormula);
