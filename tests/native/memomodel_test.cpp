// The memo's editing rules without a window: caret moves and the remembered column, typing and the
// undo that redoes, the edit control's selection and line queries, tab stops and hit testing,
// scrolling and its limits, and the runs a line is drawn in.
#include "base/MemoModel.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {
using Key = TMemoModel::TCaretKey;
using Kind = TMemoModel::TEditKind;
using Scroll = TMemoModel::TScroll;

// A font of 8-pixel characters with a narrow 'i' and a wide 'W', 16-pixel lines (tab stops every 64),
// in a view 200 pixels wide and ten lines high inside the margins.
TMemoModel ModelOf(const std::string& text) {
    TCharMetrics metrics;
    metrics.lineHeight = 16;
    metrics.averageCharWidth = 8;
    metrics.widths.fill(8);
    metrics.widths['i'] = 4;
    metrics.widths['W'] = 12;
    TMemoModel model;
    model.SetMetrics(metrics);
    model.SetViewSize(TMemoModel::kLeftMargin + 200, TMemoModel::kTopMargin + 10 * 16 + 5);
    model.Assign(text);
    return model;
}

std::string NumberedLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    return text;
}
} // namespace

TEST(MemoModel, CaretKeysMoveTheCaretAndShiftExtendsTheSelection) {
    const std::string thirty = NumberedLines(30);
    const struct {
        std::string text;
        std::size_t caret;
        std::vector<Key> keys;
        bool ctrl, extend;
        std::size_t anchor, expected;
        int top;
    } cases[] = {
        {"one two\r\nthree", 0, {Key::Right, Key::Right, Key::Down}, false, true, 0, 11, 0},
        {"Error: 'END' expected", 0, {Key::Right, Key::Right}, true, false, 13, 13, 0},
        {"Error: 'END' expected", 21, {Key::Left}, true, true, 21, 13, 0},
        {"ab\r\ncd", 4, {Key::Left}, false, false, 2, 2, 0}, // a line break is one step
        {"ab\r\ncd", 2, {Key::Right}, false, false, 4, 4, 0},
        {"ab\r\ncd", 5, {Key::Home}, false, false, 4, 4, 0},
        {"ab\r\ncd", 0, {Key::End}, false, false, 2, 2, 0},
        {"ab\r\ncd", 5, {Key::Home}, true, true, 5, 0, 0},
        {"ab\r\ncd", 1, {Key::End}, true, false, 6, 6, 0},
        {"ab\r\ncd", 1, {Key::Up}, false, false, 1, 1, 0},   // on the first line: stays in its column
        {"ab\r\ncd", 5, {Key::Down}, false, false, 5, 5, 0}, // on the last line
        {"abc", 0, {Key::Right, Key::Right}, false, true, 0, 2, 0},
        {"abc", 0, {Key::Right, Key::Right}, false, false, 2, 2, 0},
        // Up and down keep the column the caret came from, past a shorter line.
        {"abcdef\r\nab\r\nabcdef", 5, {Key::Down}, false, false, 10, 10, 0},
        {"abcdef\r\nab\r\nabcdef", 5, {Key::Down, Key::Down}, false, false, 17, 17, 0},
        {"abcdef\r\nab\r\nabcdef", 5, {Key::Down, Key::Up}, false, false, 5, 5, 0},
        // A sideways step forgets the column.
        {"abcdef\r\nab\r\nabcdef", 5, {Key::Down, Key::Left, Key::Down}, false, false, 13, 13, 0},
        {"ab\r\ncd", 5, {Key::Up}, true, false, 1, 1, 0}, // Ctrl changes nothing
        // Columns are pixels: after a tab (64) the caret lands under the ninth 8-pixel character.
        {"\tx\r\nabcdefghij", 1, {Key::Down}, false, false, 12, 12, 0},
        {"iiii\r\nabcd", 4, {Key::Down}, false, false, 8, 8, 0},
        // A page is the lines the view shows; the view moves with it.
        {thirty, 0, {Key::PageDown}, false, false, 80, 80, 10},
        {thirty, 0, {Key::PageDown, Key::PageDown, Key::PageUp}, false, true, 0, 80, 10},
        {thirty, 0, {Key::End}, true, false, thirty.size(), thirty.size(), 21},
    };
    for (const auto& c : cases) {
        TMemoModel model = ModelOf(c.text);
        model.Select(c.caret, c.caret);
        for (const Key key : c.keys)
            model.MoveCaret(key, c.ctrl, c.extend);
        EXPECT_EQ(model.Anchor(), c.anchor) << c.text << " from " << c.caret;
        EXPECT_EQ(model.Caret(), c.expected) << c.text << " from " << c.caret;
        EXPECT_EQ(model.TopLine(), c.top) << c.text << " from " << c.caret;
    }
}

