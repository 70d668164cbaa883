// The window's "Отчёт…" action: where the report goes, the engineer's note, and the saving.
#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include "link/terminalsession.h"
#include "register/registercontroller.h"
#include "report/installationreport.h"
#include "status/statuspage.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QToolBar>
#include <QUrl>

namespace {

// A sheet with lines of text and a tick: drawn, so it matches the tool bar in either look.
QIcon reportIcon()
{
    QIcon icon;
    for (int side : {32, 64}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(side / 32.0, side / 32.0);
        QPainterPath sheet;
        sheet.moveTo(6, 2);
        sheet.lineTo(20, 2);
        sheet.lineTo(26, 8);
        sheet.lineTo(26, 30);
        sheet.lineTo(6, 30);
        sheet.closeSubpath();
        p.setPen(QPen(QColor(70, 70, 70), 1.5));
        p.setBrush(Qt::white);
        p.drawPath(sheet);
        p.drawLine(QPointF(20, 2), QPointF(20, 8));
        p.drawLine(QPointF(20, 8), QPointF(26, 8));
        p.setPen(QPen(QColor(120, 120, 120), 1.5));
        for (int y : {12, 16, 20})
            p.drawLine(QPointF(10, y), QPointF(22, y));
        p.setPen(QPen(QColor(30, 150, 60), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(11, 24), QPointF(15, 27.5), QPointF(23, 19)}));
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

// The action sits after the clearing, in a group of its own. It is enabled from the first
// connection of the run on: before it no record was seen and there would be nothing to report.
void MainWindow::setUpReportAction()
{
    reportAction = new QAction(reportIcon(), tr("Отчёт…"), this);
    reportAction->setObjectName(QStringLiteral("reportAction"));
    reportAction->setIconText(tr("Отчёт…"));
    reportAction->setToolTip(
        tr("Отчёт об установке: проверки, параметры, настройки и графики в файл HTML или PDF"));
    reportAction->setEnabled(false);
    ui->mainToolBar->insertAction(ui->actionSendPacket, reportAction);
    ui->mainToolBar->insertSeparator(ui->actionSendPacket);
    connect(reportAction, &QAction::triggered, this, &MainWindow::saveReport);
}

QString MainWindow::reportFileName()
{
    // the terminal's serial number and the time, in characters every file system takes
    QString serial = statusPage->identity().serialNumber;
    serial.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]")));
    const QString name = QStringLiteral("kvt-report-%1%2.html")
                             .arg(serial.isEmpty() ? QString() : serial + QLatin1Char('-'))
                             .arg(QDateTime::currentDateTime().toString(
                                 QStringLiteral("yyyyMMdd-hhmm")));
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString htmlFilter = tr("Страница HTML (*.html *.htm)");
    const QString pdfFilter = tr("Документ PDF (*.pdf)");
    QString filter = htmlFilter;
    QString fileName = QFileDialog::getSaveFileName(
        this, tr("Сохранить отчёт"), QDir(folder).filePath(name),
        htmlFilter + QStringLiteral(";;") + pdfFilter, &filter);
    if (!fileName.isEmpty() && QFileInfo(fileName).suffix().isEmpty())
        fileName += filter == pdfFilter ? QStringLiteral(".pdf") : QStringLiteral(".html");
    return fileName;
}

QString MainWindow::reportNote(bool *ok)
{
    return QInputDialog::getMultiLineText(
        this, tr("Отчёт об установке"),
        tr("Заметка инженера (транспортное средство, место установки, замечания):"), QString(),
        ok);
}

QString MainWindow::reportVehicle(const QString &remembered, bool *ok)
{
    return QInputDialog::getText(this, tr("Отчёт об установке"),
                                 tr("Транспортное средство (госномер или гаражный номер, можно "
                                    "оставить пустым):"),
                                 QLineEdit::Normal, remembered, ok);
}

void MainWindow::saveReport()
{
    if (!report->hasConnection())
        return;
    const QString fileName = reportFileName();
    if (fileName.isEmpty())
        return;
    bool ok = false;
    const QString note = reportNote(&ok);
    if (!ok)
        return;
    const QString vehicle =
        reportVehicle(registerController->vehicleFor(statusPage->identity().serialNumber), &ok);
    if (!ok)
        return;
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool saved = report->save(fileName, note, &error);
    QApplication::restoreOverrideCursor();
    if (!saved) {
        QMessageBox::warning(this, tr("Отчёт об установке"),
                             tr("Отчёт не сохранён в %1:\n%2")
                                 .arg(QDir::toNativeSeparators(fileName), error));
        return;
    }
    registerController->recordReport(fileName, vehicle, session, report->checks().evaluate());
    ui->statusBar->showMessage(tr("Отчёт сохранён: %1").arg(QDir::toNativeSeparators(fileName)));
    showNotice(tr("Отчёт сохранён: %1").arg(QDir::toNativeSeparators(fileName)));
    QMessageBox box(QMessageBox::Information, tr("Отчёт об установке"),
                    tr("Отчёт сохранён в файл\n%1").arg(QDir::toNativeSeparators(fileName)),
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("reportSavedBox"));
    QPushButton *open = box.addButton(tr("Открыть"), QMessageBox::ActionRole);
    open->setObjectName(QStringLiteral("openReportButton"));
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    if (box.clickedButton() == open)
        openReport(fileName);
}

void MainWindow::openReport(const QString &fileName)
{
    // nothing to say when no program opens it: the box said where the file is
    QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}
