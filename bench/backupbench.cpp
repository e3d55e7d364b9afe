// SPDX-License-Identifier: GPL-3.0-or-later
#include "backupbench.h"

#include "largehome.h"

#include "backup/backupwriter.h"
#include "backup/homerestore.h"
#include "base/documents.h"
#include "store/picturefile.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kRepeats = 5;
constexpr int kPhotoSide = 480; // as a page's photo is kept

// A photo's worth of detail (noise compresses as badly as a photo does).
QByteArray photoPng(int seed)
{
    QImage image(kPhotoSide, kPhotoSide, QImage::Format_RGB32);
    QRandomGenerator random{quint32(seed)};
    for (int y = 0; y < kPhotoSide; ++y)
        for (int x = 0; x < kPhotoSide; ++x)
            image.setPixel(x, y, qRgb(x / 2 + int(random.bounded(40)), y / 2, 128 + seed * 10));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

double medianOf(QList<double> times)
{
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}
} // namespace

void runBackupBench()
{
    buildLargeHome(
        [](int scenario) { return PictureFile::save(photoPng(scenario)).value_or(QString()); });
    QTemporaryDir work;
    const BackupSources home{Documents::directory(), {}, {}};
    const QString file = work.filePath(QStringLiteral("home.tar.gz"));

    QList<double> backups, restores;
    QElapsedTimer clock;
    for (int r = 0; r < kRepeats; ++r) {
        clock.start();
        if (const std::optional<QString> failed = BackupWriter(home).write(file)) {
            std::printf("backup failed: %s\n", qPrintable(*failed));
            return;
        }
        backups.append(double(clock.nsecsElapsed()) / 1e6);
        // A new card: an empty data folder.
        const QString card = work.filePath(QStringLiteral("card-%1").arg(r));
        QDir().mkpath(card);
        clock.start();
        if (const std::optional<QString> failed = HomeRestore({card, {}, {}}).restore(file)) {
            std::printf("restore failed: %s\n", qPrintable(*failed));
            return;
        }
        restores.append(double(clock.nsecsElapsed()) / 1e6);
    }
    std::printf("\nBackup, %d channels, %d scenarios of %d members with photos, %d runs (median)\n",
                kLargeHomeChannels, kLargeHomeScenarios, kLargeHomeMembers, kRepeats);
    std::printf("  %-34s %9.1f ms\n", "backup (store, pictures)", medianOf(backups));
    std::printf("  %-34s %9.1f ms\n", "restore onto a new card", medianOf(restores));
    std::printf("  %-34s %9.1f KB\n", "backup file", double(QFileInfo(file).size()) / 1024);
}
