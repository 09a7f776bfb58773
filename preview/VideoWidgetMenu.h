#pragma once
// The preview's right-click menu, built apart from exec() so it can be checked without a user.
class QMenu;
class QWidget;
class VideoWidget;

// Copy | Rotate Left, Rotate Right | Zoom In, Zoom Out, Fit to View, Reset Zoom | Clear Annotations,
// each wired to `view`. The caller owns the menu (parented to `parent`).
QMenu* createVideoWidgetContextMenu(VideoWidget* view, QWidget* parent);
