#include "ThumbnailDock.h"

#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

ThumbnailDock::ThumbnailDock(QWidget* parent) : QDockWidget(parent)
{
    setObjectName(QStringLiteral("thumbnailDockWidget"));
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    auto* content = new QWidget(this);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(6, 6, 6, 6);
    // Two rows keep the dock narrow, so the preview keeps its room on a 1280-pixel screen.
    auto* buttons = new QGridLayout;
    clearAllButton = new QPushButton(QIcon(QStringLiteral(":/icons/delete.png")), QString(), content);
    clearAllButton->setObjectName(QStringLiteral("clearAllButton"));
    saveAsPdfButton = new QPushButton(QIcon(QStringLiteral(":/icons/pdf.png")), QString(), content);
    saveAsPdfButton->setObjectName(QStringLiteral("saveAsPdfButton"));
    saveAsOfdButton = new QPushButton(QIcon(QStringLiteral(":/icons/ofd.png")), QString(), content);
    saveAsOfdButton->setObjectName(QStringLiteral("saveAsOfdButton"));
    buttons->addWidget(clearAllButton, 0, 0, 1, 2);
    buttons->addWidget(saveAsPdfButton, 1, 0);
    buttons->addWidget(saveAsOfdButton, 1, 1);
    column->addLayout(buttons);
    list = new QListWidget(content);
    list->setObjectName(QStringLiteral("thumbnailList"));
    column->addWidget(list, 1);
    setWidget(content);
    setMinimumWidth(240);
    retranslateUi();
}

void ThumbnailDock::retranslateUi()
{
    setWindowTitle(tr("Captured Images"));
    clearAllButton->setText(tr("Clear All"));
    saveAsPdfButton->setText(tr("Save as PDF"));
    saveAsOfdButton->setText(tr("Save as OFD"));
}
