// kvt-sim: a tracking terminal on a pseudo-terminal, for trying out and testing
// the logger without hardware. See --help for what it answers to.

#include "device.h"
#include "options.h"
#include "pty_port.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <map>
#include <memory>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kvtsim {

namespace {

int g_signalPipe[2] = {-1, -1};

// What a byte in the signal pipe asks for.
constexpr char kQuit = 'q';
constexpr char kNext = 'n';

extern "C" void onSignal(int signal)
{
    const int saved = errno;
    const char c = signal == SIGUSR1 ? kNext : kQuit;
    [[maybe_unused]] ssize_t n = ::write(g_signalPipe[1], &c, 1);
    errno = saved;
}

std::string printable(const std::string &s)
{
    std::string t;
    for (unsigned char c : s) {
        if (c >= 0x20 && c < 0x7f) {
            t += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02x", c);
            t += buf;
        }
    }
    return t;
}

// One whole line on stdout at once, so that tools reading it never see half a line.
void printLine(std::string text)
{
    text += '\n';
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

constexpr std::size_t kMaxCommandLine = 64 * 1024;   // longer lines are dropped
constexpr std::size_t kLiveBacklog = 16 * 1024;      // live/flood lines wait below this
constexpr std::size_t kMaxBacklog = 4 * 1024 * 1024; // answers beyond this are dropped
constexpr auto kDrainTimeout = std::chrono::seconds(2);
constexpr auto kDrainGrace = std::chrono::milliseconds(250);
constexpr auto kDrainQuiet = std::chrono::milliseconds(30);
// Live records that nobody reads are thrown away after a while (see dropIfAbandoned).
constexpr std::size_t kAbandonedBytes = 2048;
constexpr auto kAbandonedAfter = std::chrono::seconds(3);
constexpr auto kCommandQuiet = std::chrono::seconds(5);
// The loader takes a firmware file once its size has stayed the same this long.
constexpr auto kFileSettled = std::chrono::seconds(1);
constexpr auto kLoaderScan = std::chrono::milliseconds(100);

Clock::duration seconds(double s)
{
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(s));
}

std::string formatSeconds(double s)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", s);
    return text;
}

