#pragma once
// The main tool bar's actions, shared by the tool bar and the menus.

#include "MainWindow.h"

#include <QAction>

struct MainWindow::Actions
{
    QAction* open = nullptr;
    QAction* save = nullptr;
    QAction* exit = nullptr;
    QAction* openCamera = nullptr;
    QAction* closeCamera = nullptr;
    QAction* capture = nullptr;
    QAction* rotateLeft = nullptr;
    QAction* rotateRight = nullptr;
    QAction* zoomIn = nullptr;
    QAction* zoomOut = nullptr;
    QAction* zoomReset = nullptr;
    QAction* scanBarcode = nullptr;
    QAction* scanQRCode = nullptr;
    QAction* ocr = nullptr;
    QAction* undo = nullptr;
    QAction* clear = nullptr;
    QAction* about = nullptr;
    QAction* refreshDevices = nullptr;
    QAction* autoCrop = nullptr;
    QAction* deskew = nullptr;
    QAction* toggleCrop = nullptr;
    QAction* applyCrop = nullptr;

    // In tool-bar order.
    QList<QAction*> all() const
    {
        return {open,  save,  exit,  openCamera,     closeCamera, capture, rotateLeft, rotateRight,
                zoomIn, zoomOut, zoomReset, scanBarcode, scanQRCode, ocr, undo, clear,
                about, refreshDevices, autoCrop, deskew, toggleCrop, applyCrop};
    }
};
