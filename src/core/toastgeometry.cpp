// SPDX-License-Identifier: GPL-3.0-or-later
#include "toastgeometry.h"

#include <algorithm>

ToastGeometry ToastGeometry::compute(QSizeF titleLine, QSizeF detailLine, QSizeF window)
{
    const double panelWidth = std::min(
        std::max(titleLine.width(), detailLine.width()) + kHorizontalPadding, kMaxPanelWidth);
    const double textWidth = panelWidth - kHorizontalPadding;

    double detailHeight = detailLine.height();
    if (textWidth > 0 && detailLine.width() > textWidth)
        detailHeight *= detailLine.width() / textWidth + 1;
    double titleHeight = titleLine.height();
    if (titleLine.width() > textWidth)
        titleHeight *= 2;

    const double panelHeight = titleHeight + kVerticalPadding +
                               (detailHeight > 0 ? detailHeight + kDetailGap : 0) +
                               kVerticalPadding;

    const QPointF panelCentre(window.width() / 2, window.height() / 2 - window.height() / 16);
    ToastGeometry geometry;
    geometry.panel = QRectF(0, 0, panelWidth, panelHeight);
    geometry.panel.moveCenter(panelCentre);

    geometry.titleLabel = QRectF(0, 0, textWidth, titleHeight);
    geometry.titleLabel.moveCenter({panelWidth / 2, kVerticalPadding + titleHeight / 2});
    if (detailHeight > 0) {
        geometry.detailLabel = QRectF(0, 0, textWidth, detailHeight);
        geometry.detailLabel.moveCenter(
            {panelWidth / 2, panelHeight - kVerticalPadding - detailHeight / 2});
    }
    return geometry;
}
