// The settings record "ST": field 1 holds the terminal's settings items ("#N=v1,v2,...").
// Each known item fills its widgets of the settings page; the record is also checked against
// the body of the last settings string the page wrote, item by item.

#include "settings/settingspage.h"

#include "link/recordrouter.h"
#include "settings/core_settingsstring.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {

// Selects the entry with exactly this text; a list without it keeps its selection.
void selectByText(QComboBox *combo, const QString &text)
{
    if (text.isNull())
        return;
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        combo->setCurrentIndex(index);
}

// Shows a received value from its first character (the fields are narrow).
void showText(QLineEdit *edit, const QString &text)
{
    edit->setText(text);
    edit->setCursorPosition(0);
}

} // namespace

void SettingsPage::registerRoutes(RecordRouter &router)
{
    router.route(RecordKind::Settings, [this](const RecordLine &r) { decodeST(r); });
}

// The free-text fields of one item, from its values.
void SettingsPage::showTextValues(int item, const QStringList &values)
{
    for (const SettingsTextField *row : settingsItemTextFields(item)) {
        if (row->read == SettingsRead::Never)
            continue;
        const QString &value = values.at(row->value - 1);
        int n = 0;
        if (row->read == SettingsRead::AsReceived
            || (parseSettingsNumber(value, &n) && n != 0))
            showText(edit(row->field), value);
    }
}

void SettingsPage::decodeST(const RecordLine &r)
{
    const QString text = settingsRecordText(r.field[0]);

    // a read: the page shows the terminal's values again
    clearMarks();
    // did the last write arrive intact?
    checkWrite(text);

    // the CAN parameter boxes show exactly the codes of this record
    for (QCheckBox *box : canParamChecks)
        box->setChecked(false);

    for (const SettingsItem &item : splitSettingsItems(text)) {
        const int needs = settingsItemNeeds(item.number);
        // an item without "=" has no values at all and is skipped like one with too few
        if (needs == 0 || !item.hasValues || item.values.size() < needs)
            continue;
        const QStringList &v = item.values;
        showTextValues(item.number, v);
        int n = 0;
        switch (item.number) {
        case 6:
            // "0" leaves the box as it is; anything else checks it
            if (v.at(0) != QLatin1String("0"))
                sleepCheck->setChecked(true);
            break;
        case 9:
            for (int k = 0; k < 3; ++k)
                selectByText(inCombos[std::size_t(k)], inputEntryForModeLetter(v.at(k)));
            break;
        case 10:
            for (const QString &value : v) {
                if (parseSettingsNumber(value, &n) && n >= 1 && n <= int(canParamChecks.size()))
                    canParamChecks[std::size_t(n - 1)]->setChecked(true);
            }
            break;
        case 11:
            if (parseSettingsNumber(v.at(0), &n))
                rs485Combo->setCurrentIndex(n == 5 ? 1 : n == 7 ? 2 : 0);
            if (v.size() > 1 && parseSettingsNumber(v.at(1), &n)) {
                if (n == 29)
                    oneWireCombo->setCurrentIndex(1);
                else if (n == 30)
                    oneWireCombo->setCurrentIndex(0);
            }
            break;
        case 15:
            // the roaming flags of SIM 1 and SIM 2, each on its own
            for (std::size_t sim = 0; sim < roamingChecks.size(); ++sim) {
                if (parseSettingsNumber(v.at(int(sim)), &n))
                    roamingChecks[sim]->setChecked(n != 0);
            }
            break;
        default:
            break;
        }
    }
    lastReported = values();
    hasReported = true;
    emit settingsDecoded();
}
