#pragma once
// The errors that stop a catalogue build, with messages meant for the person running the tool.

#include <cstddef>
#include <stdexcept>
#include <string>

namespace jet_writer {

// A place in a text file, both counted from 1; columns count characters, not bytes.
struct TextPosition {
    std::size_t line = 1;
    std::size_t column = 1;
};

// A fault in the catalogue's CSV file, at a known place.
class InputError : public std::runtime_error {
public:
    InputError(const std::string& source, TextPosition at, const std::string& problem);

    TextPosition position() const { return at_; }
    const std::string& problem() const { return problem_; }

private:
    TextPosition at_;
    std::string problem_;
};

// A file that cannot be opened, read or written.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What went wrong while the output file was written; the builder adds the file's name.
class OutputFileError : public FileError {
public:
    using FileError::FileError;
};

// A catalogue that would outgrow the largest file a Jet database can be.
class CatalogueTooLarge : public OutputFileError {
public:
    CatalogueTooLarge();
};

// A write to the output file that the system refused.
class WriteError : public OutputFileError {
public:
    explicit WriteError(int code);
    int code() const { return code_; }

private:
    int code_;
};

// What a system error number means, in French; the number itself for the rare ones.
std::string SystemErrorText(int code);

} // namespace jet_writer
