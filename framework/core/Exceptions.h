#pragma once
// The framework's exceptions. Everything the framework raises derives from
// RuntimeException, so the event boundary can report it and go on.
#include <stdexcept>
#include <string>

namespace fw {

class RuntimeException : public std::runtime_error {
public:
    explicit RuntimeException(const std::string& message) : std::runtime_error(message) {}
};

// A nil object was used where one is needed.
class NilObjectException : public RuntimeException {
public:
    explicit NilObjectException(const std::string& what = "Objekt ist nicht vorhanden (nil).")
        : RuntimeException(what) {}
};

// A table was asked for a row or column it does not have.
class OutOfBoundsException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
};

// A file could not be opened or read.
class IOException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
};

// Data that cannot be taken as it is (a refused file, a malformed record).
class UnsupportedFormatException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
};

// A user-interface member was called off the main thread.
class ThreadAccessingUIException : public RuntimeException {
public:
    explicit ThreadAccessingUIException(
        const std::string& what = "Oberflächenelemente dürfen nur im Hauptthread benutzt werden.")
        : RuntimeException(what) {}
};

}  // namespace fw
