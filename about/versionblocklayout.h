#pragma once

#include <QtGlobal>

// Where an executable carries its version block (the VS_VERSIONINFO layout: nodes of wLength,
// wValueLength, wType, a UTF-16LE key and a value, each aligned to four bytes), and the marks
// of the block's fixed file information (VS_FIXEDFILEINFO).
namespace versionblock
{

// The ELF section that holds the block, whole and alone.
inline constexpr char sectionName[] = ".vs_version_info";

// Key of the root node.
inline constexpr char rootKey[] = "VS_VERSION_INFO";

// wType of a node: binary value (size in bytes) or text value (size in 16-bit characters).
inline constexpr quint16 binaryType = 0;
inline constexpr quint16 textType = 1;

// The fixed file information: thirteen 32-bit little-endian words, the first a signature;
// dwFileVersionMS is the third.
inline constexpr quint32 fixedInfoSignature = 0xFEEF04BD;
inline constexpr int fixedInfoSize = 13 * 4;
inline constexpr int fileVersionMSOffset = 2 * 4;

} // namespace versionblock
