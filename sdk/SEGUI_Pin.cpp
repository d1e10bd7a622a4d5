#include "SEGUI_Pin.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "SEGUI_base.h"

void SeGuiPin::Init(int32_t index, SEGUI_base* owner) {
    pin_index = index;
    module = owner;
}

void SeGuiPin::setValueText(const std::string& text) {
    module->CallHost(GUIHOST_SET_PIN_TEXT, pin_index, 0, const_cast<char*>(text.c_str()));
}

std::string SeGuiPin::getValueText() {
    const char* text = reinterpret_cast<const char*>(module->CallHost(GUIHOST_GET_PIN_TEXT, pin_index));
    return text != nullptr ? std::string(text) : std::string();
}

int32_t SeGuiPin::getValueInt() {
    int32_t slot = 0;
    module->CallHost(GUIHOST_GET_PIN_VALUE, pin_index, 0, &slot);
    return slot;
}

float SeGuiPin::getValueFloat() {
    int32_t slot = 0;
    module->CallHost(GUIHOST_GET_PIN_VALUE, pin_index, 0, &slot);
    float value;
    std::memcpy(&value, &slot, sizeof value);  // the host wrote a float's bits
    return value;
}

void SeGuiPin::setValueInt(int32_t value) { module->CallHost(GUIHOST_SET_PIN_VALUE, pin_index, value); }

void SeGuiPin::setValueFloat(float value) {
    module->CallHost(GUIHOST_SET_PIN_VALUE, pin_index, 0, nullptr, value);
}

std::u16string SeGuiPin::getExtraData() {
    int32_t units = static_cast<int32_t>(module->CallHost(GUIHOST_GET_PIN_EXTRA_DATA, pin_index));
    if (units < 0) units = 0;
    // new[] of zero units still gives a distinct, non-null address.
    std::unique_ptr<char16_t[]> buffer(new char16_t[static_cast<size_t>(units)]);
    module->CallHost(GUIHOST_GET_PIN_EXTRA_DATA, pin_index, units, buffer.get());
    const char16_t* end = std::find(buffer.get(), buffer.get() + units, u'\0');
    return std::u16string(static_cast<const char16_t*>(buffer.get()), end);
}
