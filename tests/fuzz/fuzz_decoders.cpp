// Feeds hostile records of every known name through the record router into the pages, built
// offscreen: no decoder may crash, hang or trip the sanitizers, whatever the fields hold.
// Boxes a decoder opens (old firmware, restart) are closed by a timer, as a user would.
#include "link/framing.h"
#include "link/recordnames.h"
#include "link/recordrouter.h"
#include "link/terminalsession.h"
#include "settings/settingspage.h"
#include "status/fieldtext.h"
#include "status/statuspage.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <cstdlib>

namespace {
const char *const names[] = {
    "ST", "DI", "DN", "DF", "MN", "TW", "RW", "DS", "PB", "C#", "CA", "CB", "CC", "CD",
    "CE", "CF", "CG", "CR", "CH", "CI", "CJ", "CP", "CS", "CK", "CL", "CM", "CN", "CO",
    "CU", "CV", "LLS", "OWT", "OWK", "O14", "O15", "O24", "O25", "I0D", "I1A", "I2F",
    "I5I", "I7D", "I9X", "GK", "GS", "MS", "ML", "APN", "MO", "MD", "SMS", "RD"};
constexpr size_t nameCount = sizeof names / sizeof names[0];

struct Pages
{
    Pages()
    {
        static int argc = 1;
        static char arg0[] = "fuzz_decoders";
        static char *argv[] = {arg0, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = new QApplication(argc, argv);
        session = new TerminalSession;
        status = new StatusPage;
        settings = new SettingsPage;
        status->registerRoutes(session->router());
        settings->registerRoutes(session->router());
        // the identity records go through the session to the page, as in the window
        QObject::connect(session, &TerminalSession::identityReported, status,
                         &StatusPage::showIdentity);
        QObject::connect(session, &TerminalSession::serialNumberReported, status,
                         &StatusPage::showSerialNumber);
        QObject::connect(session, &TerminalSession::imeiReported, status,
                         &StatusPage::showImei);
        boxCloser = new QTimer;
        boxCloser->setInterval(0);
        QObject::connect(boxCloser, &QTimer::timeout, [] {
            if (QWidget *w = QApplication::activeModalWidget())
                w->close();
        });
        boxCloser->start();
    }
    QApplication *app;
    TerminalSession *session;
    StatusPage *status;
    SettingsPage *settings;
    QTimer *boxCloser;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Pages pages;
    if (size < 2)
        return 0;
    // byte 0: the record's name, byte 1: whether the values wait for the end of a chunk;
    // the rest: the fields, split at ';' as the framing does (at most five)
    RecordLine r;
    r.name = names[data[0] % nameCount];
    const bool batched = data[1] & 1;
    const QByteArray rest(reinterpret_cast<const char *>(data + 2), int(size - 2));
    const QList<QByteArray> parts = rest.split(';');
    for (int i = 0; i < parts.size() && i < 5; ++i)
        r.field[i] = i == 4 ? rest.mid(rest.indexOf(parts[4])) : parts[i];
    FieldBatch &fields = pages.status->fieldBatch();
    fields.begin();
    if (!batched)
        fields.flush();
    pages.session->router().dispatch(r);
    fields.end();
    fields.flush();
    if (classifyRecord(r.name) == RecordKind::Unknown && r.name != "I9X")
        std::abort();   // every listed name reaches a page
    return 0;
}
