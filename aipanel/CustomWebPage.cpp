#include "CustomWebPage.h"

#include "CustomWebEngineView.h"

#include <QDebug>

CustomWebPage::CustomWebPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent)
{
    setBackgroundColor(Qt::white);
}

QWebEnginePage* CustomWebPage::createWindow(WebWindowType type)
{
    QWidget* owner = view() ? view()->window() : nullptr;
    auto* popup = new CustomWebEngineView(owner);
    popup->setWindowFlag(Qt::Window, true);
    popup->setAttribute(Qt::WA_DeleteOnClose, true);
    auto* page = new CustomWebPage(profile(), popup);
    popup->setPage(page);
    connect(page, &QWebEnginePage::windowCloseRequested, popup, &QWidget::close);
    connect(page, &QWebEnginePage::titleChanged, popup, &QWidget::setWindowTitle);
    popup->resize(owner ? owner->size() * 3 / 4 : QSize(1024, 768));
    popup->show();
    qInfo().noquote() << "[WebEngine] Opened a new window, type:" << static_cast<int>(type);
    return page;
}
