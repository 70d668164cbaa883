#pragma once
// "Панели" on the tool bar: the window's docks to show and hide, where a new user finds them.

class QMainWindow;
namespace Ui {
class MainWindow;
}

// Adds "Панели" (`panelsAction`) before the web-site action, and the tool tips of the tool
// bar's buttons that had only their text.
void setUpPanelsAction(QMainWindow *window, Ui::MainWindow *ui);
