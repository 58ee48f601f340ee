#include "SourceCheck_core.h"

#include "PascalLexer_core.h"
#include "PathText_core.h"

#include <algorithm>

namespace standin {

namespace {

struct OpenBlock {
    std::string word;
    int line;
};

std::string kindWord(SourceKind kind) {
    switch (kind) {
    case SourceKind::Program:
        return "Program";
    case SourceKind::Library:
        return "Library";
    case SourceKind::Unit:
        return "Unit";
    }
    return {};
}

// "STANDIN_DELAY 5000" → 5000; other directives are none of the stand-in's business.
unsigned delayOf(const Directive& directive) {
    const std::string& text = directive.text;
    std::size_t nameEnd = 0;
    while (nameEnd < text.size() && text[nameEnd] != ' ' && text[nameEnd] != '\t')
        ++nameEnd;
    if (!sameText(text.substr(0, nameEnd), "STANDIN_DELAY"))
        return 0;
    const std::size_t first = text.find_first_not_of(" \t\r\n", nameEnd);
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    const std::string value =
        first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
    unsigned long long milliseconds = 0;
    bool valid = !value.empty() && value.size() <= 7;
    for (char c : value) {
        valid = valid && c >= '0' && c <= '9';
        milliseconds = milliseconds * 10 + static_cast<unsigned>(c - '0');
    }
    if (!valid || milliseconds > kMaxDelayMilliseconds)
        throw SourceError(directive.line, "Invalid STANDIN_DELAY value '" + value + "' (0 to " +
                                              std::to_string(kMaxDelayMilliseconds) + " milliseconds)");
    return static_cast<unsigned>(milliseconds);
}

// "STANDIN_ECHO text" → "text", a line the compile prints as it stands (to show the front end other
// compilers' messages); other directives give none.
std::optional<std::string> echoOf(const Directive& directive) {
    const std::string& text = directive.text;
    const std::size_t nameEnd = text.find_first_of(" \t");
    if (!sameText(text.substr(0, nameEnd), "STANDIN_ECHO"))
        return std::nullopt;
    const std::size_t first = nameEnd == std::string::npos ? std::string::npos : nameEnd + 1;
    return first == std::string::npos ? std::string() : text.substr(first);
}

class Checker {
  public:
    Checker(std::string_view text, SourceCheckResult& result)
        : result_(result), lexer_(text, [this](const Directive& d) {
              result_.delayMilliseconds += delayOf(d);
              if (auto echo = echoOf(d))
                  result_.echoes.push_back(std::move(*echo));
          }) {}

    void run(ExpectedKind expected, const std::vector<std::string>& acceptedNames) {
        readHeader(expected, acceptedNames);
        readBody();
    }

  private:
    const Token& peek() {
        if (!lookahead_)
            lookahead_ = lexer_.next();
        return *lookahead_;
    }

    Token take() {
        Token token = peek();
        lookahead_.reset();
        return token;
    }

    [[noreturn]] static void expected(const std::string& what, const Token& found) {
        throw SourceError(found.line, what + " expected but " + found.describe() + " found");
    }

    std::string takeIdentifier() {
        Token token = take();
        if (token.kind != TokenKind::Identifier)
            expected("Identifier", token);
        return token.text;
    }

    void takeSymbol(std::string_view symbol) {
        const Token token = take();
        if (!token.isSymbol(symbol))
            expected("'" + std::string(symbol) + "'", token);
    }

    void readHeader(ExpectedKind expectedKind, const std::vector<std::string>& acceptedNames) {
        const Token head = take();
        const bool isUnit = head.isWord("unit");
        const bool isProject = head.isWord("program") || head.isWord("library");
        if (expectedKind == ExpectedKind::Unit && !isUnit)
            expected("'UNIT'", head);
        if (expectedKind == ExpectedKind::Project && !isProject)
            expected("'PROGRAM' or 'LIBRARY'", head);
        result_.kind = isUnit                   ? SourceKind::Unit
                       : head.isWord("library") ? SourceKind::Library
                                                : SourceKind::Program;

        const int nameLine = peek().line;
        result_.name = takeIdentifier();
        bool nameMatches = false;
        for (const std::string& accepted : acceptedNames)
            nameMatches = nameMatches || sameText(accepted, result_.name);
        if (!nameMatches)
            throw SourceError(nameLine, kindWord(result_.kind) + " name '" + result_.name +
                                            "' does not match the file name '" +
                                            (acceptedNames.empty() ? std::string() : acceptedNames.front()) +
                                            "'");
        // "program Demo(Input, Output);" keeps the old parameter list.
        if (result_.kind == SourceKind::Program && peek().isSymbol("(")) {
            while (!take().isSymbol(")"))
                if (peek().kind == TokenKind::EndOfFile)
                    expected("')'", peek());
        }
        takeSymbol(";");
    }

