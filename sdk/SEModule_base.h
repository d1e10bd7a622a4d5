// The audio-side base class. A module derives from it, overrides the virtual
// operations it needs and describes its pins; the framework answers the host
// through the binding record embedded here.
#pragma once

#include <cstdint>

#include "SEConstants.h"
#include "SEDelegate.h"
#include "SEPin.h"
#include "SERecords.h"
#include "se_platform.h"

class SEModule_base;

// A process routine: a non-virtual member routine taking offset and count,
// called by the host as a plain function with the object as first argument.
typedef void (SE_CDECL SEModule_base::*ProcessRoutine)(int32_t offset, int32_t count);
// A parameterless member routine, the target of a delayed call.
typedef void (SEModule_base::*DelayedRoutine)();

typedef my_delegate<ProcessRoutine> ProcessDelegate;
typedef my_delegate<DelayedRoutine> DelayedDelegate;

// The host's dispatcher entry: forwards to record->object's virtual dispatcher.
intptr_t SE_CDECL dispatchEffectClass(SEMod_struct_base2* record, int32_t opcode, int32_t index, int32_t value,
                                      void* ptr, float opt);

class SEModule_base {
public:
    SEModule_base(HostCallback callback, void* host_ptr);
    virtual ~SEModule_base();
    // An instance is its record's identity towards the host: never copied.
    SEModule_base(const SEModule_base&) = delete;
    SEModule_base& operator=(const SEModule_base&) = delete;

    // Virtual operations, in slot order.
    virtual void OnPlugStateChange(SEPin* pin);
    virtual void HandleEvent(SeEvent* event);
    virtual intptr_t dispatcher(int32_t opcode, int32_t index, int32_t value, void* ptr, float opt);
    virtual void open();
    virtual void close();
    virtual void OnInputStatusChange(int32_t pin_index, state_type state);
    virtual void setSampleRate(float rate);
    virtual void setBlockSize(int32_t size);
    virtual float getSampleRate();
    virtual int32_t getBlockSize();
    virtual bool getPinProperties(int32_t index, SEPinProperties* properties);
    virtual bool getName(char* name);
    virtual bool getUniqueId(char* id);
    virtual void Resume();
    virtual void VoiceReset(int32_t voice);
    virtual void OnMidiData(uint32_t time_stamp, uint32_t message, int16_t value);
    virtual void OnGuiNotify(int32_t value, int32_t index, void* ptr);

    // The only path to the host; answers 0 without a callback.
    intptr_t CallHost(int32_t opcode, int32_t index = 0, int32_t value = 0, void* ptr = nullptr, float opt = 0.0f);
    uint32_t SampleClock();

    // Slot `index` of the pin array, or null outside the slots open built.
    SEPin* getPin(int32_t index);
    // Number of slots the last open built.
    int32_t getPinCount() const { return pin_count; }
    SEMod_struct_base2* getAeffect() { return &aeffect; }

    // Reads description `index` into a record cleared to zero first.
    bool getPinProperties_clean(int32_t index, SEPinProperties* properties);

    // Process routines.
    void SE_CDECL process_idle(int32_t offset, int32_t count);
    // Installs a routine: stores it, points process_ptr at it, tells the host.
    // A reference without a routine or to a virtual routine is refused.
    void setSubProcess(ProcessDelegate routine);
    template <class M>
    void setSubProcess(void (SE_CDECL M::*routine)(int32_t, int32_t)) {
        setSubProcess(ProcessDelegate(static_cast<ProcessRoutine>(routine)));
    }
    ProcessDelegate getSubProcess() const { return process_routine; }

    // The usual way a module follows its inputs: send the output's derived
    // state on `output`, stamped with the current sample clock, then install
    // `full` for STATE_STREAMING, else restart `countdown` from the block
    // size and install `counting` (which calls countDownToSleep).
    template <class M>
    void followOutputState(SEPin* output, state_type state, void (SE_CDECL M::*full)(int32_t, int32_t),
                           void (SE_CDECL M::*counting)(int32_t, int32_t), int32_t& countdown) {
        followOutputState(output, state, ProcessDelegate(static_cast<ProcessRoutine>(full)),
                          ProcessDelegate(static_cast<ProcessRoutine>(counting)), countdown);
    }
    void followOutputState(SEPin* output, state_type state, ProcessDelegate full, ProcessDelegate counting,
                           int32_t& countdown);
    // For a counting routine: takes `count` samples off `countdown` and asks
    // the host to sleep on every call that leaves it at or below 0.
    void countDownToSleep(int32_t& countdown, int32_t count);

    // Events.
    void SE_CDECL private_HandleEvent(SeEvent* event);
    void AddEvent(uint32_t time_stamp, int32_t event_type, int32_t int_parm1, int32_t int_parm2, void* ptr_parm1);
    void RunDelayed(uint32_t sample_clock, DelayedDelegate routine);
    template <class M>
    void RunDelayed(uint32_t sample_clock, void (M::*routine)()) {
        RunDelayed(sample_clock, DelayedDelegate(static_cast<DelayedRoutine>(routine)));
    }

protected:
    HostCallback host_callback;       // may be null: then no request reaches a host
    SEMod_struct_base2 aeffect;       // the binding record the host holds
    float sample_rate;                // 44100.0 until MOD_SET_SAMPLE_RATE
    int32_t block_size;               // 1024 until MOD_SET_BLOCK_SIZE
    SEPin* pins;                      // pin array built by open; owned
    ProcessDelegate process_routine;  // current process routine; process_ptr carries its entry
    int32_t pin_count;                // slots in `pins`

private:
    void release_pins();
};