TEST(MemoModel, EditsUndoInOneStepAndUndoingAgainRedoes) {
    const struct {
        const char* what;
        std::string text;
        std::size_t anchor, caret;
        std::function<void(TMemoModel&)> steps;
        std::string expected;
        std::size_t selFrom, selTo;
        bool canUndo, modified;
    } cases[] = {
        {"typing", "abc", 3, 3, [](TMemoModel& m) { m.Type("d"), m.Type("e"), m.Type("f"); }, "abcdef", 6, 6,
         true, true},
        {"typed characters undo together", "abc", 3, 3,
         [](TMemoModel& m) { m.Type("d"), m.Type("\r\n"), m.Type("f"), m.Undo(); }, "abc", 3, 3, true, true},
        {"undoing again redoes", "abc", 3, 3,
         [](TMemoModel& m) { m.Type("d"), m.Type("e"), m.Undo(), m.Undo(); }, "abcde", 3, 5, true, true},
        {"typing elsewhere starts a new step", "abc", 0, 0,
         [](TMemoModel& m) { m.Type("x"), m.MoveCaret(Key::End, true, false), m.Type("y"), m.Undo(); },
         "xabc", 4, 4, true, true},
        {"typing replaces the selection", "one two", 0, 3, [](TMemoModel& m) { m.Type("1"), m.Undo(); },
         "one two", 0, 3, true, true},
        {"backspace is a step of its own", "", 0, 0,
         [](TMemoModel& m) { m.Type("a"), m.Type("b"), m.DeleteBackward(), m.Undo(); }, "ab", 1, 2, true,
         true},
        {"backspace over a line break", "ab\r\ncd", 4, 4, [](TMemoModel& m) { m.DeleteBackward(); }, "abcd",
         2, 2, true, true},
        {"delete takes the selection", "ab\r\ncd", 1, 5, [](TMemoModel& m) { m.DeleteForward(); }, "ad", 1, 1,
         true, true},
        {"delete at the end changes nothing", "ab", 2, 2, [](TMemoModel& m) { m.DeleteForward(); }, "ab", 2,
         2, false, false},
        {"a programmatic change cannot be undone", "ab", 2, 2,
         [](TMemoModel& m) { m.Type("c"), m.ReplaceSelection("d", Kind::Programmatic); }, "abcd", 4, 4, false,
         true},
        {"an empty programmatic change keeps the undo", "ab", 2, 2,
         [](TMemoModel& m) { m.Type("c"), m.ReplaceSelection("", Kind::Programmatic), m.Undo(); }, "ab", 2, 2,
         true, true},
        {"an undoable replace", "one two", 0, 3,
         [](TMemoModel& m) { m.ReplaceSelection("1\n", Kind::Undoable), m.Undo(); }, "one two", 0, 3, true,
         true},
        {"a new text", "ab", 1, 1, [](TMemoModel& m) { m.Type("x"), m.Assign("fresh"); }, "fresh", 0, 0,
         false, false},
        {"a line inserted first", "a\r\nb", 1, 1, [](TMemoModel& m) { m.InsertLine(0, "x"); }, "x\r\na\r\nb",
         3, 3, false, true},
        {"a line appended", "a\r\nb", 0, 0, [](TMemoModel& m) { m.InsertLine(2, "z"); }, "a\r\nb\r\nz", 7, 7,
         false, true},
        {"a line past the end", "a", 0, 0, [](TMemoModel& m) { EXPECT_FALSE(m.InsertLine(2, "z")); }, "a", 0,
         0, false, false},
    };
    for (const auto& c : cases) {
        TMemoModel model = ModelOf(c.text);
        model.Select(c.anchor, c.caret);
        c.steps(model);
        EXPECT_EQ(model.Text(), c.expected) << c.what;
        EXPECT_EQ(model.SelStart(), c.selFrom) << c.what;
        EXPECT_EQ(model.SelStart() + model.SelLength(), c.selTo) << c.what;
        EXPECT_EQ(model.CanUndo(), c.canUndo) << c.what;
        EXPECT_EQ(model.Modified(), c.modified) << c.what;
    }
    for (const auto& [ch, typeable] : {std::pair{'a', true},
                                       {'\t', true},
                                       {'\xFC', true},
                                       {'\x1B', false},
                                       {'\x02', false},
                                       {'\r', false}})
        EXPECT_EQ(TMemoModel::Typeable(ch), typeable) << int(ch);
}

