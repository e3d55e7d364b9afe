// SPDX-License-Identifier: GPL-3.0-or-later
#include "vtscanviewcontroller.h"

#include "codeimage.h"
#include "control/appdelegate.h"
#include "control/checkmanager.h"
#include "control/codedecoder.h"
#include "enrol/homedetailviewcontroller.h"
#include "frame/navigationbar.h"
#include "frame/navigationstack.h"
#include "frame/screencaller.h"
#include "scancamera.h"
#include "store/database.h"
#include "views/vtactionsheet.h"
#include "views/vtscananimationview.h"
#include "views/vtscanupview.h"

#include <QLabel>
#include <QPainter>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QTimer>

VtScanViewController::VtScanViewController(const HomeServices &home, QWidget *parent)
    : ParentViewController(tr("Scan"), parent), m_home(home), m_camera(new ScanCamera(this)),
      m_prompt(new QLabel(this)),
      m_hint(new QLabel(tr("Align the QR code within the frame"), this)),
      m_tryButton(new QPushButton(tr("Have a try"), this)), m_frameView(new VtScanUpView(this))
{
    navBar()->setRightText(tr("More"));
    for (QLabel *label : {m_prompt, m_hint}) {
        label->setAlignment(Qt::AlignCenter);
        label->setStyleSheet(QStringLiteral("color: #45403b; font-size: 15px;"));
    }
    m_prompt->setObjectName(QStringLiteral("prompt"));
    m_tryButton->setObjectName(QStringLiteral("tryButton"));
    m_tryButton->setStyleSheet(QStringLiteral("QPushButton { background: rgb(69, 61, 59); color: "
                                              "white; border-radius: 6px; font-size: 16px; }"));
    connect(m_tryButton, &QPushButton::clicked, this, &VtScanViewController::tryButtonPressed);
    connect(m_camera, &ScanCamera::codeDetected, this, &VtScanViewController::captureOutput);
    connect(m_camera, &ScanCamera::frameShown, this, [this](const QImage &frame) {
        m_frame = frame;
        update(pictureRect());
    });
    setScanType(QStringLiteral("Device"));
}

VtScanViewController::~VtScanViewController()
{
    if (AppDelegate::instance()->torch() == m_camera)
        AppDelegate::instance()->setTorch(nullptr);
}

bool VtScanViewController::hasCapture() const
{
    return m_camera->isAvailable();
}

QString VtScanViewController::promptText() const
{
    return m_prompt->text();
}

void VtScanViewController::setScanType(const std::optional<QString> &scanType)
{
    m_scanType = scanType.value_or(CodeDecoder::kDeviceMode);
    const bool transmitterMode = m_scanType == CodeDecoder::kTransmitterMode;
    m_prompt->setText(transmitterMode ? tr("Please scan the transmitter first")
                                      : tr("Please scan the Device"));
    const bool offerTry = transmitterMode && AppDelegate::instance()->ifHaveATry();
    navBar()->leftButton()->setVisible(!offerTry);
    m_tryButton->setVisible(offerTry);
}

bool VtScanViewController::startUpOverlayShows() const
{
    // The logo, or the welcome pages of a first start.
    const QWidget *window = this->window();
    for (const char *name : {"firstInitOverlay", "welcomeView"}) {
        const QWidget *overlay = window->findChild<QWidget *>(QString::fromLatin1(name));
        if (overlay && overlay->isVisible())
            return true;
    }
    return false;
}

void VtScanViewController::startScanning()
{
    m_scanning = true;
    AppDelegate::instance()->setTorch(m_camera);
    m_camera->start();
}

void VtScanViewController::stopScanning()
{
    m_scanning = false;
    m_camera->stop();
}

void VtScanViewController::captureFrame(const QImage &frame)
{
    m_frame = frame;
    if (const std::optional<QString> text = CodeImage::read(frame))
        captureOutput(*text);
}

void VtScanViewController::captureOutput(const QString &text)
{
    if (!m_scanning || text.isEmpty())
        return;
    if (startUpOverlayShows()) {
        stopScanning();
        return;
    }
    if (CodeDecoder(m_home).decoderWithResult(text, m_scanType, ScreenCaller::of(this).get()) ==
        CodeDecoder::Accepted)
        stopScanning();
}

