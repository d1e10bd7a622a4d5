// Splitgain: Output = Signal × Neg. Scale where Signal is at or below -0.01,
// else Signal × Pos. Scale, sample by sample.
#pragma once

#include "SEModule_base.h"

class Module : public SEModule_base {
public:
    Module(HostCallback callback, void* host_ptr);
    ~Module() override;

    static int32_t getModuleProperties(SEModuleProperties* properties);
    bool getPinProperties(int32_t index, SEPinProperties* properties) override;
    void open() override;
    void OnPlugStateChange(SEPin* pin) override;

    // Full routine, while Output streams.
    void SE_CDECL sub_process(int32_t offset, int32_t count);
    // Counting routine: one more block size of output, then a request to sleep.
    void SE_CDECL sub_process_static(int32_t offset, int32_t count);

private:
    enum PinIndex { SIGNAL, POS_SCALE, NEG_SCALE, OUTPUT, PIN_COUNT };

    float* signal_buffer = nullptr;     // pin 0; the host writes the buffer addresses
    float* pos_scale_buffer = nullptr;  // pin 1
    float* neg_scale_buffer = nullptr;  // pin 2
    float* output_buffer = nullptr;     // pin 3
    int32_t static_count = 0;           // samples left before the counting routine asks to sleep
};
