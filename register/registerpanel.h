#pragma once
// "Реестр установок": a terminal's history in the installation register. A search field (serial
// number, IMEI, vehicle or engineer; Enter searches), a table fetched a page at a time as it is
// scrolled, never all rows at once, and the export of the rows shown to CSV.

#include "register/registerdatabase.h"

#include <QAbstractTableModel>
#include <QVector>
#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// The events of one search, newest first, fetched 200 at a time.
class RegisterTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit RegisterTableModel(QObject *parent = nullptr);

    // Searches anew in `db` (which the owner keeps): the first page is fetched at once. False
    // with the reason when the register does not answer.
    bool search(RegisterDatabase *db, const QString &text, QString *error);
    void clear();

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
    void fetchFailed(const QString &error);

private:
    // the page after the rows there are
    bool fetchPage(QVector<RegisterEvent> *page, QString *error);
    QString cell(const RegisterEvent &e, int column) const;

    RegisterDatabase *db = nullptr;
    RegisterFilter filter;
    QVector<RegisterEvent> rows;
    bool more = false;
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

    QLineEdit *search;
    QTableView *table;
    QPushButton *exportButton;
    QPushButton *settingsButton;
    QLabel *state;
    RegisterTableModel *tableModel;
};
