// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/homeservices.h"
#include "editnamedelegate.h"
#include "frame/parentviewcontroller.h"
#include "views/vtmovecell.h"

#include <QList>
#include <QMap>
#include <QTimer>
#include <QVariantMap>

class QLabel;
class QVBoxLayout;
class TableArea;

// Transmitters, lights and curtains in three collapsible sections: a unit's
// detail on press, renaming (a transmitter's name is stored at once; a
// device's is sent to its transmitter and stored once acknowledged) and
// deletion (transmitters from the store at once, devices through the
// transmitter).
class DeviceListViewController : public ParentViewController,
                                 public VtMoveCellTarget,
                                 public EditNameDelegate {
    Q_OBJECT

public:
    explicit DeviceListViewController(const HomeServices &home, QWidget *parent = nullptr);

    void initAllNeedArray();
    void sectionSelected(int section);
    bool isCollapsed(int section) const;
    int rowCount(int section) const;
    VtMoveCell *cellAt(int section, int row) const;

    void updateMainView() override { initAllNeedArray(); }
    void VtMoveCellTableIfCanMoved(const QString &state) override;
    void VtMoveCellSelector(QWidget *cell, const QString &moveType) override;
    void editFinishWithName(const QString &name, int whichRow, const QVariant &section) override;
    void navRightButtonItemPressed() override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    // The list is read from the store each time it appears.
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    HomeServices m_home;
    static constexpr int kLinkRefreshMilliseconds = 1000;

    // A transmitter row's line under its name: how its link last answered.
    struct LinkRow {
        VtMoveCell *cell;
        QLabel *title;
        QLabel *status;
        QString transmitterId;
        bool master;
    };
    void addLinkStatus(VtMoveCell *cell, QLabel *title, const QVariantMap &record, bool master);
    void showLinkStatus(const LinkRow &row) const;

    static bool isMaster(const QVariantMap &record);
    // Removing the master cuts the whole home off: it is confirmed first.
    void askBeforeRemovingTheMaster(const QString &masterId);

    struct Position {
        int section = -1;
        int row = -1;
        bool operator==(const Position &) const = default;
    };

    void reloadTable();
    Position positionOf(QWidget *cell) const;

    QList<QList<QVariantMap>> m_needArray{{}, {}, {}};
    QMap<int, bool> m_hiddenSections{{1, true}, {2, true}};
    QMap<QWidget *, Position> m_cells;
    QList<LinkRow> m_linkRows;
    QTimer m_linkClock;
    Position m_lastEditCell;
    TableArea *m_table;
    QWidget *m_rows;
    QVBoxLayout *m_layout;
};
