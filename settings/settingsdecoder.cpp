// The settings record "ST": field 1 holds the terminal's settings items ("#N=v1,v2,...").
// Each known item fills its widgets of the settings page; the record is also checked against
// the body of the last settings string this window wrote.

#include "mainwindow/mainwindow.h"
#include "settings/core_settingsstring.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

// Least number of values each known item needs to be used; 0 for numbers that are not decoded.
int neededValues(int number)
{
    switch (number) {
    case 1: return 2;
    case 2: return 3;
    case 4: return 1;
    case 5: return 4;
    case 6: return 3;
    case 7: return 3;
    case 8: return 1;
    case 9: return 3;
    case 10: return 1;
    case 11: return 1;
    case 12: return 1;
    case 15: return 2;
    default: return 0;
    }
}

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

void MainWindow::decodeST(const RecordLine &r)
{
    const QString text = settingsRecordText(r.field[0]);

    // did the last write arrive intact? (the message is the terminal's word, not translated)
    if (!lastWrittenSettings.isEmpty() && !text.contains(lastWrittenSettings, Qt::CaseSensitive))
        writeStatusLabel->setText(QString::fromUtf8("Возможна ошибка записи настроек"));

    // the CAN parameter boxes show exactly the codes of this record
    for (int code = 1; code <= 14; ++code)
        canParamBox(code)->setChecked(false);

    for (const SettingsItem &item : splitSettingsItems(text)) {
        const int needs = neededValues(item.number);
        // an item without "=" has no values at all and is skipped like one with too few
        if (needs == 0 || !item.hasValues || item.values.size() < needs)
            continue;
        const QStringList &v = item.values;
        int n = 0;
        switch (item.number) {
        case 1:
            showText(monitoringServerEdit, v.at(0));
            showText(monitoringPortEdit, v.at(1));
            break;
        case 2:
            showText(apn1Edit, v.at(0));
            showText(login1Edit, v.at(1));
            showText(password1Edit, v.at(2));
            break;
        case 4:
            showText(simPin1Edit, v.at(0));
            break;
        case 5:
            showText(distanceEdit, v.at(0));
            showText(angleEdit, v.at(1));
            showText(speedChangeEdit, v.at(2));
            showText(timerEdit, v.at(3));
            break;
        case 6:
            // "0" leaves the box as it is; anything else checks it
            if (v.at(0) != QLatin1String("0"))
                sleepCheck->setChecked(true);
            showText(sleepTimeEdit, v.at(1));
            showText(workTimeEdit, v.at(2));
            break;
        case 7:
            showText(apn2Edit, v.at(0));
            showText(login2Edit, v.at(1));
            showText(password2Edit, v.at(2));
            break;
        case 8:
            showText(simPin2Edit, v.at(0));
            break;
        case 9:
            selectByText(in0Combo, inputEntryForModeLetter(v.at(0)));
            selectByText(in1Combo, inputEntryForModeLetter(v.at(1)));
            selectByText(in2Combo, inputEntryForModeLetter(v.at(2)));
            break;
        case 10:
            for (const QString &value : v) {
                if (parseSettingsNumber(value, &n)) {
                    if (QCheckBox *box = canParamBox(n))
                        box->setChecked(true);
                }
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
        case 12:
            if (parseSettingsNumber(v.at(0), &n) && n != 0)
                showText(canProgramEdit, v.at(0));
            break;
        case 15:
            if (parseSettingsNumber(v.at(0), &n))
                roaming1Check->setChecked(n != 0);
            if (parseSettingsNumber(v.at(1), &n))
                roaming2Check->setChecked(n != 0);
            break;
        default:
            break;
        }
    }
}
