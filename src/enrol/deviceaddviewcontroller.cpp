// SPDX-License-Identifier: GPL-3.0-or-later
#include "deviceaddviewcontroller.h"

#include "control/deviceenrolment.h"
#include "core/showalertmanager.h"
#include "frame/navigationbar.h"
#include "store/recordkeys.h"

#include "frame/screencaller.h"
#include "views/keyboardavoidance.h"
#include "views/vtpagedscrollview.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

DeviceAddViewController::DeviceAddViewController(const HomeServices &home, const QString &id,
                                                 int groupCount, const QString &control,
                                                 const QString &summary, QWidget *parent)
    : ScannedViewController(tr("Scanned Device"), parent), m_home(home),
      m_records(DeviceEnrolment(home).channelRecords(id, groupCount, control)),
      m_summary(new QLabel(this)), m_strip(new VtPagedScrollView(this)),
      m_pageIndicator(new QLabel(this)), m_keyboard(new KeyboardAvoidance(this, [this] {
          return m_strip->geometry().united(m_pageIndicator->geometry());
      }))
{
    QObject::connect(m_keyboard, &KeyboardAvoidance::changed, this,
                     &DeviceAddViewController::followKeyboard);
    if (DeviceEnrolment(m_home).isStored(id))
        ShowAlertManager::instance()->showLabelWithTitle(tr("This device has been added"));
    const QString name = control == Value::curtainControl ? tr("Curtain") : tr("Lighting");
    m_summary->setText(
        QStringLiteral("<b>%1</b><br>%2").arg(name, QString(summary).replace('\n', "<br>")));
    m_summary->setAlignment(Qt::AlignCenter);
    m_strip->setObjectName(QStringLiteral("channelPages"));
    m_strip->setStyleSheet(QStringLiteral(
        "QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }"));
    m_pageIndicator->setObjectName(QStringLiteral("pageIndicator"));
    m_pageIndicator->setAlignment(Qt::AlignCenter);
    buildPages();
    // A swipe settles on the nearest page (half a page or more is the next).
    QObject::connect(m_strip, &VtPagedScrollView::currentPageChanged, this,
                     &DeviceAddViewController::showPageNumber);
    updateDownViewWithTitleArray({tr("Connect")});
}

void DeviceAddViewController::buildPages()
{
    QList<QWidget *> pages;
    for (int k = 0; k < m_records.size(); ++k) {
        auto *page = new QWidget();
        auto *layout = new QVBoxLayout(page);
        auto *field = new QLineEdit(m_records.at(k).value(Key::title).toString(), page);
        field->setObjectName(QStringLiteral("nameField%1").arg(k + 1));
        field->setPlaceholderText(tr("Please input name"));
        attachNameField(field);
        QObject::connect(field, &QLineEdit::editingFinished, this, [this, k] { storeName(k); });
        auto *label = new QLabel(m_records.at(k).value(Key::showTitle).toString(), page);
        label->setBuddy(field);
        field->setAccessibleName(label->text());
        layout->addWidget(label);
        layout->addWidget(field);
        m_fields.append(field);
        pages.append(page);
    }
    m_strip->setPages(pages);
    showPageNumber(0);
}

void DeviceAddViewController::showPageNumber(int page)
{
    m_pageIndicator->setText(m_records.isEmpty()
                                 ? QString()
                                 : QStringLiteral("%1 / %2").arg(page + 1).arg(m_records.size()));
}

int DeviceAddViewController::currentPage() const
{
    return m_strip->currentPage();
}

QLineEdit *DeviceAddViewController::nameField(int tag) const
{
    return m_fields.value(tag - 1);
}

void DeviceAddViewController::showPage(int page)
{
    m_strip->scrollToPage(page, false);
}

void DeviceAddViewController::storeName(int index)
{
    if (index < m_records.size())
        m_records[index].insert(Key::title, m_fields.at(index)->text());
}

void DeviceAddViewController::connect()
{
    // A name still being typed counts.
    for (int k = 0; k < m_fields.size(); ++k)
        storeName(k);
    DeviceEnrolment(m_home).connect(m_records, ScreenCaller::of(this));
}

void DeviceAddViewController::panelAddSucceed(const QString &acceptedCount)
{
    if (acceptedCount.toInt() == m_records.size()) {
        setShowAlertViewWithImageName(QStringLiteral("0"), tr("Connection successful"));
        setReminderColouring(1);
        updateDownViewWithTitleArray({tr("Add More"), tr("Done")});
        for (int k = 0; k < m_fields.size(); ++k) {
            const QString title = m_records.at(k).value(Key::title).toString();
            m_fields.at(k)->setText(
                title.isEmpty() ? m_records.at(k).value(Key::showTitle).toString() : title);
            m_fields.at(k)->setReadOnly(true);
        }
        return;
    }
    setShowAlertViewWithImageName(
        QStringLiteral("1"),
        QStringLiteral("%1 %2 %3").arg(tr("Added"), acceptedCount, tr("Device")));
    setReminderColouring(2);
    updateDownViewWithTitleArray({tr("Retry")});
}

void DeviceAddViewController::followKeyboard()
{
    m_strip->setSwipeEnabled(!m_keyboard->keyboardShown());
    layoutContent();
}

void DeviceAddViewController::resizeEvent(QResizeEvent *event)
{
    ScannedViewController::resizeEvent(event);
    layoutContent();
}

void DeviceAddViewController::layoutContent()
{
    const int usable = height() - NavigationBar::kHeight;
    const int top = NavigationBar::kHeight - m_keyboard->lift();
    m_summary->setGeometry(0, top, width(), usable * 31 / 100);
    reminder()->setGeometry(20, top + usable * 31 / 100, width() - 40, usable * 16 / 100);
    const int stripTop = top + usable * 47 / 100;
    m_strip->setGeometry(0, stripTop, width(), height() / 5);
    m_pageIndicator->setGeometry(0, stripTop + height() / 5, width(), 16);
    statusBanner()->raise();
    keepBarOnTop();
}
