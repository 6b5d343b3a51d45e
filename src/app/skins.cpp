#include "app/skins.h"

#include <QFile>

QString skinStyleSheet(Skin skin)
{
    static const char *const files[SkinCount] = {":/skins/blue.qss", ":/skins/steel.qss",
                                                 ":/skins/coffee.qss"};
    const int n = int(skin);
    if (n < 1 || n > SkinCount)
        return {};
    QFile file(QString::fromLatin1(files[n - 1]));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}
