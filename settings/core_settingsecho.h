#pragma once
// Did the terminal take what was written? The items of a written settings body are compared
// with the items the terminal reports, item by item: by setting number and values, not as one
// run of text, so a terminal that reports its items in another order or adds items of its own
// still confirms a write, and a changed or missing value does not.

#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVector>

struct TerminalSettings;

// How a write ended: the settings record that followed holds what was written, it does not,
// it holds none of the values that were to change (a terminal ignores a write with a wrong
// access password), or no settings record came at all.
enum class WriteOutcome { Confirmed, NotConfirmed, WrongPassword, NoAnswer };
Q_DECLARE_METATYPE(WriteOutcome)

struct EchoDifference
{
    int item;  // the setting number
    int value; // the value (1 for the first) that differs; 0 when the whole item does
};

struct EchoCheck
{
    QVector<EchoDifference> differences;
    bool confirmed() const { return differences.isEmpty(); }
};

// False for the items a terminal never reports back: 3, the new access password.
bool settingsItemEchoed(int number);

// Compares every written item with the last reported item of the same number:
// - an item that is missing from the report differs as a whole;
// - item 9 (input modes): its first three values, by the list entry they select, so "P" and
//   "C" both stand for Pulse;
// - item 10 (CAN parameter codes): as a set of codes, in any order;
// - any other item: each written value, exactly (letter case included); a value the report
//   leaves out counts as empty, values the report adds after the written ones are ignored.
// Reported items that were not written are ignored.
EchoCheck checkSettingsEcho(const QString &writtenBody, const QString &reportedText);
// The same for settings written and the settings a record reported (read once,
// readTerminalSettings): the body the written settings make against the record's items.
EchoCheck checkSettingsEcho(const TerminalSettings &written, const TerminalSettings &reported);

// True when a write of `written` changes nothing `before` reported (the access password
// aside): the terminal already holds every value.
bool settingsAlreadyHeld(const TerminalSettings &written, const TerminalSettings &before);

// True when a write of `written` was to change something `before` reported and `after` (the
// record after the write) reports every one of those items as `before` did: the terminal took
// none of it, as it ignores a write with a wrong access password.
bool noChangeTaken(const TerminalSettings &written, const TerminalSettings &before,
                   const TerminalSettings &after);

// The object names of the settings page fields behind one value of an item; every field of the
// item for value 0. Item 10 is the CAN parameter group as a whole.
QStringList settingsValueFieldNames(int item, int value);

// The object names of the fields behind the differences, each once, in the order found.
QStringList differingFieldNames(const EchoCheck &check);
