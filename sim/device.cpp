#include "device.h"

#include "records.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace kvtsim {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTankLitres = 300.0;
constexpr double kLlsUnitsPerLitre = 4095.0 / kTankLitres;

// Kinds of scheduled work.
enum Kind { SettingsTask, FirmwareTask, ModemOverride, TachoPacket, SerialNumber, Imei };

// A parsed command line ">L code[;arg]".
struct Command {
    char letter = 0;
    long code = -1;
    long arg = -1;
};

bool parseCommand(const std::string &line, Command &cmd)
{
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    if (i + 1 >= line.size() || line[i] != '>')
        return false;
    cmd.letter = line[i + 1];
    if (cmd.letter != 'I' && cmd.letter != 'D')
        return false;
    i += 2;
    while (i < line.size() && line[i] == ' ')
        ++i;
    auto number = [&](long &out) {
        const std::size_t start = i;
        long v = 0;
        while (i < line.size() && line[i] >= '0' && line[i] <= '9' && i - start < 6)
            v = v * 10 + (line[i++] - '0');
        if (i == start)
            return false;
        out = v;
        return true;
    };
    if (!number(cmd.code))
        return false;
    if (i < line.size() && line[i] == ';') {
        ++i;
        if (!number(cmd.arg))
            return false;
    }
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    return i == line.size();
}

} // namespace

Device::Device(const Options &opts)
    : m_opts(opts)
    , m_settings(opts.password)
{
    const auto now = Clock::now();
    m_powerOn = now - std::chrono::seconds(52 * 3600 + 17 * 60 + 5); // running for two days
    m_modemStart = now - std::chrono::minutes(10);                   // already on line
}

void Device::powerOn(Clock::time_point now)
{
    m_powerOn = now;
    m_modemStart = now;
    m_modemOverride = -1;
    m_settingsTask = 0;
    m_firmwareTask = 0;
    m_scheduled.clear();
    m_floodSeq = 0;
}

// ---------------------------------------------------------------- commands

Device::Action Device::handleLine(const std::string &line, Clock::time_point now, Lines &out)
{
    if (SettingsStore::isSettingsString(line)) {
        // Wrong password: the terminal keeps silent and changes nothing.
        if (m_settings.write(line, m_opts.corruptEcho) != SettingsStore::WriteResult::Stored)
            return Action::None;
        if (m_opts.unplugOnWrite)
            return Action::Unplug;
        out.push_back(settingsRecordLine(m_settings.text(m_opts.reorderSettings)));
        return Action::None;
    }

    Command cmd;
    if (!parseCommand(line, cmd))
        return Action::None; // ">send ..." lines, unknown text, garbage

    if (cmd.letter == 'I') {
        switch (cmd.code) {
        case 0:
            identity(out);   // DI, DN, MN
            if (m_opts.identityGapMs > 0) {
                // DN and MN follow one gap apart
                const std::chrono::milliseconds gap(m_opts.identityGapMs);
                out.resize(out.size() - 2);
                schedule(now + gap, SerialNumber, 0);
                schedule(now + 2 * gap, Imei, 0);
            }
            break;
        case 1: tasksAndCounters(out); break;
        case 3: stateRecords(now, out); break;
        case 7: sensorRecords(now, out); break;
        default: break;
        }
        return Action::None;
    }

    switch (cmd.code) {
    case 15: // settings request
        out.push_back(settingsRecordLine(m_settings.text(m_opts.reorderSettings)));
        break;
    case 8: // clear the packet memory
        m_packetsSent = 0;
        m_packetsWritten = 0;
        out.push_back(rwLine());
        break;
    case 4: // send a packet to the server now
        ++m_packetsWritten;
        if (modemState(now) == 7)
            ++m_packetsSent;
        out.push_back(rwLine());
        break;
    case 0: // settings update over GPRS
        startTask(now, SettingsTask);
        out.push_back(dfLine());
        break;
    case 2: // firmware update over GPRS
        startTask(now, FirmwareTask);
        out.push_back(dfLine());
        break;
    case 9: // tachograph file download: only the tachograph model has one
        if (m_opts.model == 20) {
            m_modemOverride = 5;
            out.push_back(msLine(now));
            schedule(now + std::chrono::seconds(1), ModemOverride, 6);
            schedule(now + std::chrono::seconds(2), ModemOverride, 7);
            schedule(now + std::chrono::seconds(3), TachoPacket, 0);
        }
        break;
    case 3: // firmware update over USB: the terminal drops off into its loader
        m_firmwareTask = 1;
        out.push_back(dfLine());
        return Action::Loader;
    case 1: // restart
        out.push_back(recordLine("RD", {"1"}));
        return Action::Restart;
    default:
        break;
    }
    return Action::None;
}

