// The memo as a real window: typing, caret keys, selection, undo, clipboard, scrolling, hit testing
// and painting, and the edit control's messages other programs read it with.
#include "support/Painting.h"
#include "win/Forms.h"
#include "win/StdCtrls.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace {
// Keys held down for one scope, as GetKeyState sees them on this thread.
class HeldKeys {
  public:
    explicit HeldKeys(std::initializer_list<int> keys) {
        GetKeyboardState(saved_);
        BYTE state[256];
        std::memcpy(state, saved_, sizeof state);
        for (int key : keys)
            state[key] |= 0x80;
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(saved_); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

  private:
    BYTE saved_[256];
};

class MemoControl : public ::testing::Test {
  protected:
    void SetUp() override {
        form_ = std::make_unique<TForm>(nullptr);
        form_->SetClientSize(300, 200);
        memo_ = new TMemo(form_.get(), form_.get(), {0, 0, 300, 200});
        memo_->Font().Assign(
            TFontDesc{ANSI_CHARSET_VALUE, clWindowText, -13, "Courier", TFontPitch::fpDefault, 0});
        memo_->SetColor(clSilver);
        form_->Show();
        memo_->SetFocus();
    }

    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(memo_->Handle(), msg, wParam, lParam);
    }
    void Type(std::string_view text) {
        for (char c : text)
            Send(WM_CHAR, static_cast<unsigned char>(c));
    }
    void Key(int key) { Send(WM_KEYDOWN, static_cast<WPARAM>(key)); }
    std::pair<DWORD, DWORD> Selection() {
        DWORD start = 0, end = 0;
        Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    std::string TextByMessage() {
        std::string text(static_cast<std::size_t>(Send(WM_GETTEXTLENGTH)) + 1, '\0');
        text.resize(
            static_cast<std::size_t>(Send(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        return text;
    }
    // The memo painted into a 32-bit bitmap; one pixel as 0xRRGGBB.
    std::uint32_t PixelAt(int x, int y) {
        const support::PaintedPixels painted(memo_->ClientWidth(), memo_->ClientHeight(), [this](HDC dc) {
            Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        });
        return painted.At(x, y);
    }
    static std::uint32_t Rgb(COLORREF c) { return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }

    std::unique_ptr<TForm> form_;
    TMemo* memo_ = nullptr;
};
} // namespace

TEST_F(MemoControl, TypingBackspaceAndEnterEditAtTheCaret) {
    Type("Hallo Welt");
    Key(VK_HOME);
    Type("> ");
    Key(VK_END);
    Type("\b\bxy\rnext \xFC");
    EXPECT_EQ(memo_->Text(), "> Hallo Wexy\r\nnext \xFC");
    EXPECT_EQ(memo_->LineCount(), 2);
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{20, 20}));
    // Control characters other than those the editor knows leave the text alone.
    Type("\x1B\x02");
    EXPECT_EQ(memo_->Text(), "> Hallo Wexy\r\nnext \xFC");
}

TEST_F(MemoControl, TypingUndoesAsOneStepAndUndoingAgainRedoes) {
    memo_->SetText("abc");
    Key(VK_END);
    Type("def");
    EXPECT_TRUE(Send(EM_CANUNDO));
    Type("\x1A"); // Ctrl+Z
    EXPECT_EQ(memo_->Text(), "abc");
    Send(EM_UNDO);
    EXPECT_EQ(memo_->Text(), "abcdef");
    memo_->SetText("fresh");
    EXPECT_FALSE(Send(EM_CANUNDO)); // a new text cannot be undone
}

TEST_F(MemoControl, ShiftedCaretKeysSelectAndDeleteRemovesTheSelection) {
    memo_->SetText("one two\r\nthree");
    {
        HeldKeys shift{VK_SHIFT};
        Key(VK_RIGHT);
        Key(VK_RIGHT);
        Key(VK_DOWN);
    }
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{0, 11}));
    Key(VK_DELETE);
    EXPECT_EQ(memo_->Text(), "ree");
    {
        HeldKeys control{VK_CONTROL};
        memo_->SetText("Error: 'END' expected");
        Key(VK_RIGHT);
        Key(VK_RIGHT);
    }
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{13, 13}));
}

TEST_F(MemoControl, CutAndPasteMoveTextThroughTheClipboard) {
    memo_->SetText("first second");
    Send(EM_SETSEL, 0, 6);
    Send(WM_CUT);
    EXPECT_EQ(memo_->Text(), "second");
    Key(VK_END);
    Type(" ");
    Type("\x16"); // Ctrl+V
    EXPECT_EQ(memo_->Text(), "second first ");
    Type("\x01"); // Ctrl+A
    Type("\x03"); // Ctrl+C
    memo_->SetText("");
    Send(WM_PASTE);
    EXPECT_EQ(memo_->Text(), "second first ");
}

