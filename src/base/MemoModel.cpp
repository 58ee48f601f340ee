#include "base/MemoModel.h"

#include <algorithm>
#include <utility>

namespace {
// One notch of a mouse wheel.
constexpr int kWheelDelta = 120;
} // namespace

// ---------------------------------------------------------------- editing

void TMemoModel::Assign(std::string text) {
    buffer_.Assign(std::move(text));
    anchor_ = caret_ = 0;
    desiredX_ = -1;
    undo_.reset();
    modified_ = false;
    topLine_ = 0;
    xOffset_ = 0;
    MeasureAllLines();
}

bool TMemoModel::InsertLine(int index, const std::string& line) {
    if (index < 0 || index > LineCount())
        return false;
    if (index < LineCount()) {
        const std::size_t start = buffer_.LineStart(index);
        Select(start, start);
        return ReplaceSelection(line + "\r\n", TEditKind::Programmatic);
    }
    const std::size_t end = buffer_.Length();
    Select(end, end);
    return ReplaceSelection("\r\n" + line, TEditKind::Programmatic);
}

bool TMemoModel::Edit(std::size_t from, std::size_t to, std::string_view text, TEditKind kind) {
    from = buffer_.Snap(from);
    to = buffer_.Snap(to);
    if (to < from)
        std::swap(from, to);
    if (from == to && text.empty())
        return false;
    std::string removed =
        kind == TEditKind::Programmatic ? std::string() : buffer_.Text().substr(from, to - from);
    const std::size_t end = buffer_.Replace(from, to, text);
    const std::size_t inserted = end - from;
    if (kind == TEditKind::Programmatic) {
        undo_.reset();
    } else if (kind == TEditKind::Typing && removed.empty() && undo_ && undo_->typing &&
               undo_->position + undo_->insertedLength == from) {
        undo_->insertedLength += inserted;
    } else {
        undo_ = TUndoStep{from, std::move(removed), inserted, kind == TEditKind::Typing};
    }
    anchor_ = caret_ = end;
    desiredX_ = -1;
    modified_ = true;
    Grow(buffer_.LineOf(from), buffer_.LineOf(end));
    return true;
}

void TMemoModel::Grow(int firstLine, int lastLine) {
    // Like the platform's edit control, the widest line only grows while the text is edited.
    for (int line = firstLine; line <= lastLine; ++line)
        widest_ = std::max(widest_, LineWidth(buffer_.Line(line)));
    ScrollTo(topLine_, xOffset_);
}

bool TMemoModel::ReplaceSelection(std::string_view text, TEditKind kind) {
    const bool changed = Edit(anchor_, caret_, text, kind);
    ScrollCaretIntoView();
    return changed;
}

bool TMemoModel::Type(std::string_view text) {
    return ReplaceSelection(text, TEditKind::Typing);
}

bool TMemoModel::DeleteBackward() {
    const bool changed = SelLength() > 0 ? Edit(anchor_, caret_, {}, TEditKind::Undoable)
                                         : Edit(buffer_.Previous(caret_), caret_, {}, TEditKind::Undoable);
    ScrollCaretIntoView();
    return changed;
}

bool TMemoModel::DeleteForward() {
    const bool changed = SelLength() > 0 ? Edit(anchor_, caret_, {}, TEditKind::Undoable)
                                         : Edit(caret_, buffer_.Next(caret_), {}, TEditKind::Undoable);
    ScrollCaretIntoView();
    return changed;
}

bool TMemoModel::Undo() {
    if (!undo_)
        return false;
    const TUndoStep step = std::move(*undo_);
    undo_.reset();
    const std::size_t insertedEnd = step.position + step.insertedLength;
    std::string reinserted = buffer_.Text().substr(step.position, step.insertedLength);
    const std::size_t end = buffer_.Replace(step.position, insertedEnd, step.removed);
    undo_ = TUndoStep{step.position, std::move(reinserted), end - step.position, false};
    anchor_ = step.position;
    caret_ = end;
    desiredX_ = -1;
    modified_ = true;
    Grow(buffer_.LineOf(step.position), buffer_.LineOf(end));
    ScrollCaretIntoView();
    return true;
}

// ---------------------------------------------------------------- selection and caret

std::size_t TMemoModel::SelStart() const {
    return std::min(anchor_, caret_);
}

std::size_t TMemoModel::SelLength() const {
    return std::max(anchor_, caret_) - SelStart();
}

void TMemoModel::Select(std::size_t anchor, std::size_t caret) {
    anchor_ = buffer_.Snap(anchor);
    caret_ = buffer_.Snap(caret);
    desiredX_ = -1;
}

void TMemoModel::SelectRange(int start, int end) {
    if (start < 0)
        Select(caret_, caret_);
    else
        Select(static_cast<std::size_t>(start), end < 0 ? buffer_.Length() : static_cast<std::size_t>(end));
}

void TMemoModel::MoveCaretTo(std::size_t position, bool extend) {
    PlaceCaret(position, extend, false);
}

