#include "deviceaddviewcontroller.h"

#include "core/showalertmanager.h"
#include "deviceenrolment.h"
#include "home/navigationbar.h"
#include "store/recordkeys.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>

DeviceAddViewController::DeviceAddViewController(const QString &id, int groupCount,
                                                 const QString &control, const QString &summary,
                                                 QWidget *parent)
    : ScannedViewController(tr("Scanned Device"), parent),
      m_records(DeviceEnrolment::channelRecords(id, groupCount, control)),
      m_summary(new QLabel(this)), m_reminder(new QLabel(this)), m_strip(new QScrollArea(this)),
      m_pageIndicator(new QLabel(this))
{
    if (DeviceEnrolment::isStored(id))
        ShowAlertManager::instance()->showLabelWithTitle(tr("This device has been added"));
    const QString name = control == Value::curtainControl ? tr("Curtain") : tr("Lighting");
    m_summary->setText(
        QStringLiteral("<b>%1</b><br>%2").arg(name, QString(summary).replace('\n', "<br>")));
    m_summary->setAlignment(Qt::AlignCenter);
    m_reminder->setWordWrap(true);
    m_reminder->setAlignment(Qt::AlignCenter);
    m_reminder->setText(QStringLiteral("<b>%1</b><br>%2")
                            .arg(tr("Reminder"), tr("Please power on device before connect")));
    m_reminder->setStyleSheet(
        QStringLiteral("background: white; color: #45403b; border-radius: 8px;"));
    m_strip->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_strip->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_strip->setFrameShape(QFrame::NoFrame);
    m_strip->setStyleSheet(QStringLiteral(
        "QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }"));
    m_pageIndicator->setObjectName(QStringLiteral("pageIndicator"));
    m_pageIndicator->setAlignment(Qt::AlignCenter);
    buildPages();
    QObject::connect(
        m_strip->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
            const int pageWidth = qMax(1, m_strip->viewport()->width());
            m_page = (value + pageWidth / 2) / pageWidth; // half a page or more is the next
            m_pageIndicator->setText(
                QStringLiteral("%1 / %2").arg(m_page + 1).arg(m_records.size()));
        });
    updateDownViewWithTitleArray({tr("Connect")});
}

void DeviceAddViewController::buildPages()
{
    auto *pages = new QWidget();
    auto *row = new QHBoxLayout(pages);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (int k = 0; k < m_records.size(); ++k) {
        auto *page = new QWidget(pages);
        auto *layout = new QVBoxLayout(page);
        auto *field = new QLineEdit(m_records.at(k).value(Key::title).toString(), page);
        field->setObjectName(QStringLiteral("nameField%1").arg(k + 1));
        field->setPlaceholderText(tr("Please input name"));
        attachNameField(field);
        QObject::connect(field, &QLineEdit::editingFinished, this, [this, k] { storeName(k); });
        layout->addWidget(new QLabel(m_records.at(k).value(Key::showTitle).toString(), page));
        layout->addWidget(field);
        m_fields.append(field);
        row->addWidget(page);
    }
    m_strip->setWidget(pages);
    m_pageIndicator->setText(m_records.isEmpty() ? QString()
                                                 : QStringLiteral("1 / %1").arg(m_records.size()));
}

QLineEdit *DeviceAddViewController::nameField(int tag) const
{
    return m_fields.value(tag - 1);
}

void DeviceAddViewController::showPage(int page)
{
    m_strip->horizontalScrollBar()->setValue(page * m_strip->viewport()->width());
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
    DeviceEnrolment::connect(m_records);
}

void DeviceAddViewController::panelAddSucceed(const QString &acceptedCount)
{
    if (acceptedCount.toInt() == m_records.size()) {
        setShowAlertViewWithImageName(QStringLiteral("0"), tr("Connection successful"));
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
    updateDownViewWithTitleArray({tr("Retry")});
}

void DeviceAddViewController::resizeEvent(QResizeEvent *event)
{
    ScannedViewController::resizeEvent(event);
    const int top = NavigationBar::kHeight;
    const int usable = height() - top;
    m_summary->setGeometry(0, top, width(), usable * 31 / 100);
    m_reminder->setGeometry(20, top + usable * 31 / 100, width() - 40, usable * 16 / 100);
    const int stripTop = top + usable * 47 / 100;
    m_strip->setGeometry(0, stripTop, width(), height() / 5);
    if (QWidget *pages = m_strip->widget())
        pages->setFixedSize(width() * int(qMax<qsizetype>(1, m_records.size())), height() / 5);
    m_pageIndicator->setGeometry(0, stripTop + height() / 5, width(), 16);
}
