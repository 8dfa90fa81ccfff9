#pragma once
// Why a Jet file cannot be read, in French. The reader works on bytes and does not know the
// file's name: Message(name) gives the sentence a user sees.

#include <stdexcept>
#include <string>

namespace jet {

class FormatError : public std::runtime_error {
public:
    enum class Kind {
        NotJet,       // some other kind of file
        Unsupported,  // a Jet file of a version, or holding a type, this reader does not read
        Encrypted,    // an encrypted or password-protected database
        Damaged,      // a structure that does not hold together
        TableMissing, // no table of that name
    };

    Kind kind() const { return kind_; }
    // The problem alone, such as "un mémo renvoie à une page qui n'en contient pas".
    const std::string& detail() const { return detail_; }
    // The whole sentence about the file: « Le fichier « base.MDB » est endommagé : … ».
    std::string Message(const std::string& fileName) const;

    static FormatError NotJet();
    static FormatError Unsupported(const std::string& what);
    static FormatError Encrypted(const std::string& what);
    static FormatError Damaged(const std::string& what);
    static FormatError TableMissing(const std::string& table);

private:
    FormatError(Kind kind, std::string detail);

    Kind kind_;
    std::string detail_;
};

// A name between French quotation marks, with no-break spaces inside.
std::string Quoted(const std::string& name);

} // namespace jet
