#include "AiSites.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QImage>

QList<AiSite> defaultAiSites()
{
    // DeepSeek is a brand name in every language; the other three have local names.
    return {
        {QStringLiteral("DeepSeek"), QUrl(QStringLiteral("https://chat.deepseek.com/"))},
        {QStringLiteral(QT_TRANSLATE_NOOP("AiCollaborationPanel", "Doubao")),
         QUrl(QStringLiteral("https://www.doubao.com/chat/"))},
        {QStringLiteral(QT_TRANSLATE_NOOP("AiCollaborationPanel", "Yuanbao")),
         QUrl(QStringLiteral("https://yuanbao.tencent.com/chat"))},
        {QStringLiteral(QT_TRANSLATE_NOOP("AiCollaborationPanel", "Qianwen")),
         QUrl(QStringLiteral("https://tongyi.aliyun.com/qianwen/"))},
    };
}

QString acceptLanguageFor(const QString& uiLanguage)
{
    if (uiLanguage == QLatin1String("zh_CN"))
        return QStringLiteral("zh-CN,zh;q=0.9");
    if (uiLanguage == QLatin1String("ja_JP"))
        return QStringLiteral("ja-JP,ja;q=0.9");
    return QStringLiteral("en-US,en;q=0.9");
}

QString imageInjectionScript(const QImage& image)
{
    if (image.isNull())
        return QString();
    // Encoded in memory: the picture never touches the disk, so nothing is left behind in the
    // temporary folder and nothing there can be swapped under us.
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return QString();
    // Base64 holds only [A-Za-z0-9+/=], so it is safe inside a single-quoted script string.
    const QString base64 = QString::fromLatin1(png.toBase64());
    return QStringLiteral("function addImageToPage(base64) {\n"
                          "    var img = document.createElement('img');\n"
                          "    img.src = 'data:image/png;base64,' + base64;\n"
                          "    img.style.maxWidth = '100%';\n"
                          "    img.style.margin = '10px 0';\n"
                          "    var textarea = document.querySelector('textarea');\n"
                          "    if (textarea) {\n"
                          "        textarea.parentNode.insertBefore(img, textarea.nextSibling);\n"
                          "        textarea.focus();\n"
                          "    } else {\n"
                          "        document.body.appendChild(img);\n"
                          "    }\n"
                          "}\n"
                          "addImageToPage('%1');\n")
        .arg(base64);
}

QString loadFailurePage(const QString& address)
{
    // The address comes from the failed navigation and may carry markup or script of its own.
    return QStringLiteral(
               "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head>"
               "<body style=\"margin:0;background:#2c3e50;color:#ecf0f1;font-family:sans-serif;"
               "display:flex;align-items:center;justify-content:center;height:100vh;text-align:center;\">"
               "<div><h2>⚠ 页面加载失败</h2><p style=\"word-break:break-all;\">URL: %1</p>"
               "<p>请检查网络连接或尝试切换其他AI站点</p></div></body></html>")
        .arg(address.toHtmlEscaped());
}
