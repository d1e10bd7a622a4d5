#include "plugin_library.h"

#include <cstring>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace sehost {
namespace {

#if defined(_WIN32)
void* open_library(const std::string& path, std::string& error) {
    HMODULE handle = LoadLibraryA(path.c_str());
    if (handle == nullptr) error = "Windows error " + std::to_string(GetLastError());
    return reinterpret_cast<void*>(handle);
}
void* find_symbol(void* handle, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}
void close_library(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }
#else
void* open_library(const std::string& path, std::string& error) {
    // A bare file name would be searched for on the library path; the host means a file.
    const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* message = dlerror();
        error = message != nullptr ? message : "unknown error";
    }
    return handle;
}
void* find_symbol(void* handle, const char* name) { return dlsym(handle, name); }
void close_library(void* handle) { dlclose(handle); }
#endif

std::string text_or_empty(const char* text) { return text != nullptr ? text : ""; }

}  // namespace

std::unique_ptr<PluginLibrary> PluginLibrary::load(const std::string& path) {
    std::string error;
    void* handle = open_library(path, error);
    if (handle == nullptr) throw HostError(path + ": not a loadable plug-in (" + error + ")");

    ModuleEntries entries;
    entries.get_module_properties =
        reinterpret_cast<GetModulePropertiesEntry>(find_symbol(handle, "getModuleProperties"));
    entries.make_module = reinterpret_cast<MakeModuleEntry>(find_symbol(handle, "makeModule"));
    const char* missing = entries.get_module_properties == nullptr ? "getModuleProperties"
                          : entries.make_module == nullptr         ? "makeModule"
                                                                   : nullptr;
    if (missing != nullptr) {
        close_library(handle);
        throw HostError(path + ": not a plug-in (no export named " + missing + ")");
    }
    return std::unique_ptr<PluginLibrary>(new PluginLibrary(path, handle, entries));
}

PluginLibrary::PluginLibrary(std::string path, void* handle, ModuleEntries entries)
    : path_(std::move(path)), handle_(handle), entries_(entries) {}

PluginLibrary::~PluginLibrary() { close_library(handle_); }

ModuleDescription describe_module(const ModuleEntries& entries) {
    SEModuleProperties properties;
    std::memset(&properties, 0, sizeof properties);
    if (entries.get_module_properties(0, &properties) == 0)
        throw HostError("the plug-in describes no module (getModuleProperties(0) answered 0)");
    ModuleDescription description;
    description.name = text_or_empty(properties.name);
    description.id = text_or_empty(properties.id);
    description.about = text_or_empty(properties.about);
    description.sdk_version = properties.sdk_version;
    return description;
}

std::string datatype_name(EPlugDataType type) {
    switch (type) {
    case PLUG_SHORT: return "short";
    case PLUG_BYTE: return "byte";
    case PLUG_AUDIO: return "audio";
    case PLUG_FLOAT: return "float";
    case PLUG_INT: return "int";
    default: return "type " + std::to_string(static_cast<int32_t>(type));
    }
}

std::string direction_name(EDirection direction) {
    switch (direction) {
    case DIR_IN: return "in";
    case DIR_OUT: return "out";
    default: return "direction " + std::to_string(static_cast<int32_t>(direction));
    }
}

}  // namespace sehost
