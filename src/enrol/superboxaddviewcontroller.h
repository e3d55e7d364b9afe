// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scannedviewcontroller.h"

#include "control/homeservices.h"
#include "control/transmitterenrolmentscreen.h"

class QLabel;

// Enrols a scanned transmitter: the first of a home as master (located on
// the network), any other as a slave through the master; on success the
// master's configuration is imported.
class SuperBoxAddViewController : public ScannedViewController, public TransmitterEnrolmentScreen {
    Q_OBJECT

public:
    SuperBoxAddViewController(const HomeServices &home, const QString &id, const QString &summary,
                              QWidget *parent = nullptr);

    QString transmitterId() const { return m_id; }
    QString roleLine() const;
    void connect() override;
    void superBoxAddSucceed(bool succeeded) override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    HomeServices m_home;
    QString m_id;
    QLabel *m_role;
    QLabel *m_detail;
};
