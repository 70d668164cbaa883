#pragma once

class QApplication;
class QTranslator;

// Start-up steps shared by the program and its tests: the dark-look key handler, the
// "Fusion" style and the interface translation.
void setUpApplication(QApplication &app, QTranslator &translator);
