#include "terminal/terminal.h"

#include "terminal/console.h"

#include <QCheckBox>
#include <QDebug>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>
#include <QVBoxLayout>

bool terminalPaused = false;

namespace {
// The buttons are 75 px wide, or as wide as their text needs where the font is larger.
void fitButton(QPushButton *button)
{
    button->setFixedWidth(qMax(75, button->sizeHint().width()));
}
} // namespace

Terminal::Terminal(QWidget *parent)
    : QWidget(parent)
{
    console = new Console(this);
    console->setObjectName(QStringLiteral("console"));

    commandEdit = new QLineEdit;
    commandEdit->setObjectName(QStringLiteral("commandEdit"));
    commandEdit->setFixedWidth(200);
    sendButton = new QPushButton(QStringLiteral(">"));
    sendButton->setObjectName(QStringLiteral("sendButton"));
    sendButton->setMaximumWidth(25);
    pauseButton = new QPushButton(tr(" Пауза "));
    pauseButton->setObjectName(QStringLiteral("pauseButton"));
    fitButton(pauseButton);
    saveButton = new QPushButton(tr(" Сохранить "));
    saveButton->setObjectName(QStringLiteral("saveButton"));
    fitButton(saveButton);
    fileButton = new QPushButton(tr(" Файл "));
    fileButton->setObjectName(QStringLiteral("fileButton"));
    fitButton(fileButton);
    clearButton = new QPushButton(tr(" Очистить "));
    clearButton->setObjectName(QStringLiteral("clearButton"));
    fitButton(clearButton);
    autoScrollCheck = new QCheckBox;
    autoScrollCheck->setObjectName(QStringLiteral("autoScrollCheck"));
    autoScrollCheck->setChecked(true);
    auto *autoScrollLabel = new QLabel(tr("Автопрокрутка лога"));
    autoScrollLabel->setObjectName(QStringLiteral("autoScrollLabel"));

    auto *top = new QWidget;
    auto *grid = new QGridLayout(top);
    grid->addWidget(pauseButton, 0, 1);
    grid->addWidget(clearButton, 0, 2);
    grid->addWidget(saveButton, 0, 3);
    grid->addWidget(autoScrollCheck, 1, 0);
    grid->addWidget(autoScrollLabel, 1, 1, 1, 2);
    grid->addWidget(fileButton, 1, 3);

    auto *bottom = new QWidget;
    auto *form = new QFormLayout(bottom);
    form->addRow(commandEdit, sendButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(top);
    layout->addWidget(console);
    layout->addWidget(bottom);

    connect(sendButton, &QPushButton::clicked, this, &Terminal::send_cmd_slot);
    connect(pauseButton, &QPushButton::clicked, this, &Terminal::pause_cmd_slot);
    connect(clearButton, &QPushButton::clicked, this, &Terminal::clear_cmd_slot);
    connect(saveButton, &QPushButton::clicked, this, &Terminal::save_cmd_slot);
    connect(fileButton, &QPushButton::clicked, this, &Terminal::send_file_cmd_slot);
}

Terminal::~Terminal()
{
    stopSendingFile();
}

void Terminal::showReceived(const QByteArray &data)
{
    if (terminalPaused)
        return;
    console->showData(data, autoScrollCheck->isChecked());
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
    if (!terminalPaused) {
        console->mouseSelectEnabled = true;
        pauseButton->setText(tr("Продолжить"));
        fitButton(pauseButton);
        terminalPaused = true;
    } else {
        console->mouseSelectEnabled = false;
        console->moveCursor(QTextCursor::End);
        pauseButton->setText(tr("Пауза"));
        fitButton(pauseButton);
        terminalPaused = false;
    }
}

void Terminal::clear_cmd_slot()
{
    console->clear();
    qDebug() << "CLEAR > PLAY";
}

QString Terminal::askLogFileName()
{
    return QFileDialog::getSaveFileName(nullptr, QStringLiteral("Запись лог-файла"),
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

    bool ok = false;
    QFile file(fileName);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        QTextStream out(&file);
        out << text;
        out.flush();
        ok = out.status() == QTextStream::Ok && file.error() == QFileDevice::NoError;
        file.close();
        ok = ok && file.error() == QFileDevice::NoError;
    }
    // a file that cannot be opened for writing is reported like a failed write
    QMessageBox box(QMessageBox::Information, tr("Внимание"),
                    (ok ? tr("Файл записан\r\n") : tr("Ошибка записи файла\r\n")) + fileName,
                    QMessageBox::Ok);
    box.exec();
}

QString Terminal::askCommandFileName()
{
    return QFileDialog::getOpenFileName(this, tr("Open file"), QString(),
                                        QStringLiteral("Text File (*.txt);;All Files (*.*)"));
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