TEST(MemoModel, SelectionAndLineQueriesAnswerAsTheEditControl) {
    // Lines start at 0, 7, 13 and 15.
    const std::string text = "alpha\r\nbeta\r\n\r\ngamma";
    const struct {
        int start, end;
        std::size_t anchor, caret;
        std::optional<std::size_t> caretLineIndex;
        int lineOfSelection;
        std::size_t unselectedAround;
    } cases[] = {
        {2, -1, 2, 20, 15, 0, 2},   // a negative end reaches the end of the text
        {6, 6, 5, 5, 0, 0, 5},      // inside the CR LF: before it
        {9, 3, 9, 3, 0, 0, 3 + 2},  // either end first
        {-1, 4, 8, 8, 7, 1, 4},     // a negative start drops the selection at the caret (8)
        {14, 14, 13, 13, 13, 2, 0}, // the empty line
        {99, 99, 20, 20, 15, 3, 5},
    };
    for (const auto& c : cases) {
        TMemoModel model = ModelOf(text);
        model.Select(8, 8);
        model.SelectRange(c.start, c.end);
        EXPECT_EQ(model.Anchor(), c.anchor) << c.start << "," << c.end;
        EXPECT_EQ(model.Caret(), c.caret) << c.start << "," << c.end;
        EXPECT_EQ(model.LineIndex(-1), c.caretLineIndex) << c.start << "," << c.end;
        EXPECT_EQ(model.LineFromChar(-1), c.lineOfSelection) << c.start << "," << c.end;
        EXPECT_EQ(model.LineLength(-1), c.unselectedAround) << c.start << "," << c.end;
    }
    const TMemoModel model = ModelOf(text);
    EXPECT_EQ(model.LineIndex(1), 7u);
    EXPECT_EQ(model.LineIndex(4), std::nullopt);
    EXPECT_EQ(model.LineLength(8), 4u);
    EXPECT_EQ(model.LineFromChar(14), 2);
    EXPECT_EQ(model.LineCount(), 4);
    EXPECT_EQ(model.Line(3), "gamma");
}

TEST(MemoModel, TabStopsAndHitTestingMeetInTheMiddleOfACharacter) {
    const TMemoModel model = ModelOf("");
    const struct {
        std::string line;
        std::size_t count;
        int x;
    } advances[] = {
        {"a\tb", 2, 64}, {"abcdefgh\tx", 9, 128}, {"abcdefg\t", 8, 64}, {"ii\t", 3, 64}, {"\t\t", 2, 128},
        {"W", 1, 12},    {"abc", 99, 24},         {"", 3, 0},
    };
    for (const auto& a : advances)
        EXPECT_EQ(model.Advance(a.line, a.count), a.x) << a.line << " " << a.count;
    const struct {
        std::string line;
        int x;
        std::size_t column;
    } columns[] = {
        {"abc", -5, 0}, {"abc", 3, 0}, {"abc", 4, 1}, {"abc", 100, 3}, {"\tx", 31, 0},
        {"\tx", 32, 1}, {"iW", 1, 0},  {"iW", 2, 1},  {"iW", 9, 1},    {"iW", 10, 2},
    };
    for (const auto& c : columns)
        EXPECT_EQ(model.ColumnAt(c.line, c.x), c.column) << c.line << " at " << c.x;

    // A click just inside any character's cell finds that character, on every line.
    const TMemoModel text = ModelOf("short\r\na\tlonger iW line\r\n\r\nW");
    for (std::size_t position = 0; position <= text.Text().size(); position = text.Buffer().Next(position)) {
        const auto at = text.PointOf(position);
        ASSERT_TRUE(at);
        EXPECT_EQ(text.PositionAt(at->x + 1, at->y + 2), position);
        if (position == text.Text().size())
            break;
    }
    EXPECT_EQ(text.PointOf(text.Text().size() + 1), std::nullopt);
    EXPECT_EQ(text.PositionAt(250, 3), 5u);  // right of a line's end: its end
    EXPECT_EQ(text.PositionAt(3, -40), 0u);  // above the text: the first line
    EXPECT_EQ(text.PositionAt(3, 900), 27u); // below: the last line
}

