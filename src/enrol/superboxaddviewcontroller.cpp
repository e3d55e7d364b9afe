// SPDX-License-Identifier: GPL-3.0-or-later
#include "superboxaddviewcontroller.h"

#include "control/transmitterenrolment.h"
#include "core/showalertmanager.h"
#include "frame/navigationbar.h"
#include "frame/screencaller.h"

#include <QLabel>

SuperBoxAddViewController::SuperBoxAddViewController(const HomeServices &home, const QString &id,
                                                     const QString &summary, QWidget *parent)
    : ScannedViewController(tr("Scanned Transmitter"), parent), m_home(home), m_id(id),
      m_role(new QLabel(this)), m_detail(new QLabel(summary, this))
{
    if (TransmitterEnrolment(m_home).isStored(id))
        ShowAlertManager::instance()->showLabelWithTitle(tr("This Transmitter has been added"));
    m_role->setObjectName(QStringLiteral("roleLine"));
    m_role->setText(TransmitterEnrolment(m_home).roleLine(id));
    m_role->setAlignment(Qt::AlignCenter);
    m_role->setStyleSheet(QStringLiteral("font-size: 20px; font-weight: bold; color: #45403b;"));
    m_detail->setAlignment(Qt::AlignCenter);
    m_detail->setStyleSheet(QStringLiteral("color: #45403b;"));
    updateDownViewWithTitleArray({tr("Connect")});
}

QString SuperBoxAddViewController::roleLine() const
{
    return m_role->text();
}

void SuperBoxAddViewController::connect()
{
    TransmitterEnrolment(m_home).connect(m_id, ScreenCaller::of(this));
}

void SuperBoxAddViewController::superBoxAddSucceed(bool succeeded)
{
    if (succeeded) {
        setShowAlertViewWithImageName(QStringLiteral("0"), tr("Connection successful"));
        setReminderColouring(1);
        updateDownViewWithTitleArray({tr("Add More"), tr("Done")});
        TransmitterEnrolment(m_home).importConfiguration(ScreenCaller::of(this));
        return;
    }
    setShowAlertViewWithImageName(QStringLiteral("1"), tr("Network connection failed"));
    setReminderColouring(2);
    updateDownViewWithTitleArray({tr("Retry")});
}

void SuperBoxAddViewController::resizeEvent(QResizeEvent *event)
{
    ScannedViewController::resizeEvent(event);
    const int top = NavigationBar::kHeight + 20;
    m_role->setGeometry(0, top, width(), 30);
    m_detail->setGeometry(0, top + 40, width(), 60);
    reminder()->setGeometry(20, top + 120, width() - 40, 80);
}
