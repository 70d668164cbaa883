#include "terminal/terminal.h"

#include "link/core_filesave.h"
#include "link/recorder.h"
#include "terminal/console.h"
#include "settings/core_settingsstring.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QTextCodec>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// The buttons are 75 px wide, or as wide as their text needs where the font is larger.
void fitButton(QPushButton *button)
{
    button->setFixedWidth(qMax(75, button->sizeHint().width()));
}

// where the view options are remembered
const char TimeStampsKey[] = "terminal/timeStamps";
const char SentLinesKey[] = "terminal/sentLines";
const char HexKey[] = "terminal/hex";

qint64 wallClock()
{
    return QDateTime::currentMSecsSinceEpoch();
}
} // namespace

Terminal::Terminal(QWidget *parent)
    : QWidget(parent)
    , clock(wallClock)
{
    console = new Console(this);
    console->setObjectName(QStringLiteral("console"));

    commandEdit = new QLineEdit;
    commandEdit->setObjectName(QStringLiteral("commandEdit"));
    commandEdit->setFixedWidth(200);
    sendButton = new QPushButton(QStringLiteral(">"));
    sendButton->setObjectName(QStringLiteral("sendButton"));
    sendButton->setToolTip(tr("Отправить команду терминалу"));
    sendButton->setMaximumWidth(25);
    pauseButton = new QPushButton(tr(" Пауза "));
    pauseButton->setObjectName(QStringLiteral("pauseButton"));
    pauseButton->setToolTip(tr("Остановить вывод в лог; запись в файл продолжается"));
    fitButton(pauseButton);
    saveButton = new QPushButton(tr(" Сохранить "));
    saveButton->setObjectName(QStringLiteral("saveButton"));
    saveButton->setToolTip(tr("Сохранить принятый текст в файл"));
    fitButton(saveButton);
    fileButton = new QPushButton(tr(" Файл "));
    fileButton->setObjectName(QStringLiteral("fileButton"));
    fileButton->setToolTip(tr("Отправить терминалу команды из текстового файла"));
    fitButton(fileButton);
    clearButton = new QPushButton(tr(" Очистить "));
    clearButton->setObjectName(QStringLiteral("clearButton"));
    clearButton->setToolTip(tr("Очистить лог"));
    fitButton(clearButton);
    autoScrollCheck = new QCheckBox;
    autoScrollCheck->setObjectName(QStringLiteral("autoScrollCheck"));
    autoScrollCheck->setChecked(true);
    auto *autoScrollLabel = new QLabel(tr("Автопрокрутка лога"));
    autoScrollLabel->setObjectName(QStringLiteral("autoScrollLabel"));
    recordButton = new QPushButton(tr("Запись в файл"));
    recordButton->setObjectName(QStringLiteral("recordButton"));
    recordButton->setCheckable(true);
    recordButton->setToolTip(tr("Записывать в файл всё принятое и отправленное, пока кнопка нажата"));
    fitButton(recordButton);
    recorder = new Recorder(this);
    recordStatusTimer = new QTimer(this);
    recordStatusTimer->setInterval(500);
    buildViewMenu();
    buildFindBar();

    auto *top = new QWidget;
    auto *grid = new QGridLayout(top);
    grid->addWidget(viewButton, 0, 0);
    grid->addWidget(pauseButton, 0, 1);
    grid->addWidget(clearButton, 0, 2);
    grid->addWidget(saveButton, 0, 3);
    grid->addWidget(autoScrollCheck, 1, 0);
    grid->addWidget(autoScrollLabel, 1, 1, 1, 2);
    grid->addWidget(fileButton, 1, 3);
    grid->addWidget(recordButton, 2, 2, 1, 2, Qt::AlignRight);

    auto *bottom = new QWidget;
    auto *form = new QFormLayout(bottom);
    form->addRow(commandEdit, sendButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(top);
    layout->addWidget(findBar);
    layout->addWidget(console);
    layout->addWidget(bottom);

    connect(sendButton, &QPushButton::clicked, this, &Terminal::send_cmd_slot);
    connect(pauseButton, &QPushButton::clicked, this, &Terminal::pause_cmd_slot);
    connect(clearButton, &QPushButton::clicked, this, &Terminal::clear_cmd_slot);
    connect(saveButton, &QPushButton::clicked, this, &Terminal::save_cmd_slot);
    connect(fileButton, &QPushButton::clicked, this, &Terminal::send_file_cmd_slot);
    connect(recordButton, &QPushButton::clicked, this, &Terminal::record_slot);
    connect(recorder, &Recorder::failed, this, &Terminal::recordingFailed);
    connect(recordStatusTimer, &QTimer::timeout, this, &Terminal::updateRecordingStatus);
}

Terminal::~Terminal()
{
    stopSendingFile();
    stopRecording();
}

void Terminal::buildViewMenu()
{
    QSettings settings;
    auto option = [this, &settings](const QString &text, const char *name, const char *key) {
        auto *action = new QAction(text, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        action->setChecked(settings.value(QLatin1String(key), false).toBool());
        connect(action, &QAction::toggled, this,
                [key](bool on) { QSettings().setValue(QLatin1String(key), on); });
        return action;
    };
    timeStampsAction = option(tr("Время приёма строк"), "timeStampsAction", TimeStampsKey);
    sentLinesAction = option(tr("Отправленные строки"), "sentLinesAction", SentLinesKey);
    hexAction = option(QStringLiteral("HEX"), "hexAction", HexKey);
    console->setTimeStamps(timeStampsAction->isChecked());
    console->setHex(hexAction->isChecked());
    connect(timeStampsAction, &QAction::toggled, console, &Console::setTimeStamps);
    connect(hexAction, &QAction::toggled, console, &Console::setHex);

    findAction = new QAction(tr("Найти…"), this);
    findAction->setObjectName(QStringLiteral("findAction"));
    findAction->setShortcut(QKeySequence::Find);
    findAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(findAction);   // Ctrl+F anywhere in the panel, the log included
    connect(findAction, &QAction::triggered, this, &Terminal::showFindBar);

    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("viewMenu"));
    menu->addAction(timeStampsAction);
    menu->addAction(sentLinesAction);
    menu->addAction(hexAction);
    menu->addSeparator();
    menu->addAction(findAction);
    viewButton = new QToolButton;
    viewButton->setObjectName(QStringLiteral("viewButton"));
    viewButton->setText(tr("Вид"));
    viewButton->setToolTip(tr("Вид лога: время, отправленные строки, hex, поиск"));
    viewButton->setPopupMode(QToolButton::InstantPopup);
    viewButton->setMenu(menu);
}

void Terminal::buildFindBar()
{
    findBar = new QWidget;
    findBar->setObjectName(QStringLiteral("findBar"));
    findEdit = new QLineEdit;
    findEdit->setObjectName(QStringLiteral("findEdit"));
    findEdit->setPlaceholderText(tr("Найти в логе"));
    findEdit->setClearButtonEnabled(true);
    auto *previous = new QToolButton;
    previous->setObjectName(QStringLiteral("findPreviousButton"));
    previous->setArrowType(Qt::UpArrow);
    previous->setToolTip(tr("Предыдущее (Shift+Enter)"));
    auto *next = new QToolButton;
    next->setObjectName(QStringLiteral("findNextButton"));
    next->setArrowType(Qt::DownArrow);
    next->setToolTip(tr("Следующее (Enter)"));
    auto *close = new QToolButton;
    close->setObjectName(QStringLiteral("findCloseButton"));
    close->setText(QStringLiteral("✕"));
    close->setToolTip(tr("Закрыть (Esc)"));
    findStatusLabel = new QLabel;
    findStatusLabel->setObjectName(QStringLiteral("findStatusLabel"));

    auto *row = new QHBoxLayout(findBar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(findEdit, 1);
    row->addWidget(previous);
    row->addWidget(next);
    row->addWidget(findStatusLabel);
    row->addWidget(close);
    findBar->hide();

    connect(findEdit, &QLineEdit::textChanged, console, &Console::setFindText);
    connect(findEdit, &QLineEdit::textChanged, findStatusLabel, &QLabel::clear);
    connect(findEdit, &QLineEdit::returnPressed, this, &Terminal::findNext);
    connect(next, &QToolButton::clicked, this, &Terminal::findNext);
    connect(previous, &QToolButton::clicked, this, &Terminal::findPrevious);
    connect(close, &QToolButton::clicked, this, &Terminal::hideFindBar);
    auto *back = new QShortcut(QKeySequence(Qt::SHIFT + Qt::Key_Return), findEdit, nullptr, nullptr,
                               Qt::WidgetShortcut);
    connect(back, &QShortcut::activated, this, &Terminal::findPrevious);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), findBar, nullptr, nullptr,
                                 Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &Terminal::hideFindBar);
}