    void readUses() {
        for (;;) {
            UsedUnit unit;
            unit.line = peek().line;
            unit.name = takeIdentifier();
            if (peek().isWord("in")) {
                take();
                const Token file = take();
                if (file.kind != TokenKind::String)
                    expected("String constant", file);
                unit.inFile = file.text;
            }
            result_.uses.push_back(unit);
            const Token separator = take();
            if (separator.isSymbol(";"))
                return;
            if (!separator.isSymbol(","))
                expected("',' or ';'", separator);
        }
    }

    // "class", "object" and "interface" open a block only as a type's body: after "=", and
    // neither a forward declaration ("= class;"), a class reference ("= class of") nor an
    // empty descendant ("= class(Exception);").
    bool opensTypeBody() {
        if (!previous_.isSymbol("=") && !previous_.isWord("packed"))
            return false;
        if (peek().isSymbol(";") || peek().isWord("of"))
            return false;
        if (peek().isSymbol("(")) {
            while (!take().isSymbol(")"))
                if (peek().kind == TokenKind::EndOfFile)
                    expected("')'", peek());
            return !peek().isSymbol(";");
        }
        return true;
    }

    void readBody() {
        for (;;) {
            const Token token = take();
            if (token.kind == TokenKind::EndOfFile) {
                if (!open_.empty())
                    throw SourceError(lexer_.line(), "'END' expected for '" + upperCase(open_.back().word) +
                                                         "' of line " + std::to_string(open_.back().line) +
                                                         " but end of file found");
                throw SourceError(lexer_.line(), "'END.' expected");
            }
            if (token.isWord("uses")) {
                readUses();
            } else if (token.isWord("begin") || token.isWord("try") || token.isWord("asm") ||
                       token.isWord("record")) {
                open_.push_back({token.text, token.line});
            } else if (token.isWord("case")) {
                // The variant part of a record ends with the record's own END.
                if (open_.empty() || !sameText(open_.back().word, "record"))
                    open_.push_back({token.text, token.line});
            } else if (token.isWord("class") || token.isWord("object") || token.isWord("interface") ||
                       token.isWord("dispinterface")) {
                if (opensTypeBody())
                    open_.push_back({token.text, token.line});
            } else if (token.isWord("end")) {
                if (closeBlock(token))
                    return;
            }
            previous_ = token;
        }
    }

    // True when this END was the final "end.".
    bool closeBlock(const Token& end) {
        const bool unitTerminator = open_.empty() && result_.kind == SourceKind::Unit;
        if (open_.empty() && !unitTerminator)
            throw SourceError(end.line, "'END' without a matching 'BEGIN'");
        if (!open_.empty())
            open_.pop_back();
        if (!peek().isSymbol(".")) {
            if (unitTerminator)
                expected("'.'", peek());
            return false;
        }
        if (!open_.empty())
            throw SourceError(end.line, "'END' expected for '" + upperCase(open_.back().word) + "' of line " +
                                            std::to_string(open_.back().line) + " but '.' found");
        return true;
    }

    SourceCheckResult& result_;
    PascalLexer lexer_;
    std::optional<Token> lookahead_;
    Token previous_;
    std::vector<OpenBlock> open_;
};

} // namespace

int countLines(std::string_view text) {
    int lines = 0;
    for (char c : text)
        lines += c == '\n';
    if (!text.empty() && text.back() != '\n')
        ++lines;
    return lines;
}

SourceCheckResult checkSource(std::string_view text, ExpectedKind expected,
                              const std::vector<std::string>& acceptedNames) {
    SourceCheckResult result;
    result.lineCount = countLines(text);
    try {
        Checker(text, result).run(expected, acceptedNames);
    } catch (const SourceError& error) {
        // An end of file after the last line break still belongs to the last line.
        result.problem =
            SourceProblem{std::clamp(error.line(), 1, std::max(result.lineCount, 1)), error.what()};
    }
    return result;
}

} // namespace standin
