#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The bytes of one data file, split once into its whitespace-separated
// tokens (white space as the classic "C" locale has it), so that the file
// can be read any number of times without being opened or scanned again.
class DataText {
public:
    struct Token {
        std::size_t offset;  // byte offset of the first character in the file
        std::size_t size;
    };

    explicit DataText(std::string bytes);

    const std::string& Bytes() const { return bytes_; }
    const std::vector<Token>& Tokens() const { return tokens_; }
    // Roughly what keeping this text costs, in bytes.
    std::size_t Footprint() const { return bytes_.capacity() + tokens_.capacity() * sizeof(Token) + sizeof(*this); }

private:
    std::string bytes_;
    std::vector<Token> tokens_;
};
