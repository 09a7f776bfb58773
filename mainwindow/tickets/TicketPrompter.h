#pragma once
// What the ticket dialogs ask of the user through the desktop: message boxes, a save-file chooser and the
// modal run of a nested dialog. The dialogs hold one of these, so a test answers them without a real box.

#include <QString>

class QDialog;
class QWidget;

class TicketPrompter
{
public:
    virtual ~TicketPrompter() = default;
    virtual void warning(QWidget* parent, const QString& title, const QString& text);
    virtual void information(QWidget* parent, const QString& title, const QString& text);
    // True for "yes".
    virtual bool confirm(QWidget* parent, const QString& title, const QString& text);
    // The chosen path, empty when cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& proposedPath,
                                 const QString& filter);
    // Runs `dialog` modally; true when it was accepted.
    virtual bool runDialog(QDialog& dialog);
};
