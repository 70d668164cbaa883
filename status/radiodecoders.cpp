// Radio and positioning records: the position fix, the GSM/GPRS link and the terminal's
// restart notice.
#include "mainwindow/mainwindow.h"

#include "status/core_codes.h"
#include "status/core_numbers.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QStatusBar>

namespace {
// A real number other than 0; a fix of 0 is no fix.
bool isCoordinate(const QByteArray &field)
{
    bool ok = false;
    const double value = field.toDouble(&ok);
    return ok && value != 0.0;
}
} // namespace

void MainWindow::decodeGK(const RecordLine &r)
{
    if (!isCoordinate(r.field[0]))
        return;
    latitudeEdit->setText(fieldText(r.field[0]));
    if (isCoordinate(r.field[1]))
        longitudeEdit->setText(fieldText(r.field[1]));
}

void MainWindow::decodeGS(const RecordLine &r)
{
    satellitesEdit->setText(fieldText(r.field[0]));
    speedEdit->setText(fieldText(r.field[1]));
    altitudeEdit->setText(fieldText(r.field[2]));
    bool ok = false;
    const double hdopTimesTen = r.field[3].toDouble(&ok);
    if (ok)
        hdopEdit->setText(generalNumber(hdopTimesTen / 10.0));
    courseEdit->setText(fieldText(r.field[4]));
}

void MainWindow::decodeMS(const RecordLine &r)
{
    statusBar()->showMessage(tr("!!! MS= %1 !!!").arg(r.field[0].toInt(nullptr, 10)));

    bool ok = false;
    const unsigned int state = r.field[0].toUInt(&ok, 10);
    if (!ok)
        return;
    const auto *row = modemStateTexts(state);
    if (!row)
        return;
    QLineEdit *const stages[ModemStageCount] = {modemLinkEdit, networkRegistrationEdit,
                                                gprsServiceEdit, serverConnectionEdit,
                                                serverReplyEdit};
    for (int i = 0; i < ModemStageCount; ++i) {
        const CodeText &t = (*row)[i];
        stages[i]->setText(t.translated ? tr(t.text) : QString::fromUtf8(t.text));
    }
}

void MainWindow::decodeML(const RecordLine &r)
{
    bool ok = false;
    const quint32 level = r.field[0].toUInt(&ok, 10);
    if (ok) {
        signalLevelBar->setTextVisible(true);
        const quint64 value = signalLevelValue(level);
        // a level beyond the modem's scale gives more than 100 %, which the bar does not take
        if (value <= quint64(signalLevelBar->maximum()))
            signalLevelBar->setValue(int(value));
    }
    mccEdit->setText(fieldText(r.field[1]));
    mncEdit->setText(fieldText(r.field[2]));

    operatorEdit->setText(tr("Не определен"));
    if (const char *name = operatorName(operatorCode(r.field[1], r.field[2])))
        operatorEdit->setText(QString::fromLatin1(name));
}

void MainWindow::decodeAPN(const RecordLine &r)
{
    QLineEdit *const fields[] = {apnEdit, apnLoginEdit, apnPasswordEdit};
    for (QLineEdit *field : fields)
        field->setText(tr("не задан"));
    for (int i = 0; i < 3; ++i)
        if (!fieldIsEmpty(r.field[i]))
            fields[i]->setText(fieldText(r.field[i]));
}

void MainWindow::decodeMO(const RecordLine &r)
{
    operatorEdit->setText(fieldText(r.field[0] + " [" + r.field[1] + "]"));
}

void MainWindow::decodeMD(const RecordLine &r)
{
    serverEdit->setText(fieldText(r.field[0] + ':' + r.field[1]));
    tcpCountEdit->setText(fieldText(r.field[2]));
}

void MainWindow::decodeSMS(const RecordLine &r)
{
    smsInEdit->setText(fieldText(r.field[0] + '/' + r.field[1]));
    smsOutEdit->setText(fieldText(r.field[2]));
}

void MainWindow::decodeRD(const RecordLine &r)
{
    closeSerialPort();
    bool ok = false;
    r.field[0].toUInt(&ok, 10);
    if (!ok)
        return;
    QMessageBox box(QMessageBox::Information, restartTitle, restartDoneText + portClosedText,
                    QMessageBox::Ok);
    box.exec();
}
