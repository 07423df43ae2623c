#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Where a token starts: the file as opened and the byte offset in it.
struct DataPosition {
    const std::string* file = nullptr;
    std::int64_t offset = -1;
};

enum class FileKind { Archetype, Level, Image };

// Receives what the data readers skip, fail on or refer to. The game reads
// without an observer; the data checker attaches one. Attaching an observer
// never changes what is read.
class DataObserver {
public:
    virtual ~DataObserver() = default;

    // A token in key-word position that the reader does not know.
    virtual void OnSkippedToken(const DataPosition& /*where*/, const std::string& /*token*/,
                                const std::string& /*context*/) {}
    // A known type keyword followed by a key the component does not have.
    virtual void OnUnknownKey(const DataPosition& /*where*/, const std::string& /*keyword*/, const std::string& /*key*/,
                              const std::string& /*context*/) {}
    // A value that could not be read as its type; the stream is now failed.
    virtual void OnFailedRead(const DataPosition& /*where*/, const char* /*expected*/) {}
    // The file ended before the "end" of the block that starts at `where`.
    virtual void OnUnterminated(const DataPosition& /*where*/, const std::string& /*context*/) {}
    // A word in component-name position that names no registered component.
    virtual void OnUnknownComponent(const DataPosition& /*where*/, const std::string& /*name*/) {}
    // A data value that names another file. A level command that names no
    // level file reports an empty name at its command word.
    virtual void OnFileReference(const DataPosition& /*where*/, FileKind /*kind*/, const std::string& /*name*/) {}
    // A token after the "end" that closes an archetype file: it and everything
    // after it is never read.
    virtual void OnUnreadRest(const DataPosition& /*where*/, const std::string& /*token*/) {}
    // A key of a component block whose value was read; `where` is the key.
    virtual void OnKeyRead(const DataPosition& /*where*/, const std::string& /*context*/, std::string_view /*key*/) {}
};
