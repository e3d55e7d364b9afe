// SPDX-License-Identifier: GPL-3.0-or-later
#include "gatewayreply.h"

#include "base/textnumber.h"
#include "commandline.h"
#include "wirevocabulary.h"

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
int codeOfLast(const QStringList &fields)
{
    return GatewayReply::codeOfField(fields.constLast());
}
} // namespace

int GatewayReply::codeOfField(const QString &field)
{
    return integerOf(field.chopped(qMin<qsizetype>(2, field.size())));
}

std::optional<GatewayReply::Form> GatewayReply::parse(const QString &text)
{
    if (!text.contains(CommandLine::kToken))
        return std::nullopt;
    const QStringList fields = fieldsOf(text);
    if (fields.size() < 2)
        return std::nullopt;
    const bool acknowledgement = fields.at(0).endsWith(QLatin1String("$ack"));
    if (!acknowledgement && !fields.at(0).endsWith(QLatin1String("$res")))
        return std::nullopt;
    const QString &family = fields.at(1);
    const auto asForm = [](const auto &form) -> std::optional<Form> {
        if (!form)
            return std::nullopt;
        return Form(*form);
    };
    if (family == Wire::transmitter)
        return acknowledgement ? asForm(roleAcknowledgement(text)) : asForm(locateAnswer(text));
    if (Wire::isChannelFamily(family))
        return acknowledgement ? asForm(deviceAcknowledgement(text)) : asForm(stateAnswer(text));
    if (acknowledgement && family == Wire::scenarioName)
        return asForm(namingAcknowledgement(text));
    if (acknowledgement && family == Wire::scenarioRun)
        return asForm(runAcknowledgement(text));
    return std::nullopt;
}

int GatewayReply::codeOf(const Form &form)
{
    return std::visit([](const auto &reply) { return reply.code; }, form);
}

std::optional<GatewayReply::LocateAnswer> GatewayReply::locateAnswer(const QString &text)
{
    const QStringList fields = fieldsOf(text);
    if (fields.size() < 5 || integerOf(fields.at(3)) != TransmitterOperation::Locate)
        return std::nullopt;
    if (fields.at(4).split(QLatin1Char('.')).size() != 4)
        return std::nullopt;
    return LocateAnswer{fields.at(2), fields.at(4), codeOfLast(fields)};
}

std::optional<GatewayReply::RoleAcknowledgement>
GatewayReply::roleAcknowledgement(const QString &text)
{
    const QStringList fields = fieldsOf(text);
    if (fields.size() < 8 || integerOf(fields.at(3)) != TransmitterOperation::Role)
        return std::nullopt;
    return RoleAcknowledgement{fields.at(4), fields.at(6) == QLatin1String("m"),
                               codeOfLast(fields)};
}

std::optional<GatewayReply::DeviceAcknowledgement>
GatewayReply::deviceAcknowledgement(const QString &text)
{
    const QStringList fields = fieldsOf(text);
    if (fields.size() < 7)
        return std::nullopt;
    return DeviceAcknowledgement{fields.at(1), fields.at(2), integerOf(fields.at(3)), fields.at(4),
                                 codeOfLast(fields)};
}

std::optional<GatewayReply::StateAnswer> GatewayReply::stateAnswer(const QString &text)
{
    const QStringList fields = fieldsOf(text);
    if (fields.size() < 7)
        return std::nullopt;
    return StateAnswer{fields.at(1), fields.at(2), fields.at(4), fields.at(5), codeOfLast(fields)};
}

std::optional<GatewayReply::NamingAcknowledgement>
GatewayReply::namingAcknowledgement(const QString &text)
{
    const QStringList fields = fieldsOf(text);
    if (fields.size() < 6)
        return std::nullopt;
    return NamingAcknowledgement{fields.at(3), fields.at(4), codeOfLast(fields)};
}

std::optional<GatewayReply::RunAcknowledgement>
GatewayReply::runAcknowledgement(const QString &text)
{
    // The number and the code; transmitters differ on whether the run's
    // operation field stays before the code.
    const QStringList fields = fieldsOf(text);
    if (fields.size() < 4)
        return std::nullopt;
    return RunAcknowledgement{fields.at(2), codeOfLast(fields)};
}
