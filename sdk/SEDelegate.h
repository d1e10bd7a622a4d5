// Member-routine references: how the framework names a member routine of an
// instance (a process routine, or a parameterless routine for a delayed call).
//
// The reference is the two-word pointer-to-member-function of GCC and Clang
// on x86 (the Itanium C++ ABI, which MinGW follows too):
//   entry       0: no routine; even: the routine's address;
//               odd: the routine is virtual and entry - 1 is the byte offset
//               of its slot in the virtual table of the adjusted object.
//   adjustment  bytes added to the object's address before the call (and
//               before the virtual table is looked up).
// The language's own member pointers produce and call this representation;
// my_delegate only exposes its words.
#pragma once

#include <cstdint>
#include <cstring>

struct MemberRoutineRef {
    uintptr_t entry;       // address, odd virtual-slot offset + 1, or 0
    intptr_t adjustment;   // byte adjustment of the object
};

#if SE_32BIT
static_assert(sizeof(MemberRoutineRef) == 8, "member-routine reference is two 32-bit words");
#endif

// Holder of one member-routine reference of type Routine (a pointer to a
// member function of SEModule_base).
template <class Routine>
class my_delegate {
    static_assert(sizeof(Routine) == sizeof(MemberRoutineRef),
                  "this compiler's member pointers are not the two-word entry/adjustment form");

public:
    my_delegate() : ref_{0, 0} {}
    my_delegate(Routine routine) { std::memcpy(&ref_, &routine, sizeof ref_); }
    // A bare entry word with adjustment 0 (how a delayed call travels).
    explicit my_delegate(uintptr_t entry) : ref_{entry, 0} {}
    my_delegate(uintptr_t entry, intptr_t adjustment) : ref_{entry, adjustment} {}

    // The entry word alone: no virtual routine is resolved, the adjustment is dropped.
    uintptr_t RawPointer() const { return ref_.entry; }
    intptr_t adjustment() const { return ref_.adjustment; }

    Routine routine() const {
        Routine r;
        std::memcpy(&r, &ref_, sizeof r);
        return r;
    }

    // Equal when the entries are equal and either the adjustments are equal
    // or there is no routine at all.
    bool operator==(const my_delegate& other) const {
        return ref_.entry == other.ref_.entry && (ref_.adjustment == other.ref_.adjustment || ref_.entry == 0);
    }
    bool operator!=(const my_delegate& other) const { return !(*this == other); }

private:
    MemberRoutineRef ref_;
};

// The entry word of any member routine (the first word of its member pointer).
template <class Routine>
uintptr_t member_entry(Routine routine) {
    static_assert(sizeof(Routine) == sizeof(MemberRoutineRef), "two-word member pointer expected");
    MemberRoutineRef ref;
    std::memcpy(&ref, &routine, sizeof ref);
    return ref.entry;
}