void Terminal::showFindBar()
{
    findBar->show();
    findEdit->setFocus(Qt::ShortcutFocusReason);
    findEdit->selectAll();
    console->setFindText(findEdit->text());
}

void Terminal::hideFindBar()
{
    findBar->hide();
    console->setFindText(QString());
    console->setFocus(Qt::OtherFocusReason);
}

void Terminal::find(bool backward)
{
    if (findEdit->text().isEmpty())
        return;
    const bool found = console->find(findEdit->text(), backward);
    findStatusLabel->setText(found ? QString() : tr("Не найдено"));
}

void Terminal::findNext()
{
    find(false);
}

void Terminal::findPrevious()
{
    find(true);
}

void Terminal::showReceived(const QByteArray &data)
{
    const qint64 time = clock();
    // recorded whatever the log shows
    if (recorder->isActive())
        recorder->received(data, time);
    if (paused)
        return;
    console->showData(data, autoScroll(), time);
}

bool Terminal::autoScroll() const
{
    // while the find bar is open the log stays on what was found
    return autoScrollCheck->isChecked() && findBar->isHidden();
}

void Terminal::showSent(const QByteArray &data)
{
    const qint64 time = clock();
    if (recorder->isActive())
        recorder->sentLines(data, time);
    if (!sentLinesAction->isChecked() || paused)
        return;
    const char *p = data.constData();
    const char *const end = p + data.size();
    while (p < end) {
        const char *q = p;
        while (q < end && *q != '\r' && *q != '\n')
            ++q;
        const QByteArray line = maskSettingsPasswords(QByteArray(p, int(q - p)));
        LogLines::End lineEnd = LogLines::End::Broken;   // written without a line end
        const char *next = q;
        if (q < end) {
            if (*q == '\r' && q + 1 < end && q[1] == '\n') {
                lineEnd = LogLines::End::CRLF;
                next = q + 2;
            } else {
                lineEnd = *q == '\r' ? LogLines::End::CR : LogLines::End::LF;
                next = q + 1;
            }
        }
        console->showSent(line, lineEnd, autoScroll(), time);
        p = next;
    }
}

