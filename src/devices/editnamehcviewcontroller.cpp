#include "editnamehcviewcontroller.h"

#include "editnamedelegate.h"
#include "enrol/scancamera.h"
#include "views/picturelibrary.h"
#include "views/vtactionsheet.h"
#include "views/vtimagelibsheet.h"
#include "views/vtlightingimageview.h"

#include <QBuffer>
#include <QCamera>
#include <QFileDialog>
#include <QImageCapture>
#include <QLineEdit>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QStandardPaths>

EditNameHCViewController::~EditNameHCViewController() = default;

void EditNameHCViewController::imageViewPress()
{
    auto *sheet =
        new VtActionSheet({tr("Choose Icon"), tr("Choose Photo"), tr("Take Photo")}, -1, window());
    connect(sheet, &VtActionSheet::clickedButtonAtIndex, this,
            &EditNameHCViewController::pictureSourceChosen);
    sheet->showSheet();
}

void EditNameHCViewController::pictureSourceChosen(int index)
{
    if (index == 1) {
        auto *icons = new VtImageLibSheet(window());
        connect(icons, &VtImageLibSheet::clickedButtonAtIndex, this,
                &EditNameHCViewController::iconChosen);
        icons->showSheet();
    } else if (index == 2) {
        choosePhoto();
    } else if (index == 3) {
        takePhoto();
    }
}

void EditNameHCViewController::iconChosen(int index)
{
    if (index >= 1 && pictureView())
        pictureView()->setPicture(
            PictureLibrary::picture(PictureLibrary::scenarioIconName(index - 1)), 0);
    nameField()->setFocus();
}

void EditNameHCViewController::photoChosen(const QImage &photo)
{
    if (photo.isNull() || !pictureView())
        return;
    pictureView()->setPicture(
        QPixmap::fromImage(photo.scaledToWidth(kPictureWidth, Qt::SmoothTransformation)), 0);
}

void EditNameHCViewController::choosePhoto()
{
    auto *dialog =
        new QFileDialog(window(), tr("Choose Photo"),
                        QStandardPaths::writableLocation(QStandardPaths::PicturesLocation),
                        tr("Pictures (*.png *.jpg *.jpeg)"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this,
            [this](const QString &file) { photoChosen(QImage(file)); });
    dialog->open();
}

void EditNameHCViewController::takePhoto()
{
    const QCameraDevice device = ScanCamera::defaultCamera();
    if (device.isNull())
        return; // no camera: nothing happens
    if (!m_camera) {
        m_camera = new QCamera(device, this);
        m_session = new QMediaCaptureSession(this);
        m_capture = new QImageCapture(this);
        m_session->setCamera(m_camera);
        m_session->setImageCapture(m_capture);
        connect(m_capture, &QImageCapture::imageCaptured, this, [this](int, const QImage &photo) {
            m_camera->stop();
            photoChosen(photo);
        });
    }
    m_camera->start();
    m_capture->capture();
}

QByteArray EditNameHCViewController::pictureData(const QPixmap &picture)
{
    const QPixmap scaled =
        picture.isNull() ? picture : picture.scaledToWidth(kPictureWidth, Qt::SmoothTransformation);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (!scaled.save(&buffer, "PNG")) {
        data.clear();
        buffer.seek(0);
        scaled.save(&buffer, "JPEG", 100);
    }
    return data;
}

void EditNameHCViewController::pushDelegateSelector(const QString &name)
{
    if (!delegate())
        return;
    EditNameDelegate *target = delegate();
    const int row = editRow();
    const QByteArray data = pictureView() ? pictureData(pictureView()->picture()) : QByteArray();
    leaveThenCall([=] { target->editFinishWithName(name, row, data); });
}
