// SPDX-License-Identifier: GPL-3.0-or-later
#include "devicelistviewcontroller.h"

#include "control/alertpresenter.h"
#include "control/appdelegate.h"
#include "control/checkmanager.h"
#include "control/devicecommands.h"
#include "control/navigator.h"
#include "control/udpsocketmanager.h"
#include "core/showalertmanager.h"
#include "devicedetailviewcontroller.h"
#include "editnameviewcontroller.h"
#include "frame/navigationbar.h"
#include "frame/navigationstack.h"
#include "frame/screencaller.h"
#include "linkstatustext.h"
#include "store/database.h"
#include "store/recordkeys.h"
#include "views/elidedlabel.h"
#include "views/picturelibrary.h"
#include "views/rightedge.h"
#include "views/tablearea.h"
#include "views/vtcellindicatorview.h"
#include "views/vtlightingimageview.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
constexpr int kRowHeight = 61;
constexpr int kHeaderHeight = 40;

} // namespace

DeviceListViewController::DeviceListViewController(const HomeServices &home, QWidget *parent)
    : ParentViewController(tr("Device List"), parent), m_home(home), m_table(new TableArea(this)),
      m_rows(m_table->rowsWidget()), m_layout(m_table->rows())
{
    navBar()->setRightIcon(QIcon(QStringLiteral(":/icons/scan.svg")), tr("Scan"));
    // "answered 12 s ago" counts on while the list is in view.
    m_linkClock.setInterval(kLinkRefreshMilliseconds);
    connect(&m_linkClock, &QTimer::timeout, this, [this] {
        for (const LinkRow &row : std::as_const(m_linkRows))
            showLinkStatus(row);
    });
}

void DeviceListViewController::initAllNeedArray()
{
    Database *store = Database::instance();
    const Database::Session session(store);
    std::optional<QList<QVariantMap>> transmitters = store->superBoxesIfReadable();
    std::optional<QList<QVariantMap>> lights =
        store->mainDevicesIfReadable(QVariantMap{{Key::type, Value::lighting}});
    std::optional<QList<QVariantMap>> curtains =
        store->mainDevicesIfReadable(QVariantMap{{Key::type, Value::curtain}});
    if (!transmitters || !lights || !curtains) {
        ShowAlertManager::instance()->showStoreUnreadable();
        return;
    }
    m_needArray = {std::move(*transmitters), std::move(*lights), std::move(*curtains)};
    reloadTable();
}

bool DeviceListViewController::isCollapsed(int section) const
{
    return m_hiddenSections.value(section, false);
}

int DeviceListViewController::rowCount(int section) const
{
    return isCollapsed(section) ? 0 : int(m_needArray.value(section).size());
}

void DeviceListViewController::sectionSelected(int section)
{
    m_hiddenSections[section] = !isCollapsed(section);
    reloadTable();
}

VtMoveCell *DeviceListViewController::cellAt(int section, int row) const
{
    for (auto it = m_cells.cbegin(); it != m_cells.cend(); ++it)
        if (it.value() == Position{section, row})
            return static_cast<VtMoveCell *>(it.key());
    return nullptr;
}

DeviceListViewController::Position DeviceListViewController::positionOf(QWidget *cell) const
{
    return m_cells.value(cell);
}

