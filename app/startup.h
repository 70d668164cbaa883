#pragma once

class QApplication;
class QTranslator;

// Start-up steps shared by the program and its tests: the organization and application
// names (so that a default QSettings finds the program's settings), the dark-look key handler,
// the "Fusion" style, Qt's own translation of its dialogs and buttons and the interface
// translation of the language the user chose (Russian unless English was chosen).
// `translator` receives the interface translation; Qt's translation is a child of `app`.
void setUpApplication(QApplication &app, QTranslator &translator);
