// A build without the web engine: the AI mode cannot be entered, so nothing here is ever reached
// except the answer that it is not available.
#include "MainWindow.h"

bool MainWindow::aiModeAvailable() { return false; }
void MainWindow::enterAiMode() {}
void MainWindow::leaveAiMode() {}
void MainWindow::onExerciseAutoCropToggled(bool) {}
