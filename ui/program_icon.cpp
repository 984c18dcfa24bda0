#include "ui/program_icon.h"

#include <QImage>
#include <QPixmap>

namespace ui {

QIcon programIcon() {
    QIcon icon;
    for (const IconPixels& pixels : programIconPixels()) {
        const QImage image(reinterpret_cast<const uchar*>(pixels.argb), pixels.size, pixels.size,
                           QImage::Format_ARGB32_Premultiplied);
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

}  // namespace ui
