#include "OutputCapture.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace vr::cli {
namespace {

void CloseIfOpen(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

bool Redirect(int from, int to) {
    int rc;
    do rc = ::dup2(from, to);
    while (rc < 0 && errno == EINTR);
    return rc >= 0;
}

void FlushAll() {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(stdout);
    std::fflush(stderr);
}

}  // namespace

OutputCapture::~OutputCapture() {
    CloseIfOpen(outFile_);
    CloseIfOpen(errFile_);
    CloseIfOpen(savedOut_);
    CloseIfOpen(savedErr_);
}

bool OutputCapture::Open(std::string& error) {
    // Copies above the standard three, closed in programs the commands start.
    savedOut_ = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    savedErr_ = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    outFile_ = ::memfd_create("vr8200ctl-stdout", MFD_CLOEXEC);
    errFile_ = ::memfd_create("vr8200ctl-stderr", MFD_CLOEXEC);
    if (savedOut_ >= 0 && savedErr_ >= 0 && outFile_ >= 0 && errFile_ >= 0) return true;
    error = std::strerror(errno);
    return false;
}

bool OutputCapture::Begin() {
    FlushAll();
    return Redirect(outFile_, STDOUT_FILENO) && Redirect(errFile_, STDERR_FILENO);
}

void OutputCapture::End(std::string& out, std::string& err) {
    FlushAll();
    // Back where they were first; a failure here leaves the session writing on its own copies.
    (void)Redirect(savedOut_, STDOUT_FILENO);
    (void)Redirect(savedErr_, STDERR_FILENO);
    out = Take(outFile_);
    err = Take(errFile_);
}

std::string OutputCapture::Take(int fd) {
    std::string text;
    // The descriptors 1 and 2 wrote through share this offset: at 0, nothing was written and the file
    // is empty already (most commands write nothing on stderr).
    if (::lseek(fd, 0, SEEK_CUR) == 0) return text;
    if (::lseek(fd, 0, SEEK_SET) < 0) return text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    // Empty again for the next command.
    if (::ftruncate(fd, 0) != 0 || ::lseek(fd, 0, SEEK_SET) < 0) text += "\n(the capture could not be emptied)";
    return text;
}

}  // namespace vr::cli
