// Where the build puts the plug-in files of this target.
#pragma once

#include <string>

inline std::string plugin_path(const std::string& name) {
    return std::string(SE_PLUGIN_DIR) + "/" + name + SE_PLUGIN_SUFFIX;
}
