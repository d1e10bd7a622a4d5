// The tiltbias block loop, compiled once per instruction set.
#include "SEKernelLoop.h"
#include "tiltbias_formula.h"

SE_KERNEL_INSTANTIATE3(TiltbiasFormula);
