#pragma once
// The questions the comparison dialog asks the user: file and folder choosers, the colour chooser and
// message boxes. The dialog only talks to this interface, so tests answer with a scripted version and
// never open a real modal dialog.
#include <QColor>
#include <QString>
#include <QStringList>

class QWidget;

class ComparePrompts
{
public:
    virtual ~ComparePrompts() = default;

    // Empty (or an empty list) when the user cancelled.
    virtual QString openFile(QWidget* parent, const QString& title, const QString& filter) = 0;
    virtual QStringList openFiles(QWidget* parent, const QString& title, const QString& filter) = 0;
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& proposedPath,
                             const QString& filter) = 0;
    virtual QString directory(QWidget* parent, const QString& title) = 0;
    // An invalid colour when the user cancelled.
    virtual QColor color(QWidget* parent, const QColor& initial, const QString& title) = 0;

    virtual void information(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void warning(QWidget* parent, const QString& title, const QString& text) = 0;
    // True when the user answered Yes.
    virtual bool question(QWidget* parent, const QString& title, const QString& text) = 0;
};

// Qt's own static dialogs.
class QtComparePrompts : public ComparePrompts
{
public:
    QString openFile(QWidget* parent, const QString& title, const QString& filter) override;
    QStringList openFiles(QWidget* parent, const QString& title, const QString& filter) override;
    QString saveFile(QWidget* parent, const QString& title, const QString& proposedPath,
                     const QString& filter) override;
    QString directory(QWidget* parent, const QString& title) override;
    QColor color(QWidget* parent, const QColor& initial, const QString& title) override;
    void information(QWidget* parent, const QString& title, const QString& text) override;
    void warning(QWidget* parent, const QString& title, const QString& text) override;
    bool question(QWidget* parent, const QString& title, const QString& text) override;
};
