#pragma once

#include <QMainWindow>

// The application's one main window. For now a plain frame with an empty centre; the title bar, docks,
// tool bar and status bar join it as the window grows.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
};
