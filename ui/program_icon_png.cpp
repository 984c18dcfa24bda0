#include <QImage>

#include "ui/program_icon.h"

// The resource is compiled into a static library: only a call from the code
// that reads it keeps it in the program. Outside any namespace, as Qt asks.
static void initIconResource() {
    Q_INIT_RESOURCE(program_icon);
}

namespace ui {

// The PNGs themselves, compiled in as resources: the icon build tool cannot run
// where the program is cross-built, and PNG decoding is part of the toolkit.
QIcon programIcon() {
    initIconResource();
    QIcon icon;
    for (int size : {16, 32, 48}) {
        icon.addFile(QStringLiteral(":/quillmere/icons/%1x%1/apps/quillmere.png").arg(size),
                     QSize(size, size));
    }
    return icon;
}

}  // namespace ui
