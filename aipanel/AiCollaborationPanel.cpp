#include "AiCollaborationPanel.h"

#include "AiPanelAvailability.h"
#include "CustomWebEngineView.h"
#include "CustomWebPage.h"
#include "LanguageManager.h"
#include "WrongProblemSettingsWidget.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDebug>
#include <QDir>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QMetaEnum>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineDownloadItem>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include <unistd.h>

namespace {

const char kPlaceholderAction[] = "__placeholder__";
const char kUserAgent[] = "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
                          "Chrome/120.0.0.0 Safari/537.36";

// Chromium refuses to start its sandbox as root; the program runs as root on kiosk-style counters, so
// the sandbox is switched off there before the first profile starts the engine. Someone who set the
// variable themselves keeps their choice.
void allowEngineAsRoot()
{
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

QString siteTitle(const AiSite& site)
{
    return QCoreApplication::translate("AiCollaborationPanel", site.title.toUtf8().constData());
}

} // namespace

bool aiPanelAvailable()
{
    return true;
}

QWebEngineProfile* AiCollaborationPanel::profile()
{
    static QPointer<QWebEngineProfile> shared;
    if (shared)
        return shared;
    allowEngineAsRoot();
    // A named profile keeps cookies and local storage under the user's data folder, so a sign-in to a
    // chat site survives a restart.
    shared = new QWebEngineProfile(QStringLiteral("ai_collab_profile"), qApp);
    shared->setHttpUserAgent(QString::fromLatin1(kUserAgent));
    shared->setHttpAcceptLanguage(acceptLanguageFor(LanguageManager::instance()->currentLanguage()));
    QObject::connect(LanguageManager::instance(), &LanguageManager::languageChanged, shared.data(), [] {
        shared->setHttpAcceptLanguage(acceptLanguageFor(LanguageManager::instance()->currentLanguage()));
    });
    // Settings on the profile reach the panel's page and every window its sites open.
    QWebEngineSettings* settings = shared->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    settings->setAttribute(QWebEngineSettings::LocalStorageEnabled, true);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, true);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    settings->setAttribute(QWebEngineSettings::AllowWindowActivationFromJavaScript, true);
    // Without a handler every download, "Save Page" included, is silently dropped.
    QObject::connect(shared.data(), &QWebEngineProfile::downloadRequested, shared.data(),
                     [](QWebEngineDownloadItem* item) {
                         item->accept();
                         qInfo().noquote()
                             << "[WebEngine] Download:"
                             << QDir(item->downloadDirectory()).filePath(item->downloadFileName());
                     });
    return shared;
}

AiCollaborationPanel::AiCollaborationPanel(QWidget* parent, QList<AiSite> sites)
    : QWidget(parent), m_sites(std::move(sites))
{
    setObjectName(QStringLiteral("aiCollaborationPanel"));
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral(
        "#aiCollaborationPanel { background-color: #2c3e50; }"
        "#aiCollaborationPanel QComboBox { background-color: #34495e; color: #ecf0f1; border: 1px solid "
        "#4a6278;"
        " border-radius: 4px; padding: 3px 8px; min-height: 22px; }"
        "#aiCollaborationPanel QComboBox QAbstractItemView { background-color: #34495e; color: #ecf0f1; }"
        "#aiAddActionButton { background-color: #27ae60; color: white; border: none; border-radius: 4px;"
        " padding: 4px 12px; }"
        "#aiAddActionButton:hover { background-color: #2ecc71; }"));
    m_prompter = [](QWidget* owner, const QString& title, const QString& label) {
        bool ok = false;
        const QString text = QInputDialog::getText(owner, title, label, QLineEdit::Normal, QString(), &ok);
        return ok ? text : QString();
    };
    buildUi();
    retranslateUi();

    connect(m_siteCombo, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &AiCollaborationPanel::onSiteChanged);
    // activated, not currentIndexChanged: choosing the same request twice pastes it twice.
    connect(m_actionCombo, qOverload<int>(&QComboBox::activated), this,
            &AiCollaborationPanel::onActionSelected);
    connect(m_addActionButton, &QPushButton::clicked, this, &AiCollaborationPanel::onAddActionClicked);
    connect(m_view, &QWebEngineView::loadFinished, this, &AiCollaborationPanel::onLoadFinished);
    connect(m_view->page(), &QWebEnginePage::renderProcessTerminated, this,
            &AiCollaborationPanel::onRenderProcessTerminated);
    connect(m_view->page(), &QWebEnginePage::linkHovered, m_view, &QWidget::setToolTip);
    connect(LanguageManager::instance(), &LanguageManager::languageChanged, this,
            &AiCollaborationPanel::onLanguageChanged);

    if (m_sites.isEmpty())
        return;
    qInfo().noquote() << "[WebEngine] Default URL:" << m_sites.first().url.toString();
    // The delay lets the window finish its mode switch before the engine starts loading.
    QTimer::singleShot(500, this, [this] {
        if (m_siteChosen)
            return; // the user picked a site meanwhile; that choice stands
        qInfo().noquote() << "[WebEngine] Delayed load:"
                          << m_sites.at(m_siteCombo->currentIndex()).url.toString();
        loadSite(m_siteCombo->currentIndex());
    });
}

AiCollaborationPanel::~AiCollaborationPanel() = default;