void DeviceListViewController::reloadTable()
{
    m_table->rebuildRows([this] {
        while (QLayoutItem *item = m_layout->takeAt(0)) {
            delete item->widget();
            delete item;
        }
        m_cells.clear();
        m_linkRows.clear();
        const QStringList headers{tr("Transmitter"), tr("Lighting"), tr("Curtain")};
        for (int section = 0; section < 3; ++section) {
            auto *header = new QPushButton(m_rows);
            header->setObjectName(QStringLiteral("section%1").arg(section));
            header->setFixedHeight(kHeaderHeight);
            header->setStyleSheet(
                QStringLiteral("text-align: left; padding-left: 15px; border: none; "
                               "background: rgb(210, 198, 188); color: #45403b;"));
            header->setText(headers.at(section));
            auto *indicator = new VtCellIndicatorView(header);
            indicator->setType(isCollapsed(section) ? 1 : 2);
            indicator->move(0, 10);
            RightEdge::keep(indicator, 10);
            connect(header, &QPushButton::clicked, this,
                    [this, section] { sectionSelected(section); });
            m_layout->addWidget(header);
            for (int row = 0; row < rowCount(section); ++row) {
                const QVariantMap &record = m_needArray.at(section).at(row);
                auto *cell = new VtMoveCell(m_rows);
                cell->setFixedHeight(kRowHeight);
                cell->viewTouched(this);
                const auto [picture, lightType] = VtLightingImageView::pictureOf(record);
                VtLightingImageView::rowIcon(cell, PictureLibrary::picture(picture), lightType);
                auto *title = new ElidedLabel(record.value(Key::title).toString(), cell);
                title->setAttribute(Qt::WA_TransparentForMouseEvents);
                title->setGeometry(70, 0, 220, kRowHeight);
                if (section == 0)
                    addLinkStatus(cell, title, record, row == 0);
                RightEdge::stretch(title, 30);
                m_layout->addWidget(cell);
                cell->resize(m_table->viewport()->width(), kRowHeight);
                m_cells.insert(cell, {section, row});
                cell->showOutSettingViewWithCellHeight(
                    kRowHeight, m_lastEditCell == Position{section, row} ? VtMoveCell::ShowNow
                                                                         : VtMoveCell::HideNow);
            }
        }
        m_layout->addStretch();
    });
}

void DeviceListViewController::addLinkStatus(VtMoveCell *cell, QLabel *title,
                                             const QVariantMap &record, bool master)
{
    auto *status = new QLabel(cell);
    status->setObjectName(QStringLiteral("linkStatus"));
    status->setAttribute(Qt::WA_TransparentForMouseEvents);
    status->setStyleSheet(QStringLiteral("color: #7a6e66; font-size: 12px;"));
    status->setGeometry(70, 34, 220, 20);
    RightEdge::stretch(status, 30);
    m_linkRows.append({cell, title, status, record.value(Key::id).toString(), master});
    showLinkStatus(m_linkRows.constLast());
}

void DeviceListViewController::showLinkStatus(const LinkRow &row) const
{
    const QString text =
        LinkStatusText::of(UDPSocketManager::instance()->links().linkOf(row.transmitterId),
                           row.master, TransmitterLinks::Clock::now());
    row.status->setText(text);
    row.cell->setAccessibleDescription(text);
    // The name sits over its line, or in the middle of the row without one.
    const QRect name = row.title->geometry();
    row.title->setGeometry(name.x(), text.isEmpty() ? 0 : 6, name.width(),
                           text.isEmpty() ? kRowHeight : 30);
}

void DeviceListViewController::VtMoveCellTableIfCanMoved(const QString &state)
{
    if (state == QLatin1String("0") || state == QLatin1String("1"))
        m_table->verticalScrollBar()->setEnabled(state == QLatin1String("1"));
}

