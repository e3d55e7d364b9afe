// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QSizeF>

// Where the toast panel and its labels go, from the one-line sizes of the
// title (system font 16) and of the detail (system font 12) as the presenter
// measured them. An empty detail size means no detail line.
struct ToastGeometry {
    QRectF panel;       // in window coordinates
    QRectF titleLabel;  // in panel coordinates
    QRectF detailLabel; // in panel coordinates; empty when there is no detail

    static constexpr double kMaxPanelWidth = 260;
    static constexpr double kHorizontalPadding = 40;
    static constexpr double kVerticalPadding = 20;
    static constexpr double kDetailGap = 5;

    static ToastGeometry compute(QSizeF titleLine, QSizeF detailLine, QSizeF window);
};
