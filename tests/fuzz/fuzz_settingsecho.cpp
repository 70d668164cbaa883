// The write check on arbitrary texts. Even input bytes: a written body and a reported settings
// text, split at the first LF; whatever they hold, the differences name written items and
// values, a body checked against itself differs only in items it holds twice, and items of the
// terminal's own added to the report change nothing. Odd input bytes: a page whose text fields
// are the pieces of the input; whenever the page would write it, the terminal's settings
// record that reports the body back, through the line framing, in any order and with items of
// its own, confirms the write.
#include "link/framing.h"
#include "settings/core_settingsecho.h"
#include "settings/core_settingsstring.h"

#include <QHash>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

void require(bool ok)
{
    if (!ok)
        std::abort();
}

bool sameDifferences(const EchoCheck &a, const EchoCheck &b)
{
    return std::equal(a.differences.begin(), a.differences.end(), b.differences.begin(),
                      b.differences.end(), [](const EchoDifference &x, const EchoDifference &y) {
                          return x.item == y.item && x.value == y.value;
                      });
}

void checkPair(const QByteArray &input)
{
    const int lf = input.indexOf('\n');
    const QString written = QString::fromUtf8(input.left(lf < 0 ? input.size() : lf));
    const QString reported = lf < 0 ? QString() : QString::fromUtf8(input.mid(lf + 1));

    // the written items with values: how many values each has, how often each number comes
    QHash<int, int> valueCount, times;
    for (const SettingsItem &item : splitSettingsItems(written)) {
        if (item.number > 0 && item.hasValues) {
            valueCount.insert(item.number, qMax(valueCount.value(item.number), item.values.size()));
            times[item.number] += 1;
        }
    }
    const EchoCheck check = checkSettingsEcho(written, reported);
    for (const EchoDifference &d : check.differences) {
        require(valueCount.contains(d.item) && settingsItemEchoed(d.item));
        require(d.value >= 0 && d.value <= valueCount.value(d.item));
    }
    differingFieldNames(check);

    for (const EchoDifference &d : checkSettingsEcho(written, written).differences)
        require(times.value(d.item) > 1);

    QString own;
    for (int number = 1; number <= 20; ++number) {
        if (!times.contains(number))
            own += QStringLiteral("#%1=x,1").arg(number);
    }
    require(sameDifferences(checkSettingsEcho(written, reported + own), check));
}

void checkPage(quint8 flags, const QByteArray &input)
{
    SettingsForm form;
    // pieces as UTF-16 code units can hold lone surrogates, as UTF-8 they cannot
    const QList<QByteArray> pieces = input.split('\x1f');
    for (int k = 0; k < pieces.size() && k < int(settingsTextFieldCount); ++k) {
        const QByteArray &p = pieces.at(k);
        form.texts[std::size_t(k)] =
            flags & 2 ? QString::fromUtf16(reinterpret_cast<const char16_t *>(p.constData()),
                                           p.size() / 2)
                      : QString::fromUtf8(p);
    }
    form.newPasswordOn = flags & 4;
    form.canParamsOn = flags & 8;
    form.canParams.fill(flags & 16);
    form.canProgramOn = flags & 32;
    form.sleep = form.roaming1 = flags & 64;
    form.roaming2 = flags & 128;
    form.in0 = QStringLiteral("Pulse");
    form.in1 = QStringLiteral("ADC");
    form.in2 = QStringLiteral("OUT1");
    form.rs485Index = 2;
    form.oneWireText = QStringLiteral("1Wire");

    const QString body = buildSettingsBody(form);
    if (findUnsafeValue(form) || !settingsBodyFits(body))
        return; // the page refuses it

    // the marker stands right after the password, the string holds one line
    const QString string = buildSettingsString(form);
    require(string.indexOf(QLatin1String(settingsMarker))
            == form[SettingsField::AccessPassword].size());
    require(!string.contains(QLatin1Char('\r')) && !string.contains(QLatin1Char('\n')));

    // reported back in reverse order, with the reserve taken up by items of the terminal's own
    QStringList items = body.split(QLatin1Char('#'), Qt::SkipEmptyParts);
    std::reverse(items.begin(), items.end());
    const QByteArray reported = ('#' + items.join(QLatin1Char('#'))).toUtf8();
    require(reported.size() == body.toUtf8().size());
    const QByteArray own = "#14=" + QByteArray(settingsRecordReserve - 4, '1');
    LineFramer framer;
    int lines = 0;
    framer.feed(">ST=" + reported + own + "\r\n", [&](const RecordLine &r) {
        ++lines;
        require(checkSettingsEcho(body, settingsRecordText(r.field[0])).confirmed());
    });
    require(lines == 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray rest(reinterpret_cast<const char *>(data + 1), int(size - 1));
    if (data[0] & 1)
        checkPage(data[0], rest);
    else
        checkPair(rest);
    return 0;
}
