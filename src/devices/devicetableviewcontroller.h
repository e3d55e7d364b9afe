// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/homeservices.h"
#include "editnamedelegate.h"
#include "frame/parentviewcontroller.h"
#include "views/vtmovecell.h"
#include "views/vtsimpleslider.h"

#include <QList>
#include <QVariantMap>
#include <optional>

class QLabel;
class QVBoxLayout;
class TableArea;

// The base of the screens that list the devices of one type: rows of swipe
// cells, at most one row expanded (kept in the store), the swipe-out panel
// with Edit and Delete, the empty-state guide, the add button.
class DeviceTableViewController : public ParentViewController,
                                  public VtMoveCellTarget,
                                  public VtSimpleSliderTarget,
                                  public EditNameDelegate {
    Q_OBJECT

public:
    static constexpr int kRowHeight = 61;
    static constexpr int kExpandedRowHeight = 122;

    // whichDevice: the type listed (and the scanner's type); none lists all.
    // Renames and removals use the family of each record's type.
    DeviceTableViewController(const HomeServices &home, const QString &title,
                              const std::optional<QString> &whichDevice, QWidget *parent = nullptr);

    const QList<QVariantMap> &customArray() const { return m_customArray; }
    int lastEditCellRow() const { return m_lastEditCellRow; }
    VtMoveCell *cellAt(int row) const;
    bool showsEmptyGuide() const;
    bool scrollingEnabled() const { return m_scrolling; }

    void updateMainView() override;
    void VtMoveCellTableIfCanMoved(const QString &state) override;
    void VtMoveCellSelector(QWidget *cell, const QString &moveType) override;
    // A dimmer's slider: scrolling stops while it is dragged; its value dims the light.
    void VtSimpleSliderViewTouched(VtSimpleSlider *slider) override;
    void editFinishWithName(const QString &name, int whichRow, const QVariant &imageData) override;
    void navRightButtonItemPressed() override;

protected:
    // The home's services, for the flows the screen starts.
    const HomeServices &home() const { return m_home; }
    // A row of this screen for the record at this index.
    virtual VtMoveCell *makeCell(int row, const QVariantMap &record) = 0;
    virtual bool mayExpand(const QVariantMap &record) const = 0;
    // Whether the rows show the channels' states: the home is then asked
    // for them each time the screen appears.
    virtual bool showsStates() const { return false; }
    // Whether a row's swipe opens its Edit and Delete panel here.
    virtual bool offersPanel() const { return true; }
    // The lower half of an expanded row opens under a thin line.
    static void addSeparator(VtMoveCell *cell);
    // A dimmer's expanded half: the line, then its level slider (0-100) at
    // the record's level, named after the light.
    VtSimpleSlider *addLevelSlider(VtMoveCell *cell, const QVariantMap &record);
    int rowOf(QWidget *cell) const;
    QVariantMap &recordAt(int row) { return m_customArray[row]; }
    void reloadTable();
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    QList<QVariantMap> &records() { return m_customArray; }
    void resizeEvent(QResizeEvent *event) override;
    // Room kept free under the table (for a bar of the screen's own).
    void setTableBottomInset(int height) { m_bottomInset = height; }

private:
    HomeServices m_home;
    void showOutEmptyView();
    void toggleExpansion(int row);

    std::optional<QString> m_whichDevice;
    QList<QVariantMap> m_customArray;
    QList<VtMoveCell *> m_cells;
    int m_lastEditCellRow = -1;
    bool m_scrolling = true;
    int m_bottomInset = 0;
    TableArea *m_table;
    QWidget *m_rows;
    QVBoxLayout *m_layout;
    QWidget *m_guide = nullptr;
};
