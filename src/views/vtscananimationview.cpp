// SPDX-License-Identifier: GPL-3.0-or-later
#include "vtscananimationview.h"

#include <QLabel>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QTimer>

VtScanAnimationView::VtScanAnimationView(const QString &text, QWidget *window)
    : QWidget(window), m_left(new QLabel(this)), m_right(new QLabel(this))
{
    setObjectName(QStringLiteral("scanIntro"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(window->rect());
    const int half = width() / 2;
    for (QLabel *part : {m_left, m_right}) {
        part->setStyleSheet(
            QStringLiteral("background: rgb(69, 61, 59); color: white; font-size: 15px;"));
        part->setAlignment(Qt::AlignCenter);
        part->resize(width() - half, height());
    }
    m_left->move(0, 0);
    m_right->move(half, 0);
    // The text spans the middle until the halves part.
    auto *caption = new QLabel(text, this);
    caption->setObjectName(QStringLiteral("caption"));
    caption->setAlignment(Qt::AlignCenter);
    caption->setWordWrap(true);
    caption->setStyleSheet(QStringLiteral("color: white; font-size: 15px;"));
    caption->setGeometry(20, height() / 2 + 60, width() - 40, 60);
}

void VtScanAnimationView::start()
{
    show();
    raise();
    QTimer::singleShot(kShowMilliseconds, this, [this] {
        findChild<QLabel *>(QStringLiteral("caption"))->hide();
        auto *group = new QParallelAnimationGroup(this);
        const int half = width() / 2;
        for (auto [part, to] : {std::pair{m_left, -half}, std::pair{m_right, width()}}) {
            auto *slide = new QPropertyAnimation(part, "pos", group);
            slide->setDuration(kSlideMilliseconds);
            slide->setEndValue(QPoint(to, 0));
            group->addAnimation(slide);
        }
        connect(group, &QParallelAnimationGroup::finished, this, &QObject::deleteLater);
        group->start(QAbstractAnimation::DeleteWhenStopped);
    });
}
