#include "platform_libraries.h"

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

namespace quellan {

namespace {

bool isSet(const char* value) {
    return value != nullptr && *value != '\0';
}

// Qt takes "-platform x" and "--platform x" alike, and a plugin directory the
// same way.
bool namesPlatform(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i] == nullptr ? "" : argv[i];
        if (argument.substr(0, 2) == "--")
            argument.remove_prefix(1);
        if (argument == "-platform" || argument == "-platformpluginpath")
            return true;
    }
    return false;
}

// QT_QPA_PLATFORM may list platforms to try in turn, each with options after
// a colon: "xcb", "xcb:option".
bool choosesX11(const char* platform) {
    const std::string_view first =
        std::string_view(platform).substr(0, std::strcspn(platform, ";"));
    return first.substr(0, first.find(':')) == "xcb";
}

} // namespace

std::vector<std::string> platformLibraries(int argc, const char* const* argv,
                                           const EnvironmentReader& environment,
                                           const std::string& pluginDirectory) {
    if (namesPlatform(argc, argv) || !isSet(environment("DISPLAY")) ||
        isSet(environment("QT_PLUGIN_PATH")) || isSet(environment("QT_QPA_PLATFORM_PLUGIN_PATH")))
        return {};
    // Unless told otherwise, Qt 6 takes the Wayland platform in a Wayland session.
    const char* platform = environment("QT_QPA_PLATFORM");
    const char* session = environment("XDG_SESSION_TYPE");
    const bool x11 = isSet(platform) ? choosesX11(platform)
                                     : !(isSet(session) && std::string_view(session) == "wayland");
    if (!x11)
        return {};
    std::vector<std::string> files{pluginDirectory + "/platforms/libqxcb.so", "libXcursor.so.1"};
    const char* inputMethod = environment("QT_IM_MODULE");
    if (!isSet(inputMethod) || std::string_view(inputMethod) == "compose")
        files.push_back(pluginDirectory +
                        "/platforminputcontexts/libcomposeplatforminputcontextplugin.so");
    return files;
}

std::vector<std::string> platformLibraries(int argc, const char* const* argv) {
    return platformLibraries(
        argc, argv, [](const char* name) -> const char* { return std::getenv(name); },
        QUELLAN_QT_PLUGIN_DIRECTORY);
}

void openLibraries(const std::vector<std::string>& files) {
    for (const std::string& file : files)
        dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
}

} // namespace quellan
