#include "OcrLanguageMenu.h"

#include "OCRProcessor.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>

namespace OcrLanguageMenu {

QActionGroup* populate(QMenu* menu, const QMap<int, QString>& languages, std::function<void(int)> choose,
                       std::function<void(const QString&)> status)
{
    menu->setObjectName(QStringLiteral("popupOcrLanguageMenu"));
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    bool first = true;
    for (auto it = languages.cbegin(); it != languages.cend(); ++it) {
        QAction* action = menu->addAction(it.value());
        action->setCheckable(true);
        action->setData(it.key());
        action->setChecked(first);
        first = false;
        group->addAction(action);
    }
    QObject::connect(group, &QActionGroup::triggered, menu, [choose, status](QAction* action) {
        if (choose)
            choose(action->data().toInt());
        if (status)
            status(QCoreApplication::translate("OcrLanguageMenu", "OCR language set to: %1")
                       .arg(action->text()));
    });
    return group;
}

QActionGroup* populate(QMenu* menu, OCRProcessor* processor, std::function<void(const QString&)> status)
{
    return populate(
        menu, processor->supportedLanguages(),
        [processor](int language) { processor->setLanguage(language); }, std::move(status));
}

} // namespace OcrLanguageMenu
