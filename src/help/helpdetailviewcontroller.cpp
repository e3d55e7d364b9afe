// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpdetailviewcontroller.h"

#include "frame/navigationbar.h"
#include "views/illustrations.h"
#include "views/tablearea.h"

#include <QLabel>
#include <QResizeEvent>

namespace {
const char *const kTextStyle = "font-size: 16px; color: rgb(80, 80, 80);";
} // namespace

HelpDetailViewController::HelpDetailViewController(QWidget *parent)
    : ParentViewController(QString(), parent), m_table(new TableArea(this))
{
    m_table->setObjectName(QStringLiteral("helpDetailTable"));
}

void HelpDetailViewController::updateHelpDetailDictionary(const HelpTopic &topic)
{
    m_topic = topic;
    initTitleViewWithText(topic.title, 0);
    reloadData();
}

QLabel *HelpDetailViewController::stepText(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setStyleSheet(QString::fromLatin1(kTextStyle));
    label->ensurePolished(); // its height is measured with the style's font
    return label;
}

QWidget *HelpDetailViewController::makeRow(int step, const QString &text, int width)
{
    // Text and picture 15/16 of the width; the text as high as it wraps,
    // 10 points from the top; the picture 10 points under it, half as high as wide.
    const int inner = width * 15 / 16;
    const int left = (width - inner) / 2;
    auto *row = new QWidget();
    QLabel *label = stepText(text, row);
    label->setObjectName(QStringLiteral("text"));
    label->setGeometry(left, 10, inner, label->heightForWidth(inner));
    auto *picture = new QLabel(row);
    picture->setObjectName(QStringLiteral("picture"));
    picture->setPixmap(Illustrations::inBox(m_topic.stepPictureName(step), QSize(inner, inner / 2),
                                            devicePixelRatioF()));
    picture->setGeometry(left, label->geometry().bottom() + 1 + 10, inner, inner / 2);
    row->setFixedHeight(picture->geometry().bottom() + 1 + 10);
    return row;
}

void HelpDetailViewController::reloadData()
{
    QLayoutItem *item;
    while ((item = m_table->rows()->takeAt(0))) {
        if (QWidget *widget = item->widget())
            widget->deleteLater();
        delete item;
    }
    m_rows.clear();
    m_header = nullptr;
    const int w = width();
    if (!m_topic.sectionHeader.isEmpty()) {
        m_header = stepText(m_topic.sectionHeader, nullptr);
        m_header->setObjectName(QStringLiteral("sectionHeader"));
        m_header->setContentsMargins(w / 32, 10, w / 32, 4);
        m_table->rows()->addWidget(m_header);
    }
    for (int k = 0; k < m_topic.needArray.size(); ++k) {
        QWidget *row = makeRow(k + 1, m_topic.needArray.at(k), w);
        row->setObjectName(QStringLiteral("step%1").arg(k + 1));
        m_table->rows()->addWidget(row);
        m_rows.append(row);
    }
    m_table->rows()->addStretch(1);
}

void HelpDetailViewController::resizeEvent(QResizeEvent *event)
{
    ParentViewController::resizeEvent(event);
    m_table->setGeometry(0, NavigationBar::kHeight, width(), height() - NavigationBar::kHeight);
    if (event->oldSize().width() != width())
        reloadData(); // the rows are laid out for the width
}