void Terminal::setClock(std::function<qint64()> c)
{
    clock = c ? std::move(c) : std::function<qint64()>(wallClock);
}

void Terminal::showNote(const QString &text)
{
    if (!paused)
        console->showNote(text, autoScroll(), clock());
}

void Terminal::markLinkGap(const QString &why)
{
    if (recorder->isActive())
        recorder->note(why.isEmpty() ? tr("Связь прервана") : tr("Связь прервана: %1").arg(why), clock());
}

void Terminal::markLinkBack(const QString &why)
{
    if (recorder->isActive())
        recorder->note(why.isEmpty() ? tr("Связь установлена") : tr("Связь установлена: %1").arg(why),
                       clock());
}

// ---------------------------------------------------------------- recording

QString Terminal::askRecordFileName()
{
    const QString proposed = QStringLiteral("kvt-%1.log")
                                 .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")));
    return QFileDialog::getSaveFileName(window(), tr("Запись в файл"), proposed,
                                        tr("Записи обмена (*.log);;Все файлы (*)"));
}

bool Terminal::isRecording() const
{
    return recorder->isActive();
}

void Terminal::record_slot(bool on)
{
    if (!on) {
        stopRecording();
        return;
    }
    const QString name = askRecordFileName();
    if (name.isEmpty() || !startRecording(name))
        recordButton->setChecked(false);
}

bool Terminal::startRecording(const QString &fileName)
{
    stopRecording();
    QString error;
    if (!recorder->start(fileName, &error)) {
        recordButton->setChecked(false);
        QMessageBox::critical(window(), tr("Запись в файл"),
                              tr("Не удалось начать запись в файл\r\n%1\r\n%2")
                                  .arg(fileName, fileErrorText(error)));
        return false;
    }
    recorder->note(tr("Запись начата"), clock());
    recordButton->setChecked(true);
    recordStatusTimer->start();
    updateRecordingStatus();
    return true;
}

void Terminal::stopRecording()
{
    if (!recorder->isActive())
        return;
    recorder->note(tr("Запись остановлена"), clock());
    recorder->stop();
    recordStatusTimer->stop();
    recordButton->setChecked(false);
    updateRecordingStatus();
}

void Terminal::recordingFailed(const QString &reason)
{
    if (!recorder->isActive())
        return;
    const QString name = recorder->fileName();
    recorder->stop();
    recordStatusTimer->stop();
    recordButton->setChecked(false);
    updateRecordingStatus();
    QMessageBox::critical(window(), tr("Запись в файл"),
                          tr("Запись в файл остановлена: файл не удаётся записать\r\n%1\r\n%2")
                              .arg(name, fileErrorText(reason)));
}

