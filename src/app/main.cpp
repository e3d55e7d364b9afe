// SPDX-License-Identifier: GPL-3.0-or-later
// ardentia-home: the app.
#include "appwindow.h"
#include "base/printabletext.h"
#include "windowactivation.h"

#include "control/applifecycle.h"
#include "core/programobjects.h"
#include "transport/localaddress.h"
#include "views/onscreenkeyboard.h"
#include "views/uiresources.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QTranslator>

#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    keepLogMessagesPrintable(); // names and topics from outside reach the log
    initUiResources();
    app.setApplicationName(QStringLiteral("ardentia-home"));
    app.setApplicationDisplayName(QStringLiteral("Ardentia Home"));
    app.setApplicationVersion(QStringLiteral(ARDENTIA_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Ardentia Home: the remote control of your home."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption interface("interface",
                                       "Use this network interface instead of the Wi-Fi one "
                                       "(lo reaches a simulator on this machine).",
                                       "NAME");
    parser.addOption(interface);
    parser.process(app);
    if (parser.isSet(interface))
        LocalAddress::setInterfaceOverride(parser.value(interface));

    // The interface's language when the app speaks it, else English.
    QTranslator translator;
    const QString folder = QStringLiteral(":/i18n");
    if (translator.load(QLocale(), QStringLiteral("ardentia"), QStringLiteral("_"), folder) ||
        translator.load(QStringLiteral("ardentia_en"), folder))
        app.installTranslator(&translator);

    ProgramObjects objects; // outlives the window, which reaches them
    objects.adopt(std::make_unique<OnScreenKeyboard>());
    AppLifecycle lifecycle(objects.services());
    lifecycle.applicationDidFinishLaunching();
    AppWindow window(objects.services());
    window.show();
    window.showFirstInitView();

    // The first activation comes with the start; later ones when the window
    // comes back from minimised or hidden (not with the focus).
    WindowActivation activation(&window, lifecycle);
    activation.start();
    return app.exec();
}
