// SPDX-License-Identifier: GPL-3.0-or-later
#include "choosecontrolviewcontroller.h"

#include "control/devicecommands.h"
#include "control/scenariooperations.h"
#include "core/showalertmanager.h"
#include "frame/navigationbar.h"
#include "frame/navigationstack.h"
#include "frame/screencaller.h"
#include "sceneeditnameviewcontroller.h"
#include "store/channel.h"
#include "store/database.h"
#include "store/jsoncodec.h"
#include "store/recordkeys.h"
#include "views/elidedlabel.h"
#include "views/picturelibrary.h"
#include "views/rightedge.h"
#include "views/vtcellindicatorview.h"
#include "views/vtlightingimageview.h"
#include "views/vtsimpleslider.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

namespace {
constexpr int kBottomBarHeight = 50;
constexpr int kNextWidth = 100;

} // namespace

ChooseControlViewController::ChooseControlViewController(const HomeServices &home, QWidget *parent)
    : DeviceTableViewController(home, tr("Select Devices"), std::nullopt, parent),
      m_bottomBar(new QWidget(this)), m_chosen(new QScrollArea(m_bottomBar)),
      m_next(new QPushButton(m_bottomBar))
{
    setTableBottomInset(kBottomBarHeight);
    // The icons of the ticked devices scroll sideways in their own strip, left of Next.
    m_chosen->setObjectName(QStringLiteral("chosenDevices"));
    m_chosen->setFrameShape(QFrame::NoFrame);
    m_chosen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_chosen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_chosen->setWidget(new QWidget());
    m_chosen->setStyleSheet(QStringLiteral("background: transparent;"));
    m_bottomBar->setObjectName(QStringLiteral("bottomBar"));
    m_bottomBar->setStyleSheet(QStringLiteral("background: rgb(69, 61, 59);"));
    m_next->setObjectName(QStringLiteral("next"));
    m_next->setStyleSheet(QStringLiteral("color: white; border: none; font-size: 16px;"));
    connect(m_next, &QPushButton::clicked, this, &ChooseControlViewController::nextButtonPress);
    navBar()->rightButton()->hide();
    DeviceTableViewController::updateMainView(); // every device, once
    m_loaded = true;
    refreshBottomBar();
}

bool ChooseControlViewController::mayExpand(const QVariantMap &record) const
{
    return Channel::isDimmer(record);
}

VtMoveCell *ChooseControlViewController::makeCell(int row, const QVariantMap &record)
{
    auto *cell = new VtMoveCell();
    auto *box = new QPushButton(cell);
    box->setObjectName(QStringLiteral("tick"));
    box->setCheckable(true);
    box->setChecked(m_needArray.contains(QStringLiteral("0_%1").arg(row)));
    box->setText(box->isChecked() ? QStringLiteral("☑") : QStringLiteral("☐"));
    box->setStyleSheet(QStringLiteral("border: none; font-size: 22px;"));
    box->setGeometry(5, 15, 30, 30);
    // Spoken as a check box with the device's name, checked or not.
    box->setAccessibleName(tr("Include %1").arg(record.value(Key::title).toString()));
    connect(box, &QPushButton::clicked, this, [this, row](bool on) { tick(row, on); });
    const auto [picture, lightType] = VtLightingImageView::pictureOf(record);
    VtLightingImageView::rowIcon(cell, PictureLibrary::picture(picture), lightType)->move(40, 5);
    auto *name = new ElidedLabel(record.value(Key::title).toString(), cell);
    name->setAttribute(Qt::WA_TransparentForMouseEvents);
    name->setGeometry(95, 0, 140, 61);
    RightEdge::stretch(name, 80);
    const QString turnOn = record.value(Key::turnOn).toString();
    if (Channel::isDimmer(record)) {
        auto *indicator = new VtCellIndicatorView(cell);
        indicator->setType(record.value(Key::move) == Value::yes ? 2 : 1);
        indicator->move(290, 20);
        RightEdge::keep(indicator, 10);
        if (record.value(Key::move) == Value::yes)
            addLevelSlider(cell, record);
    } else {
        auto *toggle = new QPushButton(turnOn == Value::yes ? tr("ON") : tr("OFF"), cell);
        toggle->setObjectName(QStringLiteral("switch"));
        toggle->setCheckable(true);
        toggle->setChecked(turnOn == Value::yes);
        toggle->setGeometry(250, 15, 60, 30);
        RightEdge::keep(toggle, 10);
        connect(toggle, &QPushButton::clicked, this, [this, row, toggle](bool on) {
            toggle->setText(on ? tr("ON") : tr("OFF")); // the label says the choice
            VtSwitchViewTouched(row, on);
        });
    }
    return cell;
}

void ChooseControlViewController::tick(int row, bool ticked)
{
    const QString entry = QStringLiteral("0_%1").arg(row);
    if (!ticked) {
        m_needArray.removeAll(entry);
        reloadTable();
        refreshBottomBar();
        return;
    }
    const QVariantMap &device = customArray().at(row);
    DeviceCommands(home()).queryState(device, ScreenCaller::of(this));
    if (!m_needArray.contains(entry))
        m_needArray.append(entry);
    m_whichIfSelect = row;
    reloadTable();
    refreshBottomBar();
}

