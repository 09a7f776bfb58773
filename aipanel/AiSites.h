#pragma once
// The plain parts of the AI collaboration panel: which chat sites it offers, which languages it asks
// them for, and the page texts it builds (the picture script, the load-failure page). No web engine
// needed, so they are usable and testable on builds without one.

#include <QList>
#include <QString>
#include <QUrl>

class QImage;

// One entry of the site combo box.
struct AiSite
{
    // English source text; the panel shows it through its translation catalogue (context
    // "AiCollaborationPanel"), so a title the catalogue does not know is shown as given.
    QString title;
    QUrl url; // the site's start address
};

// DeepSeek, Doubao, Yuanbao and Qianwen, in that order; the first is the start site.
QList<AiSite> defaultAiSites();

// The Accept-Language the chat sites get for an interface language code ("zh_CN", "ja_JP", ...):
// Chinese and Japanese ask for themselves, every other language for English.
QString acceptLanguageFor(const QString& uiLanguage);

// A script that defines addImageToPage(base64) and calls it with `image` as in-memory PNG: the picture
// goes right after the page's first text area (which then gets the focus), or at the end of the body
// when there is none. Empty when the image is null or cannot be encoded.
QString imageInjectionScript(const QImage& image);

// The page shown instead of a site that failed to load; `address` is shown as text, never as markup.
QString loadFailurePage(const QString& address);
