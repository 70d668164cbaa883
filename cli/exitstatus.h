#pragma once
// The exit statuses of kvt-cli, the same for every command that can end so.

enum ExitStatus : int {
    ExitOk = 0,
    ExitFailed = 1,        // anything else: a file that cannot be written, a recording that broke
    ExitUsage = 2,         // a usage error, or a settings file or password that is refused
    ExitNotConfirmed = 3,  // the terminal reports other settings than those written
    ExitNoAnswer = 4,      // the terminal did not answer in time, or the line went; provision:
                           // no terminal was set up at all
    ExitPortError = 5,     // the port cannot be opened
    ExitWrongPassword = 6, // the terminal took none of the values to change: the access password
    ExitInterrupted = 130, // Ctrl+C at the password prompt
};
