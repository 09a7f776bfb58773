#include "ThumbnailDock.h"

#include "GalleryPanel.h"

#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

ThumbnailDock::ThumbnailDock(GalleryModel* model, QWidget* parent) : QDockWidget(parent)
{
    setObjectName(QStringLiteral("thumbnailDockWidget"));
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    auto* content = new QWidget(this);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(6, 6, 6, 6);
    // Two rows keep the dock narrow, so the preview keeps its room on a 1280-pixel screen.
    auto* buttons = new QGridLayout;
    clearAllButton = new QPushButton(QIcon(QStringLiteral(":/icons/delete.png")), QString(), content);
    clearAllButton->setObjectName(QStringLiteral("thumbnailClearAllButton"));
    saveAsPdfButton = new QPushButton(QIcon(QStringLiteral(":/icons/pdf.png")), QString(), content);
    saveAsPdfButton->setObjectName(QStringLiteral("saveAsPdfButton"));
    saveAsOfdButton = new QPushButton(QIcon(QStringLiteral(":/icons/ofd.png")), QString(), content);
    saveAsOfdButton->setObjectName(QStringLiteral("saveAsOfdButton"));
    buttons->addWidget(clearAllButton, 0, 0, 1, 2);
    buttons->addWidget(saveAsPdfButton, 1, 0);
    buttons->addWidget(saveAsOfdButton, 1, 1);
    column->addLayout(buttons);
    gallery = new GalleryPanel(model, content);
    gallery->setObjectName(QStringLiteral("galleryPanel"));
    column->addWidget(gallery, 1);
    setWidget(content);
    // Wide enough for an item: its 180-pixel picture and the time, date, size and name beside it.
    setMinimumWidth(320);
    retranslateUi();
}

void ThumbnailDock::retranslateUi()
{
    setWindowTitle(tr("Captured Images"));
    clearAllButton->setText(tr("Clear All"));
    saveAsPdfButton->setText(tr("Save as PDF"));
    saveAsOfdButton->setText(tr("Save as OFD"));
}
