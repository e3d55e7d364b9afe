// SPDX-License-Identifier: GPL-3.0-or-later
#include "vtimagelibsheet.h"

#include "focustrap.h"

#include "picturelibrary.h"

#include <QGridLayout>
#include <QPainter>
#include <QPushButton>

VtImageLibSheet::VtImageLibSheet(QWidget *window) : QWidget(window)
{
    setObjectName(QStringLiteral("imageLibSheet"));
    setGeometry(window->rect());
    auto *panel = new QWidget(this);
    panel->setStyleSheet(QStringLiteral("background: white; border-radius: 8px;"));
    auto *grid = new QGridLayout(panel);
    for (int k = 0; k < PictureLibrary::kScenarioIcons; ++k) {
        auto *icon = new QPushButton(panel);
        icon->setObjectName(QStringLiteral("icon%1").arg(k));
        icon->setAccessibleName(tr("Icon %1").arg(k + 1));
        icon->setIcon(PictureLibrary::picture(PictureLibrary::scenarioIconName(k), 48));
        icon->setIconSize(QSize(48, 48));
        icon->setFixedSize(60, 60);
        connect(icon, &QPushButton::clicked, this, [this, k] { choose(k + 1); });
        grid->addWidget(icon, k / 4, k % 4);
    }
    auto *cancel = new QPushButton(tr("Cancel"), panel);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(cancel, &QPushButton::clicked, this, [this] { choose(0); });
    grid->addWidget(cancel, 3, 0, 1, 4);
    panel->adjustSize();
    panel->setGeometry(10, height() - panel->height() - 10, width() - 20, panel->height());
}

void VtImageLibSheet::showSheet()
{
    show();
    raise();
    FocusTrap::enter(this);
}

void VtImageLibSheet::choose(int index)
{
    hide();
    Q_EMIT clickedButtonAtIndex(index);
    deleteLater();
}

void VtImageLibSheet::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), QColor(0, 0, 0, 110));
}

void VtImageLibSheet::mousePressEvent(QMouseEvent *)
{
    choose(0);
}
