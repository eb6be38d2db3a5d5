// Errors that end a command. Each carries exactly the text the user is shown;
// the shell catches them at the command boundary and shows the message.
#pragma once

#include <stdexcept>
#include <string>

namespace kestrone {

class KestroneError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The cipher layer ("Invalid buffer size for decryption").
class EAESError : public KestroneError {
public:
    using KestroneError::KestroneError;
};

// Reading or writing a stream failed ("Stream read error", "Stream write error").
class EStreamError : public KestroneError {
public:
    using KestroneError::KestroneError;
};

// A file could not be opened or created ("Cannot open file ...").
class EFileError : public KestroneError {
public:
    using KestroneError::KestroneError;
};

// A profile write was refused ("Unable to write to %s").
class EWriteError : public KestroneError {
public:
    using KestroneError::KestroneError;
};

// A registry operation failed or its data was broken.
class ERegistryError : public KestroneError {
public:
    using KestroneError::KestroneError;
};

// Definitions data that cannot be used (a count that is not a number, ...).
class EDataError : public KestroneError {
public:
    using KestroneError::KestroneError;
};

}  // namespace kestrone
