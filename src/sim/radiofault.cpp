#include "sim/radiofault.h"

#include <array>

namespace {

struct KindName
{
    RadioFault::Kind kind;
    const char *name;
    // Whether an address may follow, and whether it must.
    bool takesAddress;
    bool needsAddress;
};

constexpr std::array<KindName, 8> kinds{{
    {RadioFault::Silent, "silent", false, false},
    {RadioFault::WrongIdent, "wrong-ident", false, false},
    {RadioFault::IdentExtra, "ident-extra", false, false},
    {RadioFault::StopAfter, "stop-after", true, true},
    {RadioFault::Nak, "nak", true, true},
    {RadioFault::Short, "short", true, true},
    {RadioFault::Garbage, "garbage", true, false},
    {RadioFault::StoreWrong, "store-wrong", true, true},
}};

std::optional<int> parseAddress(QString text)
{
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        text = text.mid(2);
    if (text.isEmpty() || text.size() > 4)
        return std::nullopt;
    bool ok = false;
    const int value = text.toInt(&ok, 16);
    if (!ok || value < 0)
        return std::nullopt;
    return value;
}

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

std::optional<RadioFault> RadioFault::parse(const QString &text, QString *error)
{
    const QStringList parts = text.trimmed().split(QLatin1Char(':'));
    const QString name = parts.at(0).trimmed().toLower();
    const KindName *found = nullptr;
    for (const KindName &k : kinds) {
        if (name == QLatin1String(k.name))
            found = &k;
    }
    if (!found) {
        fail(error, QStringLiteral("unknown fault '%1'").arg(text.trimmed()));
        return std::nullopt;
    }

    RadioFault fault;
    fault.kind = found->kind;
    const int maxParts = found->kind == Short ? 3 : (found->takesAddress ? 2 : 1);
    if (parts.size() > maxParts) {
        fail(error, QStringLiteral("too many values in fault '%1'").arg(text.trimmed()));
        return std::nullopt;
    }
    if (parts.size() < 2 && found->needsAddress) {
        fail(error, QStringLiteral("fault '%1' needs a block address, e.g. %1:0x0C80")
                        .arg(QLatin1String(found->name)));
        return std::nullopt;
    }
    if (parts.size() >= 2) {
        const std::optional<int> addr = parseAddress(parts.at(1).trimmed());
        if (!addr) {
            fail(error, QStringLiteral("'%1' in fault '%2' is not an address 0x0000-0xFFFF")
                            .arg(parts.at(1).trimmed(), text.trimmed()));
            return std::nullopt;
        }
        fault.address = *addr;
    }
    if (parts.size() == 3) {
        bool ok = false;
        const int length = parts.at(2).trimmed().toInt(&ok, 10);
        if (!ok || length < 0 || length > 11) {
            fail(error, QStringLiteral("'%1' in fault '%2' is not a reply length 0-11")
                            .arg(parts.at(2).trimmed(), text.trimmed()));
            return std::nullopt;
        }
        fault.length = length;
    }
    return fault;
}

std::optional<QList<RadioFault>> RadioFault::parseList(const QString &text, QString *error)
{
    QList<RadioFault> faults;
    if (text.trimmed().isEmpty())
        return faults;
    for (const QString &item : text.split(QLatin1Char(','))) {
        const std::optional<RadioFault> fault = parse(item, error);
        if (!fault)
            return std::nullopt;
        faults.append(*fault);
    }
    return faults;
}

QString RadioFault::toString() const
{
    QString text;
    for (const KindName &k : kinds) {
        if (k.kind == kind)
            text = QLatin1String(k.name);
    }
    if (address >= 0)
        text += QStringLiteral(":0x") +
                QString::number(address, 16).toUpper().rightJustified(4, QLatin1Char('0'));
    if (kind == Short && length != DefaultShortLength)
        text += QStringLiteral(":%1").arg(length);
    return text;
}
