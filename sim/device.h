// The simulated terminal: identity, moving values, task states, settings, and
// the record lines it sends in answer to each command line.
#pragma once

#include "options.h"
#include "settings_store.h"

#include <chrono>
#include <random>
#include <string>
#include <vector>

namespace kvtsim {

using Clock = std::chrono::steady_clock;
using Lines = std::vector<std::string>;

class Device {
public:
    enum class Action {
        None,
        Restart,   // answer queued; hang up the line once it has been read, then come back
        Unplug,    // hang up at once, no answer (--unplug-on-write)
        Loader,    // USB firmware update: like Restart, but the terminal drops off into its loader
    };

    explicit Device(const Options &opts);

    // One complete command line from the host (without its line end).
    // Answers are appended to out.
    Action handleLine(const std::string &line, Clock::time_point now, Lines &out);

    // The periodic live records; also moves the simulated values one step.
    void liveTick(Clock::time_point now, Lines &out);

    // Record lines that were scheduled by earlier commands and are due now.
    void runDue(Clock::time_point now, Lines &out);
    // Earliest scheduled time, or Clock::time_point::max() when nothing waits.
    Clock::time_point nextDue() const;

    // Called when the terminal comes back after a restart: running time,
    // modem link and flood numbering start again, scheduled records are dropped.
    void powerOn(Clock::time_point now);

    // The firmware version reported in DI, as the two decimal parts.
    const std::string &firmwareMajor() const { return m_opts.fwMajor; }
    const std::string &firmwareMinor() const { return m_opts.fwMinor; }
    // A new firmware has been written through the loader: DI reports it, the firmware task is done.
    void setFirmware(const std::string &major, const std::string &minor);

    // Appends the next flood group (one RW line with the next sequence number
    // and one filler record) to out; returns the sequence number used.
    unsigned long long floodGroup(Clock::time_point now, Lines &out);

    // The answers to the four information requests.
    void identity(Lines &out) const;       // >I 0
    void tasksAndCounters(Lines &out) const; // >I 1
    void stateRecords(Clock::time_point now, Lines &out) const; // >I 3
    void sensorRecords(Clock::time_point now, Lines &out) const; // >I 7

private:
    struct Scheduled {
        Clock::time_point at;
        int kind;   // what to do when due (see runDue)
        int value;
    };

    void schedule(Clock::time_point at, int kind, int value);
    void startTask(Clock::time_point now, int kind);
    int modemState(Clock::time_point now) const;
    unsigned statusWord(Clock::time_point now) const;
    std::string rwLine() const;
    std::string dfLine() const;

    std::string twLine(Clock::time_point now) const;
    std::string gkLine() const;
    std::string gsLine() const;
    std::string msLine(Clock::time_point now) const;
    std::string mlLine() const;
    std::string pbLine() const;
    void inputLines(Lines &out) const;
    void llsLines(Lines &out) const;
    void oneWireLines(Lines &out) const;
    void canLines(Lines &out) const;

    Options m_opts;
    SettingsStore m_settings;

    Clock::time_point m_powerOn;
    Clock::time_point m_modemStart;
    int m_modemOverride = -1; // tachograph upload drives the modem state while >= 0

    unsigned long long m_packetsSent = 120;
    unsigned long long m_packetsWritten = 124;
    int m_settingsTask = 0;
    int m_firmwareTask = 0;
    std::vector<Scheduled> m_scheduled;

    // Moving values, advanced by liveTick.
    unsigned long long m_ticks = 0;
    double m_lat = 55.755831;
    double m_lon = 37.617673;
    double m_course = 73.0;
    double m_speed = 0.0;       // km/h
    double m_altitude = 156.0;  // m
    int m_satellites = 11;
    int m_hdop10 = 9;
    int m_signal = 23;
    double m_supplyMv = 12450.0;
    double m_batteryMv = 4120.0;
    double m_fuelLitres = 212.4;  // of a 300 l tank
    double m_fuelUsedLitres = 48213.7;
    double m_engineHours = 3120.45;
    double m_mileageKm = 182340.27;
    double m_rpm = 820.0;
    double m_engineTemp = 71.0;
    double m_temp0 = 21.5;
    double m_temp1 = -4.2;
    unsigned long long m_pulses = 48877;
    unsigned long long m_canValid = 51200;
    unsigned long long m_canInvalid = 17;
    int m_door = 0;
    int m_output = 0;

    unsigned long long m_floodSeq = 0;
    std::minstd_rand m_rng{20417};
};

} // namespace kvtsim
