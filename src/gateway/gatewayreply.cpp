#include "gatewayreply.h"

#include "core/textnumber.h"

#include <QStringList>

namespace {
QStringList fieldsOf(const QString &text)
{
    return text.split(QLatin1Char(','));
}

int integerOf(const QString &field)
{
    return TextNumber::integerValue(field);
}

// The code takes the request's last position, whatever the form's length.
int codeOf(const QStringList &fields)
{
    return GatewayReply::codeOfField(fields.constLast());
}
} // namespace

int GatewayReply::codeOfField(const QString &field)
{
    return integerOf(field.chopped(qMin<qsizetype>(2, field.size())));
}

std::optional<int> GatewayReply::resultCode(const QString &text)
{
    const QStringList fields = fieldsOf(text);
    if (fields.size() < 4)
        return std::nullopt;
    return codeOf(fields);
}

std::optional<GatewayReply::LocateAnswer> GatewayReply::locateAnswer(const QString &text)
{
    const QStringList fields = fieldsOf(text);
    if (fields.size() < 5 || integerOf(fields.at(3)) != 1)
        return std::nullopt;
    if (fields.at(4).split(QLatin1Char('.')).size() != 4)
        return std::nullopt;
    return LocateAnswer{fields.at(2), fields.at(4)};
}

std::optional<GatewayReply::RoleAcknowledgement>
GatewayReply::roleAcknowledgement(const QString &text)
{
    const QStringList fields = fieldsOf(text);
    if (fields.size() < 8 || integerOf(fields.at(3)) != 4)
        return std::nullopt;
    return RoleAcknowledgement{fields.at(4), fields.at(6) == QLatin1String("m"), codeOf(fields)};
}

std::optional<GatewayReply::DeviceAcknowledgement>
GatewayReply::deviceAcknowledgement(const QString &text)
{
    const QStringList fields = fieldsOf(text);
    if (fields.size() < 7)
        return std::nullopt;
    return DeviceAcknowledgement{fields.at(2), integerOf(fields.at(3)), fields.at(4),
                                 codeOf(fields)};
}

std::optional<GatewayReply::StateAnswer> GatewayReply::stateAnswer(const QString &text)
{
    const QStringList fields = fieldsOf(text);
    if (fields.size() < 7)
        return std::nullopt;
    return StateAnswer{fields.at(2), fields.at(4), fields.at(5), codeOf(fields)};
}

std::optional<GatewayReply::NamingAcknowledgement>
GatewayReply::namingAcknowledgement(const QString &text)
{
    const QStringList fields = fieldsOf(text);
    if (fields.size() < 6)
        return std::nullopt;
    return NamingAcknowledgement{fields.at(3), fields.at(4), codeOf(fields)};
}

std::optional<GatewayReply::RunAcknowledgement>
GatewayReply::runAcknowledgement(const QString &text)
{
    // The number and the code; transmitters differ on whether the run's
    // operation field stays before the code.
    const QStringList fields = fieldsOf(text);
    if (fields.size() < 4)
        return std::nullopt;
    return RunAcknowledgement{fields.at(2), codeOf(fields)};
}

std::optional<GatewayReply::Subject> GatewayReply::subject(const QString &text)
{
    const QStringList fields = fieldsOf(text);
    if (fields.size() < 4)
        return std::nullopt;
    return Subject{fields.at(1), fields.at(2), fields.at(3)};
}
