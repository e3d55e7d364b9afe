// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The one object of a process-wide class, reached by T::instance() while it
// lives. T derives from OwnedInstance<T>; its owner (ProgramObjects) makes it
// and destroys it. Reaching it outside that life, or making a second one,
// stops the program with the class's name: a fault to see at once, never a
// silent new object.
template <typename T> class OwnedInstance {
public:
    static T *instance()
    {
        if (!s_living)
            qFatal("%s: used while no ProgramObjects owns one", Q_FUNC_INFO);
        return static_cast<T *>(s_living);
    }

    OwnedInstance(const OwnedInstance &) = delete;
    OwnedInstance &operator=(const OwnedInstance &) = delete;

protected:
    OwnedInstance()
    {
        if (s_living)
            qFatal("%s: a second one while one lives", Q_FUNC_INFO);
        s_living = this; // T is complete only once its constructor has run
    }
    ~OwnedInstance() { s_living = nullptr; }

private:
    inline static OwnedInstance *s_living = nullptr;
};
