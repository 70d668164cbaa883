#pragma once
// The terminal's settings items, as the settings record reports them and as the settings
// string writes them. Widget-free: the items of a settings text, the characters a value cannot
// carry and the limits. The settings as values (read from a record, written as a string) are
// TerminalSettings, core_terminalsettings.h.
//
// A settings item is "#", the setting number, "=", then values separated by ",". The format
// has no escaping of any kind.

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>
#include <QVector>

#include "link/framing.h"
#include "settings/core_settingsfields.h"

#include <array>
#include <optional>

// ---- reading

// One part of a settings text, split at "=" and ",".
struct SettingsItem
{
    int number = 0;         // the setting number; 0 when the number piece is not a decimal number
    bool hasValues = false; // false when the part holds no "=" at all (then values is empty)
    QStringList values;     // value 1 is values[0]; empty values count as values
};

// Field 1 of the settings record as text: the bytes up to the first NUL, as UTF-8.
QString settingsRecordText(const QByteArray &field);

// Splits a settings text at every "#" into parts (empty parts and the text before the first
// "#" included), each part at "=" into the number and the values text (a second "=" ends the
// values text), the values text at ",".
QVector<SettingsItem> splitSettingsItems(const QString &text);

// Decimal integer as the settings decoder parses it; false when the text is not one.
bool parseSettingsNumber(const QString &text, int *value);

// The least number of values item `number` needs to be decoded at all; 0 for the numbers the
// settings record decoder ignores (0, 3, 13, 14 and all others outside 1 to 15).
int settingsItemNeeds(int number);

// The free-text fields of item `number`, by value index.
QVector<const SettingsTextField *> settingsItemTextFields(int number);

// The input list entry an item 9 mode letter selects ("P" and "C" select "Pulse"); a null
// string for anything outside the letter table.
QString inputEntryForModeLetter(const QString &letter);

// The inputs with a list of modes on the settings page: IN0, IN1 and IN2. IN3 to IN7 are shown
// with an empty list and are not set by this program.
constexpr int inputModeLists = 3;

// The entries of input `line`'s mode list as the settings string knows them ("No",
// "Discrete", ...), by entry index, in the order of settingsChoices()' codes; none for IN3 to
// IN7.
QVector<const char *> inputModeEntries(int line);

// An input mode entry as the interface shows it, in its language (a text of the
// "SettingsPage" translation context); anything else as it is.
QString inputModeText(const QString &entry);

// ---- writing

// The values of the settings page that the settings string carries, as the page shows them
// (the lists by their shown text). settingsFromForm (core_terminalsettings.h) makes
// TerminalSettings of them; the functions below taking one write what those would.
struct SettingsForm
{
    // the free-text fields, by field (see settingsTextFields())
    std::array<QString, settingsTextFieldCount> texts;
    QString &operator[](SettingsField field) { return texts[std::size_t(field)]; }
    const QString &operator[](SettingsField field) const { return texts[std::size_t(field)]; }

    bool newPasswordOn = false;
    bool sleep = false;
    QString in0, in1, in2; // shown texts of the IN0, IN1 and IN2 lists
    bool canParamsOn = false;
    std::array<bool, 14> canParams{}; // canParams[k - 1]: the box of CAN parameter code k
    int rs485Index = 0;
    QString oneWireText; // shown text of the 1-Wire list
    bool canProgramOn = false;
    bool roaming1 = false, roaming2 = false;
};

// The item 9 code of an input list's shown text; line is 0, 1 or 2 (IN0, IN1, IN2). Empty when
// the text has no code for that line.
QString inputWriteCode(int line, const QString &shownText);

// The body of the settings string: the items that are written, by ascending setting number,
// no password, no marker.
QString buildSettingsBody(const SettingsForm &form);

// The whole settings string without its line end: password, "*SETP*", body.
QString buildSettingsString(const SettingsForm &form);

struct WrittenValue
{
    SettingsField field;
    QString text;
};

// Every free-text value the settings string would carry, in the order it appears in the string;
// the new password and the CAN program only when they are written.
QVector<WrittenValue> writtenTextValues(const SettingsForm &form);

// The characters a value cannot carry: "#" starts an item, "=" ends the number, "," separates
// values, ";" separates the fields of the settings record (a value holding one would be read
// back cut short), CR or LF would end the string, and NUL ends field 1 of the settings record
// (settingsRecordText), so a value holding one would be read back cut short as well.
bool isUnsafeSettingsCharacter(QChar c);

// The marker between the access password and the body of the settings string.
constexpr char settingsMarker[] = "*SETP*";

// Why a value cannot be written as it is.
struct UnsafeText
{
    enum Kind {
        Character, // `character` is one of isUnsafeSettingsCharacter
        Surrogate, // `character` is half of a surrogate pair without its other half: UTF-8
                   // has no form for it, the terminal would get a replacement character
        Marker,    // the value holds the marker; `character` is its first "*"
    };
    Kind kind;
    QChar character;
};

// The first thing in `value` that the settings string cannot carry. A password (the access
// password and the new password, which becomes the next one) is also refused when it ends in
// "*SETP": written in front of the marker it would make a marker of its own one character
// early, and the terminal would take a shorter password.
std::optional<UnsafeText> findUnsafeText(const QString &value, bool password = false);

struct UnsafeValue
{
    SettingsField field;
    QChar character; // the first unsafe character of that value
    UnsafeText::Kind kind = UnsafeText::Character;
};

// The first written value (in string order) holding an unsafe character, if any.
std::optional<UnsafeValue> findUnsafeValue(const SettingsForm &form);

// The terminal reports what it holds in field 1 of the settings record, and the line framing
// takes a field only up to LineFramer::MaxBufferSize bytes: a longer record is dropped whole,
// the write then looks unanswered and no later read gets through. The record holds the items
// written (the body, in UTF-8) and the items the terminal keeps on its own: item 3 (the
// access password), items 10 and 12 while the page leaves them out, items 13 and 14 and
// whatever a newer firmware adds. 1 KiB is kept for those, about six times what items 3, 10
// and 12 take at their limits.
constexpr int settingsRecordReserve = 1024;
constexpr int settingsBodyMaxBytes = LineFramer::MaxBufferSize - settingsRecordReserve;

// True when the settings record that reports this body back stays within the framing's limit.
bool settingsBodyFits(const QString &body);

// ---- showing what was written

// What a password is replaced with where written lines are shown or recorded: "•••".
constexpr char settingsPasswordMask[] = "\xE2\x80\xA2\xE2\x80\xA2\xE2\x80\xA2";

// A line as written, for the log and the recording: in a settings string the access password
// (before "*SETP*") and a new password (item 3) replaced with settingsPasswordMask, a line end
// at the end of item 3 kept; any other line as it is.
QByteArray maskSettingsPasswords(const QByteArray &line);

// ---- firmware version

// True when the firmware version shown on the status page is below 0.25: the text parses as a
// real number and the number times 100, truncated toward zero, is 24 or less. Text that does
// not parse gives false.
bool firmwareVersionNeedsWarning(const QString &versionText);