void TMemoModel::PlaceCaret(std::size_t position, bool extend, bool keepColumn) {
    caret_ = buffer_.Snap(position);
    if (!extend)
        anchor_ = caret_;
    if (!keepColumn)
        desiredX_ = -1;
    ScrollCaretIntoView();
}

void TMemoModel::MoveVertically(int lines, bool extend) {
    const int line = buffer_.LineOf(caret_);
    if (desiredX_ < 0)
        desiredX_ = Advance(buffer_.Line(line), caret_ - buffer_.LineStart(line));
    const int target = std::clamp(line + lines, 0, buffer_.LineCount() - 1);
    PlaceCaret(buffer_.LineStart(target) + ColumnAt(buffer_.Line(target), desiredX_), extend, true);
}

void TMemoModel::MoveCaret(TCaretKey key, bool ctrl, bool extend) {
    const int line = buffer_.LineOf(caret_);
    switch (key) {
    case TCaretKey::Left:
        return MoveCaretTo(ctrl ? buffer_.WordLeft(caret_) : buffer_.Previous(caret_), extend);
    case TCaretKey::Right:
        return MoveCaretTo(ctrl ? buffer_.WordRight(caret_) : buffer_.Next(caret_), extend);
    case TCaretKey::Up:
        return MoveVertically(-1, extend);
    case TCaretKey::Down:
        return MoveVertically(1, extend);
    case TCaretKey::PageUp:
        ScrollTo(topLine_ - VisibleLines(), xOffset_);
        return MoveVertically(-VisibleLines(), extend);
    case TCaretKey::PageDown:
        ScrollTo(topLine_ + VisibleLines(), xOffset_);
        return MoveVertically(VisibleLines(), extend);
    case TCaretKey::Home:
        return MoveCaretTo(ctrl ? 0 : buffer_.LineStart(line), extend);
    case TCaretKey::End:
        return MoveCaretTo(ctrl ? buffer_.Length() : buffer_.LineEnd(line), extend);
    }
}

void TMemoModel::SelectWordAt(int x, int y) {
    const auto word = buffer_.WordAt(PositionAt(x, y));
    Select(word.first, word.second);
}

// ---------------------------------------------------------------- lines

std::optional<std::size_t> TMemoModel::LineIndex(int line) const {
    if (line < 0)
        line = buffer_.LineOf(caret_);
    if (line >= LineCount())
        return std::nullopt;
    return buffer_.LineStart(line);
}

int TMemoModel::LineFromChar(int index) const {
    return buffer_.LineOf(index < 0 ? SelStart() : static_cast<std::size_t>(index));
}

std::size_t TMemoModel::LineLength(int index) const {
    if (index >= 0)
        return buffer_.Line(buffer_.LineOf(static_cast<std::size_t>(index))).size();
    // The unselected characters of the lines the selection touches.
    const std::size_t from = SelStart();
    const std::size_t to = from + SelLength();
    return (from - buffer_.LineStart(buffer_.LineOf(from))) + (buffer_.LineEnd(buffer_.LineOf(to)) - to);
}

// ---------------------------------------------------------------- geometry

bool TMemoModel::SetMetrics(const TCharMetrics& metrics) {
    metrics_ = metrics;
    MeasureAllLines();
    return ScrollTo(topLine_, xOffset_);
}

bool TMemoModel::SetViewSize(int width, int height) {
    viewWidth_ = width;
    viewHeight_ = height;
    return ScrollTo(topLine_, xOffset_);
}

int TMemoModel::VisibleLines() const {
    return std::max(1, (viewHeight_ - kTopMargin) / metrics_.lineHeight);
}

int TMemoModel::TextAreaWidth() const {
    return std::max(1, viewWidth_ - kLeftMargin);
}

int TMemoModel::NextX(int x, unsigned char ch) const {
    // Tab stops every 32 dialog units, as in the platform's edit control: eight average characters.
    const int tabWidth = 8 * metrics_.averageCharWidth;
    return ch == '\t' ? (x / tabWidth + 1) * tabWidth : x + metrics_.widths[ch];
}

int TMemoModel::Advance(std::string_view line, std::size_t count) const {
    int x = 0;
    for (std::size_t i = 0; i < count && i < line.size(); ++i)
        x = NextX(x, static_cast<unsigned char>(line[i]));
    return x;
}

std::size_t TMemoModel::ColumnAt(std::string_view line, int x) const {
    int left = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const int right = NextX(left, static_cast<unsigned char>(line[i]));
        if (x < (left + right) / 2)
            return i;
        left = right;
    }
    return line.size();
}

void TMemoModel::MeasureAllLines() {
    widest_ = 0;
    for (int line = 0; line < buffer_.LineCount(); ++line)
        widest_ = std::max(widest_, LineWidth(buffer_.Line(line)));
}

std::size_t TMemoModel::PositionAt(int x, int y) const {
    const int height = metrics_.lineHeight;
    const int row = y >= kTopMargin ? (y - kTopMargin) / height : -((kTopMargin - y + height - 1) / height);
    const int line = std::clamp(topLine_ + row, 0, buffer_.LineCount() - 1);
    return buffer_.LineStart(line) + ColumnAt(buffer_.Line(line), x - kLeftMargin + xOffset_);
}