void Device::setFirmware(const std::string &major, const std::string &minor)
{
    m_opts.fwMajor = major;
    m_opts.fwMinor = minor;
    m_firmwareTask = 0;
}

void Device::startTask(Clock::time_point now, int kind)
{
    int &state = kind == SettingsTask ? m_settingsTask : m_firmwareTask;
    state = 1;
    // Drop the rest of an earlier run of the same task.
    m_scheduled.erase(std::remove_if(m_scheduled.begin(), m_scheduled.end(),
                                     [kind](const Scheduled &s) { return s.kind == kind; }),
                      m_scheduled.end());
    schedule(now + std::chrono::seconds(2), kind, 2);
    schedule(now + std::chrono::seconds(4), kind, 3);
    schedule(now + std::chrono::seconds(6), kind, 0);
}

void Device::schedule(Clock::time_point at, int kind, int value)
{
    m_scheduled.push_back({at, kind, value});
}

Clock::time_point Device::nextDue() const
{
    Clock::time_point t = Clock::time_point::max();
    for (const Scheduled &s : m_scheduled)
        t = std::min(t, s.at);
    return t;
}

void Device::runDue(Clock::time_point now, Lines &out)
{
    std::stable_sort(m_scheduled.begin(), m_scheduled.end(),
                     [](const Scheduled &a, const Scheduled &b) { return a.at < b.at; });
    while (!m_scheduled.empty() && m_scheduled.front().at <= now) {
        const Scheduled s = m_scheduled.front();
        m_scheduled.erase(m_scheduled.begin());
        switch (s.kind) {
        case SettingsTask:
            m_settingsTask = s.value;
            out.push_back(dfLine());
            break;
        case FirmwareTask:
            m_firmwareTask = s.value;
            out.push_back(dfLine());
            break;
        case ModemOverride:
            m_modemOverride = s.value;
            out.push_back(msLine(now));
            break;
        case SerialNumber:
            out.push_back(recordLine("DN", {m_opts.serial}));
            break;
        case Imei:
            out.push_back(recordLine("MN", {m_opts.imei}));
            break;
        case TachoPacket:
            m_modemOverride = -1;
            ++m_packetsWritten;
            ++m_packetsSent;
            out.push_back(rwLine());
            break;
        }
    }
}

// ---------------------------------------------------------------- state

int Device::modemState(Clock::time_point now) const
{
    if (m_modemOverride >= 0)
        return m_modemOverride;
    // After power-on the modem climbs one stage of its connection chain a second.
    const auto up = std::chrono::duration_cast<std::chrono::seconds>(now - m_modemStart).count();
    return static_cast<int>(std::min<long long>(7, std::max<long long>(0, up)));
}

unsigned Device::statusWord(Clock::time_point now) const
{
    const int ms = modemState(now);
    unsigned w = 0;
    w |= 1u << 0;               // settings present
    w |= 1u << 1;               // external memory found
    w |= 1u << 2;               // clock running
    if (ms >= 1) w |= 1u << 3;  // GSM module on
    if (ms >= 2) w |= 1u << 5;  // GSM on line
    w |= 1u << 6;               // SIM 1 present (bit 13 clear: SIM 1 in use)
    w |= 1u << 9;               // GPS/GLONASS on
    w |= 1u << 10;              // NMEA flowing, accelerometer found
    w |= 1u << 16;              // SIM 2 present
    return w;
}

std::string Device::rwLine() const
{
    return recordLine("RW", {num(static_cast<long long>(m_packetsSent)), num(static_cast<long long>(m_packetsWritten))});
}

std::string Device::dfLine() const
{
    return recordLine("DF", {num(m_settingsTask), num(m_firmwareTask)});
}

std::string Device::twLine(Clock::time_point now) const
{
    const auto up = std::chrono::duration_cast<std::chrono::seconds>(now - m_powerOn).count();
    return recordLine("TW", {num(static_cast<long long>(std::time(nullptr))), num(up)});
}

std::string Device::gkLine() const
{
    return recordLine("GK", {fixed(m_lat, 6), fixed(m_lon, 6)});
}

std::string Device::gsLine() const
{
    return recordLine("GS", {num(m_satellites), num(std::lround(m_speed)), num(std::lround(m_altitude)),
                             num(m_hdop10), num(std::lround(m_course) % 360)});
}

std::string Device::msLine(Clock::time_point now) const
{
    return recordLine("MS", {num(modemState(now))});
}

std::string Device::mlLine() const
{
    return recordLine("ML", {num(m_signal), "250", "01"});
}

std::string Device::pbLine() const
{
    return recordLine("PB", {num(std::lround(m_supplyMv)), num(std::lround(m_batteryMv))});
}

