// SPDX-License-Identifier: GPL-3.0-or-later
#include "homescenariostrip.h"

#include "scenarios/scenepicture.h"
#include "store/recordkeys.h"
#include "views/vtpagecontrol.h"
#include "views/vtpagedscrollview.h"

#include <QLabel>
#include <QPainter>
#include <QToolButton>

namespace {
constexpr int kPictureSide = 44;

QPixmap drawnSign(bool plus)
{
    QPixmap pixmap(kPictureSide * 2, kPictureSide * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(69, 61, 59));
    const double s = kPictureSide;
    painter.drawEllipse(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88));
    painter.setBrush(Qt::white);
    if (plus) {
        painter.drawRect(QRectF(s * 0.46, s * 0.28, s * 0.08, s * 0.44));
        painter.drawRect(QRectF(s * 0.28, s * 0.46, s * 0.44, s * 0.08));
    } else {
        for (int k = 0; k < 4; ++k) // four squares: every scenario
            painter.drawRoundedRect(
                QRectF(s * (0.3 + 0.22 * (k % 2)), s * (0.3 + 0.22 * (k / 2)), s * 0.17, s * 0.17),
                2, 2);
    }
    return pixmap;
}
} // namespace

HomeScenarioStrip::HomeScenarioStrip(QWidget *parent)
    : QWidget(parent), m_pages(new VtPagedScrollView(this)), m_pageControl(new VtPageControl(this))
{
    setObjectName(QStringLiteral("scenarioStrip"));
    auto *header = new QLabel(tr("Commonly used scenarios"), this);
    header->setObjectName(QStringLiteral("header"));
    header->setStyleSheet(QStringLiteral("color: rgb(120, 110, 100); font-size: 14px;"));
    header->setGeometry(14, 0, 300, kHeaderHeight);
    m_pages->setPageControl(m_pageControl);
    setFixedHeight(kHeaderHeight + kStripHeight + m_pageControl->height() + 4);
}

int HomeScenarioStrip::pageCountFor(int scenarioCount)
{
    const int entries = scenarioCount + 2; // "All" and "Add Scenario"
    return (entries + kEntriesPerPage - 1) / kEntriesPerPage;
}

void HomeScenarioStrip::setScenarios(const QList<QVariantMap> &scenarios)
{
    m_entries.clear();
    m_entries.append(
        makeEntry(tr("All"), drawnSign(false), false, [this] { Q_EMIT allPressed(); }));
    for (int k = 0; k < scenarios.size(); ++k) {
        const QVariantMap &scenario = scenarios.at(k);
        m_entries.append(makeEntry(
            scenario.value(Key::title).toString(),
            ScenePicture::forImagePath(scenario.value(Key::imagePath).toString(), kPictureSide * 2),
            scenario.value(Key::state).toString() == Value::yes,
            [this, k] { Q_EMIT scenarioPressed(k); }));
    }
    m_entries.append(
        makeEntry(tr("Add Scenario"), drawnSign(true), false, [this] { Q_EMIT addPressed(); }));

    QList<QWidget *> pages;
    for (int first = 0; first < m_entries.size(); first += kEntriesPerPage) {
        auto *page = new QWidget();
        for (int k = first; k < qMin(first + kEntriesPerPage, int(m_entries.size())); ++k)
            m_entries.at(k)->setParent(page);
        pages.append(page);
    }
    m_pages->setPages(pages);
    // Tab reaches the dots after the entries they page through.
    QWidget::setTabOrder(m_entries.constLast(), m_pageControl);
    layoutEntries();
}

QWidget *HomeScenarioStrip::makeEntry(const QString &title, const QPixmap &picture, bool active,
                                      std::function<void()> touched)
{
    auto *entry = new QToolButton();
    entry->setObjectName(active ? QStringLiteral("activeEntry") : QStringLiteral("entry"));
    entry->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    entry->setIcon(QIcon(picture));
    entry->setIconSize(QSize(kPictureSide, kPictureSide));
    entry->setToolTip(title);
    entry->setAccessibleName(title); // the whole name; the text is cut to the entry's width
    entry->setProperty("active", active);
    entry->setStyleSheet(active ? QStringLiteral("QToolButton { color: white; font-size: 12px;"
                                                 " background: rgb(190, 68, 67); border: none;"
                                                 " border-radius: 8px; }")
                                : QStringLiteral("QToolButton { color: rgb(80, 80, 80);"
                                                 " font-size: 12px; border: none; }"));
    QObject::connect(entry, &QToolButton::clicked, entry, std::move(touched));
    return entry;
}

void HomeScenarioStrip::resizeEvent(QResizeEvent *)
{
    m_pages->setGeometry(0, kHeaderHeight, width(), kStripHeight);
    m_pageControl->setGeometry(0, kHeaderHeight + kStripHeight, width(), m_pageControl->height());
    layoutEntries();
}

void HomeScenarioStrip::layoutEntries()
{
    const int slot = width() / kEntriesPerPage;
    for (int k = 0; k < m_entries.size(); ++k) {
        auto *entry = static_cast<QToolButton *>(m_entries.at(k));
        entry->setGeometry((k % kEntriesPerPage) * slot + 2, 4, slot - 4, kStripHeight - 8);
        entry->setText(
            entry->fontMetrics().elidedText(entry->accessibleName(), Qt::ElideRight, slot - 6));
    }
}
