#include "ComparePrompts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

QString QtComparePrompts::openFile(QWidget* parent, const QString& title, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

QStringList QtComparePrompts::openFiles(QWidget* parent, const QString& title, const QString& filter)
{
    return QFileDialog::getOpenFileNames(parent, title, QString(), filter);
}

QString QtComparePrompts::saveFile(QWidget* parent, const QString& title, const QString& proposedPath,
                                   const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, title, proposedPath, filter);
}

QString QtComparePrompts::directory(QWidget* parent, const QString& title)
{
    return QFileDialog::getExistingDirectory(parent, title);
}

QColor QtComparePrompts::color(QWidget* parent, const QColor& initial, const QString& title)
{
    return QColorDialog::getColor(initial, parent, title);
}

void QtComparePrompts::information(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::information(parent, title, text);
}

void QtComparePrompts::warning(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::warning(parent, title, text);
}

bool QtComparePrompts::question(QWidget* parent, const QString& title, const QString& text)
{
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}
