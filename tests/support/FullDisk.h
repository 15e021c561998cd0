#pragma once
// A full disk for the length of a scope: past a file size limit of 64 bytes every write fails as it
// would on a full disk (EFBIG, SIGXFSZ ignored). Programs started meanwhile inherit both.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

namespace vr::test {

class FullDisk {
public:
    FullDisk() {
        EXPECT_EQ(::getrlimit(RLIMIT_FSIZE, &saved_), 0);
        struct rlimit small = saved_;
        small.rlim_cur = 64;
        previous_ = ::signal(SIGXFSZ, SIG_IGN);
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    ~FullDisk() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        ::signal(SIGXFSZ, previous_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    struct rlimit saved_ {};
    void (*previous_)(int) = SIG_DFL;
};

}  // namespace vr::test
