#pragma once
// A library loaded at run time with dlopen, its entry points found with dlsym. The loader's text
// for the last failure is kept for the operator ("libclserial.so: cannot open shared object file").

#include <cstring>
#include <string>

namespace vr::link {

class DynamicLibrary {
public:
    DynamicLibrary() = default;
    ~DynamicLibrary() { Close(); }
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // A name with a slash is a path; a bare name goes through the loader's search order.
    bool Open(const std::string& name);
    void Close();
    bool IsOpen() const { return handle_ != nullptr; }

    // Looks the entry point up; false (and Error() set) when the library lacks it.
    template <class Fn>
    bool Resolve(const char* name, Fn& fn) {
        void* symbol = Lookup(name);
        if (symbol == nullptr) return false;
        static_assert(sizeof(Fn) == sizeof(void*));
        std::memcpy(&fn, &symbol, sizeof fn);  // the POSIX-blessed route from dlsym to a function
        return true;
    }

    const std::string& Error() const { return error_; }

private:
    void* Lookup(const char* name);

    void* handle_ = nullptr;
    std::string error_;
};

}  // namespace vr::link
