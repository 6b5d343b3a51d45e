#pragma once

#include <QString>

#include <memory>

// An INI file read and written key by key: sections in brackets, one
// key=value line per key, section and key names compared without regard to
// case. Values are kept byte for byte; texts are GBK like the channel files,
// so a band text taken from a channel file is stored as that file held it.
// Sections and keys this program does not know are kept.
class SettingsFile
{
public:
    // "myini.ini" where this run keeps it: beside the program, or in the
    // user's configuration folder (settingslocation.h).
    static QString defaultPath();

    // Reads the file (see reload()).
    explicit SettingsFile(const QString &path = defaultPath());
    ~SettingsFile();
    SettingsFile(const SettingsFile &) = delete;
    SettingsFile &operator=(const SettingsFile &) = delete;

    QString path() const { return m_path; }

    // Reads the file again. A missing or unreadable file is no error: it
    // reads as empty, so every read gives its default.
    void reload();

    // The text of a key, or defaultValue when the section or key is missing.
    QString readString(const QString &section, const QString &key,
                       const QString &defaultValue = {}) const;

    // An integer: decimal (with an optional '-'), or hexadecimal after "0x"
    // or "$". A missing key, or any other text, gives defaultValue.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;

    // A yes/no option: any integer readInteger() accepts (0 is no), or
    // "true"/"false". Anything else gives defaultValue.
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;

    // Writes one key to the file at once, creating the file and the section
    // as needed. The whole file is replaced safely (a temporary file in the
    // same folder renamed over it), so a failed write leaves the file as it
    // was. A key that already holds the value is not written again; line
    // breaks in a value are written as blanks. Returns false on failure;
    // errorString() then says "Unable to write to <path>: <the system's
    // reason>".
    bool writeString(const QString &section, const QString &key, const QString &value);
    // Integers are written in decimal ("-1"), yes/no as "1" or "0".
    bool writeInteger(const QString &section, const QString &key, int value);
    bool writeBool(const QString &section, const QString &key, bool value);

    // "Unable to write to %s" with the file's full path, then ": " and the
    // operating system's reason, after a failed write.
    QString errorString() const { return m_error; }

private:
    struct Private;

    bool writeBytes(const QString &section, const QString &key, QByteArray value);

    QString m_path;
    QString m_error;
    std::unique_ptr<Private> d;
};
