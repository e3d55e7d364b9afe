// SPDX-License-Identifier: GPL-3.0-or-later
#include "aboutusviewcontroller.h"

#include "frame/navigationbar.h"
#include "views/illustrations.h"

#include <QLabel>

AboutUSViewController::AboutUSViewController(QWidget *parent)
    : ParentViewController(tr("About"), parent), m_icon(new QLabel(this)),
      m_name(line(kDisplayName, 20, "name")), m_motto(line(tr("畅享智能生活"), 14, "motto")),
      m_logo(new QLabel(this)),
      m_legal(line(tr("© 2026 The Ardentia Home developers. All rights reserved."), 11, "legal")),
      m_support(line(supportLine(), 14, "support")), m_version(line(versionLine(), 14, "version"))
{
    m_icon->setObjectName(QStringLiteral("icon"));
    m_icon->setPixmap(Illustrations::inBox(QStringLiteral("MainIcon320b.png"), QSize(100, 100),
                                           devicePixelRatioF()));
    m_logo->setObjectName(QStringLiteral("logo"));
    m_logo->setPixmap(
        Illustrations::toWidth(QStringLiteral("company_Logo_Red.png"), 150, devicePixelRatioF()));
    m_name->setStyleSheet(m_name->styleSheet() + QStringLiteral(" font-weight: bold;"));
}

QString AboutUSViewController::supportLine()
{
    return QStringLiteral("%1:%2").arg(tr("Technical Support"), kSupportNumber);
}

QString AboutUSViewController::versionLine()
{
    return QStringLiteral("%1:%2").arg(tr("App Version"), QStringLiteral(ARDENTIA_VERSION));
}

QLabel *AboutUSViewController::line(const QString &text, int pixelSize, const char *name)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("font-size: %1px; color: rgb(80, 80, 80);").arg(pixelSize));
    return label;
}

void AboutUSViewController::resizeEvent(QResizeEvent *event)
{
    ParentViewController::resizeEvent(event);
    const int w = width();
    int y = NavigationBar::kHeight + 40;
    m_icon->setGeometry((w - 100) / 2, y, 100, 100);
    y += 110;
    m_name->setGeometry(10, y, w - 20, 28);
    m_motto->setGeometry(10, y + 30, w - 20, 20);
    // The maker's block and the contact lines sit at the bottom.
    const int bottom = height() - 20;
    m_version->setGeometry(10, bottom - 20, w - 20, 20);
    m_support->setGeometry(10, bottom - 44, w - 20, 20);
    m_legal->setGeometry(10, bottom - 84, w - 20, 30);
    const QSize logo = m_logo->pixmap().deviceIndependentSize().toSize();
    m_logo->setGeometry((w - logo.width()) / 2, bottom - 90 - logo.height(), logo.width(),
                        logo.height());
}
