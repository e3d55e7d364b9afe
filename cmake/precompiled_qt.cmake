# SPDX-License-Identifier: GPL-3.0-or-later
# The Qt and standard headers nearly every file of a library includes,
# parsed once per library instead of once per file.
option(ARDENTIA_PCH "Precompile the common Qt headers of each library" ON)

set(ARDENTIA_PCH_CORE
    <QByteArray> <QDateTime> <QHash> <QJsonArray> <QJsonDocument> <QJsonObject> <QList>
    <QMap> <QObject> <QPointer> <QSet> <QString> <QStringList> <QTimer> <QVariant>
    <functional> <memory> <optional> <vector>)
set(ARDENTIA_PCH_NETWORK ${ARDENTIA_PCH_CORE} <QHostAddress> <QTcpSocket> <QUdpSocket>)
set(ARDENTIA_PCH_WIDGETS ${ARDENTIA_PCH_CORE}
    <QHBoxLayout> <QLabel> <QPainter> <QPushButton> <QVBoxLayout> <QWidget>)
set(ARDENTIA_PCH_TESTS ${ARDENTIA_PCH_NETWORK}
    <QDir> <QFile> <QSignalSpy> <QTemporaryDir> <QTest>)

# Precompiles the given header set for a target.
function(ardentia_precompile target headers)
    if(ARDENTIA_PCH)
        target_precompile_headers(${target} PRIVATE ${${headers}})
    endif()
endfunction()

# Reuses the headers another target precompiled (the same flags and Qt modules).
function(ardentia_reuse_precompiled target host)
    if(ARDENTIA_PCH)
        target_precompile_headers(${target} REUSE_FROM ${host})
    endif()
endfunction()
