// Command-line options of the terminal simulator.
#pragma once

#include <string>

namespace kvtsim {

struct Options {
    unsigned model = 31;             // model code reported in the DI record
    std::string fwMajor = "0";       // firmware version reported in the DI record,
    std::string fwMinor = "70";      // as the two decimal parts given to --fw
    std::string serial = "201745";   // DN record
    std::string imei = "866104023456789"; // MN record
    std::string password = "482915"; // access password of settings strings
    unsigned rateMs = 1000;          // period of the live records, 0 = none
    bool flood = false;              // stream numbered records as fast as the line takes them
    unsigned long long floodBytes = 0; // stop flooding after this many bytes, 0 = never
    unsigned long long floodRate = 0;  // flood bytes a second at most, 0 = as fast as taken
    bool corruptEcho = false;        // damage one value of every settings write
    bool reorderSettings = false;    // report settings items last number first, plus one extra
    unsigned batch = 0;              // terminals presented one after another, 0 = one terminal
    unsigned count = 0;              // terminals at once, each on its own line, 0 = one, unnumbered
    bool silent = false;             // the line is there but the terminal never sends anything
    double restartDelay = 3.0;       // seconds without a pseudo-terminal after a restart
    unsigned answerDelayMs = 0;      // commands are taken up this long after they came
    unsigned identityGapMs = 0;      // DN and MN come this long after DI and DN, 0 = together
    bool unplugOnWrite = false;      // a settings write goes unanswered: the line hangs up
    std::string linkPath;            // symlink kept pointing at the current slave
    std::string portFile;            // file kept holding the current slave path
    std::string loaderDir;           // USB update: the loader's disk appears here, empty = plain restart
    double loaderDelay = 1.0;        // seconds from the hang-up to the loader's disk
    double flashTime = 2.0;          // seconds the loader takes to write a firmware file
    std::string nextFwMajor;         // version after an update through the loader,
    std::string nextFwMinor;         // empty = the current one with its minor number counted up
    bool quiet = false;              // no traffic log on stderr
};

enum class ParseResult { Run, Help, Error };

// Parses argv into opts. On Error, err holds a one-line explanation.
ParseResult parseOptions(int argc, char **argv, Options &opts, std::string &err);

// The k-th (0-based) of a sequence of texts starting at `first`: a decimal number counts up
// keeping its width ("201745", "201746", ...), any other text gets "-2", "-3", ... appended.
std::string nthInSequence(const std::string &first, unsigned k);

// Full usage text: every option and what the simulator answers to.
std::string helpText(const char *argv0);

} // namespace kvtsim
