#pragma once
// Batch set-up in the window: the banner above the tabs and the messages around a BatchRun,
// which does the work without widgets (core_batchrun.h). Every time a terminal is connected
// (by the user or by the automatic reconnection) the run reads the terminal's identity and
// settings, writes the file's settings through the settings page's writer, waits for the
// confirmation and appends one line to a journal beside the settings file. The banner says
// that it is on, how many terminals were done and the last result, and stops it with one
// click.

#include "status/core_identity.h"

#include <QObject>
#include <QString>

#include <functional>

class BatchRun;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class RecordRouter;
class SettingsPage;

class BatchSetup : public QObject
{
    Q_OBJECT

public:
    BatchSetup(SettingsPage *page, QWidget *window);

    // Where the connected terminal's identity comes from (the device parameters page).
    void setIdentitySource(std::function<TerminalIdentity()> source);
    // The port the terminal is on, for the journal.
    void setPortSource(std::function<QString()> source);
    // Watches the identity records (DI, DN, MN) that come after a connection.
    void registerTaps(RecordRouter &router);

    // The banner, for the window to place; hidden while batch set-up is off.
    QWidget *banner() const;
    // The banner's "ТС" field: the vehicle of the terminal at work.
    QLineEdit *vehicleEdit() const { return vehicleField; }
    // The run behind the banner.
    BatchRun *run() const { return batchRun; }

    // Starts with a settings file and the terminals' access password; false, after telling the
    // user why, when the file is refused, the password is empty or the journal cannot be
    // written. With a terminal connected now, that terminal is the first.
    bool start(const QString &settingsFile, const QString &accessPassword, bool connectedNow);
    void stop();
    bool isRunning() const;

    // How long a terminal may take to report its identity or its settings.
    void setAnswerTimeout(int ms);

    QString journalPath() const;
    int confirmedCount() const;
    int failedCount() const;

public slots:
    // A terminal was connected.
    void terminalConnected();

signals:
    // The identity request is to be sent.
    void identityRequested();
    void runningChanged(bool running);

private:
    void runningChangedTo(bool running);
    bool askOtherModel(const QString &shownFileModel, const QString &terminalModel);
    void journalFailed(const QString &path, const QString &error);
    void updateBanner(const QString &state, bool failure);

    SettingsPage *const page;
    QWidget *const window;
    BatchRun *const batchRun;

    QFrame *const bannerFrame;
    QLabel *const bannerLabel;
    QPushButton *const stopButton;
    QLineEdit *const vehicleField;
};
