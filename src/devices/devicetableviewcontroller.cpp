// SPDX-License-Identifier: GPL-3.0-or-later
#include "devicetableviewcontroller.h"

#include "control/checkmanager.h"
#include "control/devicecommands.h"
#include "control/livehome.h"
#include "control/staterefresh.h"
#include "core/showalertmanager.h"
#include "editnameviewcontroller.h"
#include "frame/navigationbar.h"
#include "frame/navigationstack.h"
#include "frame/screencaller.h"
#include "store/database.h"
#include "store/recordkeys.h"
#include "views/keyboardactivation.h"
#include "views/rightedge.h"
#include "views/tablearea.h"
#include "views/vtmovecell.h"
#include "views/vtsimpleslider.h"

#include <QHideEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
// The arrow that points at the add button when the list is empty.
class VtGuideView : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(80, 80, 80), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawLine(QPointF(15, height() - 5), QPointF(width() - 15, 10));
        painter.drawPolyline(
            QPolygonF{{width() - 35.0, 10}, {width() - 15.0, 10}, {width() - 15.0, 30}});
    }
};
} // namespace

DeviceTableViewController::DeviceTableViewController(const HomeServices &home, const QString &title,
                                                     const std::optional<QString> &whichDevice,
                                                     QWidget *parent)
    : ParentViewController(title, parent), m_home(home), m_whichDevice(whichDevice),
      m_table(new TableArea(this)), m_rows(m_table->rowsWidget()), m_layout(m_table->rows())
{
    navBar()->setRightIcon(QIcon(QStringLiteral(":/icons/scan.svg")), tr("Scan"));
    m_layout->addStretch();
}

void DeviceTableViewController::addSeparator(VtMoveCell *cell)
{
    auto *line = new QWidget(cell);
    line->setObjectName(QStringLiteral("separator"));
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    line->setStyleSheet(QStringLiteral("background: #b0a49a;"));
    line->setGeometry(15, kRowHeight, 290, 1);
    RightEdge::stretch(line, 15);
}

VtSimpleSlider *DeviceTableViewController::addLevelSlider(VtMoveCell *cell,
                                                          const QVariantMap &record)
{
    addSeparator(cell);
    auto *slider = new VtSimpleSlider(cell);
    slider->setObjectName(QStringLiteral("slider"));
    slider->setRange(0, 100);
    // Text that is not a number counts as 0.
    slider->setValue(record.value(Key::turnOn).toString().toDouble());
    slider->setTarget(this);
    slider->setAccessibleName(record.value(Key::title).toString());
    slider->setGeometry(0, kRowHeight, 320, kRowHeight);
    RightEdge::stretch(slider, 0);
    return slider;
}

VtMoveCell *DeviceTableViewController::cellAt(int row) const
{
    return m_cells.value(row);
}

int DeviceTableViewController::rowOf(QWidget *cell) const
{
    for (int i = 0; i < m_cells.size(); ++i)
        if (m_cells.at(i) == cell)
            return i;
    return -1;
}

void DeviceTableViewController::updateMainView()
{
    std::optional<QVariantMap> filter;
    if (m_whichDevice)
        filter = QVariantMap{{Key::type, *m_whichDevice}};
    std::optional<QList<QVariantMap>> devices = Database::instance()->mainDevicesIfReadable(filter);
    if (!devices) {
        ShowAlertManager::instance()->showStoreUnreadable();
        return;
    }
    m_customArray = LiveHome::instance()->withConfirmedStates(std::move(*devices));
    reloadTable();
    showOutEmptyView();
}

