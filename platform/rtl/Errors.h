#pragma once
// The failures the program expects from its data: a file or an archive that
// cannot be opened, read or written, or something it holds that cannot be used
// (a picture that does not decode, a record number or a date that is none).
// The places that work with data catch this kind, and report it or drop it as
// their window says; any other failure is a fault of the program and reaches
// the standard error box with its own text.
#include <stdexcept>

namespace rtl {

class DataError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace rtl
