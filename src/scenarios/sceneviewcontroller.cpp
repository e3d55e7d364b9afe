// SPDX-License-Identifier: GPL-3.0-or-later
#include "sceneviewcontroller.h"

#include "control/checkmanager.h"
#include "control/scenariooperations.h"
#include "core/showalertmanager.h"
#include "devices/editnamehcviewcontroller.h"
#include "frame/navigationbar.h"
#include "frame/navigationstack.h"
#include "frame/screencaller.h"
#include "sceneeditviewcontroller.h"
#include "scenepicture.h"
#include "store/database.h"
#include "store/picturefile.h"
#include "store/recordfactory.h"
#include "store/recordkeys.h"
#include "views/elidedlabel.h"
#include "views/rightedge.h"
#include "views/tablearea.h"
#include "views/vtlightingimageview.h"

#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QShowEvent>

namespace {
// The tick of the active scenario.
class VtSelectView : public QWidget {
public:
    explicit VtSelectView(QWidget *parent) : QWidget(parent)
    {
        setFixedSize(24, 24);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(240, 240, 240), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF{{4, 12}, {10, 18}, {20, 6}});
    }
};
} // namespace

SceneViewController::SceneViewController(const HomeServices &home, QWidget *parent)
    : ParentViewController(tr("Scenario"), parent), m_home(home), m_table(new TableArea(this))
{
    navBar()->setRightText(QStringLiteral("+"), tr("Add Scenario"));
}

void SceneViewController::showEvent(QShowEvent *event)
{
    ParentViewController::showEvent(event);
    if (!event->spontaneous())
        reloadCustomTableData(true);
}

VtMoveCell *SceneViewController::makeCell(int row, const QVariantMap &scenario)
{
    auto *cell = new VtMoveCell();
    cell->setObjectName(QStringLiteral("SceneCell%1").arg(row));
    cell->setFixedHeight(kRowHeight);
    cell->viewTouched(this);
    cell->setPanelOffered(RecordFactory::isUserScenario(scenario)); // built-ins stay as they are
    const bool active = scenario.value(Key::state).toString() == Value::yes;
    cell->setAutoFillBackground(true);
    QPalette palette = cell->palette();
    palette.setColor(QPalette::Window, active         ? QColor(190, 68, 67)
                                       : row % 2 == 0 ? QColor(222, 210, 200)
                                                      : QColor(232, 220, 210));
    cell->setPalette(palette);
    auto *picture = new VtLightingImageView(cell);
    picture->setObjectName(QStringLiteral("picture"));
    picture->setPicture(ScenePicture::forImagePath(scenario.value(Key::imagePath).toString()), 0);
    picture->setFixedSize(50, 50);
    picture->move(10, 5);
    connect(picture, &VtLightingImageView::pressed, this, [this, row] { imageViewPress(row); });
    auto *title = new ElidedLabel(scenario.value(Key::title).toString(), cell);
    title->setAttribute(Qt::WA_TransparentForMouseEvents);
    title->setGeometry(70, 0, 200, kRowHeight);
    RightEdge::stretch(title, 45);
    title->setStyleSheet(QStringLiteral("font-size: 18px; color: %1;")
                             .arg(active ? QStringLiteral("rgb(240, 240, 240)")
                                         : QStringLiteral("rgb(80, 80, 80)")));
    if (active) {
        auto *tick = new VtSelectView(cell);
        tick->setObjectName(QStringLiteral("tick"));
        tick->move(285, (kRowHeight - 24) / 2);
        RightEdge::keep(tick, 11);
    }
    return cell;
}

void SceneViewController::reloadCustomTableData(bool fromStore)
{
    if (fromStore) {
        std::optional<QList<QVariantMap>> scenarios = Database::instance()->scenariosIfReadable();
        if (!scenarios) {
            ShowAlertManager::instance()->showStoreUnreadable();
            return;
        }
        m_needArray = std::move(*scenarios);
    }
    m_table->rebuildRows([this] {
        qDeleteAll(m_cells);
        m_cells.clear();
        for (int row = 0; row < m_needArray.size(); ++row) {
            VtMoveCell *cell = makeCell(row, m_needArray.at(row));
            m_table->rows()->insertWidget(row, cell);
            cell->resize(m_table->viewport()->width(), kRowHeight);
            cell->showOutSettingViewWithCellHeight(
                kRowHeight, row == m_lastEditCellRow ? VtMoveCell::ShowNow : VtMoveCell::HideNow);
            m_cells.append(cell);
        }
        if (m_table->rows()->count() == m_cells.size())
            m_table->rows()->addStretch();
    });
}

