// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editnameviewcontroller.h"

#include <QPixmap>

// Names an item and lets the user choose its picture: a built-in icon, a
// photo from the pictures folder, or a new photo from the camera. Hands back
// the picture, 160 points wide, as PNG (or JPEG).
class EditNameHCViewController : public EditNameViewController {
    Q_OBJECT

public:
    static constexpr int kPictureWidth = 160;

    using EditNameViewController::EditNameViewController;
    ~EditNameHCViewController() override;

    void imageViewPress() override;
    void pictureSourceChosen(int index);
    void iconChosen(int index);
    void photoChosen(const QImage &photo);
    static QByteArray pictureData(const QPixmap &picture);

protected:
    void pushDelegateSelector(const QString &name) override;

private:
    void choosePhoto();
    void takePhoto();
};
