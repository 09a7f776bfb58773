#include "CustomWebEngineView.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

CustomWebEngineView::CustomWebEngineView(QWidget* parent) : QWebEngineView(parent)
{
    setObjectName(QStringLiteral("aiWebEngineView"));
}

QMenu* CustomWebEngineView::createPageMenu(QWidget* parent)
{
    struct Entry
    {
        QWebEnginePage::WebAction action;
        QString text;
    };
    const Entry entries[] = {
        {QWebEnginePage::Back, tr("Back")},
        {QWebEnginePage::Forward, tr("Forward")},
        {QWebEnginePage::Reload, tr("Refresh")},
        {QWebEnginePage::Cut, tr("Cut")},
        {QWebEnginePage::Copy, tr("Copy")},
        {QWebEnginePage::Paste, tr("Paste")},
        {QWebEnginePage::SelectAll, tr("Select All")},
        {QWebEnginePage::SavePage, tr("Save Page")},
    };
    auto* menu = new QMenu(parent);
    QWebEnginePage* webPage = page();
    for (const Entry& entry : entries) {
        QAction* item = menu->addAction(entry.text);
        item->setEnabled(webPage->action(entry.action)->isEnabled());
        const QWebEnginePage::WebAction action = entry.action;
        connect(item, &QAction::triggered, webPage, [webPage, action] { webPage->triggerAction(action); });
    }
    return menu;
}

void CustomWebEngineView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createPageMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose, true);
    menu->popup(event->globalPos());
}
