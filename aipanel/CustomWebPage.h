#pragma once
// The chat page. Windows that a site opens (window.open, target="_blank", sign-in pop-ups) open as
// windows of their own in the same profile instead of vanishing, and the opener page stays as it was,
// so sign-in flows that report back to their opener keep working.

#include <QWebEnginePage>

class CustomWebPage : public QWebEnginePage
{
    Q_OBJECT
public:
    CustomWebPage(QWebEngineProfile* profile, QObject* parent = nullptr);

protected:
    // The new page lives in a top-level CustomWebEngineView owned by this page's view's window (or
    // free-standing when this page has no view); it closes and deletes itself when its script asks
    // to close or the user closes it.
    QWebEnginePage* createWindow(WebWindowType type) override;
};
