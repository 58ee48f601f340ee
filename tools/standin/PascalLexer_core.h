#pragma once
// Splits Object Pascal source text into tokens. Comments ({ }, (* *), //) are skipped; compiler
// directives ({$...} and (*$...*)) are handed to a callback as they pass.
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace standin {

// A fault in the source: the line it was found on and the message to print.
class SourceError : public std::runtime_error {
  public:
    SourceError(int line, const std::string& message) : std::runtime_error(message), line_(line) {}
    int line() const { return line_; }

  private:
    int line_;
};

enum class TokenKind { Identifier, Number, String, Symbol, EndOfFile };

struct Token {
    TokenKind kind = TokenKind::EndOfFile;
    std::string text; // a string's value without its quotes
    int line = 1;

    bool isWord(std::string_view word) const; // identifier or reserved word, case-insensitive
    bool isSymbol(std::string_view symbol) const;
    std::string describe() const; // for messages: "'begin'", "end of file"
};

struct Directive {
    std::string text; // what stands between "{$" and "}"
    int line = 1;
};

class PascalLexer {
  public:
    using DirectiveHandler = std::function<void(const Directive&)>;

    PascalLexer(std::string_view source, DirectiveHandler onDirective);

    // The next token; throws SourceError for an unterminated comment or string or an illegal character.
    Token next();
    int line() const { return line_; }

  private:
    bool atEnd() const { return pos_ >= source_.size(); }
    char peekChar(std::size_t ahead = 0) const;
    void skipBlanksAndComments();
    void skipComment(std::string_view terminator, bool isDirective);
    Token readString();
    Token readNumber();
    Token readIdentifier();
    Token readSymbol();

    std::string_view source_;
    std::size_t pos_ = 0;
    int line_ = 1;
    DirectiveHandler onDirective_;
};

} // namespace standin
