#pragma once
// The settings of one terminal as values, without widgets: read once from the settings record,
// made into the settings string, taken from and put into a settings file (core_settingsfile.h)
// and compared with what the terminal reports after a write (core_settingsecho.h). The settings
// page shows them and makes them from its widgets; the settings writer and batch set-up work
// on them alone.
//
// Every value is kept as the settings string writes it: the free-text fields by SettingsField
// (the field table, core_settingsfields.h), the other values by SettingsChoice as their code
// ("1" for a flag that is on, "C" for Pulse, "7" for KVA-CAN), the CAN parameters as their
// codes. A value that is not set was not reported (or not given).

#include "link/core_textlanguage.h"
#include "settings/core_settingsfields.h"
#include "settings/core_settingsstring.h"

#include <QList>
#include "link/framing.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>
#include <optional>

// The values of the settings string that are not free text.
enum class SettingsChoice {
    Sleep,    // item 6, value 1: "1" or "0"
    In0,      // item 9, values 1 to 3: the mode letters of IN0, IN1 and IN2
    In1,
    In2,
    Rs485,    // item 11, value 1: "0" (not used), "5" (LLS sensors), "7" (KVA-CAN)
    OneWire,  // item 11, value 2: "30" (1-Wire), "29" (Discrete)
    Roaming1, // item 15, values 1 and 2: "1" or "0"
    Roaming2,
};
constexpr std::size_t settingsChoiceCount = std::size_t(SettingsChoice::Roaming2) + 1;

struct SettingsChoiceRow
{
    SettingsChoice choice;
    const char *objectName; // the check box or the list on the settings page
    int item;
    int value;
    // A list: the code of each entry, by entry index (the first is what a new page shows).
    // A flag: empty; it is "1" or "0".
    QStringList codes;
    // The row label, a text of the "SettingsPage" translation context.
    const char *caption;
};

// The rows, row k for the choice with enumerator value k.
const std::array<SettingsChoiceRow, settingsChoiceCount> &settingsChoices();

inline const SettingsChoiceRow &settingsChoice(SettingsChoice choice)
{
    return settingsChoices()[std::size_t(choice)];
}

// The CAN parameters of item 10 are the codes 1 to this.
constexpr int canParamCount = 14;

struct TerminalSettings
{
    std::array<std::optional<QString>, settingsTextFieldCount> texts;
    std::array<std::optional<QString>, settingsChoiceCount> choices;
    std::optional<QList<int>> canParams; // ascending, each once

    // Items 3 (the new password), 10 (the CAN parameters) and 12 (the CAN program) are written
    // only when these say so.
    bool newPasswordOn = false;
    bool canParamsOn = false;
    bool canProgramOn = false;

    // Read from a settings record: each setting number with the values it was reported with
    // the last time (parts without "=" left out), as the write check compares them. Empty for
    // settings made any other way.
    QMap<int, QStringList> reportedItems;

    std::optional<QString> &operator[](SettingsField f) { return texts[std::size_t(f)]; }
    const std::optional<QString> &operator[](SettingsField f) const
    {
        return texts[std::size_t(f)];
    }
    std::optional<QString> &operator[](SettingsChoice c) { return choices[std::size_t(c)]; }
    const std::optional<QString> &operator[](SettingsChoice c) const
    {
        return choices[std::size_t(c)];
    }

    // A value, or what a new page shows: empty text, a flag off, the first entry of a list.
    QString text(SettingsField f) const { return (*this)[f].value_or(QString()); }
    QString code(SettingsChoice c) const;
};

// ---- reading

// The settings in a settings record's text (settingsRecordText), read as the settings page
// shows them:
// - an item counts only with its "=" and with as many values as settingsItemNeeds asks; a
//   later item of the same number sets again what it carries;
// - free text as received; the CAN program only when it is a decimal number other than 0;
// - the sleep flag: "0" is off, anything else on, and a later "0" does not turn it off again;
// - an input mode: the letter of an entry that input's list has ("P" is taken for "C", Pulse);
// - the CAN parameters: the codes 1 to 14 of every item 10 together, none without one;
// - RS485: a decimal number, 5 and 7 as they are and any other as "0";
// - 1-Wire: the decimal numbers 29 and 30, nothing else;
// - the roaming flags: each a decimal number, "0" for 0 and "1" for any other.
// The access password and the new password are never reported.
TerminalSettings readTerminalSettings(const QString &recordText);
// The settings record ST: its field 1 read as above.
TerminalSettings decodeSettingsRecord(const RecordLine &record);

// ---- writing

// The page's shown values as settings: a list text without a code gives an empty code, which
// writes nothing of its value.
TerminalSettings settingsFromForm(const SettingsForm &form);

// The body of the settings string (the items written, by ascending setting number, no password,
// no marker), and the whole string without its line end (password, "*SETP*", body). A value
// that is not set is written as a new page has it (see TerminalSettings::code).
QString buildSettingsBody(const TerminalSettings &settings);
QString buildSettingsString(const TerminalSettings &settings);

// Every free-text value the settings string carries, in the order of the string.
QVector<WrittenValue> writtenTextValues(const TerminalSettings &settings);
// The first written value (in string order) that the settings string cannot carry.
std::optional<UnsafeValue> findUnsafeValue(const TerminalSettings &settings);

// Why these settings are not written, as the settings page tells it: no access password, a
// value the settings string cannot carry, or a body the settings record could not report
// back. A null string when they can be written. In Russian for the journals.
QString settingsRefusal(const TerminalSettings &settings,
                        TextLanguage language = TextLanguage::Interface);

// ---- labels

// The row label of a value on the settings page, by object name (the group title for the CAN
// parameters), translated (or in Russian for the journals); `shown` gives the IN2 mode its
// label depends on. The name itself when no row has it.
QString settingsValueLabel(const QString &objectName, const TerminalSettings &shown,
                           TextLanguage language = TextLanguage::Interface);
QString settingsTextLabel(SettingsField field, TextLanguage language = TextLanguage::Interface);
