#include "transmitterreplies.h"

#include "../core/appdelegate.h"
#include "../core/logging.h"
#include "../core/showalertmanager.h"
#include "../core/textnumber.h"
#include "../core/transmitterenrolmentscreen.h"
#include "../store/database.h"
#include "../store/recordfactory.h"
#include "../store/recordkeys.h"
#include "commandline.h"
#include "udpsocketmanager.h"

namespace {
void tellEnrolmentScreenItSucceeded()
{
    if (auto *screen = AppDelegate::instance()->topScreenAs<TransmitterEnrolmentScreen>())
        screen->superBoxAddSucceed(true);
}
} // namespace

void TransmitterReplies::overGatewayIPWithServerInfo(const QString &info)
{
    qCInfo(lcGateway).noquote() << QStringLiteral("info:%1").arg(info);
    const QStringList fields = info.split(QLatin1Char(','));
    if (fields.size() < 5 || TextNumber::integerValue(fields.at(3)) != 1)
        return;
    const QString &id = fields.at(2);
    const QString &address = fields.at(4);
    if (address.split(QLatin1Char('.')).size() != 4)
        return;

    Database *store = Database::instance();
    const QList<QVariantMap> stored = store->readAllSuperBoxInfo();
    const bool known = std::any_of(stored.cbegin(), stored.cend(), [&id](const QVariantMap &t) {
        return t.value(Key::id).toString() == id;
    });
    if (known)
        store->updateSuperBoxWithAddress(address, id, std::nullopt);
    else
        store->insertSuperBoxWithInfo(RecordFactory::transmitter(id, address, stored.isEmpty()));

    const QList<QVariantMap> now = store->readAllSuperBoxInfo();
    const auto found = std::find_if(now.cbegin(), now.cend(), [&id](const QVariantMap &t) {
        return t.value(Key::id).toString() == id;
    });
    if (found == now.cend())
        return;
    if (found->value(Key::command).toString() == Value::yes) {
        tellEnrolmentScreenItSucceeded();
        return;
    }
    const QString masterId = now.constFirst().value(Key::id).toString();
    const bool isMaster = found == now.cbegin();
    m_channel->sendMessageWithCommandArray(
        {QStringLiteral("cfg"), QStringLiteral("gw"), masterId, QStringLiteral("4"), id, masterId,
         isMaster ? QStringLiteral("m") : QStringLiteral("s"), QStringLiteral("0")});
}

void TransmitterReplies::overCommandWithServerInfo(const QString &info)
{
    const QStringList fields = info.split(QLatin1Char(','));
    if (fields.size() < 8 || TextNumber::integerValue(fields.at(3)) != 4)
        return;
    const int code = CommandLine::resultCodeOfField(fields.at(7));
    const QString &id = fields.at(4);
    const bool asMaster = fields.at(6) == QLatin1String("m");
    ShowAlertManager *feedback = ShowAlertManager::instance();

    if (code == 0 || (code == 142 && asMaster)) {
        Database::instance()->updateSuperBoxWithAddress(std::nullopt, id, Value::yes);
        tellEnrolmentScreenItSucceeded();
        return;
    }
    if (code == 142) {
        feedback->showLabelWithTitle(
            QStringLiteral("该无线转发器已经被设置为主"),
            QStringLiteral("无法再配置为从无线转发器,如果有必要请重置,数据会丢失"));
    } else if (code == 143) {
        feedback->showLabelWithTitle(
            QStringLiteral("该无线转发器已经被设置为从"),
            QStringLiteral("无法再配置为主无线转发器,如果有必要请重置,数据会丢失"));
    } else if (code == 140) {
        feedback->showLabelWithTitle(UDPSocketManager::tr("It is too full to add Transmitter"));
    } else {
        return;
    }
    Database::instance()->deleteSuperBoxWithMainID(id);
}