// The regular files directly in dir with their sizes; empty when there are none or dir is gone.
std::map<std::string, long long> regularFiles(const std::string &dir)
{
    std::map<std::string, long long> files;
    DIR *d = ::opendir(dir.c_str());
    if (!d)
        return files;
    while (const dirent *e = ::readdir(d)) {
        struct stat st;
        if (::fstatat(::dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
            files[e->d_name] = static_cast<long long>(st.st_size);
    }
    ::closedir(d);
    return files;
}

extern "C" int removeEntry(const char *path, const struct stat *, int, struct FTW *)
{
    return ::remove(path) == 0 || errno == ENOENT ? 0 : -1;
}

// Removes dir with everything in it, symlinks not followed.
bool removeTree(const std::string &dir)
{
    return ::nftw(dir.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS) == 0 || errno == ENOENT;
}

// One terminal on a pseudo-terminal of its own: its device, its line state and what it
// has announced. With --batch the terminals of the bench take turns on it.
class Line {
public:
    // label: the terminal's number in the stdout lines and the log, empty for a lone terminal.
    Line(const Options &opts, std::string label)
        : m_opts(opts)
        , m_label(std::move(label))
        , m_device(terminalOptions(0))
        , m_publisher(opts.linkPath, opts.portFile)
    {
    }
    Line(const Line &) = delete;
    Line &operator=(const Line &) = delete;

    bool checkPublisher(std::string &err) const { return m_publisher.check(err); }
    bool bringUp(Clock::time_point now);
    // Unplugs the terminal: with --batch the next one comes up after the restart delay.
    void next(Clock::time_point now);

    // Everything that is due by time: scheduled records, live ticks, flood, drain, restart.
    void step(Clock::time_point now);
    // When step() has work next, Clock::time_point::max() when only the line can wake it.
    Clock::time_point wake(Clock::time_point now) const;
    // The master to watch, or false while the terminal is away.
    bool pollEntry(pollfd &p) const;
    // After a poll: revents of the entry from pollEntry (0 when it had none).
    void polled(short revents, Clock::time_point now);
    // On exit: hang up, remove link, port file and the loader's disk.
    void shutdown();
    // The loader's disk could not be made: the simulator ends.
    bool failed() const { return m_failed; }

private:
    enum class Phase { Running, Draining, Away };
    // Where an update through the loader is, while the line is away.
    enum class Loader { Off, Starting, Waiting, Flashing };

    void hangUp(Clock::time_point now);
    // The options of terminal k of a batch (serial number and IMEI counted up).
    Options terminalOptions(unsigned k) const;
    void readMaster(Clock::time_point now);
    void feed(const char *data, std::size_t len, Clock::time_point now);
    void handleLine(const std::string &line, Clock::time_point now);
    void queue(const Lines &lines, bool droppable);
    void writeMaster();
    void dropIfAbandoned(Clock::time_point now);
    void drain(Clock::time_point now);
    void stepLoader(Clock::time_point now);
    // Unplugged in the loader or ended: the disk goes, the firmware stays as it was.
    void leaveLoader();
    std::size_t backlog() const { return m_out.size() - m_outPos; }
    bool flooding() const
    {
        return m_phase == Phase::Running && m_opts.flood && !m_floodDone && floodDue(Clock::now());
    }
    // with --flood-rate: whether the bytes flooded so far are below the rate since the start
    bool floodDue(Clock::time_point now) const
    {
        if (m_opts.floodRate == 0)
            return true;
        const double seconds = std::chrono::duration<double>(now - m_floodStart).count();
        return double(m_floodBytes) < seconds * double(m_opts.floodRate);
    }
    // "WHAT k rest" with a label, "WHAT rest" without.
    void announce(const char *what, const std::string &rest = std::string()) const
    {
        std::string text = what;
        if (!m_label.empty())
            text += " " + m_label;
        if (!rest.empty())
            text += " " + rest;
        printLine(text);
    }
    void log(const std::string &text) const
    {
        if (!m_opts.quiet)
            error(text);
    }
    void error(const std::string &text) const
    {
        if (m_label.empty())
            std::fprintf(stderr, "kvt-sim: %s\n", text.c_str());
        else
            std::fprintf(stderr, "kvt-sim: terminal %s: %s\n", m_label.c_str(), text.c_str());
    }

    Options m_opts;
    std::string m_label;
    Device m_device;
    PtyPort m_port;
    PortPublisher m_publisher;

    Phase m_phase = Phase::Running;
    Clock::time_point m_nextTick;
    Clock::time_point m_drainDeadline;
    Clock::time_point m_awayUntil;
    Clock::time_point m_drainGrace;
    Clock::time_point m_drainQuietSince;
    bool m_sawPending = false;
    std::size_t m_lastUnread = 0;
    std::string m_previousPath; // slave path before the last hang-up

    std::string m_out;       // bytes waiting for the master
    std::size_t m_outPos = 0;
    Clock::time_point m_lastCommand;  // last complete command line received
    Clock::time_point m_lastProgress; // last time the client took bytes off the line
    std::size_t m_lastPending = 0;
    std::string m_line;      // command line being assembled
    // command lines waiting for --answer-delay, with the time each is taken up
    std::deque<std::pair<Clock::time_point, std::string>> m_delayed;
    bool m_discarding = false;
    bool m_abandonReported = false;   // said once until a client reads again
    bool m_readBackoff = false;

    unsigned m_terminal = 0;          // which terminal of a batch is on the line
    bool m_switchTerminal = false;    // the next terminal comes up after this hang-up

    Loader m_loader = Loader::Off;
    bool m_toLoader = false;          // this hang-up is into the loader
    bool m_diskMade = false;          // the loader's directory is ours to remove
    bool m_failed = false;
    Clock::time_point m_loaderAt;     // Starting: the disk appears; Flashing: done
    std::map<std::string, long long> m_files; // Waiting: what the disk held at the last look
    Clock::time_point m_filesSince;   // ... unchanged since then
    std::string m_flashed;            // version to announce once the line is up again

    unsigned long long m_floodLines = 0;
    unsigned long long m_floodBytes = 0;
    Clock::time_point m_floodStart;
    bool m_floodDone = false;
    bool m_floodAnnounced = false;
};

bool Line::bringUp(Clock::time_point now)
{
    std::string err;
    if (!m_port.open(err, m_previousPath)) {
        error(err);
        return false;
    }
    if (!m_publisher.publish(m_port.slavePath(), err))
        error(err);
    m_out.clear();
    m_outPos = 0;
    m_line.clear();
    m_delayed.clear();
    m_discarding = false;
    m_phase = Phase::Running;
    m_lastCommand = now;
    m_lastProgress = now;
    m_lastPending = 0;
    m_nextTick = now + std::chrono::milliseconds(m_opts.rateMs);
    m_floodStart = now;
    announce("PORT", m_port.slavePath());
    return true;
}

void Line::hangUp(Clock::time_point now)
{
    const std::string path = m_port.slavePath();
    m_previousPath = path;
    m_port.hangUp();
    m_publisher.withdrawLink();
    m_out.clear();
    m_outPos = 0;
    m_phase = Phase::Away;
    announce("HANGUP", path);
    if (m_toLoader) {
        m_toLoader = false;
        m_loader = Loader::Starting;
        m_loaderAt = now + seconds(m_opts.loaderDelay);
        m_awayUntil = Clock::time_point::max();
        log("line hung up into the loader, its disk in " + formatSeconds(m_opts.loaderDelay) + " s");
        return;
    }
    m_awayUntil = now + seconds(m_opts.restartDelay);
    log("line hung up, back in " + formatSeconds(m_opts.restartDelay) + " s");
}

void Line::shutdown()
{
    m_port.hangUp();
    m_publisher.cleanup();
    leaveLoader();
}

void Line::leaveLoader()
{
    if (m_diskMade && !removeTree(m_opts.loaderDir))
        error("cannot remove the loader's disk " + m_opts.loaderDir + ": " + std::strerror(errno));
    m_diskMade = false;
    m_loader = Loader::Off;
    m_files.clear();
}

// The disk appears after the loader delay; a file that has settled is flashed, then the
// disk goes and the terminal comes back with the new firmware.
void Line::stepLoader(Clock::time_point now)
{
    if (m_loader == Loader::Starting && now >= m_loaderAt) {
        if (::mkdir(m_opts.loaderDir.c_str(), 0777) != 0) {
            error("cannot create the loader's disk " + m_opts.loaderDir + ": " + std::strerror(errno));
            m_loader = Loader::Off;
            m_failed = true;
            return;
        }
        m_diskMade = true;
        m_loader = Loader::Waiting;
        m_files.clear();
        m_filesSince = now;
        announce("LOADER", m_opts.loaderDir);
        log("loader's disk " + m_opts.loaderDir + " there, waiting for a firmware file");
    }
    if (m_loader == Loader::Waiting) {
        std::map<std::string, long long> files = regularFiles(m_opts.loaderDir);
        if (files != m_files) {
            m_files = std::move(files);
            m_filesSince = now;
        } else if (!m_files.empty() && now - m_filesSince >= kFileSettled) {
            m_loader = Loader::Flashing;
            m_loaderAt = now + seconds(m_opts.flashTime);
            log("firmware file " + m_files.begin()->first + " taken, flashing for "
                + formatSeconds(m_opts.flashTime) + " s");
        }
    }
    if (m_loader == Loader::Flashing && now >= m_loaderAt) {
        leaveLoader();
        std::string major = m_opts.nextFwMajor;
        std::string minor = m_opts.nextFwMinor;
        if (major.empty()) {
            major = m_device.firmwareMajor();
            minor = nthInSequence(m_device.firmwareMinor(), 1);
        }
        m_device.setFirmware(major, minor);
        m_flashed = major + "." + minor;
        m_awayUntil = now;
        log("firmware " + m_flashed + " written, terminal restarts");
    }
}

Options Line::terminalOptions(unsigned k) const
{
    Options o = m_opts;
    o.serial = nthInSequence(m_opts.serial, k);
    o.imei = nthInSequence(m_opts.imei, k);
    return o;
}

void Line::next(Clock::time_point now)
{
    if (m_loader != Loader::Off) {
        // pulled out in the loader: plugged in again it starts the old firmware
        leaveLoader();
        m_switchTerminal = m_opts.batch > 0;
        m_awayUntil = now + seconds(m_opts.restartDelay);
        log("unplugged in the loader, back in " + formatSeconds(m_opts.restartDelay) + " s");
        return;
    }
    if (m_phase == Phase::Away)
        return;
    m_switchTerminal = m_opts.batch > 0;
    m_toLoader = false;
    hangUp(now);
}

void Line::queue(const Lines &lines, bool droppable)
{
    const std::size_t limit = droppable ? kLiveBacklog : kMaxBacklog;
    if (backlog() >= limit)
        return; // nobody reads: the terminal's output buffer is full
    if (m_outPos > 0 && m_outPos >= m_out.size() / 2) {
        m_out.erase(0, m_outPos);
        m_outPos = 0;
    }
    for (const std::string &l : lines)
        m_out += l;
}

void Line::writeMaster()
{
    while (m_port.isOpen() && backlog() > 0) {
        const ssize_t n = ::write(m_port.masterFd(), m_out.data() + m_outPos, backlog());
        if (n > 0) {
            m_outPos += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // EAGAIN: the slave side is full, wait for POLLOUT; other errors: retry later
    }
    if (backlog() == 0) {
        m_out.clear();
        m_outPos = 0;
    }
}

// With the simulator holding the slave open, records sent while no client is
// attached would pile up in the pseudo-terminal and reach the next client as a
// burst of old values. A terminal's USB serial port loses them instead. So when
// the client has taken nothing for a few seconds and sent no command for longer,
// the unread records are dropped. Never in flood mode, where nothing may be lost.
void Line::dropIfAbandoned(Clock::time_point now)
{
    const std::size_t pending = m_port.unreadBySlave();
    if (pending == 0 || pending < m_lastPending) {
        m_lastProgress = now;
        if (pending < m_lastPending)
            m_abandonReported = false;
    }
    m_lastPending = pending;
    if (pending + backlog() >= kAbandonedBytes && now - m_lastProgress >= kAbandonedAfter
        && now - m_lastCommand >= kCommandQuiet) {
        m_port.discardUnread();
        m_out.clear();
        m_outPos = 0;
        m_lastPending = 0;
        m_lastProgress = now;
        if (!m_abandonReported)
            log("nobody reads: unread records dropped (until a client reads again)");
        m_abandonReported = true;
    }
}

void Line::readMaster(Clock::time_point now)
{
    char buf[4096];
    for (int round = 0; round < 16 && m_port.isOpen(); ++round) {
        const ssize_t n = ::read(m_port.masterFd(), buf, sizeof buf);
        if (n > 0) {
            m_readBackoff = false;
            // a silent terminal takes the bytes off the line and does nothing with them
            if (m_phase == Phase::Running && !m_opts.silent)
                feed(buf, static_cast<std::size_t>(n), now);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            m_readBackoff = true; // EIO without a slave: do not spin on it
        break;
    }
}

void Line::feed(const char *data, std::size_t len, Clock::time_point now)
{
    for (std::size_t i = 0; i < len && m_phase == Phase::Running; ++i) {
        const char c = data[i];
        if (c == '\r' || c == '\n') {
            if (!m_discarding && !m_line.empty()) {
                if (m_opts.answerDelayMs > 0)
                    m_delayed.emplace_back(now + std::chrono::milliseconds(m_opts.answerDelayMs), m_line);
                else
                    handleLine(m_line, now);
            }
            m_line.clear();
            m_discarding = false;
        } else if (m_discarding) {
            // rest of an overlong line
        } else if (m_line.size() >= kMaxCommandLine) {
            log("overlong line dropped");
            m_line.clear();
            m_discarding = true;
        } else {
            m_line += c;
        }
    }
}

void Line::handleLine(const std::string &line, Clock::time_point now)
{
    m_lastCommand = now;
    Lines out;
    const Device::Action action = m_device.handleLine(line, now, out);
    if (!m_opts.quiet) {
        std::string answer;
        for (const std::string &l : out)
            answer += " " + printable(l.substr(0, l.size() - 2));
        log("< " + printable(line) + (out.empty() ? std::string("  (no answer)") : "  >" + answer));
    }
    queue(out, false);
    writeMaster();
    if (action == Device::Action::Unplug) {
        log("settings write left unanswered: unplugged");
        next(now);
    } else if (action == Device::Action::Restart || action == Device::Action::Loader) {
        // with a loader disk the same terminal comes back, with its new firmware
        m_toLoader = action == Device::Action::Loader && !m_opts.loaderDir.empty();
        m_switchTerminal = m_opts.batch > 0 && !m_toLoader;
        m_phase = Phase::Draining;
        m_line.clear();
        m_drainDeadline = now + kDrainTimeout;
        m_drainGrace = now + kDrainGrace;
        m_sawPending = false;
        m_drainQuietSince = now;
        m_lastUnread = static_cast<std::size_t>(-1);
    }
}

// Hang up once the client has read everything up to the restart record, or when
// nobody has read anything for a while. Bytes written to the master reach the
// slave's input queue a moment later, so an empty queue counts only after it has
// been seen holding data, or after a short grace time.
void Line::drain(Clock::time_point now)
{
    const std::size_t pending = m_port.unreadBySlave();
    const std::size_t unread = pending + backlog();
    if (pending > 0)
        m_sawPending = true;
    if (backlog() > 0)
        m_drainGrace = now + kDrainGrace;
    if (unread < m_lastUnread) {
        m_lastUnread = unread;
        m_drainDeadline = now + kDrainTimeout;
    }
    if (unread > 0)
        m_drainQuietSince = now;
    const bool drained = unread == 0 && now - m_drainQuietSince >= kDrainQuiet
                         && (m_sawPending || now >= m_drainGrace);
    if (drained || now >= m_drainDeadline)
        hangUp(now);
}

void Line::step(Clock::time_point now)
{
    if (m_loader != Loader::Off)
        stepLoader(now);
    if (m_phase == Phase::Away && now >= m_awayUntil && m_switchTerminal
        && m_terminal + 1 >= m_opts.batch) {
        // the bench is empty: the line stays away
        m_switchTerminal = false;
        m_awayUntil = Clock::time_point::max();
        announce("BATCH-END");
    }
    if (m_phase == Phase::Away && now >= m_awayUntil) {
        if (bringUp(now)) {
            if (m_switchTerminal) {
                m_switchTerminal = false;
                ++m_terminal;
                m_device = Device(terminalOptions(m_terminal));
                announce("TERMINAL", std::to_string(m_terminal + 1) + " " + terminalOptions(m_terminal).serial);
            }
            m_device.powerOn(now);
            if (!m_flashed.empty())
                announce("FLASHED", m_flashed);
            m_flashed.clear();
        } else {
            m_awayUntil = now + std::chrono::seconds(1);
        }
    }
    while (m_phase == Phase::Running && !m_delayed.empty() && m_delayed.front().first <= now) {
        const std::string line = std::move(m_delayed.front().second);
        m_delayed.pop_front();
        handleLine(line, now);
    }
    if (m_phase == Phase::Running && !m_opts.silent) {
        Lines out;
        m_device.runDue(now, out);
        queue(out, false);
        if (!m_opts.flood && m_opts.rateMs > 0 && now >= m_nextTick) {
            out.clear();
            m_device.liveTick(now, out);
            queue(out, true);
            m_nextTick += std::chrono::milliseconds(m_opts.rateMs);
            if (m_nextTick <= now)
                m_nextTick = now + std::chrono::milliseconds(m_opts.rateMs);
        }
        if (m_opts.flood && !m_floodDone) {
            // a reader that fell behind gets at most a tenth of a second's worth at once
            if (m_opts.floodRate > 0) {
                const double ahead = std::chrono::duration<double>(now - m_floodStart).count()
                                     * double(m_opts.floodRate) - double(m_floodBytes);
                const double most = double(m_opts.floodRate) / 10;
                if (ahead > most)
                    m_floodStart += std::chrono::duration_cast<Clock::duration>(
                        std::chrono::duration<double>((ahead - most) / double(m_opts.floodRate)));
            }
            while (backlog() < kLiveBacklog && !m_floodDone && floodDue(now)) {
                out.clear();
                m_device.floodGroup(now, out);
                for (const std::string &l : out)
                    m_floodBytes += l.size();
                m_floodLines += out.size();
                queue(out, true);
                if (m_opts.floodBytes > 0 && m_floodBytes >= m_opts.floodBytes)
                    m_floodDone = true;
            }
        }
    }
    writeMaster();
    if (m_phase == Phase::Running && !m_opts.flood)
        dropIfAbandoned(now);
    if (m_floodDone && !m_floodAnnounced && backlog() == 0) {
        m_floodAnnounced = true;
        announce("FLOOD-DONE", std::to_string(m_floodLines) + " " + std::to_string(m_floodBytes));
    }
    if (m_phase == Phase::Draining)
        drain(now);
}

Clock::time_point Line::wake(Clock::time_point now) const
{
    Clock::time_point wake = Clock::time_point::max();
    if (m_phase == Phase::Away)
        wake = m_awayUntil;
    if (m_loader == Loader::Starting || m_loader == Loader::Flashing)
        wake = std::min(wake, m_loaderAt);
    if (m_loader == Loader::Waiting)
        wake = std::min(wake, now + kLoaderScan);
    if (m_phase == Phase::Draining)
        wake = now + std::chrono::milliseconds(10);
    if (m_phase == Phase::Running && !m_opts.silent) {
        wake = m_device.nextDue();
        if (!m_opts.flood && m_opts.rateMs > 0)
            wake = std::min(wake, m_nextTick);
        if (m_opts.flood && m_opts.floodRate > 0 && !m_floodDone)
            wake = std::min(wake, now + std::chrono::milliseconds(2));
    }
    if (m_phase == Phase::Running && !m_delayed.empty())
        wake = std::min(wake, m_delayed.front().first);
    if (m_readBackoff)
        wake = std::min(wake, now + std::chrono::milliseconds(50));
    return wake;
}

bool Line::pollEntry(pollfd &p) const
{
    if (!m_port.isOpen())
        return false;
    short events = m_readBackoff ? 0 : POLLIN;
    if (backlog() > 0 || flooding())
        events |= POLLOUT;
    p = {m_port.masterFd(), events, 0};
    return true;
}

void Line::polled(short revents, Clock::time_point now)
{
    m_readBackoff = false;
    if (!m_port.isOpen())
        return;
    if (revents & (POLLIN | POLLHUP | POLLERR))
        readMaster(now);
    if (revents & POLLOUT)
        writeMaster();
}

// The terminals, all in one poll loop; the signal pipe and stdin beside them.
class Simulator {
public:
    explicit Simulator(const Options &opts);
    int run();

private:
    void readStdin(Clock::time_point now);
    void stdinCommand(const std::string &command, Clock::time_point now);
    void nextAll(Clock::time_point now)
    {
        for (auto &line : m_lines)
            line->next(now);
    }
    void shutdown()
    {
        for (auto &line : m_lines)
            line->shutdown();
    }
    void log(const std::string &text) const
    {
        if (!m_opts.quiet)
            std::fprintf(stderr, "kvt-sim: %s\n", text.c_str());
    }

    Options m_opts;
    std::vector<std::unique_ptr<Line>> m_lines;
    std::vector<pollfd> m_fds;
    bool m_stdinOpen = true;
    std::string m_stdinLine;
};

Simulator::Simulator(const Options &opts)
    : m_opts(opts)
{
    if (opts.count == 0) {
        m_lines.push_back(std::make_unique<Line>(opts, std::string()));
        return;
    }
    // Terminal k (from 1) has the (k-1)-th serial number and IMEI, and PATH-k as link and port file.
    for (unsigned k = 0; k < opts.count; ++k) {
        const std::string label = std::to_string(k + 1);
        Options o = opts;
        o.serial = nthInSequence(opts.serial, k);
        o.imei = nthInSequence(opts.imei, k);
        if (!opts.linkPath.empty())
            o.linkPath = opts.linkPath + "-" + label;
        if (!opts.portFile.empty())
            o.portFile = opts.portFile + "-" + label;
        if (!opts.loaderDir.empty())
            o.loaderDir = opts.loaderDir + "-" + label;
        m_lines.push_back(std::make_unique<Line>(o, label));
    }
}

void Simulator::readStdin(Clock::time_point now)
{
    char buf[256];
    const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
    if (n <= 0) {
        if (n == 0 || (errno != EINTR && errno != EAGAIN))
            m_stdinOpen = false; // closed, or nothing to read from: stop looking at it
        return;
    }
    for (ssize_t i = 0; i < n; ++i) {
        if (buf[i] != '\n') {
            if (m_stdinLine.size() < 64)
                m_stdinLine += buf[i];
            continue;
        }
        if (!m_stdinLine.empty() && m_stdinLine.back() == '\r')
            m_stdinLine.pop_back();
        stdinCommand(m_stdinLine, now);
        m_stdinLine.clear();
    }
}

// "next" unplugs every terminal; with --count, "next K" terminal K only.
void Simulator::stdinCommand(const std::string &command, Clock::time_point now)
{
    if (command == "next") {
        nextAll(now);
        return;
    }
    if (m_opts.count > 0 && command.compare(0, 5, "next ") == 0) {
        const std::string k = command.substr(5);
        if (!k.empty() && k.size() <= 2 && k.find_first_not_of("0123456789") == std::string::npos) {
            const unsigned long index = std::stoul(k);
            if (index >= 1 && index <= m_lines.size()) {
                m_lines[index - 1]->next(now);
                return;
            }
        }
        log("stdin: no terminal \"" + printable(k) + "\" (1 to " + std::to_string(m_lines.size()) + ")");
        return;
    }
    if (!command.empty())
        log("stdin: unknown command \"" + printable(command) + "\"");
}

int Simulator::run()
{
    std::string err;
    for (const auto &line : m_lines) {
        if (!line->checkPublisher(err)) {
            std::fprintf(stderr, "kvt-sim: %s\n", err.c_str());
            return 1;
        }
    }
    const auto start = Clock::now();
    for (auto &line : m_lines) {
        if (!line->bringUp(start)) {
            shutdown();
            return 1;
        }
    }

    for (;;) {
        auto now = Clock::now();

        Clock::time_point wake = Clock::time_point::max();
        for (auto &line : m_lines) {
            line->step(now);
            wake = std::min(wake, line->wake(now));
        }
        if (std::any_of(m_lines.begin(), m_lines.end(), [](const auto &l) { return l->failed(); })) {
            shutdown();
            return 1;
        }
        int timeout = -1;
        if (wake != Clock::time_point::max()) {
            const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(wake - now).count() + 1;
            timeout = static_cast<int>(std::clamp<long long>(ms, 0, 60000));
        }

        m_fds.clear();
        m_fds.push_back({g_signalPipe[0], POLLIN, 0});
        std::size_t stdinIndex = 0;
        // a terminal is read only from the foreground: reading it from the background would
        // stop the simulator (SIGTTIN)
        const bool stdinOurs = !::isatty(STDIN_FILENO) || ::tcgetpgrp(STDIN_FILENO) == ::getpgrp();
        if (m_stdinOpen && stdinOurs) {
            stdinIndex = m_fds.size();
            m_fds.push_back({STDIN_FILENO, POLLIN, 0});
        }
        std::vector<std::size_t> lineIndex(m_lines.size(), 0); // 0: not polled
        for (std::size_t i = 0; i < m_lines.size(); ++i) {
            pollfd p{};
            if (m_lines[i]->pollEntry(p)) {
                lineIndex[i] = m_fds.size();
                m_fds.push_back(p);
            }
        }
        const int r = ::poll(m_fds.data(), static_cast<nfds_t>(m_fds.size()), timeout);
        if (r < 0 && errno != EINTR) {
            std::perror("kvt-sim: poll");
            break;
        }
        now = Clock::now();
        if (m_fds[0].revents & POLLIN) {
            char c = kQuit;
            if (::read(g_signalPipe[0], &c, 1) == 1 && c == kNext)
                nextAll(now); // SIGUSR1
            else
                break;        // SIGINT / SIGTERM / SIGHUP
        }
        if (stdinIndex > 0 && (m_fds[stdinIndex].revents & (POLLIN | POLLHUP | POLLERR)))
            readStdin(now);
        for (std::size_t i = 0; i < m_lines.size(); ++i)
            m_lines[i]->polled(lineIndex[i] > 0 ? m_fds[lineIndex[i]].revents : 0, now);
    }

    shutdown();
    return 0;
}

} // namespace

} // namespace kvtsim

int main(int argc, char **argv)
{
    using namespace kvtsim;
    Options opts;
    std::string err;
    switch (parseOptions(argc, argv, opts, err)) {
    case ParseResult::Help:
        std::fputs(helpText(argv[0]).c_str(), stdout);
        return 0;
    case ParseResult::Error:
        std::fprintf(stderr, "kvt-sim: %s\nTry '%s --help'.\n", err.c_str(), argv[0]);
        return 2;
    case ParseResult::Run:
        break;
    }

    if (pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        std::perror("kvt-sim: pipe");
        return 1;
    }
    struct sigaction sa;
    std::memset(&sa, 0, sizeof sa);
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
    sigaction(SIGUSR1, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    Simulator sim(opts);
    return sim.run();
}
