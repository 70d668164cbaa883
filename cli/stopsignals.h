#pragma once
// Ctrl+C and its kin for a command that ends cleanly: SIGINT, SIGTERM and SIGHUP become
// readable on a descriptor instead of ending the process.

#include <csignal>
#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

// Blocked in this thread and in every thread started after it (a recorder's writer).
class StopSignals
{
public:
    StopSignals()
    {
        sigemptyset(&set);
        for (int s : {SIGINT, SIGTERM, SIGHUP})
            sigaddset(&set, s);
        pthread_sigmask(SIG_BLOCK, &set, &before);
        fd = ::signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
    }
    ~StopSignals()
    {
        if (fd >= 0)
            ::close(fd);
        pthread_sigmask(SIG_SETMASK, &before, nullptr);
    }
    StopSignals(const StopSignals &) = delete;
    StopSignals &operator=(const StopSignals &) = delete;

    int descriptor() const { return fd; }
    // The signal that came, 0 when none.
    int take()
    {
        signalfd_siginfo info{};
        return ::read(fd, &info, sizeof info) == ssize_t(sizeof info) ? int(info.ssi_signo) : 0;
    }

private:
    sigset_t set{};
    sigset_t before{};
    int fd = -1;
};
