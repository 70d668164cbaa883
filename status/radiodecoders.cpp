// Radio and positioning records: the position fix and the GSM/GPRS link.
#include "status/statuspage.h"
#include "status/fieldtext.h"

#include "link/framing.h"
#include "status/core_codes.h"
#include "status/core_numbers.h"

#include <QProgressBar>

namespace {
// A real number other than 0; a fix of 0 is no fix.
bool isCoordinate(const QByteArray &field)
{
    bool ok = false;
    const double value = field.toDouble(&ok);
    return ok && value != 0.0;
}
} // namespace

void StatusPage::decodeGK(const RecordLine &r)
{
    if (!isCoordinate(r.field[0]))
        return;
    setFieldText(latitudeEdit, fieldText(r.field[0]));
    if (isCoordinate(r.field[1]))
        setFieldText(longitudeEdit, fieldText(r.field[1]));
}

void StatusPage::decodeGS(const RecordLine &r)
{
    setFieldText(satellitesEdit, fieldText(r.field[0]));
    setFieldText(speedEdit, fieldText(r.field[1]));
    setFieldText(altitudeEdit, fieldText(r.field[2]));
    bool ok = false;
    const double hdopTimesTen = r.field[3].toDouble(&ok);
    if (ok)
        setFieldText(hdopEdit, generalNumber(hdopTimesTen / 10.0));
    setFieldText(courseEdit, fieldText(r.field[4]));
}

void StatusPage::decodeMS(const RecordLine &r)
{
    emit statusMessage(tr("!!! MS= %1 !!!").arg(r.field[0].toInt(nullptr, 10)));

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
        setFieldText(stages[i], t.translated ? tr(t.text) : QString::fromUtf8(t.text));
    }
}

void StatusPage::decodeML(const RecordLine &r)
{
    bool ok = false;
    const quint32 level = r.field[0].toUInt(&ok, 10);
    if (ok) {
        signalLevelBar->setTextVisible(true);
        const quint64 value = signalLevelValue(level);
        // a level beyond the modem's scale gives more than 100 %, which the bar does not take
        if (value <= quint64(signalLevelBar->maximum())) {
            // the bar repaints at once on a new value; let it repaint with the rest instead
            signalLevelBar->setUpdatesEnabled(false);
            signalLevelBar->setValue(int(value));
            signalLevelBar->setUpdatesEnabled(true);
        }
    }
    setFieldText(mccEdit, fieldText(r.field[1]));
    setFieldText(mncEdit, fieldText(r.field[2]));

    const char *name = operatorName(operatorCode(r.field[1], r.field[2]));
    setFieldText(operatorEdit, name ? QString::fromLatin1(name) : tr("Не определен"));
}

void StatusPage::decodeAPN(const RecordLine &r)
{
    QLineEdit *const fields[] = {apnEdit, apnLoginEdit, apnPasswordEdit};
    for (int i = 0; i < 3; ++i)
        setFieldText(fields[i], fieldIsEmpty(r.field[i]) ? tr("не задан") : fieldText(r.field[i]));
}

void StatusPage::decodeMO(const RecordLine &r)
{
    setFieldText(operatorEdit, fieldText(r.field[0] + " [" + r.field[1] + "]"));
}

void StatusPage::decodeMD(const RecordLine &r)
{
    setFieldText(serverEdit, fieldText(r.field[0] + ':' + r.field[1]));
    setFieldText(tcpCountEdit, fieldText(r.field[2]));
}

void StatusPage::decodeSMS(const RecordLine &r)
{
    setFieldText(smsInEdit, fieldText(r.field[0] + '/' + r.field[1]));
    setFieldText(smsOutEdit, fieldText(r.field[2]));
}
