#include "output/OutputProblems.h"

#include "base/SysUtils.h"
#include "output/ProblemMarks_core.h"
#include "output/SourceView.h"
#include "output/SourceView_core.h"
#include "prefs/DelphiLibrary.h"
#include "win/Graphics.h"
#include "win/Handles.h"

namespace {
// The names of the files in a folder, as its listing spells them.
std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const FindHandle search(FindFirstFileA((folder + "*").c_str(), &found));
    if (!search)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.emplace_back(found.cFileName);
    } while (FindNextFileA(search.get(), &found));
    return names;
}
} // namespace

TOutputProblems::TOutputProblems(TForm& form, TMemo& memo, std::string caption,
                                 std::function<std::string()> projectFileName)
    : SearchPath([] { return DelphiLibraryValue("SearchPath"); }), form_(form), memo_(memo),
      caption_(std::move(caption)), projectFileName_(std::move(projectFileName)) {
    memo_.OnChange = [this](TComponent*) { Changed(); };
    memo_.LineMark = [this](int line) -> std::optional<TMemo::TLineMark> {
        const problems::TProblemLine* problem = problems::Find(Lines(), line);
        if (!problem)
            return std::nullopt;
        const problems::TMarkColors colors =
            problems::MarkColors(problem->severity, ColorToRGB(memo_.Color()));
        return TMemo::TLineMark{colors.band, colors.text};
    };
    hook_.BeforeMessage = [this](TMessage& message) { BeforeMessage(message); };
    hook_.AfterMessage = [this](const TMessage& message) { AfterMessage(message); };
    hook_.SetWinControl(&memo_);
}

TOutputProblems::~TOutputProblems() {
    hook_.SetWinControl(nullptr);
    memo_.LineMark = nullptr;
    memo_.OnChange = nullptr;
}

// Scanned when first needed after a change: typing costs no scan until the memo paints again.
const std::vector<problems::TProblemLine>& TOutputProblems::Lines() {
    if (!scanned_) {
        lines_ = problems::Scan(memo_.Model().Buffer().Text());
        scanned_ = true;
        std::string caption = caption_ + problems::CountsText(problems::Count(lines_));
        if (caption != shownCaption_)
            form_.SetCaption(caption);
        shownCaption_ = std::move(caption);
    }
    return lines_;
}

void TOutputProblems::Changed() {
    scanned_ = false;
}

void TOutputProblems::Loaded() {
    Changed();
    if (const auto first = problems::FirstErrorLine(Lines()))
        SelectLine(*first);
}

void TOutputProblems::SelectLine(int line) {
    const TTextBuffer& buffer = memo_.Model().Buffer();
    // The caret at the line's start keeps the view at the left of a long line.
    memo_.SetSelection(buffer.LineEnd(line), buffer.LineStart(line));
    SendMessageA(memo_.Handle(), EM_SCROLLCARET, 0, 0);
}

int TOutputProblems::CaretLine() const {
    return memo_.Model().Buffer().LineOf(memo_.Model().Caret());
}

bool TOutputProblems::LineSelected(int line) const {
    const TTextBuffer& buffer = memo_.Model().Buffer();
    return memo_.SelStart() == buffer.LineStart(line) &&
           memo_.SelStart() + memo_.SelLength() == buffer.LineEnd(line);
}

void TOutputProblems::Step(bool forward) {
    const int current = CaretLine();
    const bool onProblem = problems::Find(Lines(), current) && LineSelected(current);
    if (const auto to = problems::Step(Lines(), current, onProblem, forward))
        SelectLine(*to);
    else
        MessageBeep(MB_OK);
}

void TOutputProblems::OpenSourceOf(int line) {
    const auto problem = problems::Recognise(memo_.Model().Line(line));
    if (!problem)
        return;
    if (problem->file.empty())
        throw Exception(sourceview::NoFileMessage());
    const std::string projectFolder =
        rtl::ExtractFilePath(projectFileName_ ? projectFileName_() : std::string());
    const std::string file(problem->file);
    const sourceview::TLocation location = sourceview::Locate(
        file, projectFolder,
        sourceview::SearchFolders(SearchPath ? SearchPath() : std::string(), projectFolder), FilesIn);
    if (!location.path)
        throw Exception(sourceview::NotFoundMessage(file, location.searched));
    if (!view_)
        view_ = new TSourceForm(&form_);
    view_->ShowFile(*location.path, file, problem->line, problem->column, problem->severity);
}

void TOutputProblems::BeforeMessage(TMessage& message) {
    const bool alt = (message.lParam & (1 << 29)) != 0; // the key's context code: Alt is down
    if (message.msg == WM_KEYDOWN)
        swallowReturn_ = false;
    if (message.msg == WM_SYSKEYDOWN && alt && (message.wParam == VK_F8 || message.wParam == VK_F7)) {
        message.handled = true;
        Step(message.wParam == VK_F8);
    } else if (message.msg == WM_KEYDOWN && message.wParam == VK_RETURN && GetKeyState(VK_CONTROL) >= 0 &&
               GetKeyState(VK_SHIFT) >= 0 && problems::Find(Lines(), CaretLine())) {
        // Enter on a problem line opens it instead of breaking the line.
        message.handled = true;
        swallowReturn_ = true;
        OpenSourceOf(CaretLine());
    } else if (message.msg == WM_CHAR && message.wParam == '\r' && swallowReturn_) {
        message.handled = true;
        swallowReturn_ = false;
    }
}

void TOutputProblems::AfterMessage(const TMessage& message) {
    if (message.msg == WM_LBUTTONDBLCLK && problems::Find(Lines(), CaretLine()))
        OpenSourceOf(CaretLine());
}
