// SPDX-License-Identifier: GPL-3.0-or-later
#include "homefunctiontile.h"

#include "devices/lightstatetext.h"
#include "scenarios/scenepicture.h"
#include "store/recordkeys.h"
#include "views/elidedlabel.h"
#include "views/keyboardactivation.h"
#include "views/keyboardmodality.h"
#include "views/picturelibrary.h"
#include "views/vtlightingimageview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTouchEvent>
#include <QVariantAnimation>

namespace {
constexpr int kMouseFinger = -1;

// The handle under a tile: a tab with a chevron pointing where the panel goes.
class VtHomePullView : public QWidget {
public:
    VtHomePullView(QColor colour, std::function<void()> touched, QWidget *parent)
        : QWidget(parent), m_colour(colour), m_touched(std::move(touched))
    {
        setObjectName(QStringLiteral("pullHandle"));
        setCursor(Qt::PointingHandCursor);
    }
    void setPointsUp(bool up)
    {
        m_up = up;
        update();
    }

protected:
    void mousePressEvent(QMouseEvent *event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (rect().contains(event->position().toPoint()))
            m_touched();
    }
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_colour);
        painter.drawRoundedRect(QRectF(0, -6, width(), height() + 6), 6, 6);
        painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const double mid = width() / 2.0;
        const double y = height() / 2.0;
        const double d = m_up ? -3 : 3;
        painter.drawPolyline(QPolygonF{{mid - 7, y - d}, {mid, y + d}, {mid + 7, y - d}});
    }

private:
    QColor m_colour;
    std::function<void()> m_touched;
    bool m_up = false;
};

// The picture of a light or curtain, or a scenario's, for an item of a panel.
void showPicture(VtLightingImageView *view, const QVariantMap &record)
{
    const int side = HomeFunctionTile::kIconSide;
    const QString type = record.value(Key::type).toString();
    if (type == Value::lighting || type == Value::curtain) {
        const auto [name, kind] = VtLightingImageView::pictureOf(record);
        view->setPicture(PictureLibrary::picture(name, side), kind);
    } else {
        view->setPicture(ScenePicture::forImagePath(record.value(Key::imagePath).toString(), side),
                         0);
    }
}
} // namespace

// One item of a hidden panel: its picture over its title, a light's stored
// state at the right; a touch chooses it. It shows the record it was last
// given, and reports that one when touched.
class HomeDarkItem : public QWidget {
public:
    HomeDarkItem(std::function<void(const QVariantMap &)> touched, QWidget *parent)
        : QWidget(parent), m_picture(new VtLightingImageView(this)),
          m_title(new ElidedLabel(QString(), this)), m_state(new QLabel(this)),
          m_touched(std::move(touched))
    {
        m_picture->setObjectName(QStringLiteral("picture"));
        m_picture->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_picture->setFixedSize(HomeFunctionTile::kIconSide, HomeFunctionTile::kIconSide);
        m_title->setObjectName(QStringLiteral("title"));
        m_title->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_title->setAlignment(Qt::AlignCenter);
        m_title->setStyleSheet(QStringLiteral("color: white; font-size: 13px;"));
        m_state->setObjectName(QStringLiteral("state"));
        m_state->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_state->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_state->setStyleSheet(QStringLiteral("color: white; font-size: 15px;"));
        new KeyboardActivation(this, [this] { m_touched(m_record); });
    }