void ChooseControlViewController::VtSwitchViewTouched(int row, bool on)
{
    // The record holds the state chosen for the scenario; the command lets
    // the person see it in the room.
    QVariantMap &device = records()[row];
    device.insert(Key::turnOn, on ? Value::yes : Value::no);
    if (device.value(Key::type) == Value::curtain)
        DeviceCommands(home()).moveCurtain(device, on ? QStringLiteral("1") : QStringLiteral("0"),
                                           ScreenCaller::of(this));
    else
        DeviceCommands(home()).switchLight(device, on, ScreenCaller::of(this));
}

void ChooseControlViewController::VtSimpleSliderViewTouched(VtSimpleSlider *slider)
{
    const int row = slider ? rowOf(slider->parentWidget()) : -1;
    if (row >= 0) // truncated toward zero, as the command is
        records()[row].insert(Key::turnOn, QString::number(int(slider->value())));
    DeviceTableViewController::VtSimpleSliderViewTouched(slider);
}

void ChooseControlViewController::VtMoveCellSelector(QWidget *cell, const QString &moveType)
{
    // Only a press on a dimmer does something here: it expands or collapses it.
    const int row = rowOf(cell);
    if (moveType == QLatin1String("P") && row >= 0 && mayExpand(customArray().at(row)))
        DeviceTableViewController::VtMoveCellSelector(cell, moveType);
}

void ChooseControlViewController::updateMainView()
{
    if (!m_loaded || m_whichIfSelect < 0 || m_whichIfSelect >= customArray().size())
        return;
    QVariantMap &device = records()[m_whichIfSelect];
    for (const QVariantMap &stored : Database::instance()->readAllMainDeviceInfo()) {
        if (stored.value(Key::id) != device.value(Key::id))
            continue;
        if (stored.value(Key::turnOn) != device.value(Key::turnOn)) {
            device.insert(Key::turnOn, stored.value(Key::turnOn));
            reloadTable();
        }
        return;
    }
}

void ChooseControlViewController::controlRefused(const QString &deviceId)
{
    for (QVariantMap &device : records()) {
        if (device.value(Key::id).toString() != deviceId)
            continue;
        const std::optional<QVariantMap> stored = JsonCodec::recordFromJSONString(
            Database::instance()->selectMainDeviceWithMainID(deviceId));
        if (stored)
            device.insert(Key::turnOn, stored->value(Key::turnOn));
        reloadTable();
        return;
    }
}

QList<QVariantMap> ChooseControlViewController::selectedDevices() const
{
    QList<QVariantMap> devices;
    for (const QString &entry : m_needArray) {
        const int row = entry.section(QLatin1Char('_'), 1).toInt();
        if (row >= 0 && row < customArray().size())
            devices.append(customArray().at(row));
    }
    return devices;
}

QList<QVariantMap> ChooseControlViewController::getEditScenarioArray()
{
    return ScenarioOperations::creationQueue(selectedDevices(),
                                             ScenarioOperations(home()).nextScenarioNumber());
}

void ChooseControlViewController::nextButtonPress()
{
    if (m_needArray.isEmpty()) {
        ShowAlertManager::instance()->showLabelWithTitle(tr("Please select device"));
        return;
    }
    const QList<QVariantMap> queue = getEditScenarioArray();
    const QString number = queue.constLast().value(Key::mainID).toString();
    auto *naming = new SceneEditNameViewController(
        home(), QString(), QString(), queue,
        ScenarioOperations::newScenarioRecord(number, QString(), QString()));
    if (auto *stack = NavigationStack::of(this))
        stack->push(naming, true);
}

void ChooseControlViewController::refreshBottomBar()
{
    m_next->setText(m_needArray.isEmpty()
                        ? tr("Next")
                        : QStringLiteral("%1(%2)").arg(tr("Next")).arg(m_needArray.size()));
    QWidget *strip = m_chosen->widget();
    qDeleteAll(strip->findChildren<VtLightingImageView *>(Qt::FindDirectChildrenOnly));
    const int side = kBottomBarHeight - 10;
    int i = 0;
    for (const QVariantMap &device : selectedDevices()) {
        auto *icon = new VtLightingImageView(strip);
        icon->setFixedSize(side, side);
        icon->setPicture(PictureLibrary::picture(VtLightingImageView::pictureOf(device).first), 0);
        icon->move(side * i + 10 * (i + 1), 5);
        icon->show();
        ++i;
    }
    strip->resize((side + 10) * i + 10, kBottomBarHeight);
    // The newest choice in view.
    m_chosen->horizontalScrollBar()->setValue(m_chosen->horizontalScrollBar()->maximum());
}

void ChooseControlViewController::resizeEvent(QResizeEvent *event)
{
    DeviceTableViewController::resizeEvent(event);
    m_bottomBar->setGeometry(0, height() - kBottomBarHeight, width(), kBottomBarHeight);
    m_next->setGeometry(width() - kNextWidth, 0, kNextWidth, kBottomBarHeight);
    m_chosen->setGeometry(0, 0, qMax(0, width() - kNextWidth), kBottomBarHeight);
    m_bottomBar->raise();
}
