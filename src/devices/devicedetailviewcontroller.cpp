// SPDX-License-Identifier: GPL-3.0-or-later
#include "devicedetailviewcontroller.h"

#include "enrol/codeimage.h"
#include "frame/navigationbar.h"
#include "store/recordkeys.h"

#include <QLabel>
#include <QPainter>

DeviceDetailViewController::DeviceDetailViewController(const QVariantMap &detailDictionary,
                                                       QWidget *parent)
    : ParentViewController(tr("Device Detail"), parent),
      // The code holds the ID alone; 5 pixels a module, sharp edges.
      m_code(CodeImage::qrCode(detailDictionary.value(Key::id).toString(), 5)),
      m_text(new QLabel(this))
{
    m_text->setObjectName(QStringLiteral("detailText"));
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setWordWrap(true);
    m_text->setText(QStringLiteral("%1:%2\n%3:%4")
                        .arg(tr("ID"), detailDictionary.value(Key::id).toString(), tr("Name"),
                             detailDictionary.value(Key::title).toString()));
}

QString DeviceDetailViewController::detailText() const
{
    return m_text->text();
}

void DeviceDetailViewController::resizeEvent(QResizeEvent *event)
{
    ParentViewController::resizeEvent(event);
    const int free = height() - NavigationBar::kHeight;
    const int top = NavigationBar::kHeight + (free - kPictureSide - 10 - 60) / 2;
    m_text->setGeometry(0, top + kPictureSide + 10, width(), 60);
}

void DeviceDetailViewController::paintEvent(QPaintEvent *event)
{
    ParentViewController::paintEvent(event);
    QPainter painter(this);
    const int free = height() - NavigationBar::kHeight;
    const QRect square((width() - kPictureSide) / 2,
                       NavigationBar::kHeight + (free - kPictureSide - 10 - 60) / 2, kPictureSide,
                       kPictureSide);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false); // modules keep sharp edges
    painter.drawImage(square, m_code);
}
