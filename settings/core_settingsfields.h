#pragma once
// The free-text fields of the settings page, one row each: the line edit that shows the field,
// its row label and length limit, and the settings item value it is written as and read from.
// The settings page builds its line edits from this table, the settings string takes their
// values from it and the settings record decoder fills them through it. A new free-text field
// is a new enumerator, a new row and its place on the page.

#include <array>
#include <cstddef>

enum class SettingsField {
    AccessPassword,
    Server,
    Port,
    Apn1,
    Login1,
    Password1,
    NewPassword,
    Pin1,
    Distance,
    Angle,
    SpeedChange,
    Timer,
    SleepTime,
    WorkTime,
    Apn2,
    Login2,
    Password2,
    Pin2,
    CanProgram,
};
constexpr std::size_t settingsTextFieldCount = std::size_t(SettingsField::CanProgram) + 1;

// How the settings record fills a field.
enum class SettingsRead {
    Never,         // the record does not report it
    AsReceived,    // the value as received
    NonZeroNumber, // the value as received, only when it is a decimal number other than 0
};

struct SettingsTextField
{
    SettingsField field;
    const char *objectName; // the line edit on the settings page
    // The setting number and the value index (1 for the first value) of the settings item the
    // field is written as. Number 0 is the access password, written in front of "*SETP*".
    int item;
    int value;
    SettingsRead read;
    int maxLength; // the most characters (UTF-16 code units, as QLineEdit counts them)
    // The row label, a text of the "SettingsPage" translation context; nullptr when the page
    // labels the row itself (the access password and the new password of the write group).
    const char *caption;
};

// The rows, row k for the field with enumerator value k.
const std::array<SettingsTextField, settingsTextFieldCount> &settingsTextFields();

inline const SettingsTextField &settingsTextField(SettingsField field)
{
    return settingsTextFields()[std::size_t(field)];
}

// The highest setting number the settings string and the settings record carry.
constexpr int lastSettingNumber = 15;
