// SPDX-License-Identifier: GPL-3.0-or-later
#include "lightingviewcontroller.h"

#include "control/devicecommands.h"
#include "control/homeevents.h"
#include "control/livehome.h"
#include "frame/screencaller.h"
#include "lightstatetext.h"
#include "store/channel.h"
#include "store/database.h"
#include "store/recordkeys.h"
#include "views/elidedlabel.h"
#include "views/picturelibrary.h"
#include "views/rightedge.h"
#include "views/vtcellindicatorview.h"
#include "views/vtlightingimageview.h"

#include <QLabel>
#include <QPushButton>

LightingViewController::LightingViewController(const HomeServices &home, QWidget *parent)
    : DeviceTableViewController(home, tr("Lighting"), Value::lighting, parent)
{
    HomeEvents *events = HomeEvents::instance();
    connect(LiveHome::instance(), &LiveHome::channelChanged, this,
            &LightingViewController::showLiveState);
    connect(events, &HomeEvents::channelStateUnknown, this, &LightingViewController::showLiveState);
}

bool LightingViewController::mayExpand(const QVariantMap &record) const
{
    return Channel::isDimmer(record);
}

VtMoveCell *LightingViewController::makeCell(int row, const QVariantMap &record)
{
    auto *cell = new VtMoveCell();
    cell->setObjectName(QStringLiteral("LightingCell%1").arg(row));
    const auto [picture, lightType] = VtLightingImageView::pictureOf(record);
    VtLightingImageView::rowIcon(cell, PictureLibrary::picture(picture), lightType);
    auto *name = new ElidedLabel(record.value(Key::title).toString(), cell);
    name->setGeometry(70, 0, 130, 61);
    RightEdge::stretch(name, 120);
    name->setAttribute(Qt::WA_TransparentForMouseEvents);

    const QString turnOn = record.value(Key::turnOn).toString();
    const bool switched = turnOn == Value::yes || turnOn == Value::no;
    const bool expanded = record.value(Key::move).toString() == Value::yes;
    if (switched) {
        for (bool on : {true, false}) {
            auto *button = new QPushButton(on ? tr("ON") : tr("OFF"), cell);
            button->setObjectName(on ? QStringLiteral("on") : QStringLiteral("off"));
            button->setCheckable(true);
            button->setStyleSheet(QStringLiteral(
                "QPushButton { background: white; color: #45403b; border: 1px solid #b0a49a; "
                "border-radius: 4px; } QPushButton:checked { background: #45403b; color: white; "
                "border-color: #45403b; }"));
            button->setGeometry(0, 15, 50, 30);
            // Spoken with the light's name: "Hall: ON", checked or not.
            button->setAccessibleName(
                QStringLiteral("%1: %2").arg(record.value(Key::title).toString(), button->text()));
            RightEdge::keep(button, on ? 65 : 10);
            connect(button, &QPushButton::clicked, this, [this, cell, row, on] {
                showState(cell, recordAt(row)); // the press changes nothing until the home takes it
                cellSwitchButtonPressed(row, on);
            });
        }
        // Under the two buttons, for a state the home could not tell.
        auto *unknown = new QLabel(cell);
        unknown->setObjectName(QStringLiteral("unknown"));
        unknown->setAlignment(Qt::AlignCenter);
        unknown->setStyleSheet(QStringLiteral("color: #45403b; font-size: 11px;"));
        unknown->setGeometry(0, 45, 105, 16);
        unknown->setAttribute(Qt::WA_TransparentForMouseEvents);
        RightEdge::keep(unknown, 10);
    } else {
        auto *indicator = new VtCellIndicatorView(cell);
        indicator->setObjectName(QStringLiteral("indicator"));
        indicator->setType(expanded ? 2 : 1);
        indicator->move(0, 20);
        RightEdge::keep(indicator, 10);
        auto *level = new QLabel(cell);
        level->setObjectName(QStringLiteral("level"));
        level->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        level->setStyleSheet(QStringLiteral("color: #45403b;"));
        level->setGeometry(0, 0, 70, 61); // room for "Unknown"
        level->setAttribute(Qt::WA_TransparentForMouseEvents);
        RightEdge::keep(level, 40);
    }
    showState(cell, record);
    if (expanded)
        addLevelSlider(cell, record);
    return cell;
}

void LightingViewController::showState(VtMoveCell *cell, const QVariantMap &record)
{
    // An unknown state checks neither of ON and OFF, and says so under them.
    const bool unknown = HomeEvents::instance()->isStateUnknown(record.value(Key::id).toString());
    const QString turnOn = unknown ? QString() : record.value(Key::turnOn).toString();
    if (auto *on = cell->findChild<QPushButton *>(QStringLiteral("on")))
        on->setChecked(turnOn == Value::yes);
    if (auto *off = cell->findChild<QPushButton *>(QStringLiteral("off")))
        off->setChecked(turnOn == Value::no);
    if (auto *level = cell->findChild<QLabel *>(QStringLiteral("level")))
        level->setText(LightStateText::of(record));
    if (auto *note = cell->findChild<QLabel *>(QStringLiteral("unknown")))
        note->setText(unknown ? LightStateText::of(record) : QString());
    cell->setAccessibleDescription(LightStateText::of(record));
}

void LightingViewController::showLiveState(const QString &deviceId)
{
    const int row = rowOfDevice(deviceId);
    if (row < 0)
        return;
    recordAt(row) = LiveHome::instance()->withConfirmedState(recordAt(row));
    if (VtMoveCell *cell = cellAt(row))
        showState(cell, recordAt(row));
}

int LightingViewController::rowOfDevice(const QString &deviceId) const
{
    for (int row = 0; row < customArray().size(); ++row)
        if (customArray().at(row).value(Key::id).toString() == deviceId)
            return row;
    return -1;
}

void LightingViewController::cellSwitchButtonPressed(int row, bool on)
{
    if (row >= 0 && row < customArray().size())
        DeviceCommands(home()).switchLight(recordAt(row), on, ScreenCaller::of(this));
}
