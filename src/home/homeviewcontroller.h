#pragma once

#include "parentnavigationviewcontroller.h"

#include "../core/homescreen.h"

// The root screen. Its bar: the menu button on the left, the scan button on
// the right, the title "Home"; its centre view carries the connection banner.
class HomeViewController : public ParentNavigationViewController, public HomeScreen {
    Q_OBJECT

public:
    explicit HomeViewController(QWidget *parent = nullptr);

    QWidget *contentView() override { return m_centerView; }
    void updateCenterView() override;
    void updateMainView() override { updateCenterView(); }
    void navRightButtonItemPressed() override;
    void navLeftButtonItemPressed() override;
    int refreshCount() const { return m_refreshes; }

Q_SIGNALS:
    void menuRequested();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *m_centerView;
    int m_refreshes = 0;
};