void DeviceTableViewController::reloadTable()
{
    m_table->rebuildRows([this] {
        qDeleteAll(m_cells);
        m_cells.clear();
        for (int row = 0; row < m_customArray.size(); ++row) {
            const QVariantMap &record = m_customArray.at(row);
            VtMoveCell *cell = makeCell(row, record);
            cell->viewTouched(this);
            cell->setPanelOffered(offersPanel());
            const bool expanded = record.value(Key::move).toString() == Value::yes;
            cell->setFixedHeight(expanded ? kExpandedRowHeight : kRowHeight);
            if (mayExpand(record))
                KeyboardActivation::setExpanded(cell, expanded);
            cell->setAutoFillBackground(true);
            QPalette palette = cell->palette();
            palette.setColor(QPalette::Window,
                             row % 2 == 0 ? QColor(222, 210, 200) : QColor(232, 220, 210));
            cell->setPalette(palette);
            m_layout->insertWidget(row, cell);
            cell->resize(m_table->viewport()->width(), cell->height());
            cell->showOutSettingViewWithCellHeight(cell->height(), row == m_lastEditCellRow
                                                                       ? VtMoveCell::ShowNow
                                                                       : VtMoveCell::HideNow);
            m_cells.append(cell);
        }
    });
}

bool DeviceTableViewController::showsEmptyGuide() const
{
    return m_guide && m_guide->isVisible();
}

void DeviceTableViewController::showOutEmptyView()
{
    if (!m_customArray.isEmpty()) {
        delete m_guide;
        m_guide = nullptr;
        return;
    }
    if (!m_guide) {
        m_guide = new QWidget(this);
        m_guide->setObjectName(QStringLiteral("emptyGuide"));
        m_guide->setAttribute(Qt::WA_TransparentForMouseEvents);
        auto *arrow = new VtGuideView(m_guide);
        arrow->setGeometry(width() - 70 - 10, 0, 70, 70);
        auto *first = new QLabel(tr("No devices are added yet"), m_guide);
        auto *second = new QLabel(tr("Try to add a device"), m_guide);
        first->setStyleSheet(QStringLiteral("color: rgb(80, 80, 80); font-size: 19px;"));
        second->setStyleSheet(QStringLiteral("color: rgb(80, 80, 80); font-size: 13px;"));
        first->setAlignment(Qt::AlignCenter);
        second->setAlignment(Qt::AlignCenter);
        first->setGeometry(0, 110, width(), 30);
        second->setGeometry(0, 145, width(), 20);
        m_guide->setGeometry(0, NavigationBar::kHeight, width(), 200);
    }
    m_guide->show();
    m_guide->raise();
}

void DeviceTableViewController::VtMoveCellTableIfCanMoved(const QString &state)
{
    if (state == QLatin1String("0") || state == QLatin1String("1")) {
        m_scrolling = state == QLatin1String("1");
        m_table->verticalScrollBar()->setEnabled(m_scrolling);
    }
}

void DeviceTableViewController::toggleExpansion(int row)
{
    // Only "move" is stored: the rows' records may hold a state chosen here
    // (a scenario's) or a use count older than the store's.
    Database *store = Database::instance();
    for (int i = 0; i < m_customArray.size(); ++i) {
        QVariantMap &other = m_customArray[i];
        if (i != row && other.value(Key::move).toString() == Value::yes) {
            other.insert(Key::move, Value::no);
            store->updateMainDeviceWithMainID(other.value(Key::id).toString(), Key::move,
                                              Value::no);
            break;
        }
    }
    QVariantMap &record = m_customArray[row];
    record.insert(Key::move,
                  record.value(Key::move).toString() == Value::yes ? Value::no : Value::yes);
    store->updateMainDeviceWithMainID(record.value(Key::id).toString(), Key::move,
                                      record.value(Key::move));
    const bool focused = m_cells.at(row)->hasFocus();
    reloadTable();
    // An opened row brings its controls into view, and keeps the keyboard's focus.
    m_table->ensureWidgetVisible(m_cells.at(row), 0, 0);
    if (focused)
        m_cells.at(row)->setFocus();
}

