// SPDX-License-Identifier: GPL-3.0-or-later
#include "editnamehcviewcontroller.h"

#include "core/showalertmanager.h"
#include "editnamedelegate.h"
#include "enrol/framefeed.h"
#include "photoviewfinder.h"
#include "views/picturelibrary.h"
#include "views/vtactionsheet.h"
#include "views/vtimagelibsheet.h"
#include "views/vtlightingimageview.h"

#include <QBuffer>
#include <QFileDialog>
#include <QLineEdit>
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
    std::unique_ptr<FrameFeed> feed = FrameFeed::make();
    if (!feed) {
        ShowAlertManager::instance()->showLabelWithTitle(tr("No camera found"));
        return;
    }
    auto *viewfinder = new PhotoViewfinder(std::move(feed), window());
    connect(viewfinder, &PhotoViewfinder::taken, this, &EditNameHCViewController::photoChosen);
    viewfinder->open();
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
