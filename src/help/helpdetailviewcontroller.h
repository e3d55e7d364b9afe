// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/helptopics.h"
#include "frame/parentviewcontroller.h"

#include <QList>

class QLabel;
class TableArea;

// One help topic: its steps, each a text over its picture, under the
// topic's header line when it has one.
class HelpDetailViewController : public ParentViewController {
    Q_OBJECT

public:
    explicit HelpDetailViewController(QWidget *parent = nullptr);

    // Keeps the topic, shows its title in the bar and its steps as rows.
    void updateHelpDetailDictionary(const HelpTopic &topic);
    const HelpTopic &topic() const { return m_topic; }
    int rowCount() const { return int(m_rows.size()); }
    QWidget *rowAt(int index) const { return m_rows.value(index); }
    QLabel *sectionHeader() const { return m_header; }

protected:
    // The row of step n (from 1) for a screen of the given width.
    virtual QWidget *makeRow(int step, const QString &text, int width);
    static QLabel *stepText(const QString &text, QWidget *parent);
    void resizeEvent(QResizeEvent *event) override;

private:
    void reloadData();

    HelpTopic m_topic;
    TableArea *m_table;
    QLabel *m_header = nullptr;
    QList<QWidget *> m_rows;
};
