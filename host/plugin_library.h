// Loading a plug-in file and reading what it says about itself.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "SEModuleMain.h"
#include "SERecords.h"

namespace sehost {

// Every failure the host reports: a file that is not a plug-in, a missing
// export, a plug-in that refuses to describe itself or to make an instance.
class HostError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The two exports through which everything about a module starts.
struct ModuleEntries {
    GetModulePropertiesEntry get_module_properties = nullptr;
    MakeModuleEntry make_module = nullptr;
};

// A plug-in file loaded into this process; unloaded on destruction.
class PluginLibrary {
public:
    // Throws HostError when the file cannot be loaded or lacks an export.
    static std::unique_ptr<PluginLibrary> load(const std::string& path);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    const ModuleEntries& entries() const { return entries_; }
    const std::string& path() const { return path_; }

private:
    PluginLibrary(std::string path, void* handle, ModuleEntries entries);
    std::string path_;
    void* handle_;
    ModuleEntries entries_;
};

struct ModuleDescription {
    std::string name;
    std::string id;
    std::string about;
    int32_t sdk_version = 0;
};

// getModuleProperties(0); throws HostError when the library describes no module.
ModuleDescription describe_module(const ModuleEntries& entries);

// One pin description as the host reads it through MOD_GET_PIN_PROPERTIES.
struct PinDescription {
    int32_t description_index = 0;
    void* variable_address = nullptr;
    EDirection direction = DIR_IN;
    EPlugDataType datatype = PLUG_AUDIO;
    std::string name;
    std::string default_value;   // empty when the module gives none
    std::string datatype_extra;  // empty when the module gives none
    int32_t flags = 0;

    bool audio_side() const {
        return (flags & PIN_FLAG_GUI_SIDE) == 0 || (flags & PIN_FLAG_DSP_SIDE) != 0;
    }
};

// Text of a data type or direction, for listings.
std::string datatype_name(EPlugDataType type);
std::string direction_name(EDirection direction);

}  // namespace sehost
