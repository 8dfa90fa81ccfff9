#pragma once
// Text values to UTF-8: Jet 3 text in the database's code page; Jet 4 and ACE text in
// UTF-16LE, or in the compressed form (FF FE, then runs of one-byte characters and of UTF-16
// characters, each 00 byte switching between the two).

#include "jet/code_page.h"
#include "jet/database_page.h"
#include "jet/little_endian.h"

#include <optional>
#include <string>

namespace jet {

class TextDecoder {
public:
    // Throws FormatError::Unsupported for Jet 3 text in a code page it does not know.
    explicit TextDecoder(const DatabaseInfo& info);

    // Appends the text to out as UTF-8. Every character comes across; a lone surrogate
    // becomes U+FFFD. Damage when UTF-16 text has an odd number of bytes.
    void Append(ByteSpan stored, std::string& out) const;
    // The same into the start of buffer, which keeps its size between calls so that its bytes
    // are not cleared each time: buffer grows when the text needs more room. Answers the text's
    // length.
    std::size_t Write(ByteSpan stored, std::string& buffer) const;
    // The units of text stored as plain UTF-16LE, neither compressed nor in a code page;
    // nullopt for text stored otherwise. Damage when the units have an odd number of bytes.
    std::optional<ByteSpan> PlainUtf16(ByteSpan stored) const;

private:
    const HighHalf* codePage_; // Jet 3 only
};

// The pieces, for the row decoder's other uses and for tests.
void AppendUtf16(ByteSpan units, std::string& out);
void AppendCompressedUtf16(ByteSpan stored, std::string& out);
void AppendCodePage(ByteSpan bytes, const HighHalf& table, std::string& out);
void AppendUtf8(char32_t character, std::string& out);

} // namespace jet
