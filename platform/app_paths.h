#pragma once
// Where the program and its files live. Paths are native and never change letter case.
#include <filesystem>
#include <string>
#include <string_view>

namespace pavik {

// The running executable (/proc/self/exe); empty when it cannot be found.
std::filesystem::path executablePath();

// The executable's file name without its extension ("pavik"); "pavik" when unknown.
std::string programName();

// The folder of the settings file and the temporary preview files:
// PAVIK_HOME when set and non-empty; else the executable's folder when it is writable;
// else $XDG_DATA_HOME/pavik, by default ~/.local/share/pavik. Created when missing.
std::filesystem::path programFolder();

// programFolder() / (programName() + ".INI").
std::filesystem::path settingsFilePath();

// The help file, looked up beside the executable.
std::filesystem::path helpFilePath();

// The XDG base folders: $XDG_DATA_HOME (default ~/.local/share) and $XDG_CONFIG_HOME
// (default ~/.config). A variable that is not an absolute path is ignored.
std::filesystem::path xdgDataHome();
std::filesystem::path xdgConfigHome();

// The first executable regular file named `name` in the folders of `searchPath` (a PATH
// value); relative folders are skipped. Empty when there is none.
std::filesystem::path findExecutable(std::string_view name, std::string_view searchPath);

// Whether the file name's extension equals `ext` (with its dot, ".css") without regard to
// ASCII case. A name that only starts with a dot (".css") has no extension.
bool hasExtension(const std::filesystem::path& file, std::string_view ext);

}  // namespace pavik