void VtScanViewController::navRightButtonItemPressed()
{
    stopScanning();
    m_paused = true;
    auto *sheet =
        new VtActionSheet({tr("Open") + tr("Flashlight"), tr("Manual Input")}, 0, window());
    connect(sheet, &VtActionSheet::clickedButtonAtIndex, this, &VtScanViewController::optionChosen);
    sheet->showSheet();
}

void VtScanViewController::optionChosen(int index)
{
    m_paused = false;
    if (index == 2) {
        auto *entry = new HomeDetailViewController(
            tr("ID"), tr("Please input the device ID"),
            [self = QPointer<VtScanViewController>(this)](const QString &text) {
                if (self)
                    self->homeEditFinishWithHomeName(text);
            });
        if (auto *stack = NavigationStack::of(this))
            stack->push(entry, true);
        return;
    }
    startScanning();
    if (index == 1)
        CheckManager(m_home).turnBackLed();
}

void VtScanViewController::homeEditFinishWithHomeName(const QString &text)
{
    m_scanning = true;
    if (CodeDecoder(m_home).decoderWithResult(
            text.toUpper(), m_scanType, ScreenCaller::of(this).get()) == CodeDecoder::Accepted)
        stopScanning();
}

void VtScanViewController::tryButtonPressed()
{
    if (auto *stack = NavigationStack::of(this); stack && !stack->screens().isEmpty())
        stack->popToScreen(stack->screens().constFirst(), true);
}

void VtScanViewController::updateMainView()
{
    if (isVisible() && !m_scanning && !m_paused && !startUpOverlayShows())
        startScanning();
}

void VtScanViewController::showIntro()
{
    (new VtScanAnimationView(tr("Please scan the barcode of the equipment"), window()))->start();
}

void VtScanViewController::showEvent(QShowEvent *event)
{
    setScanType(Database::instance()->readAllSuperBoxInfo().isEmpty()
                    ? CodeDecoder::kTransmitterMode
                    : CodeDecoder::kDeviceMode);
    ParentViewController::showEvent(event);
    if (!window()->findChild<QWidget *>(QStringLiteral("scanIntro")))
        showIntro();
    if (!startUpOverlayShows() && !m_paused)
        startScanning();
}

void VtScanViewController::hideEvent(QHideEvent *event)
{
    ParentViewController::hideEvent(event);
    // The intro belongs to this screen: a code read while it still shows
    // leads on, and the next screen must not stay hidden under it.
    if (QWidget *intro = window()->findChild<QWidget *>(QStringLiteral("scanIntro"))) {
        intro->hide();
        intro->deleteLater();
    }
    stopScanning();
    AppDelegate::instance()->setIfHaveATry(false);
}

QRect VtScanViewController::pictureRect() const
{
    const int pictureHeight = int(width() * 0.9);
    return {0, (height() - pictureHeight) / 2, width(), pictureHeight};
}

void VtScanViewController::resizeEvent(QResizeEvent *event)
{
    ParentViewController::resizeEvent(event);
    const QRect picture = pictureRect();
    m_frameView->setGeometry(picture);
    m_prompt->setGeometry(0, picture.top() - 34, width(), 24);
    m_hint->setGeometry(0, picture.bottom() + 10, width(), 24);
    m_tryButton->setGeometry(20, height() - 20 - 40, width() - 40, 40);
}

void VtScanViewController::paintEvent(QPaintEvent *event)
{
    ParentViewController::paintEvent(event);
    QPainter painter(this);
    const QRect picture = pictureRect();
    painter.fillRect(picture, Qt::black);
    if (!m_frame.isNull()) {
        // Filled with the picture's aspect kept: the excess is cut off.
        const QImage scaled =
            m_frame.scaled(picture.size(), Qt::KeepAspectRatioByExpanding, Qt::FastTransformation);
        const QRect source((scaled.width() - picture.width()) / 2,
                           (scaled.height() - picture.height()) / 2, picture.width(),
                           picture.height());
        painter.drawImage(picture, scaled, source);
    }
}
