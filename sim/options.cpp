#include "options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <getopt.h>

namespace kvtsim {

namespace {

constexpr unsigned kMaxCount = 64;

bool parseUnsigned(const char *text, unsigned long long max, unsigned long long &out)
{
    if (!text || !*text)
        return false;
    for (const char *p = text; *p; ++p)
        if (*p < '0' || *p > '9')
            return false;
    errno = 0;
    char *end = nullptr;
    unsigned long long v = std::strtoull(text, &end, 10);
    if (errno != 0 || *end != '\0' || v > max)
        return false;
    out = v;
    return true;
}

bool isDigits(const std::string &s)
{
    if (s.empty() || s.size() > 9)
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Seconds from 0 to 3600, fractions allowed.
bool parseSeconds(const char *text, double &out)
{
    if (!text || !*text)
        return false;
    char *end = nullptr;
    errno = 0;
    const double d = std::strtod(text, &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(d) || d < 0 || d > 3600)
        return false;
    out = d;
    return true;
}

// "MAJOR.MINOR", both decimal, split at the dot.
bool parseVersion(const std::string &text, std::string &major, std::string &minor)
{
    const auto dot = text.find('.');
    if (dot == std::string::npos || !isDigits(text.substr(0, dot)) || !isDigits(text.substr(dot + 1)))
        return false;
    major = text.substr(0, dot);
    minor = text.substr(dot + 1);
    return true;
}

// A text that goes into a record field: no field separator, no line end, no NUL.
bool fieldSafe(const std::string &s)
{
    for (char c : s)
        if (c == ';' || c == '\r' || c == '\n' || c == '\0')
            return false;
    return true;
}

} // namespace

ParseResult parseOptions(int argc, char **argv, Options &opts, std::string &err)
{
    enum {
        OptModel = 1000, OptFw, OptSerial, OptImei, OptRate, OptFlood, OptFloodBytes, OptFloodRate,
        OptPassword, OptCorrupt, OptReorder, OptBatch, OptRestartDelay, OptIdentityGap,
        OptUnplugOnWrite, OptLink, OptPortFile, OptQuiet, OptCount, OptSilent, OptAnswerDelay,
        OptLoaderDir, OptLoaderDelay, OptFlashTime, OptNextFw, OptHelp
    };
    static const option longOpts[] = {
        {"model", required_argument, nullptr, OptModel},
        {"fw", required_argument, nullptr, OptFw},
        {"serial", required_argument, nullptr, OptSerial},
        {"imei", required_argument, nullptr, OptImei},
        {"rate", required_argument, nullptr, OptRate},
        {"flood", no_argument, nullptr, OptFlood},
        {"flood-bytes", required_argument, nullptr, OptFloodBytes},
        {"flood-rate", required_argument, nullptr, OptFloodRate},
        {"password", required_argument, nullptr, OptPassword},
        {"corrupt-echo", no_argument, nullptr, OptCorrupt},
        {"reorder-settings", no_argument, nullptr, OptReorder},
        {"batch", required_argument, nullptr, OptBatch},
        {"restart-delay", required_argument, nullptr, OptRestartDelay},
        {"identity-gap", required_argument, nullptr, OptIdentityGap},
        {"answer-delay", required_argument, nullptr, OptAnswerDelay},
        {"unplug-on-write", no_argument, nullptr, OptUnplugOnWrite},
        {"link", required_argument, nullptr, OptLink},
        {"port-file", required_argument, nullptr, OptPortFile},
        {"quiet", no_argument, nullptr, OptQuiet},
        {"count", required_argument, nullptr, OptCount},
        {"silent", no_argument, nullptr, OptSilent},
        {"loader-dir", required_argument, nullptr, OptLoaderDir},
        {"loader-delay", required_argument, nullptr, OptLoaderDelay},
        {"flash-time", required_argument, nullptr, OptFlashTime},
        {"next-fw", required_argument, nullptr, OptNextFw},
        {"help", no_argument, nullptr, OptHelp},
        {nullptr, 0, nullptr, 0},
    };

    bool loaderTimes = false; // --loader-delay or --flash-time given
    optind = 1;
    opterr = 0;
    for (;;) {
        int longIndex = 0;
        int c = getopt_long(argc, argv, "h", longOpts, &longIndex);
        if (c == -1)
            break;
        const std::string arg = optarg ? optarg : "";
        unsigned long long n = 0;
        switch (c) {
        case OptModel:
            if (!parseUnsigned(optarg, 0xFFFFFFFFull, n)) {
                err = "--model needs an unsigned decimal number";
                return ParseResult::Error;
            }
            opts.model = static_cast<unsigned>(n);
            break;
        case OptFw:
            if (!parseVersion(arg, opts.fwMajor, opts.fwMinor)) {
                err = "--fw needs MAJOR.MINOR, both decimal (for example 0.70)";
                return ParseResult::Error;
            }
            break;
        case OptNextFw:
            if (!parseVersion(arg, opts.nextFwMajor, opts.nextFwMinor)) {
                err = "--next-fw needs MAJOR.MINOR, both decimal (for example 0.71)";
                return ParseResult::Error;
            }
            break;
        case OptLoaderDir:
            if (arg.empty()) {
                err = "--loader-dir needs a path";
                return ParseResult::Error;
            }
            opts.loaderDir = arg;
            break;
        case OptLoaderDelay:
            loaderTimes = true;
            if (!parseSeconds(optarg, opts.loaderDelay)) {
                err = "--loader-delay needs seconds from 0 to 3600";
                return ParseResult::Error;
            }
            break;
        case OptFlashTime:
            loaderTimes = true;
            if (!parseSeconds(optarg, opts.flashTime)) {
                err = "--flash-time needs seconds from 0 to 3600";
                return ParseResult::Error;
            }
            break;
        case OptSerial:
            if (!fieldSafe(arg)) {
                err = "--serial must not contain ';' or line ends";
                return ParseResult::Error;
            }
            opts.serial = arg;
            break;
        case OptImei:
            if (!fieldSafe(arg)) {
                err = "--imei must not contain ';' or line ends";
                return ParseResult::Error;
            }
            opts.imei = arg;
            break;
        case OptRate:
            if (!parseUnsigned(optarg, 3600000ull, n)) {
                err = "--rate needs milliseconds from 0 to 3600000";
                return ParseResult::Error;
            }
            opts.rateMs = static_cast<unsigned>(n);
            break;
        case OptFlood:
            opts.flood = true;
            break;
        case OptFloodBytes:
            if (!parseUnsigned(optarg, ~0ull, n)) {
                err = "--flood-bytes needs an unsigned decimal number";
                return ParseResult::Error;
            }
            opts.floodBytes = n;
            opts.flood = true;
            break;
        case OptFloodRate:
            if (!parseUnsigned(optarg, ~0ull, n)) {
                err = "--flood-rate needs an unsigned decimal number";
                return ParseResult::Error;
            }
            opts.floodRate = n;
            opts.flood = true;
            break;
        case OptPassword:
            if (arg.find("*SETP*") != std::string::npos || !fieldSafe(arg) || arg.empty()) {
                err = "--password must be non-empty and contain neither \"*SETP*\" nor line ends";
                return ParseResult::Error;
            }
            opts.password = arg;
            break;
        case OptCorrupt:
            opts.corruptEcho = true;
            break;
        case OptReorder:
            opts.reorderSettings = true;
            break;
        case OptBatch:
            if (!parseUnsigned(optarg, 100000ull, n) || n == 0) {
                err = "--batch needs a number of terminals from 1 to 100000";
                return ParseResult::Error;
            }
            opts.batch = static_cast<unsigned>(n);
            break;
        case OptRestartDelay:
            if (!parseSeconds(optarg, opts.restartDelay)) {
                err = "--restart-delay needs seconds from 0 to 3600";
                return ParseResult::Error;
            }
            break;
        case OptIdentityGap:
            if (!parseUnsigned(optarg, 60000ull, n)) {
                err = "--identity-gap needs milliseconds from 0 to 60000";
                return ParseResult::Error;
            }
            opts.identityGapMs = static_cast<unsigned>(n);
            break;
        case OptAnswerDelay:
            if (!parseUnsigned(optarg, 60000ull, n)) {
                err = "--answer-delay needs milliseconds from 0 to 60000";
                return ParseResult::Error;
            }
            opts.answerDelayMs = static_cast<unsigned>(n);
            break;
        case OptUnplugOnWrite:
            opts.unplugOnWrite = true;
            break;
        case OptLink:
            if (arg.empty()) {
                err = "--link needs a path";
                return ParseResult::Error;
            }
            opts.linkPath = arg;
            break;
        case OptPortFile:
            if (arg.empty()) {
                err = "--port-file needs a path";
                return ParseResult::Error;
            }
            opts.portFile = arg;
            break;
        case OptQuiet:
            opts.quiet = true;
            break;
        case OptCount:
            if (!parseUnsigned(optarg, kMaxCount, n) || n == 0) {
                err = "--count needs a number of terminals from 1 to " + std::to_string(kMaxCount);
                return ParseResult::Error;
            }
            opts.count = static_cast<unsigned>(n);
            break;
        case OptSilent:
            opts.silent = true;
            break;
        case OptHelp:
        case 'h':
            return ParseResult::Help;
        default:
            err = std::string("unknown option or missing value: ") + argv[optind - 1];
            return ParseResult::Error;
        }
    }
    if (optind < argc) {
        err = std::string("unexpected argument: ") + argv[optind];
        return ParseResult::Error;
    }
    if (opts.count > 0 && opts.batch > 0) {
        err = "--count and --batch exclude each other (terminals at once or one after another)";
        return ParseResult::Error;
    }
    if (opts.silent && opts.flood) {
        err = "--silent and --flood exclude each other (a silent terminal sends nothing)";
        return ParseResult::Error;
    }
    if (opts.loaderDir.empty() && (loaderTimes || !opts.nextFwMajor.empty())) {
        err = "--loader-delay, --flash-time and --next-fw need --loader-dir";
        return ParseResult::Error;
    }
    if (!opts.linkPath.empty() && opts.linkPath == opts.portFile) {
        err = "--link and --port-file must name different paths";
        return ParseResult::Error;
    }
    return ParseResult::Run;
}

std::string nthInSequence(const std::string &first, unsigned k)
{
    if (k == 0)
        return first;
    const bool number = !first.empty() && first.size() <= 18
                        && first.find_first_not_of("0123456789") == std::string::npos;
    if (!number)
        return first + "-" + std::to_string(k + 1);
    std::string next = std::to_string(std::stoull(first) + k);
    if (next.size() < first.size())
        next.insert(0, first.size() - next.size(), '0');
    return next;
}

std::string helpText(const char *argv0)
{
    std::string t;
    t += "Usage: ";
    t += argv0;
    t += R"( [options]

Stands in for a KVT tracking terminal on a pseudo-terminal (or several, see
--count). Prints "PORT <slave path>" on stdout (again after every simulated
restart); point the program at that path. The slave is in raw mode: no echo, no CR/LF translation.

Options:
  --model N           model code reported in DI (default 31). 20 = KVT2 Tacho
                      (tachograph download answered), 30 = KVT2, 31 = KVT3,
                      107 = KVT D, 108 = KVT B; 0 with a firmware below 0.64
                      makes the program warn about old firmware.
  --fw MAJOR.MINOR    firmware version reported in DI (default 0.70); sent as
                      ">DI=<model>;<MAJOR>;<MINOR>". 0.24 or lower makes the
                      program warn on the settings tab. Give MINOR with two
                      digits (0.05, not 0.5): the identity record counts it
                      as hundredths, the settings tab reads the text as a
                      decimal number.
  --serial TEXT       serial number reported in DN (default 201745).
  --imei TEXT         modem IMEI reported in MN (default 866104023456789).
  --password TEXT     access password of settings strings (default 482915).
  --rate MS           live records every MS milliseconds (default 1000,
                      0 = no live records and no moving values).
  --flood             instead of live records, stream numbered record lines as
                      fast as the reader takes them (see below).
  --flood-bytes N     stop flooding once N bytes have been queued (whole lines,
                      so the total is N or up to one line more); implies
                      --flood. stdout then gets "FLOOD-DONE <lines> <bytes>".
  --flood-rate N      flood at most N bytes a second per terminal (a terminal on
                      full-speed USB sends about 1200000); implies --flood.
  --corrupt-echo      every settings write is stored with one value altered
                      (last character of the first non-empty item changed), so
                      the ST answer no longer contains what was written.
  --reorder-settings  the ST record reports the stored items last setting number
                      first and adds an item of the terminal's own (#14=1), as
                      a terminal that does not keep the order written.
  --batch N           a bench of N terminals on the same line, one after
                      another: the first has --serial and --imei, each next one
                      the next serial number and IMEI (counting up), and its
                      own factory settings. The next terminal comes up after a
                      restart (>D 1, >D 3;0), on "next" read from stdin or on
                      SIGUSR1; stdout gets "TERMINAL <k> <serial>". After the
                      last one the line stays away ("BATCH-END").
  --count N           N terminals at once (1 to 64), each on a pseudo-terminal
                      of its own and each behaving as a lone terminal does.
                      Terminal k (from 1) has the k-th serial number and IMEI
                      counting up from --serial and --imei, its own settings
                      and restarts; stdout lines carry its number ("PORT k
                      <path>", "HANGUP k <path>"); --link and --port-file
                      become PATH-1 ... PATH-N. Not together with --batch.
  --restart-delay S   seconds the terminal stays away after a restart
                      (default 3, fractions allowed).
  --identity-gap MS   >I 0 answers DI at once, DN MS milliseconds later and
                      MN another MS later (default 0: all three at once).
  --answer-delay MS   every command line is taken up MS milliseconds after it
                      came (default 0), as a terminal busy with its modem or
                      its flash answers a moment later.
  --unplug-on-write   a settings write with the right password is stored but
                      not answered: the line hangs up at once, as a terminal
                      unplugged in the middle of a write (with --batch the
                      next terminal comes up after the restart delay).
  --silent            the pseudo-terminal is there, but the terminal never
                      answers and sends no live records (a terminal that has
                      hung). Unplugging it still works (stdin "next", SIGUSR1).
                      Not together with --flood.
  --link PATH         keep a symlink at PATH pointing at the current slave; it
                      is removed while the terminal is away and on exit.
                      PATH must not be an existing non-symlink.
  --port-file PATH    keep the current slave path (plus a newline) in the file
                      PATH, replaced by rename; removed on exit.
  --loader-dir DIR    the USB firmware update (>D 3;0) goes through the
                      terminal's loader: after the hang-up the terminal does
                      not come back by itself; --loader-delay seconds later its
                      removable disk appears as the directory DIR (created by
                      the simulator, which stops with an error if it cannot).
                      Once a regular file in DIR has kept its size for 1 s,
                      the loader flashes it for --flash-time seconds, DIR is
                      removed with its contents, and the terminal comes back
                      on a new pseudo-terminal reporting the --next-fw version
                      in DI. Without a file it stays in its loader until
                      stdin "next" or SIGUSR1 plugs it in again (old version,
                      DIR removed). With --count terminal k has DIR-k.
  --loader-delay S    seconds from the hang-up to the loader's disk (default
                      1, fractions allowed, 0 to 3600).
  --flash-time S      seconds the loader takes to write the firmware (default
                      2, fractions allowed, 0 to 3600).
  --next-fw MAJOR.MINOR
                      firmware version after every update through the
                      loader (default: the current version with the minor
                      number counted up, keeping its digits: 0.70 gives
                      0.71, 0.09 gives 0.10, and the next update 0.11).
  --quiet             no traffic log on stderr.
  --help              this text.

Answers (all record lines are ">NAME=f1;f2;..." ending in CR LF):
  >I 0                DI (model;major;minor), DN (serial), MN (IMEI)
  >I 1                DF (settings task;firmware task), RW (sent;written)
  >I 3                TW, RW, DS, PB, MS, ML, APN, MO, MD, SMS
  >I 7                GK, GS, ID0, ID1, IA2, IF3, II4, O15, LLS x2, OWT x2,
                      OWK, C#, CA, CC, CE, CG, CH, CI, CJ, CP, CS, CK..CO, CV
  >D 15;0             one ST record: ">ST=#1=...#2=...", the stored items
  <pw>*SETP*#n=...    right password: items merged by number, new items
                      first in the order written, then ST. Item 3 also becomes
                      the new password (ignored when empty). Wrong password:
                      nothing is answered and nothing changes.
  >D 8;0              packet counters to zero, answered with RW=0;0
  >D 4;1              one packet written and sent, answered with RW
  >D 0;0              settings update over GPRS: DF settings task 1,2,3,0
  >D 2;0              firmware update over GPRS: DF firmware task 1,2,3,0
  >D 9                model 20 only: tachograph upload, MS 5,6,7 and RW
  >D 1                RD=1, then hang-up (once the client has read RD, at
                      most 2 s later), away for --restart-delay, then a new
                      pseudo-terminal with a different path and a new PORT
  >D 3;0              USB firmware update: DF firmware task 1, then hang-up
                      and restart like >D 1 (no RD: the terminal drops off
                      into its loader; with --loader-dir it comes back only
                      after a firmware file, see there)
  anything else       (">send ..." command-file lines, unknown commands,
                      garbage) is ignored.
  Lines may end in CR LF, LF or CR.

Live records (every --rate ms): TW, GK, GS, MS, ML, PB, inputs, LLS, OWT,
OWK, C# and the CAN values; the clock ticks, the position drifts, the fuel
falls slowly, speed and engine speed vary. Packet counters grow by one every
ten ticks. Records that no client takes for 3 s, while no command has come for
5 s, are thrown away (as a USB serial port loses what arrives while no program
has it open), so a client that attaches later gets no backlog of old values.

Flood numbering: the stream alternates ">RW=<n>;<n>" with one filler record
(TW, GK, GS, LLS, OWT, ML, ID0 or CH, chosen by n mod 8). n starts at 1 on
every new pseudo-terminal and grows by one per RW line, so a reader checks that
RW lines alternate with other lines and that n never skips.

stdin: a line "next" hangs up and brings the next terminal (with --batch) or
the same one again (without), as unplugging and plugging in; SIGUSR1 does the
same. With --count, "next" and SIGUSR1 unplug every terminal, "next K" only
terminal K; each comes back after --restart-delay on a new pseudo-terminal.

stdout lines: "PORT <path>", "HANGUP <path>", "FLOOD-DONE <lines> <bytes>",
"TERMINAL <k> <serial>", "BATCH-END", "LOADER <dir>" (the loader's disk has
appeared), "FLASHED <major>.<minor>" (after the PORT line of a terminal back
with its new firmware). With --count: "PORT <k> <path>", "HANGUP <k> <path>",
"FLOOD-DONE <k> <lines> <bytes>", "LOADER <k> <dir>", "FLASHED <k> <version>",
k the terminal's number.
SIGINT/SIGTERM/SIGHUP end the simulator and remove the symlinks, port files
and loader directories it made.
)";
    return t;
}

} // namespace kvtsim
