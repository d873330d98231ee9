#include "ToolModule.h"

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace tra_module {

namespace {

std::filesystem::path ToolFolder()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self.parent_path();
}

} // namespace

const void* Load(const char* fileName, const char* entry, std::string& why)
{
    const std::filesystem::path folder = ToolFolder();
    void* handle = nullptr;
    for (const std::filesystem::path& candidate :
         {folder / fileName, folder / GLOSSMARK_TRA_MODULE_DIR / fileName}) {
        if (!std::filesystem::exists(candidate))
            continue;
        handle = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            why = ::dlerror();
            return nullptr;
        }
        break;
    }
    if (!handle) {
        why = std::string(fileName) + " is not installed beside glossmark-tra";
        return nullptr;
    }
    using Entry = const void* (*)();
    const auto function = reinterpret_cast<Entry>(::dlsym(handle, entry));
    if (!function) {
        why = std::string(fileName) + " has no " + entry;
        return nullptr;
    }
    return function();
}

} // namespace tra_module
