#include "appdelegate.h"

AppDelegate *AppDelegate::instance()
{
    // Never destroyed: it lives for the whole process.
    static AppDelegate *const delegate = new AppDelegate();
    return delegate;
}
