// Sensor and CAN records: CAN vehicle values and indicators, fuel level sensors, 1-Wire
// sensors and key, inputs and the two lines that can act as outputs.
#include "mainwindow/mainwindow.h"
#include "status/fieldtext.h"

#include "link/recordnames.h"
#include "status/core_codes.h"
#include "status/core_numbers.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {
// The number n when the field's text is exactly one of "0" .. "count-1", otherwise -1.
int rowNumber(const QByteArray &field, int count)
{
    const QString text = fieldText(field);
    if (text.size() != 1)
        return -1;
    const int n = text.at(0).unicode() - '0';
    return n >= 0 && n < count ? n : -1;
}

void showFlags(const QList<QRadioButton *> &buttons, quint32 on)
{
    for (QRadioButton *b : buttons)
        b->setChecked(false);
    for (int i = 0; i < buttons.size(); ++i)
        if ((on >> i) & 1u)
            buttons.at(i)->setChecked(true);
}
} // namespace

void MainWindow::showCanValue(QLineEdit *field, const QByteArray &value, double divisor)
{
    bool ok = false;
    const double raw = value.toDouble(&ok);
    if (ok)
        setFieldText(field, generalNumber(raw / divisor));
}

void MainWindow::decodeCanProgram(const RecordLine &r)
{
    setFieldText(canDataProgramEdit, fieldText(r.field[0]));
    setFieldText(canDataValidEdit, fieldText(r.field[1] + " / " + r.field[2]));
}

void MainWindow::decodeCanEngineHours(const RecordLine &r)
{
    showCanValue(engineHoursEdit, r.field[0], 100.0);
}

void MainWindow::decodeCanMileage(const RecordLine &r)
{
    showCanValue(mileageEdit, r.field[0], 100.0);
}

void MainWindow::decodeCanFuelUsed(const RecordLine &r)
{
    showCanValue(fuelUsedEdit, r.field[0], 10.0);
}

// The fuel level row says whether it shows per cent or litres, after the last of the two
// records; the caption stays Russian whatever the language.
void MainWindow::decodeCG(const RecordLine &r)
{
    bool ok = false;
    const double raw = r.field[0].toDouble(&ok);
    if (!ok)
        return;
    setFieldText(fuelLevelEdit, generalNumber(raw / 10.0));
    setFieldText(fuelLevelLabel, QStringLiteral("Уровень топлива в баке (%)"));
}

void MainWindow::decodeCR(const RecordLine &r)
{
    bool ok = false;
    const double raw = r.field[0].toDouble(&ok);
    if (!ok)
        return;
    setFieldText(fuelLevelEdit, generalNumber(raw / 10.0));
    setFieldText(fuelLevelLabel, QStringLiteral("Уровень топлива в баке (л)"));
}

void MainWindow::decodeCH(const RecordLine &r)
{
    setFieldText(engineRpmEdit, fieldText(r.field[0]));
}

void MainWindow::decodeCI(const RecordLine &r)
{
    setFieldText(engineTempEdit, fieldText(r.field[0]));
}

void MainWindow::decodeCJ(const RecordLine &r)
{
    setFieldText(vehicleSpeedEdit, fieldText(r.field[0]));
}

void MainWindow::decodeCP(const RecordLine &r)
{
    setFieldText(alarmControllersEdit, fieldText(r.field[0]));
    showFlags(lampFlagButtons, lampFlags(leadingInt(r.field[0])));
}

void MainWindow::decodeCS(const RecordLine &r)
{
    setFieldText(securityStateEdit, fieldText(r.field[0]));
    showFlags(securityFlagButtons, securityFlags(leadingInt(r.field[0])));
}

void MainWindow::decodeCanAxle(int axle, const RecordLine &r)
{
    QLineEdit *const fields[] = {axleLoad1Edit, axleLoad2Edit, axleLoad3Edit, axleLoad4Edit,
                                 axleLoad5Edit};
    if (axle >= 1 && axle <= 5)
        setFieldText(fields[axle - 1], fieldText(r.field[0]));
}

