#include "documents.h"

#include <QDir>
#include <QStandardPaths>

namespace {
QString &overridePath()
{
    static QString path;
    return path;
}
} // namespace

QString Documents::directory()
{
    const QString path = overridePath().isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                                   QStringLiteral("/Documents")
                             : overridePath();
    QDir().mkpath(path);
    return path;
}

QString Documents::filePath(const QString &name)
{
    return directory() + QLatin1Char('/') + name;
}

void Documents::setDirectoryOverride(const QString &path)
{
    overridePath() = path;
}