void AiCollaborationPanel::buildUi()
{
    m_siteCombo = new QComboBox(this);
    m_siteCombo->setObjectName(QStringLiteral("aiSiteComboBox"));
    for (const AiSite& site : qAsConst(m_sites))
        m_siteCombo->addItem(siteTitle(site), site.url);

    m_actionCombo = new QComboBox(this);
    m_actionCombo->setObjectName(QStringLiteral("aiActionComboBox"));
    m_actionCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_actionCombo->addItem(QString(), QString::fromLatin1(kPlaceholderAction));
    m_actionCombo->addItem(QString());
    m_actionCombo->addItem(QString());

    m_addActionButton = new QPushButton(this);
    m_addActionButton->setObjectName(QStringLiteral("aiAddActionButton"));

    auto* toolBar = new QHBoxLayout;
    toolBar->setContentsMargins(6, 6, 6, 0);
    toolBar->addWidget(m_siteCombo);
    toolBar->addWidget(m_actionCombo, 1);
    toolBar->addWidget(m_addActionButton);

    m_view = new CustomWebEngineView(this);
    m_view->setPage(new CustomWebPage(profile(), m_view));

    m_settingsWidget = new WrongProblemSettingsWidget(this);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 4);
    column->setSpacing(4);
    column->addLayout(toolBar);
    column->addWidget(m_view, 1);
    column->addWidget(m_settingsWidget);
}

void AiCollaborationPanel::retranslateUi()
{
    for (int i = 0; i < m_sites.size(); ++i)
        m_siteCombo->setItemText(i, siteTitle(m_sites.at(i)));
    m_actionCombo->setItemText(0, tr("Please select AI action"));
    m_actionCombo->setItemText(1, tr("Please analyze this problem"));
    m_actionCombo->setItemText(2, tr("Please recommend 5 similar problems"));
    m_addActionButton->setText(tr("Add Action"));
    m_addActionButton->setToolTip(tr("Add a custom AI action to the list"));
}

void AiCollaborationPanel::onLanguageChanged()
{
    retranslateUi();
}

void AiCollaborationPanel::loadSite(int index)
{
    if (index < 0 || index >= m_sites.size())
        return;
    m_view->load(m_sites.at(index).url);
}

void AiCollaborationPanel::onSiteChanged(int index)
{
    m_siteChosen = true;
    loadSite(index);
}

void AiCollaborationPanel::onActionSelected(int index)
{
    if (index < 0 || index >= m_actionCombo->count() ||
        m_actionCombo->itemData(index).toString() == QLatin1String(kPlaceholderAction))
        return;
    // Through the clipboard, so the request lands in whatever input of the chat page has the focus,
    // whatever the site's markup looks like.
    QApplication::clipboard()->setText(m_actionCombo->itemText(index));
    m_view->page()->triggerAction(QWebEnginePage::Paste);
}

void AiCollaborationPanel::onAddActionClicked()
{
    const QString text = m_prompter(this, tr("Add AI Action"), tr("Enter the AI action text:")).trimmed();
    if (!text.isEmpty())
        m_actionCombo->addItem(text);
}

void AiCollaborationPanel::injectImage(const QImage& image)
{
    const QString script = imageInjectionScript(image);
    if (script.isEmpty()) {
        qWarning().noquote() << "[WebEngine] Dragged image ignored: null or not encodable as PNG";
        return;
    }
    m_view->page()->runJavaScript(script);
    qInfo().noquote() << "[WebEngine] Dragged image sent to the page:" << image.width() << "x"
                      << image.height();
}

void AiCollaborationPanel::onLoadFinished(bool ok)
{
    if (m_failurePagePending) {
        // Our own failure page finished; it says nothing about the site.
        m_failurePagePending = false;
        return;
    }
    const QString address = m_view->url().toString();
    qInfo().noquote() << "[WebEngine] loadFinished:" << (ok ? "SUCCESS" : "FAIL") << "url:" << address;
    if (ok) {
        m_crashReloads = 0;
        return;
    }
    qWarning().noquote() << "[WebEngine] Page load failed! URL:" << address;
    m_failurePagePending = true;
    // Shown decoded, as the user would type it; loadFailurePage() keeps it text.
    m_view->setHtml(loadFailurePage(QUrl::fromPercentEncoding(m_view->url().toEncoded())));
}

void AiCollaborationPanel::onRenderProcessTerminated(QWebEnginePage::RenderProcessTerminationStatus status,
                                                     int exitCode)
{
    const char* statusName =
        QMetaEnum::fromType<QWebEnginePage::RenderProcessTerminationStatus>().valueToKey(status);
    qWarning().noquote() << QStringLiteral("[WebEngine] renderProcessTerminated: status=%1 exitCode=%2")
                                .arg(QLatin1String(statusName ? statusName : "Unknown"))
                                .arg(exitCode);
    // A page that kills its renderer on every load would otherwise be reloaded every few seconds for
    // as long as the program runs.
    if (m_crashReloads >= kMaxCrashReloads) {
        qWarning().noquote() << QStringLiteral(
                                    "[WebEngine] Renderer crashed again after %1 reloads; not reloading")
                                    .arg(m_crashReloads);
        return;
    }
    ++m_crashReloads;
    // The panel as context: a panel destroyed meanwhile drops the timer with it.
    QTimer::singleShot(m_crashReloadDelayMs, this, [this] {
        if (!m_active) {
            qInfo().noquote() << "[WebEngine] Renderer crash: the AI panel is no longer shown; no reload";
            return;
        }
        qInfo().noquote() << "[WebEngine] Attempting reload after renderer crash...";
        m_view->reload();
    });
}
