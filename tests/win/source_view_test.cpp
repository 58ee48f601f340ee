// The source view in-process, opened from the output window's problem lines on files a compiler may
// name: binary bytes with NULs, a line of megabytes, line numbers of 0, past the end or absurdly large,
// a file gone between the compile and the open, and UTF-8 text. Each opens or says why; none hangs.
#include "output/SourceView.h"
#include "output/output.h"
#include "win/standin_harness.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class SourceView : public ::testing::Test {
  protected:
    void SetUp() override {
        form_ = std::make_unique<TOpForm>(nullptr);
        form_->ProjectFileName = [this] { return folder_ / "main.dpr"; };
        form_->Problems->SearchPath = [] { return std::string(); };
    }
    void TearDown() override { form_.reset(); }

    // Puts the problem line into the output window's memo and opens it.
    void Open(const std::string& problemLine) {
        form_->Memo1->SetText("Compiling\r\n" + problemLine);
        form_->Problems->OpenSourceOf(1);
    }
    TSourceForm* View() const { return form_->Problems->SourceView(); }
    int SelectedLine() const {
        const TMemo& memo = *View()->Memo1;
        return memo.Model().Buffer().LineOf(memo.SelStart());
    }

    standin_harness::TempFolder folder_;
    std::unique_ptr<TOpForm> form_;
};

TEST_F(SourceView, BinaryBytesAHugeLineAndOutOfRangeLinesOpenAtTheNearestLine) {
    std::string bytes = "MZ\x90";
    bytes += std::string("\0\0\x01\r\n", 5) + std::string(3u << 20, 'x') + "\r\nlast line";
    standin_harness::writeFile(folder_ / "blob.pas", bytes);
    const struct {
        const char* line;
        int selected;
    } cases[] = {{"blob.pas(2) Error: x", 1},
                 {"blob.pas(0) Error: x", 0},
                 {"blob.pas(9) Error: x", 2},
                 {"blob.pas(99999999999999) Error: x", 2},
                 {"BLOB.PAS(2,2000000000) Hint: x", 1}};
    for (const auto& c : cases) {
        Open(c.line);
        ASSERT_NE(View(), nullptr);
        EXPECT_TRUE(View()->Showing());
        EXPECT_EQ(SelectedLine(), c.selected) << c.line;
        // The problem's line is marked too, which shows where it is also when only the caret marks the
        // column.
        EXPECT_TRUE(View()->Memo1->LineMark(c.selected).has_value()) << c.line;
        EXPECT_FALSE(View()->Memo1->LineMark((c.selected + 1) % 3).has_value()) << c.line;
        EXPECT_EQ(View()->Memo1->LineCount(), 3);
    }
    // The column past the line's end puts the caret at its end.
    EXPECT_EQ(View()->Memo1->SelStart(), View()->Memo1->Model().Buffer().LineEnd(1));
    EXPECT_EQ(View()->Caption(), "BLOB.PAS (2)");
}

TEST_F(SourceView, AFileGoneOrNamedNowhereIsReportedAndTheViewKeepsWhatItShowed) {
    standin_harness::writeFile(folder_ / "kept.pas", "unit Kept;\r\nend.");
    standin_harness::writeFile(folder_ / "gone.pas", "unit Gone;");
    Open("kept.pas(2) Warning: x");
    const std::string gonePath = folder_ / "gone.pas";
    form_->Memo1->SetText("gone.pas(1) Error: x");
    ASSERT_TRUE(DeleteFileA(gonePath.c_str()));
    try {
        form_->Problems->OpenSourceOf(0);
        FAIL() << "no message";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()),
                  "The source file gone.pas was not found. Looked in: " + folder_.path());
    }
    EXPECT_EQ(View()->Caption(), "kept.pas (2)");
    EXPECT_EQ(View()->Memo1->Text(), "unit Kept;\r\nend.");
    form_->Memo1->SetText("Fatal: File not found: 'x.pas'");
    EXPECT_THROW(form_->Problems->OpenSourceOf(0), Exception);
}

TEST_F(SourceView, Utf8TextIsShownInTheCodePageAndTheTextCannotBeEdited) {
    standin_harness::writeFile(folder_ / "u.pas", "\xEF\xBB\xBF// Gr\xC3\xBC\xC3\x9F"
                                                  "e\r\nend.");
    Open("u.pas(1) Hint: x");
    EXPECT_EQ(View()->Memo1->Text(), "// Gr\xFC\xDF"
                                     "e\r\nend.");
    for (const UINT msg : {WM_CHAR, WM_PASTE, WM_CLEAR, WM_CUT})
        SendMessageA(View()->Memo1->Handle(), msg, 'a', 0);
    SendMessageA(View()->Memo1->Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("typed"));
    EXPECT_EQ(View()->Memo1->Text(), "// Gr\xFC\xDF"
                                     "e\r\nend.");
}

} // namespace
