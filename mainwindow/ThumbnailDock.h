#pragma once
// The left dock with the captured images and the buttons that act on all of them.

#include <QDockWidget>

class GalleryModel;
class GalleryPanel;
class QPushButton;

class ThumbnailDock : public QDockWidget
{
    Q_OBJECT
public:
    ThumbnailDock(GalleryModel* gallery, QWidget* parent = nullptr);
    void retranslateUi();

    QPushButton* clearAllButton = nullptr;
    QPushButton* saveAsPdfButton = nullptr;
    QPushButton* saveAsOfdButton = nullptr;
    GalleryPanel* gallery = nullptr;
};
