// The little of Win32 that the GUI side names, for builds outside Windows.
// Both are only passed through: the framework never looks inside them.
#pragma once

#include <cstdint>

// Device-context handle: an opaque handle the host hands to `paint`.
typedef void* HDC;

// A point in window coordinates, as Win32 lays it out: x, then y.
struct tagPOINT {
    int32_t x;
    int32_t y;
};
typedef tagPOINT POINT;