    void showRecord(const QVariantMap &record)
    {
        m_record = record;
        showPicture(m_picture, record);
        m_title->setFullText(record.value(Key::title).toString());
        m_state->setText(LightStateText::of(record));
        m_state->setVisible(!m_state->text().isEmpty());
        setAccessibleName(LightStateText::spoken(record));
    }

protected:
    void resizeEvent(QResizeEvent *) override
    {
        const int side = HomeFunctionTile::kIconSide;
        m_picture->move((width() - side) / 2, 3);
        m_title->setGeometry(10, side + 4, width() - 20, height() - side - 6);
        m_state->setGeometry(width() - kStateWidth - 16, 0, kStateWidth, side);
    }
    void mousePressEvent(QMouseEvent *event) override { event->accept(); }
    void paintEvent(QPaintEvent *) override
    {
        if (KeyboardModality::showsFocusRing(this)) {
            QPainter painter(this);
            KeyboardActivation::drawFocusRing(painter, rect());
        }
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (rect().contains(event->position().toPoint()))
            m_touched(m_record);
    }

private:
    static constexpr int kStateWidth = 60;
    VtLightingImageView *m_picture;
    ElidedLabel *m_title;
    QLabel *m_state;
    std::function<void(const QVariantMap &)> m_touched;
    QVariantMap m_record;
};

QList<HomeFunction> HomeFunction::readAllHomeFunctionInfo()
{
    return {
        {HomeFunctionTile::tr("Lighting"), QStringLiteral("LightingFunction"),
         QStringLiteral("home_Lighting.png"), QColor(99, 169, 132), QColor(49, 109, 77)},
        {HomeFunctionTile::tr("Curtain"), QStringLiteral("CurtainFunction"),
         QStringLiteral("home_Curtain.png"), QColor(246, 142, 86), QColor(159, 79, 39)},
        {HomeFunctionTile::tr("Scenario"), QStringLiteral("SceneFunction"),
         QStringLiteral("home_Thermostat.png"), QColor(109, 160, 192), QColor(39, 99, 129)},
    };
}

HomeFunctionTile::HomeFunctionTile(const HomeFunction &function, const QString &area,
                                   QWidget *parent)
    : QWidget(parent), m_function(function), m_area(area), m_icon(new QLabel(this)),
      m_title(new QLabel(function.detail, this)),
      m_hint(new QLabel(tr("Drag down to open the hidden panel"), this)),
      m_all(new QPushButton(tr("All"), this)), m_panel(new QWidget(this)),
      m_animation(new QVariantAnimation(this))
{
    setObjectName(QStringLiteral("tile%1").arg(area));
    setAttribute(Qt::WA_AcceptTouchEvents);
    QString iconFile = function.imageName;
    iconFile.replace(QStringLiteral(".png"), QStringLiteral(".svg"));
    m_icon->setPixmap(QIcon(QStringLiteral(":/icons/") + iconFile).pixmap(48, 48));
    m_icon->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_title->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_title->setStyleSheet(QStringLiteral("color: white; font-size: 22px; font-weight: bold;"));
    m_hint->setObjectName(QStringLiteral("hint"));
    // Tab reaches the tile: Enter or Space opens its screen, Down and Up open
    // and close its hidden panel.
    setAccessibleName(function.detail);
    setAccessibleDescription(m_hint->text());
    new KeyboardActivation(this, [this] { Q_EMIT functionPressed(m_function.function); });
    m_hint->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_hint->setWordWrap(true);
    m_hint->setStyleSheet(QStringLiteral("color: rgba(255, 255, 255, 200); font-size: 12px;"));
    m_all->setObjectName(QStringLiteral("all"));
    m_all->setStyleSheet(QStringLiteral(
        "QPushButton { color: white; font-size: 15px; border: 1px solid rgba(255,255,255,180);"
        " border-radius: 12px; padding: 2px 12px; background: transparent; }"));
    m_all->hide();
    connect(m_all, &QPushButton::clicked, this,
            [this] { Q_EMIT functionPressed(m_function.function); });
    m_handle = new VtHomePullView(
        function.bottom, [this] { toggle(); }, this);
    m_panel->setObjectName(QStringLiteral("hiddenPanel"));
    m_panel->setAutoFillBackground(true);
    QPalette palette = m_panel->palette();
    palette.setColor(QPalette::Window, function.bottom.darker(115));
    m_panel->setPalette(palette);
    m_animation->setDuration(kAnimationMilliseconds);
    m_animation->setEasingCurve(QEasingCurve::InOutQuad);
    connect(m_animation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant &value) { setPanelHeight(value.toInt()); });
    setPanelHeight(0);
}

