// The two exports of a plug-in library. SEModuleMain.cpp is compiled into
// each plug-in against that plug-in's `Module` class (found as "Module.h").
#pragma once

#include <cstdint>

#include "SERecords.h"

#if defined(_WIN32)
#define SE_EXPORT
#else
#define SE_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {
// Describes the library's module: 1 for index 0, else 0 (sdk_version is written either way).
SE_EXPORT int32_t SE_CDECL getModuleProperties(int32_t index, SEModuleProperties* properties);
// Creates an instance: the address of its binding record, or null.
SE_EXPORT void* SE_CDECL makeModule(int32_t index, int32_t type, HostCallback callback, void* host_ptr);
}

typedef int32_t(SE_CDECL* GetModulePropertiesEntry)(int32_t index, SEModuleProperties* properties);
typedef void*(SE_CDECL* MakeModuleEntry)(int32_t index, int32_t type, HostCallback callback, void* host_ptr);
