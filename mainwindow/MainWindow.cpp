#include "MainWindow.h"

#include <QWidget>

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Lumadoc"));
    auto* centre = new QWidget(this);
    centre->setObjectName(QStringLiteral("videoContainer"));
    centre->setAttribute(Qt::WA_StyledBackground);
    setCentralWidget(centre);
    resize(1280, 800);
}