std::optional<TMemoModel::TPoint> TMemoModel::PointOf(std::size_t position) const {
    if (position > buffer_.Length())
        return std::nullopt;
    const int line = buffer_.LineOf(position);
    return TPoint{kLeftMargin + Advance(buffer_.Line(line), position - buffer_.LineStart(line)) - xOffset_,
                  LineTop(line)};
}

// ---------------------------------------------------------------- scrolling

TMemoModel::TScrollRange TMemoModel::VerticalRange() const {
    return {buffer_.LineCount() - 1, VisibleLines(), topLine_};
}

TMemoModel::TScrollRange TMemoModel::HorizontalRange() const {
    return {widest_ + metrics_.averageCharWidth, TextAreaWidth(), xOffset_};
}

bool TMemoModel::ScrollTo(int topLine, int xOffset) {
    const int maxTop = std::max(0, buffer_.LineCount() - VisibleLines());
    const int maxX = std::max(0, widest_ + metrics_.averageCharWidth - TextAreaWidth() + 1);
    topLine = std::clamp(topLine, 0, maxTop);
    xOffset = std::clamp(xOffset, 0, maxX);
    if (topLine == topLine_ && xOffset == xOffset_)
        return false;
    topLine_ = topLine;
    xOffset_ = xOffset;
    return true;
}

void TMemoModel::ScrollCaretIntoView() {
    const int line = buffer_.LineOf(caret_);
    int top = topLine_;
    if (line < top)
        top = line;
    else if (line >= top + VisibleLines())
        top = line - VisibleLines() + 1;
    const int x = Advance(buffer_.Line(line), caret_ - buffer_.LineStart(line));
    int left = xOffset_;
    const int width = TextAreaWidth();
    if (x < left)
        left = std::max(0, x - width / 3);
    else if (x >= left + width - 1)
        left = x - width * 2 / 3;
    ScrollTo(top, left);
}

bool TMemoModel::Scroll(bool vertical, TScroll command, int trackPosition) {
    const TScrollRange range = vertical ? VerticalRange() : HorizontalRange();
    const int line = vertical ? 1 : metrics_.averageCharWidth;
    const int page = vertical ? VisibleLines() : std::max(1, TextAreaWidth() * 2 / 3);
    int position = range.position;
    switch (command) {
    case TScroll::LineUp:
        position -= line;
        break;
    case TScroll::LineDown:
        position += line;
        break;
    case TScroll::PageUp:
        position -= page;
        break;
    case TScroll::PageDown:
        position += page;
        break;
    case TScroll::Track:
        position = trackPosition;
        break;
    case TScroll::Top:
        position = 0;
        break;
    case TScroll::Bottom:
        position = range.max;
        break;
    }
    return vertical ? ScrollTo(position, xOffset_) : ScrollTo(topLine_, position);
}

bool TMemoModel::ScrollBy(int lines, int characters) {
    return ScrollTo(topLine_ + lines, xOffset_ + characters * metrics_.averageCharWidth);
}

bool TMemoModel::Wheel(int delta, int linesPerNotch) {
    wheelRemainder_ += delta;
    const int notches = wheelRemainder_ / kWheelDelta;
    wheelRemainder_ -= notches * kWheelDelta;
    const int step = linesPerNotch < 0 ? VisibleLines() : linesPerNotch;
    return ScrollTo(topLine_ - notches * step, xOffset_);
}

// ---------------------------------------------------------------- drawing

int TMemoModel::LastVisibleLine() const {
    return std::min(buffer_.LineCount() - 1, topLine_ + VisibleLines());
}

TMemoModel::TLineLayout TMemoModel::LayOut(int line) const {
    const std::string_view text = buffer_.Line(line);
    const std::size_t lineStart = buffer_.LineStart(line);
    // Only the characters inside the window; a very long line costs no more than a short one.
    TLineLayout layout;
    std::vector<bool> selected;
    const std::size_t selFrom = SelStart();
    const std::size_t selTo = selFrom + SelLength();
    int x = 0;
    int firstX = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char ch = static_cast<unsigned char>(text[i]);
        const int right = NextX(x, ch);
        const int screenLeft = kLeftMargin + x - xOffset_;
        if (screenLeft >= viewWidth_)
            break;
        if (kLeftMargin + right - xOffset_ > 0) {
            if (layout.glyphs.empty())
                firstX = screenLeft;
            layout.glyphs += ch == '\t' ? ' ' : static_cast<char>(ch);
            layout.advances.push_back(right - x);
            selected.push_back(lineStart + i >= selFrom && lineStart + i < selTo);
        }
        x = right;
    }
    // Runs of unselected and selected characters, each drawn in its colours.
    int runX = firstX;
    for (std::size_t first = 0; first < layout.glyphs.size();) {
        std::size_t last = first + 1;
        while (last < layout.glyphs.size() && selected[last] == selected[first])
            ++last;
        int width = 0;
        for (std::size_t i = first; i < last; ++i)
            width += layout.advances[i];
        layout.runs.push_back({first, last, runX, width, selected[first]});
        runX += width;
        first = last;
    }
    return layout;
}
