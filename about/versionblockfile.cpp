#include "about/versionblockfile.h"

#include "about/versionblocklayout.h"
#include "platform/readonlyfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace
{

// Where the fields that locate a section lie in the file header and in a section header.
struct ElfClass {
    qsizetype fileHeaderSize;
    qsizetype sectionTableAt;
    int addressSize;
    qsizetype entrySizeAt;
    qsizetype entryCountAt;
    qsizetype namesIndexAt;
    qsizetype sectionHeaderSize;
    qsizetype sectionOffsetAt;
    qsizetype sectionSizeAt;
};
constexpr ElfClass elf32{52, 0x20, 4, 0x2E, 0x30, 0x32, 40, 0x10, 0x14};
constexpr ElfClass elf64{64, 0x28, 8, 0x3A, 0x3C, 0x3E, 64, 0x18, 0x20};

constexpr char elfMagic[] = "\x7f"
                            "ELF";
constexpr quint32 sectionWithoutBytes = 8; // SHT_NOBITS
// The block's wLength is 16 bits wide, so no block is longer.
constexpr quint64 longestBlock = 0xFFFF;
// Section names past this point are not looked at.
constexpr quint64 longestNameTable = 1 << 20;

class ElfFile
{
public:
    explicit ElfFile(const QString &fileName) : m_file(fileName) {}

    int readSection(const char *name, QByteArray &bytes)
    {
        if (const int error = readSectionTable())
            return error;
        QByteArray names;
        const QByteArray namesEntry = entry(m_namesIndex);
        if (const int error =
                readExactly(sectionOffset(namesEntry),
                            std::min(sectionSize(namesEntry), longestNameTable), names))
            return error;

        for (quint64 index = 0; index < m_entryCount; ++index) {
            const QByteArray section = entry(index);
            const quint64 nameOffset = number(section, 0, 4);
            if (nameOffset >= quint64(names.size()) ||
                std::strcmp(names.constData() + nameOffset, name) != 0 ||
                number(section, 4, 4) == sectionWithoutBytes)
                continue;
            return readExactly(sectionOffset(section), std::min(sectionSize(section), longestBlock),
                               bytes);
        }
        return ENODATA;
    }

private:
    // Reads the file header and, as it directs, the section table.
    int readSectionTable()
    {
        if (m_file.openError())
            return m_file.openError();
        QByteArray header;
        if (const int error = read(0, elf64.fileHeaderSize, header))
            return error;
        if (header.size() < 6 || !header.startsWith(elfMagic))
            return ENOEXEC;
        const char elfClass = header[4];
        const char byteOrder = header[5];
        if ((elfClass != 1 && elfClass != 2) || (byteOrder != 1 && byteOrder != 2))
            return ENOEXEC;
        m_class = elfClass == 1 ? &elf32 : &elf64;
        m_bigEndian = byteOrder == 2;
        if (header.size() < m_class->fileHeaderSize)
            return ENOEXEC;

        const quint64 tableOffset = number(header, m_class->sectionTableAt, m_class->addressSize);
        m_entrySize = number(header, m_class->entrySizeAt, 2);
        m_entryCount = number(header, m_class->entryCountAt, 2);
        m_namesIndex = number(header, m_class->namesIndexAt, 2);
        if (m_entryCount == 0)
            return ENODATA;
        if (m_entrySize < quint64(m_class->sectionHeaderSize) || m_namesIndex >= m_entryCount)
            return ENOEXEC;
        return readExactly(tableOffset, m_entrySize * m_entryCount, m_table);
    }

    QByteArray entry(quint64 index) const { return m_table.mid(index * m_entrySize, m_entrySize); }

    quint64 number(const QByteArray &bytes, qsizetype offset, int size) const
    {
        quint64 value = 0;
        for (int i = 0; i < size; ++i) {
            const qsizetype at = offset + (m_bigEndian ? i : size - 1 - i);
            value = (value << 8) | quint8(bytes[at]);
        }
        return value;
    }
    quint64 sectionOffset(const QByteArray &entry) const
    {
        return number(entry, m_class->sectionOffsetAt, m_class->addressSize);
    }
    quint64 sectionSize(const QByteArray &entry) const
    {
        return number(entry, m_class->sectionSizeAt, m_class->addressSize);
    }

    int read(quint64 offset, quint64 length, QByteArray &bytes) const
    {
        return m_file.read(qint64(offset), qint64(length), bytes);
    }
    // A range that the section table promises must lie wholly inside the file.
    int readExactly(quint64 offset, quint64 length, QByteArray &bytes) const
    {
        const auto fileSize = quint64(m_file.size());
        if (offset > fileSize || length > fileSize - offset)
            return ENOEXEC;
        if (const int error = read(offset, length, bytes))
            return error;
        return quint64(bytes.size()) == length ? 0 : ENOEXEC;
    }

    platform::ReadOnlyFile m_file;
    const ElfClass *m_class = &elf64;
    bool m_bigEndian = false;
    QByteArray m_table;
    quint64 m_entrySize = 0;
    quint64 m_entryCount = 0;
    quint64 m_namesIndex = 0;
};

} // namespace

int readVersionBlock(const QString &fileName, QByteArray &block)
{
    return ElfFile(fileName).readSection(versionblock::sectionName, block);
}
