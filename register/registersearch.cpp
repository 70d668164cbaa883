#include "register/registersearch.h"

#include <QThread>

Q_DECLARE_METATYPE(QVector<RegisterEvent>)

RegisterSearch::RegisterSearch(const RegisterLocation &where, QObject *parent)
    : QObject(parent), thread(new QThread), worker(nullptr)
{
    qRegisterMetaType<QVector<RegisterEvent>>();
    thread->setObjectName(QStringLiteral("register search"));
    auto *w = new RegisterSearchWorker(where);
    w->moveToThread(thread);
    worker = w;
    connect(thread, &QThread::finished, w, &QObject::deleteLater);
    connect(w, &RegisterSearchWorker::fetched, this, &RegisterSearch::fetched, Qt::QueuedConnection);
    thread->start();
}

RegisterSearch::~RegisterSearch()
{
    disconnect(worker, nullptr, this, nullptr);
    thread->quit();
    // a page still at work (a server that does not answer) is not waited for: the thread is
    // deleted once it has ended
    if (thread->wait(200))
        delete thread;
    else
        connect(thread, &QThread::finished, thread, &QObject::deleteLater);
}

int RegisterSearch::fetch(const RegisterFilter &filter, const QDateTime &afterTime, const QUuid &afterId,
                          int limit)
{
    const int ticket = ++asked;
    auto *w = static_cast<RegisterSearchWorker *>(worker);
    QMetaObject::invokeMethod(
        w, [w, ticket, filter, afterTime, afterId, limit] { w->fetch(ticket, filter, afterTime, afterId, limit); },
        Qt::QueuedConnection);
    return ticket;
}

RegisterSearchWorker::~RegisterSearchWorker() = default;

void RegisterSearchWorker::fetch(int ticket, const RegisterFilter &filter, const QDateTime &afterTime,
                                 const QUuid &afterId, int limit)
{
    if (!db)
        db = std::make_unique<RegisterDatabase>(where);
    QString error;
    QVector<RegisterEvent> events;
    const bool ok = db->open(&error) && db->page(filter, afterTime, afterId, limit, &events, &error);
    if (!ok)
        db->close();   // the next page connects anew
    emit fetched(ticket, events, ok, ok ? QString() : error);
}
