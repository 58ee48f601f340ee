#include "PascalLexer_core.h"

#include "PathText_core.h"

#include <cstdio>

namespace standin {

namespace {

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isHexDigit(char c) {
    return isDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

constexpr std::string_view kSingleSymbols = "+-*/=<>[].,():;^@#$&";
constexpr std::string_view kDoubleSymbols[] = {":=", "<=", ">=", "<>", "..", "(.", ".)"};

} // namespace

bool Token::isWord(std::string_view word) const {
    return kind == TokenKind::Identifier && sameText(text, word);
}

bool Token::isSymbol(std::string_view symbol) const {
    return kind == TokenKind::Symbol && text == symbol;
}

std::string Token::describe() const {
    if (kind == TokenKind::EndOfFile)
        return "end of file";
    if (kind == TokenKind::String)
        return "string constant";
    return "'" + text + "'";
}

PascalLexer::PascalLexer(std::string_view source, DirectiveHandler onDirective)
    : source_(source), onDirective_(std::move(onDirective)) {}

char PascalLexer::peekChar(std::size_t ahead) const {
    return pos_ + ahead < source_.size() ? source_[pos_ + ahead] : '\0';
}

Token PascalLexer::next() {
    skipBlanksAndComments();
    if (atEnd())
        return Token{TokenKind::EndOfFile, "", line_};
    const char c = peekChar();
    if (c == '\'')
        return readString();
    if (isDigit(c) || (c == '$' && isHexDigit(peekChar(1))))
        return readNumber();
    if (isLetter(c))
        return readIdentifier();
    return readSymbol();
}

void PascalLexer::skipBlanksAndComments() {
    while (!atEnd()) {
        const char c = peekChar();
        if (c == '\n') {
            ++line_;
            ++pos_;
        } else if (static_cast<unsigned char>(c) <= ' ' && c != '\0') {
            ++pos_;
        } else if (c == '{') {
            pos_ += 1;
            skipComment("}", peekChar() == '$');
        } else if (c == '(' && peekChar(1) == '*') {
            pos_ += 2;
            skipComment("*)", peekChar() == '$');
        } else if (c == '/' && peekChar(1) == '/') {
            while (!atEnd() && peekChar() != '\n')
                ++pos_;
        } else {
            return;
        }
    }
}

void PascalLexer::skipComment(std::string_view terminator, bool isDirective) {
    const int startLine = line_;
    const std::size_t contentStart = pos_;
    const std::size_t end = source_.find(terminator, pos_);
    if (end == std::string_view::npos)
        throw SourceError(startLine, "Unterminated comment");
    for (std::size_t i = pos_; i < end; ++i)
        if (source_[i] == '\n')
            ++line_;
    pos_ = end + terminator.size();
    if (isDirective && onDirective_)
        onDirective_(
            Directive{std::string(source_.substr(contentStart + 1, end - contentStart - 1)), startLine});
}

Token PascalLexer::readString() {
    Token token{TokenKind::String, "", line_};
    ++pos_;
    for (;;) {
        if (atEnd() || peekChar() == '\n' || peekChar() == '\r')
            throw SourceError(token.line, "Unterminated string");
        const char c = source_[pos_++];
        if (c != '\'') {
            token.text += c;
        } else if (peekChar() == '\'') {
            token.text += '\'';
            ++pos_;
        } else {
            return token;
        }
    }
}

Token PascalLexer::readNumber() {
    const std::size_t start = pos_;
    if (peekChar() == '$') {
        ++pos_;
        while (isHexDigit(peekChar()))
            ++pos_;
    } else {
        while (isDigit(peekChar()))
            ++pos_;
        // "1..9" is a range: only a dot followed by a digit continues the number.
        if (peekChar() == '.' && isDigit(peekChar(1))) {
            ++pos_;
            while (isDigit(peekChar()))
                ++pos_;
        }
        if ((peekChar() == 'e' || peekChar() == 'E') &&
            (isDigit(peekChar(1)) || ((peekChar(1) == '+' || peekChar(1) == '-') && isDigit(peekChar(2))))) {
            pos_ += 2;
            while (isDigit(peekChar()))
                ++pos_;
        }
    }
    return Token{TokenKind::Number, std::string(source_.substr(start, pos_ - start)), line_};
}

Token PascalLexer::readIdentifier() {
    const std::size_t start = pos_;
    while (isLetter(peekChar()) || isDigit(peekChar()))
        ++pos_;
    return Token{TokenKind::Identifier, std::string(source_.substr(start, pos_ - start)), line_};
}

Token PascalLexer::readSymbol() {
    for (std::string_view symbol : kDoubleSymbols) {
        if (source_.substr(pos_, 2) == symbol) {
            pos_ += 2;
            return Token{TokenKind::Symbol, std::string(symbol), line_};
        }
    }
    const char c = peekChar();
    if (c == '\0' || kSingleSymbols.find(c) == std::string_view::npos) {
        char message[64];
        std::snprintf(message, sizeof message, "Illegal character in input file: '%c' ($%02X)",
                      static_cast<unsigned char>(c) >= ' ' ? c : '?', static_cast<unsigned char>(c));
        throw SourceError(line_, message);
    }
    ++pos_;
    return Token{TokenKind::Symbol, std::string(1, c), line_};
}

} // namespace standin
