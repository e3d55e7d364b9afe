// SPDX-License-Identifier: GPL-3.0-or-later
#include "curtainviewcontroller.h"

#include "control/devicecommands.h"
#include "frame/screencaller.h"
#include "store/recordkeys.h"
#include "views/elidedlabel.h"
#include "views/picturelibrary.h"
#include "views/rightedge.h"
#include "views/vtcellindicatorview.h"
#include "views/vtlightingimageview.h"

#include <QLabel>
#include <QPushButton>

CurtainViewController::CurtainViewController(const HomeServices &home, QWidget *parent)
    : DeviceTableViewController(home, tr("Curtain"), Value::curtain, parent)
{
}

VtMoveCell *CurtainViewController::makeCell(int row, const QVariantMap &record)
{
    auto *cell = new VtMoveCell();
    cell->setObjectName(QStringLiteral("CurtainCell%1").arg(row));
    const auto [picture, lightType] = VtLightingImageView::pictureOf(record);
    VtLightingImageView::rowIcon(cell, PictureLibrary::picture(picture), lightType);
    auto *name = new ElidedLabel(record.value(Key::title).toString(), cell);
    name->setGeometry(70, 0, 200, 61);
    RightEdge::stretch(name, 40);
    name->setAttribute(Qt::WA_TransparentForMouseEvents);
    const bool expanded = record.value(Key::move).toString() == Value::yes;
    auto *indicator = new VtCellIndicatorView(cell);
    indicator->setType(expanded ? 2 : 1);
    indicator->move(0, 20);
    RightEdge::keep(indicator, 10);
    if (!expanded)
        return cell;
    addSeparator(cell);
    // Left to right: open, close, stop.
    const QList<std::pair<QString, QString>> motions{{tr("Open"), QStringLiteral("1")},
                                                     {tr("Close"), QStringLiteral("0")},
                                                     {tr("Stop"), QStringLiteral("2")}};
    for (int i = 0; i < motions.size(); ++i) {
        auto *button = new QPushButton(motions.at(i).first, cell);
        button->setObjectName(QStringLiteral("motion%1").arg(motions.at(i).second));
        button->setGeometry(20 + i * 100, 61 + 13, 80, 35);
        RightEdge::keep(button, 20 + int(motions.size() - 1 - i) * 100);
        const QString motion = motions.at(i).second;
        connect(button, &QPushButton::clicked, this,
                [this, row, motion] { cellControlButtonPressed(row, motion); });
    }
    return cell;
}

void CurtainViewController::cellControlButtonPressed(int row, const QString &motion)
{
    if (row >= 0 && row < customArray().size())
        DeviceCommands(home()).moveCurtain(customArray().at(row), motion, ScreenCaller::of(this));
}
