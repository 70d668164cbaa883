#include "settings/core_settingsecho.h"

#include "settings/core_settingsstring.h"

#include <QHash>
#include <QSet>

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

} // namespace

EchoCheck checkSettingsEcho(const QString &writtenBody, const QString &reportedText)
{
    // a number reported twice counts with its last values, as the record decoder reads it
    QHash<int, QStringList> reported;
    for (const SettingsItem &item : splitSettingsItems(reportedText)) {
        if (item.number > 0 && item.hasValues)
            reported.insert(item.number, item.values);
    }

    EchoCheck check;
    for (const SettingsItem &item : splitSettingsItems(writtenBody)) {
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

QStringList settingsValueFieldNames(int item, int value)
{
    struct Named
    {
        int item;
        int value;
        const char *name;
    };
    // the values that are not free text
    static const Named others[] = {
        {6, 1, "sleepCheck"},     {9, 1, "in0Combo"},       {9, 2, "in1Combo"},
        {9, 3, "in2Combo"},       {10, 0, "canParamsGroup"}, {11, 1, "rs485Combo"},
        {11, 2, "oneWireCombo"},  {15, 1, "roaming1Check"}, {15, 2, "roaming2Check"},
    };
    QStringList names;
    for (const SettingsTextField *row : settingsItemTextFields(item)) {
        if (value == 0 || row->value == value)
            names << QString::fromLatin1(row->objectName);
    }
    for (const Named &n : others) {
        if (n.item == item && (value == 0 || n.value == value || n.value == 0))
            names << QString::fromLatin1(n.name);
    }
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
