#pragma once
// The left dock with the captured images and the buttons that act on all of them.

#include <QDockWidget>

class QListWidget;
class QPushButton;

class ThumbnailDock : public QDockWidget
{
    Q_OBJECT
public:
    explicit ThumbnailDock(QWidget* parent = nullptr);
    void retranslateUi();

    QPushButton* clearAllButton = nullptr;
    QPushButton* saveAsPdfButton = nullptr;
    QPushButton* saveAsOfdButton = nullptr;
    // Holds the gallery's items; the gallery itself arrives with capturing.
    QListWidget* list = nullptr;
};