void DeviceListViewController::VtMoveCellSelector(QWidget *cellWidget, const QString &moveType)
{
    auto *cell = static_cast<VtMoveCell *>(cellWidget);
    const Position at = positionOf(cell);
    if (at.section < 0)
        return;
    const QVariantMap record = m_needArray.at(at.section).at(at.row);
    NavigationStack *stack = NavigationStack::of(this);
    bool deleted = false;
    if (moveType == QLatin1String("P")) {
        if (cell->showOutSettingViewWithCellHeight(kRowHeight, VtMoveCell::Close) && stack)
            stack->push(new DeviceDetailViewController(record), true);
    } else if (moveType == QLatin1String("L") || moveType == QLatin1String("R")) {
        cell->showOutSettingViewWithCellHeight(kRowHeight, VtMoveCell::Toggle);
    } else if (moveType == QLatin1String("D") && isMaster(record)) {
        cell->showOutSettingViewWithCellHeight(kRowHeight, VtMoveCell::Close);
        askBeforeRemovingTheMaster(record.value(Key::id).toString());
    } else if (moveType == QLatin1String("D")) {
        if (record.value(Key::type).toString() == Value::superBox)
            Database::instance()->deleteSuperBoxWithMainID(record.value(Key::id).toString());
        else
            DeviceCommands(m_home).removeDevice(record, ScreenCaller::of(this));
        m_needArray[at.section].removeAt(at.row);
        deleted = true;
    } else if (moveType == QLatin1String("E")) {
        cell->showOutSettingViewWithCellHeight(kRowHeight, VtMoveCell::HideNow);
        const QString picture = record.contains(Key::control)
                                    ? record.value(Key::control).toString()
                                    : record.value(Key::type).toString();
        auto *naming =
            new EditNameViewController(record.value(Key::title).toString(), picture, at.row);
        naming->setLastSelectSection(at.section);
        naming->setDelegate(this);
        if (stack)
            stack->push(naming, true);
    } else {
        return;
    }
    if (m_lastEditCell.section >= 0 && !(m_lastEditCell == at))
        if (VtMoveCell *open = cellAt(m_lastEditCell.section, m_lastEditCell.row))
            open->showOutSettingViewWithCellHeight(kRowHeight, VtMoveCell::Close);
    m_lastEditCell = deleted || cell->getIfEditViewShow() ? Position{} : at;
    if (deleted)
        reloadTable();
}

bool DeviceListViewController::isMaster(const QVariantMap &record)
{
    if (record.value(Key::type).toString() != Value::superBox)
        return false;
    const QList<QVariantMap> transmitters = Database::instance()->readAllSuperBoxInfo();
    return !transmitters.isEmpty() &&
           transmitters.constFirst().value(Key::id) == record.value(Key::id);
}

void DeviceListViewController::askBeforeRemovingTheMaster(const QString &masterId)
{
    // Every command goes through the master: without it the home has no link.
    AlertPresenter *presenter = ShowAlertManager::instance()->alertPresenter();
    if (!presenter)
        return;
    presenter->showAlert(
        tr("Remove the master transmitter? Every command goes through it. Lights, curtains "
           "and scenarios cannot be reached until a master is enrolled again."),
        {tr("Cancel"), tr("Remove")},
        [screen = QPointer<DeviceListViewController>(this), masterId](int index) {
            if (index != 1)
                return;
            Database::instance()->deleteSuperBoxWithMainID(masterId);
            if (screen)
                screen->updateMainView();
        });
}

void DeviceListViewController::editFinishWithName(const QString &name, int whichRow,
                                                  const QVariant &section)
{
    const int s = section.toString().toInt();
    if (whichRow < 0 || s < 0 || s > 2 || whichRow >= m_needArray.at(s).size())
        return;
    QVariantMap &record = m_needArray[s][whichRow];
    if (record.value(Key::type).toString() == Value::superBox) {
        // Transmitters have no naming command: their names are this app's own.
        record.insert(Key::title, name);
        Database::instance()->updateSuperBoxWithMainID(record.value(Key::id).toString(), record);
    } else {
        DeviceCommands(m_home).renameDevice(record, name, ScreenCaller::of(this));
    }
    reloadTable();
}

void DeviceListViewController::navRightButtonItemPressed()
{
    if (Navigator *navigator = AppDelegate::instance()->navigator())
        navigator->pushScanner();
}

void DeviceListViewController::showEvent(QShowEvent *event)
{
    ParentViewController::showEvent(event);
    if (event->spontaneous())
        return;
    updateMainView();
    m_linkClock.start();
}

void DeviceListViewController::hideEvent(QHideEvent *event)
{
    ParentViewController::hideEvent(event);
    if (!event->spontaneous())
        m_linkClock.stop();
}

void DeviceListViewController::resizeEvent(QResizeEvent *event)
{
    ParentViewController::resizeEvent(event);
    m_table->setGeometry(0, NavigationBar::kHeight, width(), height() - NavigationBar::kHeight);
}