void DeviceTableViewController::VtMoveCellSelector(QWidget *cellWidget, const QString &moveType)
{
    auto *cell = static_cast<VtMoveCell *>(cellWidget);
    const int row = rowOf(cell);
    if (row < 0)
        return;
    bool panelClosed = true;
    if (moveType == QLatin1String("P")) {
        const bool wasClosed =
            cell->showOutSettingViewWithCellHeight(cell->height(), VtMoveCell::Close);
        if (wasClosed && mayExpand(m_customArray.at(row))) {
            toggleExpansion(row); // the cells are new now
            cell = m_cells.at(row);
        }
        panelClosed = cell->getIfEditViewShow();
    } else if (moveType == QLatin1String("L") || moveType == QLatin1String("R")) {
        cell->showOutSettingViewWithCellHeight(cell->height(), VtMoveCell::Toggle);
        panelClosed = cell->getIfEditViewShow();
    } else if (moveType == QLatin1String("D")) {
        DeviceCommands(m_home).removeDevice(m_customArray.at(row), ScreenCaller::of(this));
        m_customArray.removeAt(row);
        m_lastEditCellRow = -1;
        reloadTable();
        showOutEmptyView();
        return;
    } else if (moveType == QLatin1String("E")) {
        cell->showOutSettingViewWithCellHeight(cell->height(), VtMoveCell::HideNow);
        const QVariantMap &record = m_customArray.at(row);
        auto *naming = new EditNameViewController(record.value(Key::title).toString(),
                                                  record.value(Key::control).toString(), row);
        naming->setDelegate(this);
        if (auto *stack = NavigationStack::of(this))
            stack->push(naming, true);
        panelClosed = true;
    } else {
        return;
    }
    if (m_lastEditCellRow >= 0 && m_lastEditCellRow != row)
        if (VtMoveCell *open = cellAt(m_lastEditCellRow))
            open->showOutSettingViewWithCellHeight(open->height(), VtMoveCell::Close);
    m_lastEditCellRow = panelClosed ? -1 : row;
}

void DeviceTableViewController::VtSimpleSliderViewTouched(VtSimpleSlider *slider)
{
    if (!slider) {
        VtMoveCellTableIfCanMoved(QStringLiteral("0"));
        return;
    }
    VtMoveCellTableIfCanMoved(QStringLiteral("1"));
    const int row = rowOf(slider->parentWidget());
    if (row >= 0)
        // truncated toward zero
        DeviceCommands(m_home).dimLight(m_customArray[row], int(slider->value()),
                                        ScreenCaller::of(this));
}

void DeviceTableViewController::editFinishWithName(const QString &name, int whichRow,
                                                   const QVariant &)
{
    if (whichRow < 0 || whichRow >= m_customArray.size())
        return;
    DeviceCommands(m_home).renameDevice(m_customArray[whichRow], name, ScreenCaller::of(this));
    reloadTable();
}

void DeviceTableViewController::navRightButtonItemPressed()
{
    CheckManager(m_home).setUpScanControllerWithType(m_whichDevice);
}

void DeviceTableViewController::showEvent(QShowEvent *event)
{
    ParentViewController::showEvent(event);
    if (event->spontaneous())
        return;
    updateMainView();
    if (showsStates())
        StateRefresh::instance()->channelsShown(m_customArray);
}

void DeviceTableViewController::hideEvent(QHideEvent *event)
{
    ParentViewController::hideEvent(event);
    if (event->spontaneous())
        return;
    // Entered again, the rows are collapsed.
    Database *store = Database::instance();
    for (QVariantMap device : store->readAllMainDeviceInfo()) {
        if (device.value(Key::move).toString() == Value::yes) {
            device.remove(Key::move);
            store->updateMainDeviceWithMainID(device.value(Key::id).toString(), device);
            break;
        }
    }
}

void DeviceTableViewController::resizeEvent(QResizeEvent *event)
{
    ParentViewController::resizeEvent(event);
    m_table->setGeometry(0, NavigationBar::kHeight, width(),
                         height() - NavigationBar::kHeight - m_bottomInset);
}
