#include "service/protocol/ClientIdentity.h"

#include "service/protocol/Packing.h"

namespace zx::protocol {

QString getIDWeb(const QDate &today)
{
    // "ddMMyyyy" read as a number drops the leading zero of days 1 to 9.
    const qint64 number = today.toString(QStringLiteral("ddMMyyyy")).toLongLong();
    return QString::number(number / kIdWebDivisor);
}

QString getIDWebMD5(const QDate &today)
{
    return getMD5(getIDWeb(today));
}

QVariant identityArgument(IdentityForm form, const QString &idText)
{
    switch (form) {
    case IdentityForm::None:
        return {};
    case IdentityForm::WebIdPacked:
    case IdentityForm::HashPacked:
        return getZip(idText);
    case IdentityForm::HashExternal:
        return getZip2(idText);
    case IdentityForm::HashText:
    case IdentityForm::WebIdText:
        return idText;
    }
    return {};
}

QVariant identityArgument(IdentityForm form, const QDate &today)
{
    switch (form) {
    case IdentityForm::WebIdPacked:
    case IdentityForm::WebIdText:
        return identityArgument(form, getIDWeb(today));
    case IdentityForm::HashPacked:
    case IdentityForm::HashText:
    case IdentityForm::HashExternal:
        return identityArgument(form, getIDWebMD5(today));
    case IdentityForm::None:
        break;
    }
    return {};
}

std::optional<QString> identityText(IdentityForm form, const QVariant &argument, QString *error)
{
    switch (form) {
    case IdentityForm::None:
        return QString();
    case IdentityForm::HashText:
    case IdentityForm::WebIdText:
        if (argument.typeId() != QMetaType::QString) {
            if (error)
                *error = QStringLiteral("identificação não é texto");
            return std::nullopt;
        }
        return argument.toString();
    case IdentityForm::WebIdPacked:
    case IdentityForm::HashPacked:
    case IdentityForm::HashExternal:
        if (argument.typeId() != QMetaType::QByteArray) {
            if (error)
                *error = QStringLiteral("identificação não é um pacote");
            return std::nullopt;
        }
        // An identity is a few dozen characters; anything large is not one.
        return form == IdentityForm::HashExternal ? getUnzip2(argument.toByteArray(), error, 4096)
                                                  : getUnzip(argument.toByteArray(), error, 4096);
    }
    return std::nullopt;
}

bool identityMatches(IdentityForm form, const QVariant &argument, const QDate &today)
{
    if (form == IdentityForm::None)
        return true;
    auto text = identityText(form, argument);
    if (!text)
        return false;
    switch (form) {
    case IdentityForm::WebIdPacked:
        return text->section(QStringLiteral("&&__"), 0, 0) == getIDWeb(today);
    case IdentityForm::WebIdText:
        return *text == getIDWeb(today);
    case IdentityForm::HashPacked:
    case IdentityForm::HashText:
    case IdentityForm::HashExternal:
        return *text == getIDWebMD5(today);
    case IdentityForm::None:
        break;
    }
    return false;
}

} // namespace zx::protocol
