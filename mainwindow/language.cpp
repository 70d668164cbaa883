#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/translations.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QMessageBox>
#include <QToolBar>
#include <QTranslator>

namespace {
const char *const restartNotice =
    QT_TRANSLATE_NOOP("MainWindow", "Язык интерфейса изменится после перезапуска программы.");
const char *const languageTitle = QT_TRANSLATE_NOOP("MainWindow", "Язык интерфейса");
} // namespace

// The two language actions sit at the end of the tool bar; the checked one is the language
// the user chose, which the next start of the program comes up in.
void MainWindow::setUpLanguageActions()
{
    auto *group = new QActionGroup(this);
    group->setExclusive(true);
    for (QAction *a : {ui->actionRussian, ui->actionENGLISH}) {
        a->setEnabled(true);
        a->setCheckable(true);
        group->addAction(a);
    }
    const bool english = savedLanguage() == QLatin1String(EnglishLanguage);
    (english ? ui->actionENGLISH : ui->actionRussian)->setChecked(true);
    ui->mainToolBar->addSeparator();
    ui->mainToolBar->addAction(ui->actionRussian);
    ui->mainToolBar->addAction(ui->actionENGLISH);
    connect(ui->actionRussian, &QAction::triggered, this, &MainWindow::lang_task_ru);
    connect(ui->actionENGLISH, &QAction::triggered, this, &MainWindow::lang_task_en);
}

// Remembers the language for the next start. The window keeps the language it was built in
// (its texts are not built again) and says so, in the chosen language.
void MainWindow::setLanguage(const QString &code)
{
    const QString before = savedLanguage();
    saveLanguage(code);
    (code == QLatin1String(EnglishLanguage) ? ui->actionENGLISH : ui->actionRussian)
        ->setChecked(true);
    // nothing changes when the language was already chosen, or is the one shown now
    if (code == before || code == interfaceLanguage())
        return;
    // the previous translator stays a child of the window until it is destroyed
    translator = new QTranslator(this);
    loadInterfaceTranslation(*translator, code);
    auto inChosen = [this](const char *text) {
        const QString t = translator->translate("MainWindow", text);
        return t.isEmpty() ? QString::fromUtf8(text) : t;
    };
    QMessageBox::information(this, inChosen(languageTitle), inChosen(restartNotice));
}

void MainWindow::lang_task_ru()
{
    setLanguage(QString::fromLatin1(RussianLanguage));
}

void MainWindow::lang_task_en()
{
    setLanguage(QString::fromLatin1(EnglishLanguage));
}
