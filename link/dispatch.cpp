#include "mainwindow/mainwindow.h"

#include "link/recordnames.h"
#include "settings/settingspage.h"
#include "status/statuspage.h"

void MainWindow::dispatchRecord(const QByteArray &name, const QByteArray &field1,
                                const QByteArray &field2, const QByteArray &field3,
                                const QByteArray &field4, const QByteArray &field5)
{
    router.dispatch(RecordLine{name, {field1, field2, field3, field4, field5}});
}

void MainWindow::routeRecords()
{
    settingsPage->registerRoutes(router);
    statusPage->registerRoutes(router);
    router.route(RecordKind::Restart, [this](const RecordLine &r) { decodeRD(r); });
}
