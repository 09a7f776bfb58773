#include "VideoWidgetMenu.h"

#include "VideoWidget.h"

#include <QCoreApplication>
#include <QMenu>

QMenu* createVideoWidgetContextMenu(VideoWidget* view, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    const auto add = [menu, view](const QString& text, void (VideoWidget::*slot)()) {
        QObject::connect(menu->addAction(text), &QAction::triggered, view, slot);
    };
    // Translated in the widget's own context, where the translators find every other preview string;
    // each text stays a literal translate() call so that lupdate collects it.
    add(QCoreApplication::translate("VideoWidget", "Copy"), &VideoWidget::copy);
    menu->addSeparator();
    add(QCoreApplication::translate("VideoWidget", "Rotate Left"), &VideoWidget::rotateLeft);
    add(QCoreApplication::translate("VideoWidget", "Rotate Right"), &VideoWidget::rotateRight);
    menu->addSeparator();
    add(QCoreApplication::translate("VideoWidget", "Zoom In"), &VideoWidget::zoomIn);
    add(QCoreApplication::translate("VideoWidget", "Zoom Out"), &VideoWidget::zoomOut);
    add(QCoreApplication::translate("VideoWidget", "Fit to View"), &VideoWidget::fitToView);
    add(QCoreApplication::translate("VideoWidget", "Reset Zoom"), &VideoWidget::resetZoom);
    menu->addSeparator();
    add(QCoreApplication::translate("VideoWidget", "Clear Annotations"), &VideoWidget::clearAnnotations);
    return menu;
}
