// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/homeservices.h"
#include "devices/editnamedelegate.h"
#include "frame/parentviewcontroller.h"
#include "views/vtmovecell.h"

#include <QList>
#include <QVariantMap>

class TableArea;

// The scenarios: a press runs one, a swipe offers Edit and Delete for the
// user's own, the picture opens naming (name and picture), "+" adds one.
class SceneViewController : public ParentViewController,
                            public VtMoveCellTarget,
                            public EditNameDelegate {
    Q_OBJECT

public:
    static constexpr int kRowHeight = 61;

    explicit SceneViewController(const HomeServices &home, QWidget *parent = nullptr);

    const QList<QVariantMap> &needArray() const { return m_needArray; }
    VtMoveCell *cellAt(int row) const { return m_cells.value(row); }
    int lastEditCellRow() const { return m_lastEditCellRow; }

    void reloadCustomTableData(bool fromStore);
    void updateMainView() override { reloadCustomTableData(true); }
    void imageViewPress(int row);
    void VtMoveCellTableIfCanMoved(const QString &state) override;
    void VtMoveCellSelector(QWidget *cell, const QString &moveType) override;
    void editFinishWithName(const QString &name, int whichRow, const QVariant &imageData) override;
    void navRightButtonItemPressed() override;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    HomeServices m_home;
    VtMoveCell *makeCell(int row, const QVariantMap &scenario);

    QList<QVariantMap> m_needArray;
    QList<VtMoveCell *> m_cells;
    int m_lastEditCellRow = -1;
    TableArea *m_table;
};
