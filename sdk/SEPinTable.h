// A module's pin table as data: one row per pin description, written into
// the host's or the framework's SEPinProperties by describe_pin.
#pragma once

#include <cstddef>
#include <cstdint>

#include "SERecords.h"

// The fields a module's description sets; a null text is not written, so the
// record keeps what its owner put there.
struct SEPinDescription {
    const char* name;
    EDirection direction;
    EPlugDataType datatype;
    const char* default_value;   // e.g. "0"; null: not written
    const char* datatype_extra;  // e.g. "range -10,10"; null: not written
};

// Writes row `index` of `table`, with the module variable of that row, into
// `properties` and answers true; answers false and writes nothing for an
// index outside the table. flags and spare are never written.
template <size_t N>
bool describe_pin(const SEPinDescription (&table)[N], void* const (&variables)[N], int32_t index,
                  SEPinProperties* properties) {
    if (index < 0 || static_cast<size_t>(index) >= N) return false;
    const SEPinDescription& row = table[index];
    properties->variable_address = variables[index];
    properties->direction = row.direction;
    properties->datatype = row.datatype;
    properties->name = row.name;
    if (row.default_value != nullptr) properties->default_value = row.default_value;
    if (row.datatype_extra != nullptr) properties->datatype_extra = row.datatype_extra;
    return true;
}
