#pragma once
// Decisions of the main window frame that need no window: the status-bar texts, what a key does and
// where a window that does not fit the screen goes.

#include <QRect>
#include <QString>
#include <Qt>

namespace frame {

struct StatusInput
{
    bool previewing = false;
    bool deviceOpen = false;
    QString deviceName;
    int width = 0, height = 0;
    int zoomPercent = 100;
    int fps = 0; // measured, truncated
};

struct StatusTexts
{
    QString status; // left label
    QString zoom;   // right label
};

// Translated through the "MainWindow" context, like the rest of the window's texts.
StatusTexts statusTexts(const StatusInput& in);

enum class KeyCommand {
    None,
    Capture,
    ZoomIn,
    ZoomOut,
    ZoomReset,
    FitToView,
    ScanCode,
    RedoAnnotation,
    UndoAnnotation,
};

// The main window's shortcuts. While the scanner-gun naming method is selected the keys belong to the
// scanner, so nothing is a command.
KeyCommand keyCommand(int key, Qt::KeyboardModifiers modifiers, bool scannerGunMode);

// `window` shrunk to fit `available` and moved inside it; unchanged when it already fits.
QRect clampIntoScreen(const QRect& window, const QRect& available);

} // namespace frame
