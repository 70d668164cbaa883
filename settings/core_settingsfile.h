#pragma once
// Settings files: the values of the settings page as a JSON document, and the checks a file
// passes before anything of it reaches the page. Widget-free: a file's values are a
// SettingsValues map by object name, made from and into TerminalSettings here.
//
// The document (UTF-8, indented, keys in alphabetical order so that two files diff well):
//   format    "kvt-logger-settings"
//   version   1
//   saved     when, local time with its offset from UTC (ISO 8601)
//   terminal  the terminal the values came from, as the device parameters page showed it:
//             model, serialNumber, imei, firmwareVersion
//   fields    every settings field by the object name of its widget: text fields as text,
//             check boxes as true/false, lists by the code they are written with in the
//             settings string, the CAN parameters (canParamsGroup) as a list of codes.
// The access password and the new password are never part of a file.

#include "settings/core_terminalsettings.h"
#include "status/core_identity.h"

#include <QByteArray>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

constexpr char settingsFileFormat[] = "kvt-logger-settings";
constexpr int settingsFileVersion = 1;

enum class SettingsFileFieldKind {
    Text,     // a line edit: QString
    Check,    // a check box: bool
    List,     // a list: the QString code of its entry
    CodeList, // the CAN parameter boxes: QVariantList of the int codes checked, ascending
};

struct SettingsFileField
{
    QString name; // the widget's object name and the key in the file
    SettingsFileFieldKind kind;
    int maxLength = 0;   // Text: the longest value the field takes
    QStringList codes;   // List: the code of each entry, by entry index
};

// Every field a settings file holds, in the order of the page.
const QVector<SettingsFileField> &settingsFileFields();
const SettingsFileField *settingsFileField(const QString &name);

// The values of the settings page by object name (types as SettingsFileFieldKind says).
using SettingsValues = QMap<QString, QVariant>;

// The entry index of a list code; -1 when the list has no such code. "P" is taken for "C"
// (Pulse), as the settings record reads it.
int settingsListIndex(const SettingsFileField &field, const QString &code);

// The keys of `values` whose value differs from the one in `reference` (a key missing there
// differs).
QStringList differingValues(const SettingsValues &values, const SettingsValues &reference);

// Settings from the values of a file (only the keys given; unknown keys and list codes are
// skipped, "P" is taken for "C"), and the values a file holds of settings (the values set; no
// passwords).
TerminalSettings settingsFromValues(const SettingsValues &values);
SettingsValues settingsValues(const TerminalSettings &settings);

QByteArray settingsFileBytes(const SettingsValues &values, const TerminalIdentity &from,
                             const QDateTime &saved);

// Why a file is refused; `field` names the key concerned, `detail` the offending text.
struct SettingsFileProblem
{
    enum Kind {
        None,
        NotJson,         // detail: the parser's message and the offset
        OtherFormat,     // not a settings file of this program
        NewerVersion,    // detail: the file's version
        WrongType,       // field: the key whose value has the wrong type
        UnsafeCharacter, // field, detail: the character the settings string cannot carry, or
                         // the marker (see findUnsafeText)
        TooLong,         // field, detail: the field's length limit
        UnknownCode,     // field, detail: the code the list does not have, as in the file
    };
    Kind kind = None;
    QString field;
    QString detail;
};

struct SettingsFile
{
    SettingsFileProblem problem;
    SettingsValues values;   // only the keys the file holds
    TerminalIdentity from;
    QString saved;
    QStringList unknownKeys; // keys no field has, skipped
    bool ok() const { return problem.kind == SettingsFileProblem::None; }
};

// Reads a settings file whole: a file with any problem yields no values at all.
SettingsFile readSettingsFile(const QByteArray &bytes);

// A settings file is a few kilobytes; anything larger than this is not read at all.
constexpr qint64 settingsFileMaxSize = 1024 * 1024;

// A text taken from a file as a message shows it: control and other invisible characters
// escaped (CR as \r, LF as \n, tab as \t, the others as \xNN, \uNNNN or \UNNNNNNNN, a
// surrogate without its pair as \uD800), and cut with "…" after `maxLength` characters
// (-1: not cut).
QString shownFileText(const QString &text, int maxLength = 64);

// The skipped keys as a message lists them: the first `listed` shown as above, separated
// by commas; `more` receives how many are left out.
QString shownKeyList(const QStringList &keys, int &more, int listed = 10);
