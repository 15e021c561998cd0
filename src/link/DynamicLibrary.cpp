#include "link/DynamicLibrary.h"

#include <dlfcn.h>

namespace vr::link {
namespace {

std::string LoaderError(const std::string& fallback) {
    const char* text = ::dlerror();
    return text != nullptr ? std::string(text) : fallback;
}

}  // namespace

bool DynamicLibrary::Open(const std::string& name) {
    Close();
    ::dlerror();  // forget an older failure, so the text below is this one's
    handle_ = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        error_ = LoaderError(name + ": cannot be loaded");
        return false;
    }
    error_.clear();
    return true;
}

void DynamicLibrary::Close() {
    if (handle_ == nullptr) return;
    if (::dlclose(handle_) != 0) error_ = LoaderError("dlclose failed");
    handle_ = nullptr;
}

void* DynamicLibrary::Lookup(const char* name) {
    if (handle_ == nullptr) {
        error_ = std::string(name) + ": no library loaded";
        return nullptr;
    }
    ::dlerror();
    void* symbol = ::dlsym(handle_, name);
    if (symbol == nullptr) error_ = LoaderError(std::string("undefined symbol: ") + name);
    return symbol;
}

}  // namespace vr::link
