#include "linux/skin_images.h"

#include <QFile>

// Q_INIT_RESOURCE must be called from the global namespace.
static void initOrvaneResources() {
    Q_INIT_RESOURCE(resources);
}

namespace ui {

void InitResources() {
    initOrvaneResources();
}

QImage LoadSkinImage(const char* resourcePath) {
    QFile file(QString::fromLatin1(resourcePath));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QImage::fromData(file.readAll());
}

} // namespace ui
