#pragma once
// "Реестр установок": a terminal's history in the installation register. A search field (serial
// number, IMEI, vehicle or engineer; Enter searches), a table fetched a page at a time as it is
// scrolled, never all rows at once, and the export of the rows shown to CSV. The pages come
// from a RegisterSearch, in its own thread: the window never waits on the register.

#include "register/registerdatabase.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QVector>
#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class RegisterSearch;

// The events of one search, newest first, fetched 200 at a time.
class RegisterTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit RegisterTableModel(QObject *parent = nullptr);

    // Where the pages come from (the owner keeps it); pages asked of an earlier one are dropped.
    void setSource(RegisterSearch *source);
    // Searches anew: the table is emptied and the first page asked for; searchFinished tells
    // when it came.
    void search(const QString &text);
    // Shows `events` as they are (the events still queued here while the server is away).
    void showEvents(const QVector<RegisterEvent> &events);
    void clear();
    // A page is asked for and has not come yet.
    bool isFetching() const { return ticket != 0; }
    QString searchText() const { return filter.any; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    const QVector<RegisterEvent> &events() const { return rows; }
    // The rows shown, as CSV with a heading line.
    QByteArray csv() const;

    static constexpr int PageSize = 200;

signals:
    // The first page of a search came (false with the reason: the register did not answer).
    void searchFinished(bool ok, const QString &error);
    // A later page did not come.
    void fetchFailed(const QString &error);

private:
    // asks for the page after the rows there are
    void askPage();
    void pageFetched(int ticket, const QVector<RegisterEvent> &page, bool ok, const QString &error);
    QString cell(const RegisterEvent &e, int column) const;

    QPointer<RegisterSearch> source;
    RegisterFilter filter;
    QVector<RegisterEvent> rows;
    bool more = false;
    int ticket = 0;   // of the page awaited, 0: none
};

class RegisterPanel : public QWidget
{
    Q_OBJECT

public:
    explicit RegisterPanel(QWidget *parent = nullptr);

    RegisterTableModel *model() const { return tableModel; }
    QLineEdit *searchEdit() const { return search; }
    // Tells where the register is, and why it does not answer.
    void setState(const QString &text, bool failure);
    // Writes the rows shown to `path` as CSV, whole or not at all; false with the reason.
    bool exportCsv(const QString &path, QString *error) const;

signals:
    void searchRequested(const QString &text);
    // "Настроить…": where the register is, and the engineer's name.
    void settingsRequested();

protected:
    // Where the CSV goes; empty: nowhere.
    virtual QString exportFileName();

private:
    void exportShown();
    void fitColumns();

    QLineEdit *search;
    QTableView *table;
    QPushButton *exportButton;
    QPushButton *settingsButton;
    QLabel *state;
    RegisterTableModel *tableModel;
};
