// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpdetailotherviewcontroller.h"

#include "views/illustrations.h"

#include <QLabel>

QWidget *HelpDetailOtherViewController::makeRow(int step, const QString &text, int width)
{
    // The label on its own line, the picture under it at 7/8 of the width.
    const int inner = width * 7 / 8;
    const int left = (width - inner) / 2;
    auto *row = new QWidget();
    QLabel *label = stepText(text, row);
    label->setObjectName(QStringLiteral("text"));
    label->setStyleSheet(label->styleSheet() + QStringLiteral(" font-weight: bold;"));
    label->setGeometry(left, 8, inner, 24);
    auto *picture = new QLabel(row);
    picture->setObjectName(QStringLiteral("picture"));
    const QSize box(inner, inner * 9 / 16);
    picture->setPixmap(
        Illustrations::inBox(topic().stepPictureName(step), box, devicePixelRatioF()));
    picture->setGeometry(left, 36, box.width(), box.height());
    row->setFixedHeight(36 + box.height() + 12);
    return row;
}
