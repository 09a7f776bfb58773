#include "VideoWidgetMenu.h"

#include "VideoWidget.h"

#include <QCoreApplication>
#include <QMenu>

QMenu* createVideoWidgetContextMenu(VideoWidget* view, QWidget* parent)
{
    // Translated in the widget's own context, where the translators find every other preview string.
    auto tr = [](const char* text) { return QCoreApplication::translate("VideoWidget", text); };
    auto* menu = new QMenu(parent);
    QObject::connect(menu->addAction(tr(QT_TRANSLATE_NOOP("VideoWidget", "Copy"))), &QAction::triggered, view, &VideoWidget::copy);
    menu->addSeparator();
    QObject::connect(menu->addAction(tr(QT_TRANSLATE_NOOP("VideoWidget", "Rotate Left"))), &QAction::triggered, view, &VideoWidget::rotateLeft);
    QObject::connect(menu->addAction(tr(QT_TRANSLATE_NOOP("VideoWidget", "Rotate Right"))), &QAction::triggered, view, &VideoWidget::rotateRight);
    menu->addSeparator();
    QObject::connect(menu->addAction(tr(QT_TRANSLATE_NOOP("VideoWidget", "Zoom In"))), &QAction::triggered, view, &VideoWidget::zoomIn);
    QObject::connect(menu->addAction(tr(QT_TRANSLATE_NOOP("VideoWidget", "Zoom Out"))), &QAction::triggered, view, &VideoWidget::zoomOut);
    QObject::connect(menu->addAction(tr(QT_TRANSLATE_NOOP("VideoWidget", "Fit to View"))), &QAction::triggered, view, &VideoWidget::fitToView);
    QObject::connect(menu->addAction(tr(QT_TRANSLATE_NOOP("VideoWidget", "Reset Zoom"))), &QAction::triggered, view, &VideoWidget::resetZoom);
    menu->addSeparator();
    QObject::connect(menu->addAction(tr(QT_TRANSLATE_NOOP("VideoWidget", "Clear Annotations"))), &QAction::triggered, view,
                     &VideoWidget::clearAnnotations);
    return menu;
}
