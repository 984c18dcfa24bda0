#include "window_kit/qt_translation.h"

#include <QCoreApplication>
#include <QTranslator>

namespace kit {

bool installQtChineseTexts(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral(":/quillmere/translations/qtbase_zh_CN.qm"))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace kit
