#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// An INI store in memory, bound to one file. It holds sections, each an ordered list of
// name/value lines; section and key names compare without regard to case, the first line of a
// name counts. Nothing reaches the disk until updateFile().
//
// File format: UTF-8, a leading byte-order mark optional on reading and always written. Lines
// end at CR, LF or CR LF and are trimmed; empty lines and lines starting with ";" are skipped;
// "[name]" opens a section (a name met twice continues the same section); other lines split at
// their first "=" into name and value, both trimmed. Lines before the first section are ignored.
class IniFile
{
public:
    IniFile() = default;
    explicit IniFile(QString fileName);

    // Opens the store over a file: loads it when it exists, starts empty when it does not. A
    // file that cannot be read, is larger than 1 MiB or is not valid UTF-8 is deleted, and the
    // store starts empty.
    static IniFile open(const QString &fileName);

    const QString &fileName() const { return m_fileName; }

    // Replaces the contents by the file's bytes; false, with an empty store, when they are not
    // valid UTF-8.
    bool parse(const QByteArray &bytes);

    // A key's value; `defaultValue` when the key is missing. An integer is decimal with an
    // optional sign, or hexadecimal after "0x"; anything else, or a number beyond 32 bits,
    // reads as the default.
    QString readString(const QString &section, const QString &key,
                       const QString &defaultValue) const;
    int readInteger(const QString &section, const QString &key, int defaultValue) const;

    // Sets a key's value. A key keeps its place; a new key goes to the end of its section, a
    // new section to the end of the store.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);

    // The file's bytes: the byte-order mark, then per section "[name]", one "name=value" line
    // per key and an empty line, every line ending in CR LF.
    QByteArray toBytes() const;

    // Writes the whole store to its file, replacing the old file in one step. A failure raises
    // AppError "Cannot create file "<path>". <the system's reason>".
    void updateFile() const;

private:
    struct Line {
        QString name;
        QString value;
        bool hasValue = true; // false for a line without "=": kept, but never a key's value
    };
    struct Section {
        QString name;
        QList<Line> lines;
    };

    qsizetype sectionIndex(const QString &name) const;
    // The index of the section of that name, added at the end when missing.
    qsizetype addSection(const QString &name);
    static qsizetype keyIndex(const Section &section, const QString &key);

    QString m_fileName;
    QList<Section> m_sections;
};
