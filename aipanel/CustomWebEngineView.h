#pragma once
// The browser view of the AI panel, with a short context menu of the page's own actions.

#include <QWebEngineView>

class QMenu;

class CustomWebEngineView : public QWebEngineView
{
    Q_OBJECT
public:
    explicit CustomWebEngineView(QWidget* parent = nullptr);

    // "Back", "Forward", "Refresh", "Cut", "Copy", "Paste", "Select All", "Save Page", each triggering
    // the page action of that name and enabled as that action is. The caller owns the menu.
    QMenu* createPageMenu(QWidget* parent);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
};
