#pragma once
// The dock's searches, away from the window's thread: a thread of its own with its own
// connection to the register, so that a server that does not answer (up to its connect
// timeout) keeps nobody waiting. Each page asked for comes back by fetched() with the number
// fetch() returned; the asker drops answers it no longer wants.

#include "register/registerdatabase.h"

#include <QObject>
#include <QVector>

#include <memory>

class QThread;

class RegisterSearch : public QObject
{
    Q_OBJECT

public:
    explicit RegisterSearch(const RegisterLocation &where, QObject *parent = nullptr);
    // Does not wait for a page still being fetched: its thread ends once it is done.
    ~RegisterSearch() override;

    // Asks for one page (see RegisterDatabase::page); the number its answer will carry.
    int fetch(const RegisterFilter &filter, const QDateTime &afterTime, const QUuid &afterId, int limit);

signals:
    void fetched(int ticket, const QVector<RegisterEvent> &events, bool ok, const QString &error);

private:
    QThread *thread;
    QObject *worker;
    int asked = 0;
};

// Lives in the search's thread and holds its connection.
class RegisterSearchWorker : public QObject
{
    Q_OBJECT

public:
    explicit RegisterSearchWorker(const RegisterLocation &where) : where(where) {}
    ~RegisterSearchWorker() override;

    void fetch(int ticket, const RegisterFilter &filter, const QDateTime &afterTime, const QUuid &afterId,
               int limit);

signals:
    void fetched(int ticket, const QVector<RegisterEvent> &events, bool ok, const QString &error);

private:
    RegisterLocation where;
    std::unique_ptr<RegisterDatabase> db;
};
