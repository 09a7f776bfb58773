#pragma once
// The "OCR Language" menu of the preview's context menu: one checkable entry per language the adapter
// offers, in number order, the first checked; choosing one passes its number to the adapter.

#include <QMap>
#include <QString>

#include <functional>

class OCRProcessor;
class QActionGroup;
class QMenu;

namespace OcrLanguageMenu {

// Fills `menu` (named "popupOcrLanguageMenu") from `languages`. `choose` receives the number chosen and
// `status` the text for the status bar ("OCR language set to: English"). Returns the exclusive group,
// owned by the menu.
QActionGroup* populate(QMenu* menu, const QMap<int, QString>& languages, std::function<void(int)> choose,
                       std::function<void(const QString&)> status);

// The same over the adapter: its supportedLanguages(), choices go to its setLanguage().
QActionGroup* populate(QMenu* menu, OCRProcessor* processor, std::function<void(const QString&)> status);

} // namespace OcrLanguageMenu
