#pragma once
// Failure to read a catalogue file, with a French message that names the file and says what is
// wrong, ready for a message box.

#include <filesystem>
#include <stdexcept>
#include <string>

namespace catalogue {

class JetError : public std::runtime_error {
public:
    enum class Kind {
        Missing,      // no file at that path
        NotAFile,     // a folder or a device
        Unreadable,   // the system refused to read it
        NotJet,       // some other kind of file
        Unsupported,  // a Jet file of a version, or holding a type, this reader does not read
        Damaged,      // a Jet file whose structure does not hold together
        TableMissing, // no table of that name
        FieldMissing, // no field of that name in the table
        FieldNotText, // a field whose values cannot be given as text
    };

    JetError(Kind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}

    Kind kind() const { return kind_; }

    static JetError missing(const std::filesystem::path& file);
    static JetError notAFile(const std::filesystem::path& file);
    static JetError unreadable(const std::filesystem::path& file, int errorNumber);
    static JetError notJet(const std::filesystem::path& file);
    static JetError unsupported(const std::filesystem::path& file, int version);
    // what: a short French phrase, such as "le catalogue des tables est illisible".
    static JetError damaged(const std::filesystem::path& file, const std::string& what);
    static JetError tableMissing(const std::filesystem::path& file, const std::string& table);
    static JetError fieldMissing(const std::filesystem::path& file, const std::string& table,
                                 const std::string& field);
    static JetError fieldNotText(const std::filesystem::path& file, const std::string& table,
                                 const std::string& field);

private:
    Kind kind_;
};

} // namespace catalogue