void Terminal::updateRecordingStatus()
{
    QString text;
    if (recorder->isActive()) {
        const qint64 size = recorder->fileSize();
        QString sizeText;
        if (size < 1024)
            sizeText = tr("%1 Б").arg(size);
        else if (size < 1024 * 1024)
            sizeText = tr("%1 КБ").arg(size / 1024);
        else
            sizeText = tr("%1 МБ").arg(double(size) / (1024 * 1024), 0, 'f', 1);
        text = tr("Запись: %1, %2").arg(QFileInfo(recorder->fileName()).fileName(), sizeText);
    }
    if (text == recordStatus)
        return;
    recordStatus = text;
    emit recordingStatusChanged(text);
}

void Terminal::setConsoleEnabled(bool on)
{
    console->setEnabled(on);
}

void Terminal::clearConsole()
{
    console->clear();
}

bool Terminal::isSendingFile() const
{
    return sendTimer && sendTimer->isActive();
}

void Terminal::send_cmd_slot()
{
    emit sendCmdSignal(commandEdit->text());
}

void Terminal::pause_cmd_slot()
{
    qDebug() << "PAUSE > PLAY";
    if (!paused) {
        console->mouseSelectEnabled = true;
        pauseButton->setText(tr("Продолжить"));
        fitButton(pauseButton);
        paused = true;
    } else {
        console->mouseSelectEnabled = false;
        console->moveCursor(QTextCursor::End);
        pauseButton->setText(tr("Пауза"));
        fitButton(pauseButton);
        paused = false;
    }
}

void Terminal::clear_cmd_slot()
{
    console->clear();
    qDebug() << "CLEAR > PLAY";
}

QString Terminal::askLogFileName()
{
    return QFileDialog::getSaveFileName(nullptr, tr("Запись лог-файла"),
                                        QStringLiteral("logFileKVT"), QStringLiteral("*"));
}

void Terminal::save_cmd_slot()
{
    const QString text = console->toPlainText();
    qDebug() << "SAVE > PLAY";
    const QString chosen = askLogFileName();
    if (chosen.isEmpty())
        return;
    const QString fileName = chosen + QStringLiteral(".txt");

    // in the system's 8-bit encoding, as a text stream writes it; a failed save keeps the
    // file that was there
    QString reason;
    const bool ok = saveWholeFile(fileName, QTextCodec::codecForLocale()->fromUnicode(text),
                                  &reason);
    QMessageBox box(QMessageBox::Information, tr("Внимание"),
                    ok ? tr("Файл записан\r\n") + fileName
                       : tr("Ошибка записи файла\r\n") + fileName + QStringLiteral("\r\n")
                             + fileErrorText(reason),
                    QMessageBox::Ok);
    box.exec();
}

QString Terminal::askCommandFileName()
{
    return QFileDialog::getOpenFileName(this, tr("Open file"), QString(),
                                        tr("Text File (*.txt);;All Files (*.*)"));
}

void Terminal::send_file_cmd_slot()
{
    const QString name = askCommandFileName();
    if (name.isEmpty())
        return;

    // one command file at a time: a new one ends the running sending
    stopSendingFile();

    sendFile = new QFile(name);
    if (!sendFile->open(QIODevice::ReadOnly)) {
        delete sendFile;
        sendFile = nullptr;
        QMessageBox::information(this, QStringLiteral("Error"), tr("Ошибка открытия файла"));
        return;
    }
    sendStream = new QTextStream(sendFile);
    sendTimer = new QTimer(this);
    sendTimer->setObjectName(QStringLiteral("sendTimer"));
    connect(sendTimer, &QTimer::timeout, this, &Terminal::sendFile_slot);
    sendTimer->start(5);
}

void Terminal::sendFile_slot()
{
    if (!sendStream)
        return;
    const QString line = sendStream->readLine();
    const bool finished = line.isEmpty();
    if (finished)
        sendTimer->stop();
    emit sendCmdSignal(QStringLiteral(">send ") + line);
    if (finished)
        stopSendingFile();
}

void Terminal::stopSendingFile()
{
    if (sendTimer) {
        sendTimer->stop();
        sendTimer->deleteLater();
        sendTimer = nullptr;
    }
    delete sendStream;
    sendStream = nullptr;
    if (sendFile) {
        sendFile->close();
        delete sendFile;
        sendFile = nullptr;
    }
}