void Device::inputLines(Lines &out) const
{
    out.push_back(recordLine("ID0", {"1"}));                                  // ignition
    out.push_back(recordLine("ID1", {num(m_door)}));                          // door contact
    out.push_back(recordLine("IA2", {fixed(m_supplyMv / 1000.0, 2)}));         // on-board voltage
    out.push_back(recordLine("IF3", {num(std::lround(m_rpm / 4.0))}));         // flow meter, Hz
    out.push_back(recordLine("II4", {num(static_cast<long long>(m_pulses))})); // pulse counter
    out.push_back(recordLine("O15", {num(m_output)}));                        // IN5 used as output
}

void Device::llsLines(Lines &out) const
{
    const long level0 = std::lround(m_fuelLitres * kLlsUnitsPerLitre);
    const long level1 = std::max(200L, std::lround(1820.0 - m_ticks * 0.05)); // second tank, barely used
    out.push_back(recordLine("LLS", {"1", "0", num(level0), "14"}));
    out.push_back(recordLine("LLS", {"2", "1", num(level1), "15"}));
}

void Device::oneWireLines(Lines &out) const
{
    out.push_back(recordLine("OWT", {"0", "28FF6A1B63160317", fixed(m_temp0, 1)}));
    out.push_back(recordLine("OWT", {"1", "28FF1C2D64160422", fixed(m_temp1, 1)}));
    out.push_back(recordLine("OWK", {"0", "01A2F3B4000000C7"}));
}

void Device::canLines(Lines &out) const
{
    const long fuelPercent10 = std::lround(m_fuelLitres / kTankLitres * 1000.0);
    const long speed = std::lround(m_speed);
    long lamps = 1L << 6;                            // passenger belt
    if (fuelPercent10 < 150)
        lamps |= 1L << 22;                           // fuel reserve
    long security = (1L << 14) | (1L << 16);         // engine running, ignition
    if (speed == 0)
        security |= 1L << 12;                        // hand brake
    if (m_door)
        security |= 1L << 8;                         // driver's door
    out.push_back(recordLine("C#", {m_settings.value(12, 1, "0"), num(static_cast<long long>(m_canValid)),
                                    num(static_cast<long long>(m_canInvalid))}));
    out.push_back(recordLine("CA", {num(std::llround(m_engineHours * 100.0))}));
    out.push_back(recordLine("CC", {num(std::llround(m_mileageKm * 100.0))}));
    out.push_back(recordLine("CE", {num(std::llround(m_fuelUsedLitres * 10.0))}));
    out.push_back(recordLine("CG", {num(fuelPercent10)}));
    out.push_back(recordLine("CH", {num(std::lround(m_rpm))}));
    out.push_back(recordLine("CI", {num(std::lround(m_engineTemp))}));
    out.push_back(recordLine("CJ", {num(speed)}));
    out.push_back(recordLine("CP", {num(lamps)}));
    out.push_back(recordLine("CS", {num(security)}));
    out.push_back(recordLine("CK", {"6210"}));
    out.push_back(recordLine("CL", {"9870"}));
    out.push_back(recordLine("CM", {"9790"}));
    out.push_back(recordLine("CN", {"0"}));
    out.push_back(recordLine("CO", {"0"}));
    out.push_back(recordLine("CV", {"64"}));
}

// ---------------------------------------------------------------- requests

void Device::identity(Lines &out) const
{
    out.push_back(recordLine("DI", {num(m_opts.model), m_opts.fwMajor, m_opts.fwMinor}));
    out.push_back(recordLine("DN", {m_opts.serial}));
    out.push_back(recordLine("MN", {m_opts.imei}));
}

void Device::tasksAndCounters(Lines &out) const
{
    out.push_back(dfLine());
    out.push_back(rwLine());
}

void Device::stateRecords(Clock::time_point now, Lines &out) const
{
    const int ms = modemState(now);
    out.push_back(twLine(now));
    out.push_back(rwLine());
    out.push_back(recordLine("DS", {num(statusWord(now))}));
    out.push_back(pbLine());
    out.push_back(msLine(now));
    out.push_back(mlLine());
    out.push_back(recordLine("APN", {m_settings.value(2, 1), m_settings.value(2, 2), m_settings.value(2, 3)}));
    out.push_back(recordLine("MO", {"MTS RUS", "GSM"}));
    out.push_back(recordLine("MD", {m_settings.value(1, 1), m_settings.value(1, 2), ms >= 6 ? "1" : "0"}));
    out.push_back(recordLine("SMS", {"3", "2", "1"}));
}

void Device::sensorRecords(Clock::time_point, Lines &out) const
{
    out.push_back(gkLine());
    out.push_back(gsLine());
    inputLines(out);
    llsLines(out);
    oneWireLines(out);
    canLines(out);
}

