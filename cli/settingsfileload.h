#pragma once
// Reading a settings file for a command, as the settings page reads one: whole or not at all,
// a file over 1 MiB refused unread, every refusal on standard error naming the file and the
// field, the skipped keys listed (the first ten and how many more).

#include "settings/core_settingsfile.h"

#include <QString>

#include <optional>

// The file; nothing, with the message on standard error, when it is refused.
std::optional<SettingsFile> loadSettingsFile(const QString &path);
