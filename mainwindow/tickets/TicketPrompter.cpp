#include "TicketPrompter.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

void TicketPrompter::warning(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::warning(parent, title, text);
}

void TicketPrompter::information(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::information(parent, title, text);
}

bool TicketPrompter::confirm(QWidget* parent, const QString& title, const QString& text)
{
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

QString TicketPrompter::saveFileName(QWidget* parent, const QString& title, const QString& proposedPath,
                                     const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, title, proposedPath, filter);
}

bool TicketPrompter::runDialog(QDialog& dialog)
{
    return dialog.exec() == QDialog::Accepted;
}
