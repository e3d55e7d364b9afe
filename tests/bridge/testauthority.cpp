// SPDX-License-Identifier: GPL-3.0-or-later
#include "testauthority.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace {
bool openssl(const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("openssl"), arguments);
    const bool made = process.waitForFinished(30000) && process.exitCode() == 0;
    if (!made) // its progress dots are noise; its complaint is not
        qWarning("openssl: %s", process.readAll().constData());
    return made;
}
} // namespace

std::optional<TestAuthority> TestAuthority::makeIn(const QString &folder, KeyType type)
{
    const QDir dir(folder);
    const TestAuthority made{dir.filePath("ca.crt"), dir.filePath("server.crt"),
                             dir.filePath("server.key")};
    const QString caKey = dir.filePath("ca.key"), request = dir.filePath("server.csr");
    QFile names(dir.filePath("names.ext"));
    if (!names.open(QIODevice::WriteOnly))
        return std::nullopt;
    names.write("subjectAltName=DNS:localhost,IP:127.0.0.1\n");
    names.close();
    if (!openssl({"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", caKey, "-out",
                  made.ca, "-days", "1", "-subj", "/CN=Ardentia test authority"}) ||
        !openssl(QStringList{"req", "-newkey"} +
                 (type == KeyType::Ec
                      ? QStringList{"ec", "-pkeyopt", "ec_paramgen_curve:prime256v1"}
                      : QStringList{"rsa:2048"}) +
                 QStringList{"-nodes", "-keyout", made.key, "-out", request, "-subj",
                             "/CN=localhost"}) ||
        !openssl({"x509", "-req", "-in", request, "-CA", made.ca, "-CAkey", caKey,
                  "-CAcreateserial", "-out", made.certificate, "-days", "1", "-extfile",
                  names.fileName()}))
        return std::nullopt;
    return made;
}
