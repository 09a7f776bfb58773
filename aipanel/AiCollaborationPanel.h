#pragma once
// The right half of the split mode: a public AI chat site in a browser view, a tool bar to pick the
// site and paste a prepared request, and the exercise-capture strip. Built once by the window and
// kept; the window tells it through setActive() whether the split mode is showing it.

#include "AiSites.h"

#include <QImage>
#include <QList>
#include <QWebEnginePage>
#include <QWidget>

#include <functional>

class CustomWebEngineView;
class QComboBox;
class QPushButton;
class QWebEngineProfile;
class WrongProblemSettingsWidget;

class AiCollaborationPanel : public QWidget
{
    Q_OBJECT
public:
    // Asks for a new action's text (title, prompt); an empty answer means cancelled.
    using TextPrompter = std::function<QString(QWidget* parent, const QString& title, const QString& label)>;

    // Logs the first site's address and loads it 500 ms later.
    explicit AiCollaborationPanel(QWidget* parent = nullptr, QList<AiSite> sites = defaultAiSites());
    ~AiCollaborationPanel() override;

    CustomWebEngineView* webView() const { return m_view; }
    WrongProblemSettingsWidget* settingsWidget() const { return m_settingsWidget; }
    QList<AiSite> sites() const { return m_sites; }

    // The persistent profile "ai_collab_profile" shared by every panel and the windows its sites open;
    // made on first use, kept until the application object goes.
    static QWebEngineProfile* profile();

    // Replaces the "Add AI Action" input dialog (tests, or callers with their own dialogs).
    void setTextPrompter(TextPrompter prompter) { m_prompter = std::move(prompter); }

    // False while the window shows another mode: a crashed renderer is then not reloaded.
    // A new panel is active, since the window builds it on entering the split mode.
    void setActive(bool active) { m_active = active; }
    bool isActive() const { return m_active; }

    // Wait between a renderer crash and the reload attempt; 3000 ms unless changed.
    void setCrashReloadDelayMs(int delayMs) { m_crashReloadDelayMs = delayMs; }
    // Reload attempts after renderer crashes until a page loads successfully again.
    static constexpr int kMaxCrashReloads = 3;

public slots:
    // Puts `image` (as PNG) into the chat page: after its first text area, or at the end of the body.
    void injectImage(const QImage& image);

    void onSiteChanged(int index);
    // The action combo box's choice: a real action is put on the clipboard and pasted into the page.
    void onActionSelected(int index);
    void onAddActionClicked();
    void onLoadFinished(bool ok);
    void onRenderProcessTerminated(QWebEnginePage::RenderProcessTerminationStatus status, int exitCode);

private slots:
    void onLanguageChanged();

private:
    void buildUi();
    void retranslateUi();
    void loadSite(int index);

    QList<AiSite> m_sites;
    QComboBox* m_siteCombo = nullptr;
    QComboBox* m_actionCombo = nullptr;
    QPushButton* m_addActionButton = nullptr;
    CustomWebEngineView* m_view = nullptr;
    WrongProblemSettingsWidget* m_settingsWidget = nullptr;
    TextPrompter m_prompter;
    bool m_active = true;
    bool m_siteChosen = false;
    bool m_failurePagePending = false;
    int m_crashReloadDelayMs = 3000;
    int m_crashReloads = 0;
};
