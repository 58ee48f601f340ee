// The memo's text: line breaks made CR LF, the line index kept right through every edit, caret steps.
#include "base/Classes.h"
#include "base/TextBuffer.h"
#include "output/OutputFile_core.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {
std::vector<std::string> LinesOf(const TTextBuffer& buffer) {
    std::vector<std::string> lines;
    for (int i = 0; i < buffer.LineCount(); ++i)
        lines.emplace_back(buffer.Line(i));
    return lines;
}

// The lines as an independent reading of the text finds them.
std::vector<std::string> SplitAtCrLf(const std::string& text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\r\n") == 0) {
            lines.emplace_back();
            ++i;
        } else {
            lines.back() += text[i];
        }
    }
    return lines;
}

std::string Joined(const TStringList& lines) {
    std::string text = lines.Text();
    if (!text.empty())
        text.resize(text.size() - 2);
    return text;
}

TTextBuffer BufferOf(const std::string& text) {
    TTextBuffer buffer;
    buffer.Assign(text);
    return buffer;
}
} // namespace

TEST(TextBuffer, EveryKindOfLineBreakBecomesCrLfAndNulBecomesABlank) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"", ""},
        {"a\r\nb", "a\r\nb"},
        {"a\nb", "a\r\nb"},
        {"a\rb", "a\r\nb"},
        {"a\n\rb", "a\r\n\r\nb"},
        {"\r\r\n\n", "\r\n\r\n\r\n"},
        {"end\r", "end\r\n"},
        {std::string("a\0b\0", 4), "a b "},
        {std::string("x\0\ny", 4), "x \r\ny"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BufferOf(c.in).Text(), c.out) << testing::PrintToString(c.in);
        EXPECT_EQ(TTextBuffer::Normalized(c.in), c.out);
    }
}

TEST(TextBuffer, LinesAreIndexedIncludingAnEmptyLastLine) {
    const TTextBuffer empty;
    EXPECT_EQ(empty.LineCount(), 1);
    EXPECT_EQ(empty.Line(0), "");

    const TTextBuffer buffer = BufferOf("first\n\nthird\r\n");
    EXPECT_EQ(LinesOf(buffer), (std::vector<std::string>{"first", "", "third", ""}));
    EXPECT_EQ(buffer.LineStart(2), 9u);
    EXPECT_EQ(buffer.LineEnd(2), 14u);
    EXPECT_EQ(buffer.LineOf(0), 0);
    EXPECT_EQ(buffer.LineOf(5), 0); // on the break
    EXPECT_EQ(buffer.LineOf(7), 1);
    EXPECT_EQ(buffer.LineOf(buffer.Length()), 3);
    EXPECT_EQ(buffer.Line(4), "");
    EXPECT_EQ(buffer.Line(-1), "");
}

TEST(TextBuffer, AFileLoadsAsTheLinesAStringListReadsFromIt) {
    // The memo shows what the runtime's string list reads from the same bytes, joined by CR LF.
    std::mt19937 random(7);
    const char alphabet[] = {'a', 'b', ' ', '\t', '\r', '\n', '\xFC'};
    for (int round = 0; round < 500; ++round) {
        std::string content;
        const int length = static_cast<int>(random() % 24);
        for (int i = 0; i < length; ++i)
            content += alphabet[random() % sizeof alphabet];
        TStringList list;
        list.SetText(content);
        EXPECT_EQ(BufferOf(outputfile::WithoutFinalLineBreak(content)).Text(), Joined(list))
            << testing::PrintToString(content);
    }
}

TEST(TextBuffer, TheLineIndexStaysRightThroughRandomEdits) {
    std::mt19937 random(11);
    const char alphabet[] = {'a', 'b', ' ', '\r', '\n'};
    auto randomText = [&](int maxLength) {
        std::string text;
        const int length = static_cast<int>(random() % static_cast<unsigned>(maxLength + 1));
        for (int i = 0; i < length; ++i)
            text += alphabet[random() % sizeof alphabet];
        return text;
    };
    for (int round = 0; round < 200; ++round) {
        TTextBuffer buffer = BufferOf(randomText(30));
        for (int edit = 0; edit < 20; ++edit) {
            const std::size_t from = random() % (buffer.Length() + 2);
            const std::size_t to = random() % (buffer.Length() + 2);
            const std::string insert = randomText(6);
            const std::string before = buffer.Text();
            const std::size_t start = buffer.Snap(std::min(from, to));
            const std::size_t end = buffer.Replace(from, to, insert);

            ASSERT_LE(end, buffer.Length());
            EXPECT_EQ(buffer.Text().compare(0, start, before, 0, start), 0)
                << "the text before the range changed";
            // The text holds only CR LF pairs, and the index matches a fresh reading of it.
            ASSERT_EQ(buffer.Text(), TTextBuffer::Normalized(buffer.Text()))
                << testing::PrintToString(before);
            ASSERT_EQ(LinesOf(buffer), SplitAtCrLf(buffer.Text())) << testing::PrintToString(before);
            for (int line = 0; line < buffer.LineCount(); ++line)
                ASSERT_EQ(buffer.LineOf(buffer.LineStart(line)), line);
        }
    }
}

TEST(TextBuffer, ReplacingKeepsTheTextAroundAndReturnsTheEndOfTheInsert) {
    TTextBuffer buffer = BufferOf("one\r\ntwo\r\nthree");
    EXPECT_EQ(buffer.Replace(5, 8, "2\n2b"), 10u);
    EXPECT_EQ(buffer.Text(), "one\r\n2\r\n2b\r\nthree");
    EXPECT_EQ(buffer.LineCount(), 4);
    // Ends given in any order; a position inside CR LF counts as the position before it.
    EXPECT_EQ(buffer.Replace(4, 0, "X"), 1u);
    EXPECT_EQ(buffer.Text(), "X\r\n2\r\n2b\r\nthree");
    buffer.Replace(0, buffer.Length(), "");
    EXPECT_EQ(buffer.LineCount(), 1);
    EXPECT_EQ(buffer.Text(), "");
}

TEST(TextBuffer, TheCaretStepsOverALineBreakAsOneCharacter) {
    const TTextBuffer buffer = BufferOf("ab\r\ncd");
    EXPECT_EQ(buffer.Next(2), 4u);
    EXPECT_EQ(buffer.Previous(4), 2u);
    EXPECT_EQ(buffer.Snap(3), 2u);
    EXPECT_EQ(buffer.Snap(99), 6u);
    EXPECT_EQ(buffer.Previous(0), 0u);
    EXPECT_EQ(buffer.Next(6), 6u);
}

TEST(TextBuffer, WordsAreRunsBetweenBlanksWithinALine) {
    const TTextBuffer buffer = BufferOf("Error: 'END' expected\r\nnext");
    EXPECT_EQ(buffer.WordRight(0), 7u);   // past "Error:" and the blank
    EXPECT_EQ(buffer.WordRight(13), 21u); // "expected" runs to the end of the line
    EXPECT_EQ(buffer.WordRight(21), 23u); // the line break is a step of its own
    EXPECT_EQ(buffer.WordLeft(23), 21u);
    EXPECT_EQ(buffer.WordLeft(21), 13u);
    EXPECT_EQ(buffer.WordLeft(13), 7u);
    EXPECT_EQ(buffer.WordAt(9), (std::pair<std::size_t, std::size_t>{7, 12}));
    EXPECT_EQ(buffer.WordAt(21), (std::pair<std::size_t, std::size_t>{13, 21})); // at the line's end
    EXPECT_EQ(buffer.WordAt(6), (std::pair<std::size_t, std::size_t>{6, 7}));    // the blank itself
}