TEST_F(MemoControl, AnswersTheEditControlsMessagesForLinesAndSelection) {
    SetWindowTextA(memo_->Handle(), "alpha\nbeta\r\n\r\ngamma");
    EXPECT_EQ(TextByMessage(), "alpha\r\nbeta\r\n\r\ngamma");
    EXPECT_EQ(Send(EM_GETLINECOUNT), 4);
    EXPECT_EQ(Send(EM_LINEINDEX, 1), 7);
    EXPECT_EQ(Send(EM_LINEINDEX, 4), -1);
    EXPECT_EQ(Send(EM_LINELENGTH, 8), 4);
    EXPECT_EQ(Send(EM_LINEFROMCHAR, 14), 2);
    char line[16] = {};
    *reinterpret_cast<WORD*>(line) = 3; // room for three characters
    EXPECT_EQ(Send(EM_GETLINE, 3, reinterpret_cast<LPARAM>(line)), 3);
    EXPECT_EQ(std::string(line, 3), "gam");
    char small[5];
    EXPECT_EQ(Send(WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)), 4);
    EXPECT_STREQ(small, "alph");

    Send(EM_SETSEL, 2, -1);
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{2, 20}));
    Send(EM_SETSEL, 6, 6); // inside the CR LF: before it
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{5, 5}));
    Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("!\n"));
    EXPECT_EQ(memo_->Text(), "alpha!\r\n\r\nbeta\r\n\r\ngamma");
    EXPECT_TRUE(Send(EM_CANUNDO));
}

TEST_F(MemoControl, AClickPutsTheCaretAtTheCharacterDrawnThere) {
    memo_->SetText("short\r\na longer second line");
    for (const WPARAM target : {WPARAM{0}, WPARAM{3}, WPARAM{9}, WPARAM{20}}) {
        const LRESULT at = Send(EM_POSFROMCHAR, target);
        ASSERT_NE(at, -1);
        const int x = LOWORD(at) + 1, y = HIWORD(at) + 2;
        Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        EXPECT_EQ(Selection().first, target);
        EXPECT_EQ(LOWORD(Send(EM_CHARFROMPOS, 0, MAKELPARAM(x, y))), target);
    }
    // Right of a line's end: its end.
    const int y = HIWORD(Send(EM_POSFROMCHAR, 0)) + 2;
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, y));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(250, y));
    EXPECT_EQ(Selection().first, 5u);
    // A double click selects the word under the pointer.
    const LRESULT longer = Send(EM_POSFROMCHAR, 10);
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(LOWORD(longer) + 1, HIWORD(longer) + 2));
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{9, 15}));
}

TEST_F(MemoControl, TheViewFollowsTheCaretAcrossManyAndLongLines) {
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    text += std::string(2000, 'w');
    memo_->SetText(text);
    EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 0);
    {
        HeldKeys control{VK_CONTROL};
        Key(VK_END);
    }
    const int first = static_cast<int>(Send(EM_GETFIRSTVISIBLELINE));
    EXPECT_GT(first, 980);
    EXPECT_LE(first, 1000);
    EXPECT_GT(GetScrollPos(memo_->Handle(), SB_HORZ), 0); // the long last line is not wrapped
    const LRESULT caret = Send(EM_POSFROMCHAR, memo_->Text().size());
    EXPECT_LT(static_cast<short>(LOWORD(caret)), memo_->ClientWidth());
    EXPECT_LT(static_cast<short>(HIWORD(caret)), memo_->ClientHeight());
    Key(VK_PRIOR);
    EXPECT_LT(Send(EM_GETFIRSTVISIBLELINE), first);
    {
        HeldKeys control{VK_CONTROL};
        Key(VK_HOME);
    }
    EXPECT_EQ(Send(EM_GETFIRSTVISIBLELINE), 0);
    EXPECT_EQ(GetScrollPos(memo_->Handle(), SB_HORZ), 0);
}

TEST_F(MemoControl, PaintsItsColourAndTheSelectionInTheHighlightColours) {
    memo_->SetText("        ");
    const LRESULT third = Send(EM_POSFROMCHAR, 2);
    const int y = HIWORD(third) + 3;
    EXPECT_EQ(PixelAt(200, 100), 0xC0C0C0u);
    Send(EM_SETSEL, 2, 4);
    EXPECT_EQ(PixelAt(LOWORD(third) + 1, y), Rgb(GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_EQ(PixelAt(LOWORD(third) - 2, y), 0xC0C0C0u); // the first two stay unselected
    memo_->SetColor(clTeal);
    EXPECT_EQ(PixelAt(200, 100), 0x008080u);
}
