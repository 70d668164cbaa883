#include "settings/core_settingsecho.h"

#include "settings/core_settingsstring.h"
#include "settings/core_terminalsettings.h"

#include <QSet>

#include <algorithm>

bool settingsItemEchoed(int number)
{
    return number != 3;
}

namespace {

bool sameValue(int item, const QString &written, const QString &reported)
{
    if (written == reported)
        return true;
    if (item != 9)
        return false;
    const QString entry = inputEntryForModeLetter(written);
    return !entry.isNull() && entry == inputEntryForModeLetter(reported);
}

QSet<QString> codeSet(const QStringList &values)
{
    QSet<QString> codes;
    for (const QString &v : values) {
        if (!v.isEmpty())
            codes.insert(v);
    }
    return codes;
}

EchoCheck compareItems(const QVector<SettingsItem> &written, const QMap<int, QStringList> &reported)
{
    EchoCheck check;
    for (const SettingsItem &item : written) {
        if (item.number <= 0 || !item.hasValues || !settingsItemEchoed(item.number))
            continue;
        const auto found = reported.constFind(item.number);
        if (found == reported.constEnd()) {
            check.differences.append({item.number, 0});
            continue;
        }
        const QStringList &theirs = *found;
        if (item.number == 10) {
            if (codeSet(item.values) != codeSet(theirs))
                check.differences.append({10, 0});
            continue;
        }
        // item 9 ends with a "," after some modes; only the three modes count
        const int count = item.number == 9 ? qMin(3, item.values.size()) : item.values.size();
        for (int k = 0; k < count; ++k) {
            if (!sameValue(item.number, item.values.at(k), theirs.value(k)))
                check.differences.append({item.number, k + 1});
        }
    }
    return check;
}

} // namespace

EchoCheck checkSettingsEcho(const QString &writtenBody, const QString &reportedText)
{
    return compareItems(splitSettingsItems(writtenBody),
                        readTerminalSettings(reportedText).reportedItems);
}

EchoCheck checkSettingsEcho(const TerminalSettings &written, const TerminalSettings &reported)
{
    return compareItems(splitSettingsItems(buildSettingsBody(written)), reported.reportedItems);
}

QStringList settingsValueFieldNames(int item, int value)
{
    QStringList names;
    for (const SettingsTextField *row : settingsItemTextFields(item)) {
        if (value == 0 || row->value == value)
            names << QString::fromLatin1(row->objectName);
    }
    for (const SettingsChoiceRow &row : settingsChoices()) {
        if (row.item == item && (value == 0 || row.value == value))
            names << QString::fromLatin1(row.objectName);
    }
    // the CAN parameter codes are one set, whichever value differs
    if (item == 10)
        names << QStringLiteral("canParamsGroup");
    return names;
}

QStringList differingFieldNames(const EchoCheck &check)
{
    QStringList names;
    for (const EchoDifference &d : check.differences) {
        for (const QString &name : settingsValueFieldNames(d.item, d.value)) {
            if (!names.contains(name))
                names << name;
        }
    }
    return names;
}

bool settingsAlreadyHeld(const TerminalSettings &written, const TerminalSettings &before)
{
    return checkSettingsEcho(written, before).confirmed();
}

bool noChangeTaken(const TerminalSettings &written, const TerminalSettings &before,
                   const TerminalSettings &after)
{
    const EchoCheck toChange = checkSettingsEcho(written, before);
    if (toChange.confirmed())
        return false;
    return std::all_of(toChange.differences.cbegin(), toChange.differences.cend(),
                       [&](const EchoDifference &d) {
                           return before.reportedItems.value(d.item)
                                      == after.reportedItems.value(d.item)
                                  && before.reportedItems.contains(d.item)
                                         == after.reportedItems.contains(d.item);
                       });
}
