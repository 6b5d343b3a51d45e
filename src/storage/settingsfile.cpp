#include "storage/settingsfile.h"

#include "storage/atomicwrite.h"
#include "storage/gbk.h"
#include "storage/settingslocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

// Only the 8-bit INI classes are needed; values stay bytes. Debian's header
// keeps the template bodies behind SI_IMPLEMENTATION (for its shared
// library); compiling them here keeps the library header-only as upstream.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <string>

struct SettingsFile::Private
{
    // CSimpleIniA compares section and key names without regard to ASCII
    // case (its "Case" sibling is the case-sensitive one); values are plain
    // bytes, one value per key.
    CSimpleIniA ini{false, false, false};
};

namespace {

std::string nameBytes(const QString &name)
{
    return name.toStdString();
}

// Strict integer text: "-12", "0x1F", "$1f". Nothing else, no blanks.
bool parseInteger(QByteArrayView text, int *value)
{
    bool negative = false;
    int base = 10;
    if (text.startsWith("0x") || text.startsWith("0X")) {
        base = 16;
        text = text.sliced(2);
    } else if (text.startsWith('$')) {
        base = 16;
        text = text.sliced(1);
    } else if (text.startsWith('-')) {
        negative = true;
        text = text.sliced(1);
    }
    if (text.isEmpty())
        return false;
    qint64 result = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        result = result * base + digit;
        // Hexadecimal may spell a negative number in 32 bits ("0xFFFFFFFF").
        if (result > (base == 16 ? qint64(0xFFFFFFFF) : qint64(INT_MAX) + (negative ? 1 : 0)))
            return false;
    }
    if (negative)
        result = -result;
    *value = static_cast<int>(static_cast<qint32>(result));
    return true;
}

} // namespace

QString SettingsFile::defaultPath()
{
    return SettingsLocation::current().path;
}

SettingsFile::SettingsFile(const QString &path) : m_path(path), d(std::make_unique<Private>())
{
    d->ini.SetSpaces(false);
    reload();
}

SettingsFile::~SettingsFile() = default;

void SettingsFile::reload()
{
    d->ini.Reset();
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    if (d->ini.LoadData(bytes.constData(), size_t(bytes.size())) < 0)
        d->ini.Reset();
}

QString SettingsFile::readString(const QString &section, const QString &key,
                                 const QString &defaultValue) const
{
    const char *value = d->ini.GetValue(nameBytes(section).c_str(), nameBytes(key).c_str());
    return value ? fromGbk(value) : defaultValue;
}

int SettingsFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    const char *value = d->ini.GetValue(nameBytes(section).c_str(), nameBytes(key).c_str());
    int result = defaultValue;
    if (value && parseInteger(value, &result))
        return result;
    return defaultValue;
}

bool SettingsFile::readBool(const QString &section, const QString &key, bool defaultValue) const
{
    const char *value = d->ini.GetValue(nameBytes(section).c_str(), nameBytes(key).c_str());
    if (!value)
        return defaultValue;
    const QByteArray text = QByteArray(value).toLower();
    if (text == "true")
        return true;
    if (text == "false")
        return false;
    int number = 0;
    return parseInteger(text, &number) ? number != 0 : defaultValue;
}

bool SettingsFile::writeString(const QString &section, const QString &key, const QString &value)
{
    return writeBytes(section, key, toGbk(value));
}

bool SettingsFile::writeInteger(const QString &section, const QString &key, int value)
{
    return writeBytes(section, key, QByteArray::number(value));
}

bool SettingsFile::writeBool(const QString &section, const QString &key, bool value)
{
    return writeBytes(section, key, value ? "1" : "0");
}

bool SettingsFile::writeBytes(const QString &section, const QString &key, QByteArray value)
{
    m_error.clear();
    // A value is one line; a line break would start a stray key.
    value.replace('\r', ' ').replace('\n', ' ');
    const std::string sectionName = nameBytes(section);
    const std::string keyName = nameBytes(key);
    const char *current = d->ini.GetValue(sectionName.c_str(), keyName.c_str());
    if (current && value == current)
        return true;
    const bool hadKey = current != nullptr;
    const std::string oldValue = hadKey ? current : "";
    const bool hadSection = d->ini.GetSection(sectionName.c_str()) != nullptr;

    std::string text;
    bool ok = d->ini.SetValue(sectionName.c_str(), keyName.c_str(), value.constData()) >= 0 &&
              d->ini.Save(text) >= 0;
    QString reason;
    ok = ok &&
         writeFileAtomically(m_path, QByteArrayView(text.data(), qsizetype(text.size())), &reason);
    if (ok)
        return true;

    // Keep the object as the file still is.
    if (hadKey)
        d->ini.SetValue(sectionName.c_str(), keyName.c_str(), oldValue.c_str());
    else
        d->ini.Delete(sectionName.c_str(), keyName.c_str(), !hadSection);
    m_error = QStringLiteral("Unable to write to %1")
                  .arg(QDir::toNativeSeparators(QFileInfo(m_path).absoluteFilePath()));
    if (!reason.isEmpty())
        m_error += QStringLiteral(": ") + reason;
    return false;
}
