#pragma once

#include <QString>

// A screen that shows the stored state of the devices it lists: told when
// the home took a control command and the store holds the new state.
class ControlConfirmationScreen {
public:
    virtual ~ControlConfirmationScreen() = default;
    virtual void controlConfirmed(const QString &deviceId) = 0;
};
