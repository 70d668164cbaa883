#include "pty_port.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace kvtsim {

namespace {

std::string sysError(const char *what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

std::string tempName(const std::string &path)
{
    return path + ".tmp" + std::to_string(static_cast<long>(getpid()));
}

bool isSymlink(const std::string &path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

} // namespace

PtyPort::~PtyPort()
{
    hangUp();
}

bool PtyPort::open(std::string &err, const std::string &avoidPath)
{
    hangUp();
    if (!openOne(err))
        return false;
    if (avoidPath.empty() || m_slavePath != avoidPath)
        return true;
    // Keep the unwanted one open while the next is made, so the next gets another number.
    const int heldMaster = m_master;
    const int heldSlave = m_slave;
    m_master = m_slave = -1;
    const bool ok = openOne(err);
    ::close(heldSlave);
    ::close(heldMaster);
    return ok;
}

bool PtyPort::openOne(std::string &err)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0) {
        err = sysError("posix_openpt");
        return false;
    }
    char name[256];
    if (grantpt(master) != 0 || unlockpt(master) != 0 || ptsname_r(master, name, sizeof name) != 0) {
        err = sysError("grantpt/unlockpt/ptsname");
        ::close(master);
        return false;
    }
    const int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0) {
        err = sysError("open slave");
        ::close(master);
        return false;
    }
    termios tio;
    if (tcgetattr(slave, &tio) != 0) {
        err = sysError("tcgetattr");
        ::close(slave);
        ::close(master);
        return false;
    }
    cfmakeraw(&tio);
    cfsetispeed(&tio, B115200);
    cfsetospeed(&tio, B115200);
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    if (tcsetattr(slave, TCSANOW, &tio) != 0) {
        err = sysError("tcsetattr");
        ::close(slave);
        ::close(master);
        return false;
    }
    const int flags = fcntl(master, F_GETFL);
    fcntl(master, F_SETFL, flags | O_NONBLOCK);
    m_master = master;
    m_slave = slave;
    m_slavePath = name;
    return true;
}

void PtyPort::hangUp()
{
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = -1;
    m_slave = -1;
}

std::size_t PtyPort::unreadBySlave() const
{
    int n = 0;
    if (m_slave < 0 || ioctl(m_slave, FIONREAD, &n) != 0 || n < 0)
        return 0;
    return static_cast<std::size_t>(n);
}

void PtyPort::discardUnread()
{
    if (m_slave >= 0)
        tcflush(m_slave, TCIFLUSH);
}

PortPublisher::PortPublisher(std::string linkPath, std::string portFile)
    : m_link(std::move(linkPath))
    , m_portFile(std::move(portFile))
{
}

bool PortPublisher::check(std::string &err) const
{
    struct stat st;
    if (!m_link.empty() && lstat(m_link.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
        err = "--link " + m_link + " exists and is not a symlink";
        return false;
    }
    if (!m_portFile.empty() && stat(m_portFile.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        err = "--port-file " + m_portFile + " is a directory";
        return false;
    }
    return true;
}

bool PortPublisher::publish(const std::string &slavePath, std::string &err) const
{
    bool ok = true;
    if (!m_link.empty()) {
        const std::string tmp = tempName(m_link);
        ::unlink(tmp.c_str());
        if (::symlink(slavePath.c_str(), tmp.c_str()) != 0 || ::rename(tmp.c_str(), m_link.c_str()) != 0) {
            err = sysError(("symlink " + m_link).c_str());
            ::unlink(tmp.c_str());
            ok = false;
        }
    }
    if (!m_portFile.empty()) {
        const std::string tmp = tempName(m_portFile);
        const std::string text = slavePath + "\n";
        const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        bool written = fd >= 0 && ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
        if (fd >= 0)
            written = (::close(fd) == 0) && written;
        if (!written || ::rename(tmp.c_str(), m_portFile.c_str()) != 0) {
            err = sysError(("port file " + m_portFile).c_str());
            ::unlink(tmp.c_str());
            ok = false;
        }
    }
    return ok;
}

void PortPublisher::withdrawLink() const
{
    if (!m_link.empty() && isSymlink(m_link))
        ::unlink(m_link.c_str());
}

void PortPublisher::cleanup() const
{
    withdrawLink();
    if (!m_portFile.empty())
        ::unlink(m_portFile.c_str());
}

} // namespace kvtsim
