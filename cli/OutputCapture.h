#pragma once
// What a command prints while the scripting session runs it: its standard output and standard
// error go into files in memory instead of the session's channel, and come back as text.

#include <string>

namespace vr::cli {

class OutputCapture {
public:
    OutputCapture() = default;
    ~OutputCapture();
    OutputCapture(const OutputCapture&) = delete;
    OutputCapture& operator=(const OutputCapture&) = delete;

    // Keeps copies of descriptors 1 and 2 for the session (Stdout(), Stderr()) and makes the
    // capture files. False, with the reason, when the system refused.
    bool Open(std::string& error);
    int Stdout() const { return savedOut_; }
    int Stderr() const { return savedErr_; }

    // From Begin to End, descriptors 1 and 2 write into the capture files.
    bool Begin();
    // Gives back what was written since Begin and points 1 and 2 where they were.
    void End(std::string& out, std::string& err);

private:
    static std::string Take(int fd);

    int savedOut_ = -1;
    int savedErr_ = -1;
    int outFile_ = -1;
    int errFile_ = -1;
};

}  // namespace vr::cli
