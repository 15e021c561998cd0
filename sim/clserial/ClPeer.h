#pragma once
// The seam between the test Camera Link serial library and whatever answers on the line behind
// it. The library hands each byte the tool writes on a port to that port's peer and takes the bytes
// the tool reads from it; the peer never sees the library's C interface.
//
// The peer of every port opened in a process is chosen by name with VR8200_CLLIB_PEER:
//   loopback (the default)  every written byte comes straight back;
//   script                  the file named by VR8200_CLLIB_SCRIPT holds "request<TAB>reply" lines;
//                           a written line (its CR LF dropped) equal to a request is answered with
//                           the reply plus CR LF, any other line gets no answer.
// To put another model behind the library (the virtual camera), derive from ByteQueuePeer (or
// IClPeer), register a factory under a new name with VR_CLLIB_PEER(name, factory) in a new .cpp,
// add that file to a library with vr_add_cllib(... SOURCES file LIBRARIES model) in
// sim/clserial/CMakeLists.txt, and run with VR8200_CLLIB_PEER=name.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

namespace vr::cllib {

class IClPeer {
public:
    virtual ~IClPeer() = default;

    // Bytes the tool wrote on the line.
    virtual void Write(const char* bytes, size_t count) = 0;
    // Waits up to timeout until count bytes are there, then takes them all and returns true;
    // otherwise takes none and returns false (the library's read is all or nothing).
    virtual bool Read(char* buffer, size_t count, std::chrono::milliseconds timeout) = 0;
    virtual size_t Available() = 0;
    virtual void Flush() = 0;
    // The tool switched the line to this rate (bit/s); it starts at 9600.
    virtual void SetBaudRate(uint32_t rate) { (void)rate; }
};

using PeerFactory = std::unique_ptr<IClPeer> (*)(uint32_t serialIndex);

// Makes a factory known under name; true so it can initialise a namespace-scope constant.
bool RegisterPeer(const char* name, PeerFactory factory);
// The peer registered under name for a newly opened port; nullptr for an unknown name.
std::unique_ptr<IClPeer> CreatePeer(const std::string& name, uint32_t serialIndex);

// A peer whose answers are queued bytes: Deliver() queues what the camera sends (from any
// thread); Read, Available and Flush serve the tool. Derived peers implement Write.
class ByteQueuePeer : public IClPeer {
public:
    bool Read(char* buffer, size_t count, std::chrono::milliseconds timeout) override;
    size_t Available() override;
    void Flush() override;

protected:
    void Deliver(const std::string& bytes);

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<char> queue_;
};

}  // namespace vr::cllib

#define VR_CLLIB_PEER_CONCAT2(a, b) a##b
#define VR_CLLIB_PEER_CONCAT(a, b) VR_CLLIB_PEER_CONCAT2(a, b)
#define VR_CLLIB_PEER(name, factory) \
    static const bool VR_CLLIB_PEER_CONCAT(kPeerRegistered, __LINE__) = ::vr::cllib::RegisterPeer(name, factory)