bool HomeFunctionTile::isMoving() const
{
    return m_animation->state() == QAbstractAnimation::Running;
}

void HomeFunctionTile::setOpen(bool open, bool animated)
{
    if (open)
        readItems(); // the items are read again each time the panel opens
    else if (isAncestorOf(QApplication::focusWidget()))
        setFocus(Qt::TabFocusReason); // from "All" or an item that goes out of sight
    m_open = open;
    KeyboardActivation::setExpanded(this, open);
    m_hint->setVisible(!open);
    m_all->setVisible(open);
    static_cast<VtHomePullView *>(m_handle)->setPointsUp(open);
    const int target = open ? int(m_items.size()) * kItemHeight : 0;
    m_animation->stop();
    if (!animated) {
        setPanelHeight(target);
        return;
    }
    m_animation->setStartValue(m_panelHeight);
    m_animation->setEndValue(target);
    m_animation->start();
}

void HomeFunctionTile::readItems()
{
    const QList<QVariantMap> records = m_source ? m_source() : QList<QVariantMap>();
    const int count = qMin(m_shownItems, int(records.size()));
    while (m_items.size() > count) {
        HomeDarkItem *gone = m_items.takeLast();
        // The keyboard moves up to the nearest item left, or to the tile.
        if (QApplication::focusWidget() == gone)
            (m_items.isEmpty() ? static_cast<QWidget *>(this) : m_items.constLast())
                ->setFocus(Qt::TabFocusReason);
        gone->hide();
        gone->deleteLater(); // it may be the item whose touch led here
    }
    while (m_items.size() < count) {
        const int position = int(m_items.size()) + 1;
        auto *item = new HomeDarkItem(
            [this, position](const QVariantMap &record) {
                Q_EMIT itemPressed(m_area, position, record);
            },
            m_panel);
        item->setObjectName(QStringLiteral("item%1").arg(position));
        item->show();
        m_items.append(item);
    }
    for (int k = 0; k < count; ++k)
        m_items.at(k)->showRecord(records.at(k));
    layoutParts();
    // Tab goes from the tile's "All" down its items, then on to the next tile.
    QWidget *previous = m_all;
    for (QWidget *item : std::as_const(m_items))
        QWidget::setTabOrder(std::exchange(previous, item), item);
}

QWidget *HomeFunctionTile::itemAt(int index) const
{
    return m_items.value(index);
}

void HomeFunctionTile::setPanelHeight(int height)
{
    m_panelHeight = height;
    // A closed panel's items are out of reach, of the keyboard too.
    m_panel->setVisible(height > 0);
    setFixedHeight(kTileHeight + kHandleHeight + height);
    m_panel->setGeometry(0, kTileHeight, width(), height);
    m_handle->move(m_handle->x(), kTileHeight + height);
}

void HomeFunctionTile::resizeEvent(QResizeEvent *)
{
    layoutParts();
}

void HomeFunctionTile::layoutParts()
{
    m_icon->setGeometry(16, (kTileHeight - 48) / 2, 48, 48);
    m_title->setGeometry(78, 14, width() - 160, 34);
    m_hint->setGeometry(78, 48, width() - 96, 34);
    m_all->adjustSize();
    m_all->move(width() - m_all->width() - 14, (kTileHeight - m_all->height()) / 2);
    m_handle->setGeometry((width() - 56) / 2, kTileHeight + m_panelHeight, 56, kHandleHeight);
    m_panel->setGeometry(0, kTileHeight, width(), m_panelHeight);
    for (int k = 0; k < m_items.size(); ++k)
        m_items.at(k)->setGeometry(0, k * kItemHeight, width(), kItemHeight);
}

void HomeFunctionTile::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, kTileHeight);
    gradient.setColorAt(0, m_function.top);
    gradient.setColorAt(1, m_function.bottom);
    painter.fillRect(0, 0, width(), kTileHeight, gradient);
    if (KeyboardModality::showsFocusRing(this))
        KeyboardActivation::drawFocusRing(painter, QRect(0, 0, width(), kTileHeight));
}

