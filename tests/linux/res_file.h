#pragma once
// Reads what a resource compiler wrote: the resources of a 32-bit .res file, and the tree of a
// version block.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace restest {

// A resource type or name: a number, or a string when `text` is set.
struct ResourceId {
    std::uint16_t number = 0;
    QString text;
    bool isText = false;
};

struct Resource {
    ResourceId type;
    ResourceId name;
    std::uint16_t language = 0;
    QByteArray data;
};

// The resources of a .res file, without its leading empty entry. Throws std::runtime_error on
// a malformed file.
std::vector<Resource> ReadResFile(const QByteArray& file);

// One node of a version block: its key, its value (text, or raw bytes) and its children.
struct VersionNode {
    QString key;
    bool isText = false;
    QString text;
    QByteArray bytes;
    std::vector<VersionNode> children;

    const VersionNode* child(const QString& childKey) const;
};

// Throws std::runtime_error on a malformed block.
VersionNode ReadVersionBlock(const QByteArray& data);

std::uint16_t Word(const QByteArray& data, int offset);
std::uint32_t Dword(const QByteArray& data, int offset);

} // namespace restest
