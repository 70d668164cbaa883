// The pseudo-terminal that stands in for the terminal's USB serial port, and
// the symlink / port file that tell the program where it is.
#pragma once

#include <cstddef>
#include <string>

namespace kvtsim {

class PtyPort {
public:
    PtyPort() = default;
    ~PtyPort();
    PtyPort(const PtyPort &) = delete;
    PtyPort &operator=(const PtyPort &) = delete;

    // Creates a new pseudo-terminal: non-blocking master, slave in raw mode
    // and held open by the simulator so the line does not hang up while no
    // client is attached. A slave path equal to avoidPath is not used, so a
    // client can tell the terminal that came back from the one that left.
    bool open(std::string &err, const std::string &avoidPath = std::string());

    // Closes master and slave: a client that has the slave open sees a
    // hang-up (EOF / EIO), as with an unplugged USB device.
    void hangUp();

    bool isOpen() const { return m_master >= 0; }
    int masterFd() const { return m_master; }
    const std::string &slavePath() const { return m_slavePath; }

    // Bytes written to the master that no client has read from the slave yet.
    std::size_t unreadBySlave() const;
    // Throws those bytes away, as a USB serial driver does with data that
    // arrives while no program has the port open.
    void discardUnread();

private:
    bool openOne(std::string &err);

    int m_master = -1;
    int m_slave = -1;
    std::string m_slavePath;
};

// Keeps --link and --port-file up to date.
class PortPublisher {
public:
    PortPublisher(std::string linkPath, std::string portFile);

    // Refuses a link path that exists and is not a symlink (it would be replaced).
    bool check(std::string &err) const;

    // Points the link at slavePath and writes the port file; both replaced by rename.
    bool publish(const std::string &slavePath, std::string &err) const;
    // Removes the link while the terminal is away.
    void withdrawLink() const;
    // Removes link and port file (on exit).
    void cleanup() const;

private:
    std::string m_link;
    std::string m_portFile;
};

} // namespace kvtsim
