// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QVariantMap>
#include <QWidget>

class VtPageControl;
class VtPagedScrollView;

// The strip of commonly used scenarios under the tiles: "All", every
// scenario (the active one marked), "Add Scenario", five to a page.
class HomeScenarioStrip : public QWidget {
    Q_OBJECT

public:
    static constexpr int kEntriesPerPage = 5;
    static constexpr int kHeaderHeight = 30;
    static constexpr int kStripHeight = 88;

    explicit HomeScenarioStrip(QWidget *parent = nullptr);

    void setScenarios(const QList<QVariantMap> &scenarios);
    static int pageCountFor(int scenarioCount);
    int entryCount() const { return int(m_entries.size()); }
    QWidget *entryAt(int index) const { return m_entries.value(index); }
    VtPagedScrollView *pages() const { return m_pages; }
    VtPageControl *pageControl() const { return m_pageControl; }

Q_SIGNALS:
    void allPressed();
    // The scenario's index in the list given.
    void scenarioPressed(int index);
    void addPressed();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutEntries();
    QWidget *makeEntry(const QString &title, const QPixmap &picture, bool active,
                       std::function<void()> touched);

    VtPagedScrollView *m_pages;
    VtPageControl *m_pageControl;
    QList<QWidget *> m_entries;
};