// Which CAN value should fill the accelerator pedal and engine load rows is not settled; the
// record is shown as the AdBlue level, like "CV".
void MainWindow::decodeCU(const RecordLine &r)
{
    setFieldText(adBlueLevelEdit, fieldText(r.field[0]));
}

void MainWindow::decodeCV(const RecordLine &r)
{
    setFieldText(adBlueLevelEdit, fieldText(r.field[0]));
}

void MainWindow::decodeLLS(const RecordLine &r)
{
    QLineEdit *const levels[] = {llsLevelEdit0, llsLevelEdit1, llsLevelEdit2, llsLevelEdit3,
                                 llsLevelEdit4, llsLevelEdit5, llsLevelEdit6};
    QLineEdit *const temps[] = {llsTempEdit0, llsTempEdit1, llsTempEdit2, llsTempEdit3,
                                llsTempEdit4, llsTempEdit5, llsTempEdit6};
    const int n = rowNumber(r.field[1], 7);
    if (n < 0)
        return;
    setFieldText(levels[n], fieldText(r.field[2]));
    setFieldText(temps[n], fieldText(r.field[3]));
}

void MainWindow::decodeOWT(const RecordLine &r)
{
    QLineEdit *const addresses[] = {thermoAddressEdit0, thermoAddressEdit1, thermoAddressEdit2,
                                    thermoAddressEdit3, thermoAddressEdit4, thermoAddressEdit5};
    QLineEdit *const temps[] = {thermoTempEdit0, thermoTempEdit1, thermoTempEdit2,
                                thermoTempEdit3, thermoTempEdit4, thermoTempEdit5};
    const int n = rowNumber(r.field[0], 6);
    if (n < 0)
        return;
    setFieldText(addresses[n], fieldText(r.field[1]));
    setFieldText(temps[n], fieldText(r.field[2]));
}

void MainWindow::decodeOWK(const RecordLine &r)
{
    if (rowNumber(r.field[0], 1) == 0)
        setFieldText(keyIdEdit, fieldText(r.field[1]));
}

void MainWindow::setInputRow(int row, const QString &caption, const QString &state)
{
    QLabel *const labels[] = {inputLabel0, inputLabel1, inputLabel2,
                              inputLabel3, inputLabel4, inputLabel5};
    QLineEdit *const fields[] = {inputEdit0, inputEdit1, inputEdit2,
                                 inputEdit3, inputEdit4, inputEdit5};
    setFieldText(labels[row], caption);
    setFieldText(fields[row], state);
}

// O14, O15, O24, O25: IN4 or IN5 switched as an output; the second character names no row.
void MainWindow::decodeOutput(const RecordLine &r)
{
    const QByteArray name = recordNameText(r.name);
    if (name.size() != 3)
        return;
    const bool on = r.field[0].toInt(nullptr, 10) == 1;
    const QString state = on ? tr("Вкл") : tr("Выкл");
    if (name.at(2) == '4')
        setInputRow(4, tr("IN4_U Выход"), state);
    else if (name.at(2) == '5')
        setInputRow(5, tr("IN5_U Выход"), state);
}

// "I", a type letter, the input number 0..5. The caption prefix belongs to the row, the type
// text to the record.
void MainWindow::decodeInput(const RecordLine &r)
{
    const QByteArray name = recordNameText(r.name);
    if (name.size() != 3)
        return;
    QString state = fieldText(r.field[0]);
    QString type;
    const char typeLetter = name.at(1);
    if (const char *text = inputTypeText(typeLetter))
        type = tr(text);
    if (typeLetter == 'D')
        state = r.field[0].toInt(nullptr, 10) == 1 ? tr(" Замкнут") : tr(" Разомкнут");

    const char digit = name.at(2);
    if (digit < '0' || digit > '5')
        return;
    const int row = digit - '0';
    setInputRow(row, QString::fromLatin1(inputRowPrefix(row)) + type, state);
}