// ---------------------------------------------------------------- live values

void Device::liveTick(Clock::time_point now, Lines &out)
{
    const double dt = m_opts.rateMs / 1000.0;
    ++m_ticks;
    const double t = m_ticks * dt;
    auto noise = [this](double span) {
        return (static_cast<double>(m_rng() % 2001) / 1000.0 - 1.0) * span;
    };

    // Drive: stretches of driving with stops between them.
    m_speed = std::max(0.0, 55.0 * std::sin(t / 45.0) + 18.0 * std::sin(t / 7.0) + 10.0);
    if (m_speed < 3.0)
        m_speed = 0.0;
    if (m_speed > 0.0) {
        m_course = std::fmod(m_course + noise(4.0) + 360.0, 360.0);
        const double km = m_speed * dt / 3600.0;
        m_lat += km * std::cos(m_course * kPi / 180.0) / 111.32;
        m_lon += km * std::sin(m_course * kPi / 180.0) / (111.32 * std::cos(m_lat * kPi / 180.0));
        m_mileageKm += km;
        m_pulses += static_cast<unsigned long long>(std::lround(km * 1000.0));
    }
    m_altitude = std::clamp(m_altitude + noise(0.8), 120.0, 190.0);
    m_satellites = std::clamp(m_satellites + static_cast<int>(m_rng() % 3) - 1, 8, 14);
    m_hdop10 = std::clamp(m_hdop10 + static_cast<int>(m_rng() % 3) - 1, 6, 15);
    m_signal = std::clamp(m_signal + static_cast<int>(m_rng() % 3) - 1, 15, 29);

    m_rpm = m_speed > 0.0 ? 900.0 + m_speed * 22.0 + noise(40.0) : 760.0 + noise(25.0);
    m_engineTemp += (88.0 - m_engineTemp) * 0.02 * dt;
    m_engineHours += dt / 3600.0;
    m_supplyMv = std::clamp(m_supplyMv + noise(60.0), 12200.0, 14300.0);
    m_batteryMv = std::clamp(m_batteryMv + noise(5.0), 4080.0, 4190.0);
    m_temp0 = std::clamp(m_temp0 + noise(0.1), 18.0, 26.0);
    m_temp1 = std::clamp(m_temp1 + noise(0.1), -12.0, 3.0);

    // Fuel falls fast enough to be seen moving; a refuel brings the tank back up.
    const double litresPerHour = 2.0 + m_speed * 0.3;
    const double burnt = litresPerHour * dt / 3600.0 * 20.0;
    m_fuelLitres -= burnt;
    m_fuelUsedLitres += burnt;
    if (m_fuelLitres < 30.0)
        m_fuelLitres = 290.0;

    m_canValid += static_cast<unsigned long long>(std::lround(48 * dt));
    if (m_ticks % 50 == 0)
        ++m_canInvalid;
    if (m_speed == 0.0 && m_ticks % 30 == 0)
        m_door = !m_door;
    if (m_speed > 0.0)
        m_door = 0;
    if (m_ticks % 45 == 0)
        m_output = !m_output;

    // A track point is written every ten ticks and sent while the server link is up.
    if (m_ticks % 10 == 0) {
        ++m_packetsWritten;
        if (modemState(now) == 7)
            m_packetsSent = m_packetsWritten;
    }

    out.push_back(twLine(now));
    out.push_back(gkLine());
    out.push_back(gsLine());
    out.push_back(msLine(now));
    out.push_back(mlLine());
    out.push_back(pbLine());
    inputLines(out);
    llsLines(out);
    oneWireLines(out);
    canLines(out);
}

// ---------------------------------------------------------------- flood

unsigned long long Device::floodGroup(Clock::time_point now, Lines &out)
{
    const unsigned long long n = ++m_floodSeq;
    const std::string seq = num(static_cast<long long>(n));
    out.push_back(recordLine("RW", {seq, seq}));
    switch (n % 8) {
    case 0: out.push_back(twLine(now)); break;
    case 1: out.push_back(gkLine()); break;
    case 2: out.push_back(gsLine()); break;
    case 3: out.push_back(recordLine("LLS", {"1", "0", num(static_cast<long long>(n % 4096)), "14"})); break;
    case 4: out.push_back(recordLine("OWT", {"0", "28FF6A1B63160317", fixed(m_temp0, 1)})); break;
    case 5: out.push_back(mlLine()); break;
    case 6: out.push_back(recordLine("ID0", {num(static_cast<long long>((n / 8) & 1))})); break;
    default: out.push_back(recordLine("CH", {num(std::lround(m_rpm))})); break;
    }
    return n;
}

} // namespace kvtsim
