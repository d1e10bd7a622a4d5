// A recording GUI host for tests: it logs every request a GUI object sends
// and answers text, values, extra data and capture as a test sets them up.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "SEGUI_base.h"

struct GuiRequest {
    int32_t opcode;
    int32_t index;
    int32_t value;
    intptr_t ptr;
    float opt;
    std::string text;  // GUIHOST_SET_PIN_TEXT / GUIHOST_ADD_PLUG: the text, copied during the call
};

class GuiHost {
public:
    static intptr_t SE_CDECL callback(SEGUI_struct_base* record, int32_t opcode, int32_t index, int32_t value,
                                      void* ptr, float opt) {
        return static_cast<GuiHost*>(record->host_ptr)->answer(opcode, index, value, ptr, opt);
    }

    std::vector<GuiRequest> trace;

    // Answers.
    std::string pin_text;
    bool text_is_null = false;
    bool write_value = true;
    uint32_t value_bits = 0;            // written into the 4-byte slot of GUIHOST_GET_PIN_VALUE
    int32_t extra_count = 0;            // answer to the first GUIHOST_GET_PIN_EXTRA_DATA
    std::vector<char16_t> extra_units;  // written (at most count units) on the second
    intptr_t capture_answer = 0;

private:
    intptr_t answer(int32_t opcode, int32_t index, int32_t value, void* ptr, float opt) {
        GuiRequest request{opcode, index, value, reinterpret_cast<intptr_t>(ptr), opt, {}};
        if ((opcode == GUIHOST_SET_PIN_TEXT || opcode == GUIHOST_ADD_PLUG) && ptr != nullptr)
            request.text = static_cast<const char*>(ptr);
        trace.push_back(request);
        switch (opcode) {
        case GUIHOST_GET_PIN_TEXT: return text_is_null ? 0 : reinterpret_cast<intptr_t>(pin_text.c_str());
        case GUIHOST_GET_PIN_VALUE:
            if (write_value) std::memcpy(ptr, &value_bits, sizeof value_bits);
            return 0;
        case GUIHOST_GET_PIN_EXTRA_DATA:
            if (ptr == nullptr) return extra_count;
            for (int32_t i = 0; i < value && i < static_cast<int32_t>(extra_units.size()); ++i)
                static_cast<char16_t*>(ptr)[i] = extra_units[i];
            return 0;
        case GUIHOST_GET_CAPTURE: return capture_answer;
        default: return 0;
        }
    }
};
