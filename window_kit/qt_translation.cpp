#include "window_kit/qt_translation.h"

#include <QCoreApplication>
#include <QTranslator>

// The resource is compiled into a static library: only a call from the code
// that reads it keeps it in the program. Outside any namespace, as Qt asks.
static void initTranslationResource() {
    Q_INIT_RESOURCE(qt_translation);
}

namespace kit {

bool installQtChineseTexts(QCoreApplication& app) {
    initTranslationResource();
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral(":/quillmere/translations/qtbase_zh_CN.qm"))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace kit
