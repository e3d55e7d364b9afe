// SPDX-License-Identifier: GPL-3.0-or-later
#include "helppages.h"

#include "core/helptopics.h"
#include "webpagetexts.h"

#include <QJsonArray>

namespace {
// The guide's steps, as the app's guide screen shows them, each with its picture.
const char *const kGuideSteps[] = {
    QT_TRANSLATE_NOOP("InstalGuideViewController",
                      "Connect the ZEVO-4100 Transmitter to the power supply and the internet"),
    QT_TRANSLATE_NOOP("InstalGuideViewController",
                      "Open app to scan the QR code of the transmitter and add it to the system")};

QString picturePath(const QString &name)
{
    return QStringLiteral("/pictures/%1.svg").arg(name);
}
} // namespace

QJsonObject HelpPages::forLanguage(const QString &language)
{
    const auto help = [&language](const QString &text) {
        return WebPageTexts::translated("HelpTopics", text, language);
    };
    QJsonArray topics;
    for (int row = 0; row < HelpTopics::InstallationGuide; ++row) {
        const HelpTopic topic = HelpTopics::topic(row);
        QJsonArray steps;
        for (qsizetype step = 0; step < topic.needArray.size(); ++step)
            steps.append(QJsonObject{
                {QStringLiteral("text"), help(topic.needArray.at(step))},
                {QStringLiteral("picture"), picturePath(topic.stepPictureName(int(step) + 1))}});
        topics.append(QJsonObject{{QStringLiteral("title"), help(topic.title)},
                                  {QStringLiteral("header"), help(topic.sectionHeader)},
                                  {QStringLiteral("steps"), steps}});
    }
    QJsonArray guide;
    for (int step = 0; step < int(std::size(kGuideSteps)); ++step)
        guide.append(QJsonObject{
            {QStringLiteral("text"),
             WebPageTexts::translated("InstalGuideViewController",
                                      QString::fromUtf8(kGuideSteps[step]), language)},
            {QStringLiteral("picture"), picturePath(QStringLiteral("guide_D_%1").arg(step + 1))}});
    topics.append(QJsonObject{{QStringLiteral("title"),
                               help(HelpTopics::rowTitles().value(HelpTopics::InstallationGuide))},
                              {QStringLiteral("header"), QString()},
                              {QStringLiteral("steps"), guide}});
    return {{QStringLiteral("type"), QStringLiteral("help")}, {QStringLiteral("topics"), topics}};
}