void SceneViewController::VtMoveCellTableIfCanMoved(const QString &state)
{
    if (state == QLatin1String("0") || state == QLatin1String("1"))
        m_table->verticalScrollBar()->setEnabled(state == QLatin1String("1"));
}

void SceneViewController::VtMoveCellSelector(QWidget *cellWidget, const QString &moveType)
{
    auto *cell = static_cast<VtMoveCell *>(cellWidget);
    const int row = int(m_cells.indexOf(cell));
    if (row < 0)
        return;
    const bool userScenario = RecordFactory::isUserScenario(m_needArray.at(row));
    bool deleted = false;
    if (moveType == QLatin1String("P")) {
        if (cell->showOutSettingViewWithCellHeight(kRowHeight, VtMoveCell::Close)) {
            CheckManager(m_home).changeScenarioWithDictionary(m_needArray[row], m_needArray,
                                                              ScreenCaller::of(this));
            m_lastEditCellRow = -1;
            reloadCustomTableData(false);
            return;
        }
    } else if (moveType == QLatin1String("L") || moveType == QLatin1String("R")) {
        if (userScenario)
            cell->showOutSettingViewWithCellHeight(kRowHeight, VtMoveCell::Toggle);
    } else if (moveType == QLatin1String("D") && userScenario) {
        ScenarioOperations(m_home).deleteScenario(m_needArray.at(row), ScreenCaller::of(this));
        m_needArray.removeAt(row);
        deleted = true;
    } else if (moveType == QLatin1String("E") && userScenario) {
        cell->showOutSettingViewWithCellHeight(kRowHeight, VtMoveCell::HideNow);
        if (auto *stack = NavigationStack::of(this))
            stack->push(new SceneEditViewController(m_home, m_needArray.at(row)), true);
    } else {
        return;
    }
    if (m_lastEditCellRow >= 0 && m_lastEditCellRow != row)
        if (VtMoveCell *open = cellAt(m_lastEditCellRow))
            open->showOutSettingViewWithCellHeight(kRowHeight, VtMoveCell::Close);
    m_lastEditCellRow = deleted || cell->getIfEditViewShow() ? -1 : row;
    if (deleted)
        reloadCustomTableData(false);
}

void SceneViewController::imageViewPress(int row)
{
    const QVariantMap &scenario = m_needArray.at(row);
    auto *naming = new EditNameHCViewController(scenario.value(Key::title).toString(),
                                                scenario.value(Key::imagePath).toString(), row);
    naming->setDelegate(this);
    if (auto *stack = NavigationStack::of(this))
        stack->push(naming, true);
}

void SceneViewController::editFinishWithName(const QString &name, int whichRow,
                                             const QVariant &imageData)
{
    if (whichRow < 0 || whichRow >= m_needArray.size())
        return;
    QVariantMap scenario = m_needArray.at(whichRow);
    if (imageData.typeId() == QMetaType::QByteArray)
        if (const std::optional<QString> path = PictureFile::save(imageData.toByteArray()))
            scenario.insert(Key::imagePath, *path);
    // The row shows the stored record: a built-in's at once, a user
    // scenario's once the master has taken the name.
    ScenarioOperations(m_home).renameScenario(scenario, name, ScreenCaller::of(this));
    reloadCustomTableData(true);
}

void SceneViewController::navRightButtonItemPressed()
{
    CheckManager(m_home).addScenario(ScreenCaller::of(this));
}

void SceneViewController::resizeEvent(QResizeEvent *event)
{
    ParentViewController::resizeEvent(event);
    m_table->setGeometry(0, NavigationBar::kHeight, width(), height() - NavigationBar::kHeight);
}
