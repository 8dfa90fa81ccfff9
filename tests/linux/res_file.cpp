#include "res_file.h"

#include <stdexcept>

namespace restest {
namespace {

int alignedTo4(int offset) {
    return (offset + 3) & ~3;
}

void require(bool condition, const char* what) {
    if (!condition) {
        throw std::runtime_error(what);
    }
}

// A NUL-terminated UTF-16 string at `offset`; moves `offset` past its terminator.
QString readText(const QByteArray& data, int& offset, int end) {
    QString text;
    for (;;) {
        require(offset + 2 <= end, "unterminated string");
        const std::uint16_t unit = Word(data, offset);
        offset += 2;
        if (unit == 0) {
            return text;
        }
        text.append(QChar(unit));
    }
}

ResourceId readId(const QByteArray& data, int& offset, int end) {
    require(offset + 2 <= end, "truncated resource header");
    if (Word(data, offset) == 0xFFFF) {
        require(offset + 4 <= end, "truncated resource header");
        ResourceId id;
        id.number = Word(data, offset + 2);
        offset += 4;
        return id;
    }
    ResourceId id;
    id.isText = true;
    id.text = readText(data, offset, end);
    return id;
}

VersionNode readNode(const QByteArray& data, int start, int& end) {
    require(start + 6 <= data.size(), "truncated version node");
    const int length = Word(data, start);
    const int valueLength = Word(data, start + 2);
    const int type = Word(data, start + 4);
    end = start + length;
    require(length >= 6 && end <= data.size(), "version node length out of range");

    VersionNode node;
    int offset = start + 6;
    node.key = readText(data, offset, end);
    offset = alignedTo4(offset);
    node.isText = type == 1;
    const int valueBytes = node.isText ? valueLength * 2 : valueLength;
    require(offset + valueBytes <= end, "version value out of range");
    if (node.isText) {
        int textOffset = offset;
        node.text = valueBytes > 0 ? readText(data, textOffset, offset + valueBytes) : QString();
    } else {
        node.bytes = data.mid(offset, valueBytes);
    }
    offset = alignedTo4(offset + valueBytes);
    while (offset < end) {
        int childEnd = 0;
        node.children.push_back(readNode(data, offset, childEnd));
        require(childEnd <= end, "version child overruns its parent");
        offset = alignedTo4(childEnd);
    }
    return node;
}

} // namespace

std::uint16_t Word(const QByteArray& data, int offset) {
    return std::uint16_t(std::uint8_t(data[offset]) | std::uint8_t(data[offset + 1]) << 8);
}

std::uint32_t Dword(const QByteArray& data, int offset) {
    return Word(data, offset) | std::uint32_t(Word(data, offset + 2)) << 16;
}

std::vector<Resource> ReadResFile(const QByteArray& file) {
    std::vector<Resource> resources;
    int offset = 0;
    while (offset < file.size()) {
        require(offset + 8 <= file.size(), "truncated resource header");
        const int dataSize = int(Dword(file, offset));
        const int headerSize = int(Dword(file, offset + 4));
        const int headerEnd = offset + headerSize;
        require(headerSize >= 24 && headerEnd <= file.size(), "resource header size out of range");
        require(dataSize >= 0 && headerEnd + dataSize <= file.size(), "resource data out of range");

        int field = offset + 8;
        Resource resource;
        resource.type = readId(file, field, headerEnd);
        resource.name = readId(file, field, headerEnd);
        field = alignedTo4(field);
        require(field + 16 <= headerEnd, "truncated resource header");
        resource.language = Word(file, field + 6);
        resource.data = file.mid(headerEnd, dataSize);
        // The file opens with an empty entry that only marks it as a 32-bit resource file.
        const bool marker = dataSize == 0 && !resource.type.isText && resource.type.number == 0;
        if (!marker) {
            resources.push_back(resource);
        }
        offset = alignedTo4(headerEnd + dataSize);
    }
    return resources;
}

const VersionNode* VersionNode::child(const QString& childKey) const {
    for (const VersionNode& node : children) {
        if (node.key == childKey) {
            return &node;
        }
    }
    return nullptr;
}

VersionNode ReadVersionBlock(const QByteArray& data) {
    int end = 0;
    VersionNode root = readNode(data, 0, end);
    require(end == data.size() || alignedTo4(end) == data.size(), "bytes after the version block");
    return root;
}

} // namespace restest