void HomeFunctionTile::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up)
        setOpen(event->key() == Qt::Key_Down, true);
    else
        QWidget::keyPressEvent(event);
}

void HomeFunctionTile::fingerDown(int finger, QPointF local, QPointF global)
{
    m_swipes.begin(finger, local.y());
    if (finger == kMouseFinger || m_gesture == Gesture::None) {
        m_gesture = Gesture::Undecided;
        m_pressAt = global;
    }
}

void HomeFunctionTile::fingerMoved(int finger, QPointF local, QPointF global)
{
    if (m_gesture == Gesture::Undecided) {
        const QPointF moved = global - m_pressAt;
        if (qAbs(moved.x()) > kTapSlop && qAbs(moved.x()) > qAbs(moved.y())) {
            m_gesture = Gesture::Sideways;
            m_swipes.end(finger);
            if (m_dragTarget)
                m_dragTarget->sidewaysDrag(SidewaysDragTarget::Phase::Began, m_pressAt.x());
        } else if (qAbs(moved.y()) > kTapSlop) {
            m_gesture = Gesture::Vertical;
        }
    }
    if (m_gesture == Gesture::Sideways) {
        if (m_dragTarget)
            m_dragTarget->sidewaysDrag(SidewaysDragTarget::Phase::Moved, global.x());
        return;
    }
    switch (m_swipes.move(finger, local.y())) {
    case SwipeTracker::Swipe::Down:
        if (!m_open)
            setOpen(true, true);
        break;
    case SwipeTracker::Swipe::Up:
        if (m_open)
            setOpen(false, true);
        break;
    case SwipeTracker::Swipe::None:
        break;
    }
}

void HomeFunctionTile::fingerUp(int finger, QPointF local, QPointF global)
{
    m_swipes.end(finger);
    const Gesture gesture = m_gesture;
    m_gesture = Gesture::None;
    if (gesture == Gesture::Sideways && m_dragTarget)
        m_dragTarget->sidewaysDrag(SidewaysDragTarget::Phase::Ended, global.x());
    else if (gesture == Gesture::Undecided && local.y() < kTileHeight)
        Q_EMIT functionPressed(m_function.function);
}

bool HomeFunctionTile::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
        // A touch that starts on the panel's items, the handle or "All" is
        // theirs: left alone, it reaches them as a mouse touch.
        if (!startsOnTile(static_cast<QTouchEvent *>(event)->points().constFirst().position())) {
            event->ignore();
            return false;
        }
        Q_FALLTHROUGH();
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd: {
        // Each finger is followed by itself.
        for (const QEventPoint &point : static_cast<QTouchEvent *>(event)->points()) {
            if (point.state() == QEventPoint::Pressed)
                fingerDown(point.id(), point.position(), point.globalPosition());
            else if (point.state() == QEventPoint::Updated)
                fingerMoved(point.id(), point.position(), point.globalPosition());
            else if (point.state() == QEventPoint::Released)
                fingerUp(point.id(), point.position(), point.globalPosition());
        }
        event->accept();
        return true;
    }
    default:
        return QWidget::event(event);
    }
}

bool HomeFunctionTile::startsOnTile(QPointF at) const
{
    return at.y() < kTileHeight &&
           !(m_all->isVisible() && m_all->geometry().contains(at.toPoint()));
}

void HomeFunctionTile::mousePressEvent(QMouseEvent *event)
{
    if (startsOnTile(event->position()))
        fingerDown(kMouseFinger, event->position(), event->globalPosition());
}

void HomeFunctionTile::mouseMoveEvent(QMouseEvent *event)
{
    fingerMoved(kMouseFinger, event->position(), event->globalPosition());
}

void HomeFunctionTile::mouseReleaseEvent(QMouseEvent *event)
{
    fingerUp(kMouseFinger, event->position(), event->globalPosition());
}
