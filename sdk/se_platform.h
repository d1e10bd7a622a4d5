// Platform glue shared by every framework header: the calling-convention
// marker for entry points the host calls as plain functions, and the few
// Win32 types that the GUI side passes through.
#pragma once

#include <cstdint>

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include "se_win32_types.h"
#endif

// The host calls process routines and the event entry as plain C functions
// whose first argument is the object. GCC for i686 Windows passes `this` of a
// member function in ECX (thiscall) unless told otherwise, so every member
// routine whose address is handed to the host carries this marker.
#if defined(_WIN32) && defined(__i386__)
#define SE_CDECL __attribute__((__cdecl__))  // windows.h defines `cdecl` as a macro
#else
#define SE_CDECL
#endif

// True on the 32-bit targets, where every shared record has its exact layout.
#define SE_32BIT (UINTPTR_MAX == 0xFFFFFFFFu)