TEST(MemoModel, TheViewScrollsInsideTheTextAndFollowsTheCaret) {
    TMemoModel model = ModelOf(NumberedLines(1000) + std::string(2000, 'w'));
    const int maxTop = 1001 - 10;
    const int maxX = 2000 * 8 + 8 - 200 + 1;
    model.MoveCaret(Key::End, true, false);
    EXPECT_EQ(model.TopLine(), maxTop);
    EXPECT_EQ(model.XOffset(), maxX); // two thirds across, as far as the limit allows
    const auto caret = model.CaretPoint();
    EXPECT_GT(caret.x, 0);
    EXPECT_LT(caret.x, 200);
    EXPECT_EQ(caret.y, TMemoModel::kTopMargin + 9 * 16);
    model.MoveCaret(Key::Home, true, false);
    EXPECT_EQ(model.TopLine(), 0);
    EXPECT_EQ(model.XOffset(), 0);

    const struct {
        bool vertical;
        Scroll command;
        int track;
        int top, x;
    } scrolls[] = {
        {true, Scroll::LineDown, 0, 501, 100},  {true, Scroll::LineUp, 0, 499, 100},
        {true, Scroll::PageDown, 0, 510, 100},  {true, Scroll::PageUp, 0, 490, 100},
        {true, Scroll::Top, 0, 0, 100},         {true, Scroll::Bottom, 0, maxTop, 100},
        {true, Scroll::Track, 7, 7, 100},       {true, Scroll::Track, 5000, maxTop, 100},
        {false, Scroll::LineDown, 0, 500, 108}, {false, Scroll::PageUp, 0, 500, 0},
        {false, Scroll::PageDown, 0, 500, 233}, {false, Scroll::Bottom, 0, 500, maxX},
    };
    for (const auto& s : scrolls) {
        model.ScrollTo(500, 100);
        model.Scroll(s.vertical, s.command, s.track);
        EXPECT_EQ(model.TopLine(), s.top) << s.vertical << " " << int(s.command);
        EXPECT_EQ(model.XOffset(), s.x) << s.vertical << " " << int(s.command);
    }
    EXPECT_FALSE(model.ScrollTo(-5, -5) && model.ScrollTo(-5, -5));
    EXPECT_EQ(model.TopLine(), 0);
    EXPECT_TRUE(model.ScrollBy(3, 2));
    EXPECT_EQ(model.XOffset(), 16);
    EXPECT_EQ(model.VerticalRange().max, 1000);
    EXPECT_EQ(model.VerticalRange().page, 10);
    EXPECT_EQ(model.HorizontalRange().max, 2000 * 8 + 8);
    EXPECT_EQ(model.HorizontalRange().page, 200);
    EXPECT_EQ(model.LastVisibleLine(), 13);
    // A taller view cannot show past the last line.
    model.ScrollTo(maxTop, 0);
    EXPECT_TRUE(model.SetViewSize(202, 1 + 20 * 16));
    EXPECT_EQ(model.TopLine(), 1001 - 20);
}

TEST(MemoModel, TheWheelScrollsWholeNotchesAndTheWidestLineOnlyGrows) {
    TMemoModel model = ModelOf(NumberedLines(100));
    model.ScrollTo(50, 0);
    const struct {
        int delta, linesPerNotch, top;
    } turns[] = {{-120, 3, 53}, {60, 3, 53}, {60, 3, 50}, {240, 1, 48}, {-120, -1, 58}, {-119, 3, 58}};
    for (const auto& t : turns) {
        model.Wheel(t.delta, t.linesPerNotch);
        EXPECT_EQ(model.TopLine(), t.top) << t.delta;
    }

    model.Assign("wwwwwwwwww\r\nw");
    EXPECT_EQ(model.HorizontalRange().max, 88);
    model.Select(0, 12);
    model.DeleteForward();
    EXPECT_EQ(model.HorizontalRange().max, 88);
    model.Type("wwwwwwwwwwwwwww");
    EXPECT_EQ(model.HorizontalRange().max, 16 * 8 + 8);
    model.Assign("w");
    EXPECT_EQ(model.HorizontalRange().max, 16);
}

TEST(MemoModel, ALineIsLaidOutInRunsOfSelectedAndUnselectedCharacters) {
    using Runs = std::vector<TMemoModel::TRun>;
    TMemoModel model = ModelOf("        \r\na\tb");
    model.Select(2, 4);
    EXPECT_EQ(model.LayOut(0).runs,
              (Runs{{0, 2, 2, 16, false}, {2, 4, 18, 16, true}, {4, 8, 34, 32, false}}));
    model.Select(5, 12);
    const auto tabbed = model.LayOut(1);
    EXPECT_EQ(tabbed.glyphs, "a b"); // a tab is drawn as a blank across to its stop
    EXPECT_EQ(tabbed.advances, (std::vector<int>{8, 56, 8}));
    EXPECT_EQ(tabbed.runs, (Runs{{0, 2, 2, 64, true}, {2, 3, 66, 8, false}}));
    EXPECT_TRUE(model.LayOut(5).runs.empty());

    // Only the characters inside the view: 25 from the left edge; scrolled by 100, from the one that
    // reaches into the view.
    model.Assign(std::string(1000, 'a'));
    EXPECT_EQ(model.LayOut(0).glyphs.size(), 25u);
    model.ScrollTo(0, 100);
    const auto scrolled = model.LayOut(0);
    EXPECT_EQ(scrolled.glyphs.size(), 26u);
    EXPECT_EQ(scrolled.runs, (Runs{{0, 26, -2, 208, false}}));
}
