#include "output/SourceView.h"

#include "base/SysUtils.h"
#include "output/ProblemMarks_core.h"
#include "output/SourceView_core.h"
#include "win/Graphics.h"
#include "win/Library.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {
constexpr int kButtonRow = 30;

// Text in UTF-8 or UTF-16 turned into the code page the memo shows; code-page text stays as it is.
std::string InCodePage(std::string bytes) {
    const sourceview::TDetected detected = sourceview::DetectEncoding(bytes);
    if (detected.encoding == sourceview::TEncoding::CodePage)
        return bytes;
    std::wstring wide;
    const std::string_view body = std::string_view(bytes).substr(detected.bomLength);
    if (detected.encoding == sourceview::TEncoding::Utf8) {
        const int size = static_cast<int>(std::min<std::size_t>(body.size(), INT_MAX / 2));
        wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, body.data(), size, nullptr, 0)));
        MultiByteToWideChar(CP_UTF8, 0, body.data(), size, wide.data(), static_cast<int>(wide.size()));
    } else {
        const bool big = detected.encoding == sourceview::TEncoding::Utf16Be;
        wide.resize(body.size() / 2);
        for (std::size_t i = 0; i < wide.size(); ++i) {
            const auto hi = static_cast<unsigned char>(body[2 * i + (big ? 0 : 1)]);
            const auto lo = static_cast<unsigned char>(body[2 * i + (big ? 1 : 0)]);
            wide[i] = static_cast<wchar_t>(hi << 8 | lo);
        }
    }
    const int count = static_cast<int>(std::min<std::size_t>(wide.size(), INT_MAX / 4));
    std::string text(static_cast<std::size_t>(
                         WideCharToMultiByte(CP_ACP, 0, wide.data(), count, nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), count, text.data(), static_cast<int>(text.size()), nullptr,
                        nullptr);
    return text;
}
} // namespace

TSourceForm::TSourceForm(TComponent* owner) : TForm(owner) {
    SetName("SourceForm");
    SetBounds(160, 90, 640, 480);
    SetPosition(TPosition::poScreenCenter);
    EditBtn = new TButton(this, this, {4, 3, 120, 24}, "Open in &editor");
    EditBtn->SetName("EditBtn");
    EditBtn->SetHint("Open the file in your editor (Ctrl+E)");
    EditBtn->SetShowHint(true);
    EditBtn->OnClick = [this](TComponent*) {
        Memo1->SetFocus(); // the keys stay the text's, Ctrl+E among them
        OpenInEditor();
    };
    Memo1 = new TMemo(this, this, {0, kButtonRow, ClientWidth(), ClientHeight() - kButtonRow});
    Memo1->SetName("Memo1");
    Memo1->Font().Assign(
        TFontDesc{ANSI_CHARSET_VALUE, clWindowText, -13, "Courier New", TFontPitch::fpFixed, 0});
    Memo1->LineMark = [this](int line) -> std::optional<TMemo::TLineMark> {
        if (line != markedLine_)
            return std::nullopt;
        const problems::TMarkColors colors = problems::MarkColors(severity_, ColorToRGB(Memo1->Color()));
        return TMemo::TLineMark{colors.band, colors.text};
    };
    readOnly_.BeforeMessage = [this](TMessage& message) { Refuse(message); };
    readOnly_.SetWinControl(Memo1);
    FormStorage1 = CreateFormStorage(this, "SourceView", DefaultWindowOptions, {});
    ArrangeControls();
}

TSourceForm::~TSourceForm() {
    readOnly_.SetWinControl(nullptr);
    DestroyForm();
}

void TSourceForm::ArrangeControls() {
    if (Memo1)
        Memo1->SetBounds(0, kButtonRow, ClientWidth(), std::max(0, ClientHeight() - kButtonRow));
}

LRESULT TSourceForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = TForm::WndProc(msg, wParam, lParam);
    if (msg == WM_SIZE)
        ArrangeControls();
    return result;
}

// The text is read-only: what would change it does nothing (the context menu's commands too); copying,
// selecting and moving stay. Ctrl+E opens the editor.
void TSourceForm::Refuse(TMessage& message) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    switch (message.msg) {
    case WM_CHAR:
        message.handled = message.wParam != 1 && message.wParam != 3; // Ctrl+A, Ctrl+C
        break;
    case WM_KEYDOWN:
        if (message.wParam == 'E' && ctrl)
            OpenInEditor();
        message.handled = message.wParam == VK_DELETE || (message.wParam == 'E' && ctrl) ||
                          (message.wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0);
        break;
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case EM_REPLACESEL:
    case WM_CONTEXTMENU:
        message.handled = true;
        break;
    default:
        break;
    }
}

void TSourceForm::ShowFile(const std::string& path, std::string_view shownName, std::int64_t line,
                           std::int64_t column, problems::TSeverity severity) {
    std::string text = InCodePage(sourceview::ReadSource(path));
    path_ = path;
    SetCaption(sourceview::Caption(shownName, line));
    Memo1->SetText(std::move(text));
    const TMemoModel& model = Memo1->Model();
    const int target = sourceview::TargetLine(line, Memo1->LineCount());
    markedLine_ = target;
    severity_ = severity;
    const std::size_t start = model.Buffer().LineStart(target);
    const std::size_t end = model.Buffer().LineEnd(target);
    if (column > 0) {
        const std::size_t caret = start + sourceview::TargetColumn(column, end - start);
        Memo1->SetSelection(caret, caret);
    } else {
        Memo1->SetSelection(end, start); // the caret at the start keeps the view at the left
    }
    Show();
    Memo1->SetFocus();
    SendMessageA(Memo1->Handle(), EM_SCROLLCARET, 0, 0);
}

void TSourceForm::OpenInEditor() {
    if (path_.empty())
        return;
    const std::string folder = rtl::ExtractFilePath(path_);
    for (const char* verb : {"edit", "open"}) {
        const HINSTANCE result =
            syslib::ShellExecuteA(Handle(), verb, path_.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
        if (reinterpret_cast<INT_PTR>(result) > 32)
            return;
    }
    throw Exception("No program is registered to edit or open " + path_);
}
