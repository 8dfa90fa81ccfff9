#pragma once
// Turns the bytes of a stored text value into UTF-8. Jet 4 and later store UTF-16LE, or a
// compressed form of it that starts with FF FE; Jet 3 stores text in the code page of the
// machine that wrote it. Characters beyond the first Unicode plane come back whole, and bytes
// that do not decode become U+FFFD: the output is always valid UTF-8.

#include <iconv.h>

#include <cstddef>
#include <string>

namespace reader {

class JetTextDecoder {
public:
    // Text of Jet 4 and later files.
    static JetTextDecoder unicode();
    // Text of Jet 3 files in the given Windows code page (1252 when unknown to the system).
    static JetTextDecoder codePage(int number);

    JetTextDecoder(JetTextDecoder&& other) noexcept;
    JetTextDecoder& operator=(JetTextDecoder&& other) noexcept;
    JetTextDecoder(const JetTextDecoder&) = delete;
    JetTextDecoder& operator=(const JetTextDecoder&) = delete;
    ~JetTextDecoder();

    // Appends the UTF-8 text of size stored bytes to out.
    void append(const unsigned char* bytes, std::size_t size, std::string& out);

    // The iconv name of the file's text encoding, for libmdb's own decoding of names.
    const std::string& fileCharset() const { return fileCharset_; }

private:
    JetTextDecoder(iconv_t converter, std::string fileCharset);
    void appendCodePage(const unsigned char* bytes, std::size_t size, std::string& out);

    iconv_t converter_; // (iconv_t)-1 for UTF-16 text, which is decoded here directly
    std::string fileCharset_;
};

} // namespace reader
