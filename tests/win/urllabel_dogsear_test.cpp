// The dog's-ear painted into memory and clicked through its parent, and the link label's click going
// to the shell: the shell starts this test program as the handler of the link's scheme, which writes
// down the address it was given.
#include "support/ShellRecord.h"
#include "controls/DogsEar.h"
#include "controls/urllabel.h"
#include "support/Files.h"
#include "support/Painting.h"
#include "win/Forms.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* kRecordSwitch = "--record-opened-link";

[[maybe_unused]] const bool gRecorded = support::RecordOpenedTargetAndExitWhenStartedAs(kRecordSwitch);

constexpr TColor kBack = RGBColor(192, 192, 192), kEar = RGBColor(255, 255, 255),
                 kFrame = RGBColor(0, 0, 128);

class DogsEarTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form_ = std::make_unique<TForm>(nullptr);
        form_->SetClientSize(100, 100);
        ear_ = new TDogsEar(form_.get(), form_.get(), {10, 20, 30, 30});
        ear_->SetColorBackground(kBack);
        ear_->SetColorDogsEar(kEar);
        ear_->SetColorFrame(kFrame);
    }
    // The page count a click at (x, y) of the dog's-ear reports through its parent; -1 for none.
    int ClickAt(int x, int y, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP) {
        reported_ = -1;
        ear_->OnDogsEarClick = [this](TComponent*, int pages) { reported_ = pages; };
        const LPARAM at = MAKELPARAM(10 + x, 20 + y);
        SendMessageA(form_->Handle(), down, 0, at);
        SendMessageA(form_->Handle(), up, 0, at);
        return reported_;
    }
    std::unique_ptr<TForm> form_;
    TDogsEar* ear_ = nullptr;
    int reported_ = -1;
};

std::uint32_t Rgb(TColor c) {
    return static_cast<std::uint32_t>((c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF));
}
} // namespace

TEST_F(DogsEarTest, PaintsBackgroundPageAndSecondPageEdge) {
    struct Row {
        bool frame, multiPage;
        int x, y;
        TColor expected;
    };
    for (const Row& row : std::vector<Row>{
             {false, false, 3, 26, kBack},   // below the diagonal: background
             {false, false, 0, 29, kBack},   // dfNoFrame outlines in the background colour
             {true, false, 0, 29, kFrame},   // dfFrame in the frame colour
             {false, false, 24, 5, kEar},    // the page triangle
             {false, false, 15, 15, kFrame}, // its diagonal edge
             {false, false, 15, 0, kFrame},  // its top edge
             {false, false, 29, 15, kFrame}, // its right edge, over the control's border
             {false, false, 15, 5, kEar},    // where the second page's edge would run
             {false, true, 15, 5, kFrame},   // (0, 0) to (21, 7)
             {false, true, 26, 21, kFrame},  // (21, 7) to (29, 29)
             {false, true, 20, 10, kEar},    // inside the second page
         }) {
        ear_->SetFrameStyle(row.frame ? TDogsEarFrameStyle::dfFrame : TDogsEarFrameStyle::dfNoFrame);
        ear_->SetMultiPage(row.multiPage);
        const support::PaintedPixels pixels(30, 30, [&](HDC dc) { ear_->Paint(dc); });
        EXPECT_EQ(pixels.At(row.x, row.y), Rgb(row.expected)) << row.x << "," << row.y;
    }
}

TEST_F(DogsEarTest, ClicksReportThePageUnderThePointer) {
    struct Row {
        bool multiPage;
        int x, y, expected;
    };
    ear_->SetNumPages(5);
    for (const Row& row : std::vector<Row>{
             {false, 1, 28, -1}, // the bottom-left corner lies outside the page
             {false, 27, 2, 1},  // near the top-right corner
             {false, 20, 10, 1}, // the second page edge without MultiPage
             {true, 20, 10, 5},  // inside the second-page triangle: NumPages
             {true, 27, 2, 1},   // the page outside the second-page triangle
             {true, 1, 28, -1},
         }) {
        ear_->SetMultiPage(row.multiPage);
        EXPECT_EQ(ClickAt(row.x, row.y), row.expected) << row.multiPage << " " << row.x << "," << row.y;
    }
    ear_->SetEnabled(false);
    EXPECT_EQ(ClickAt(27, 2), -1);
}

TEST_F(DogsEarTest, AnyMouseButtonClicks) {
    for (const auto& [down, up] : std::vector<std::pair<UINT, UINT>>{{WM_LBUTTONDOWN, WM_LBUTTONUP},
                                                                     {WM_RBUTTONDOWN, WM_RBUTTONUP},
                                                                     {WM_MBUTTONDOWN, WM_MBUTTONUP},
                                                                     {WM_MBUTTONDBLCLK, WM_MBUTTONUP}}) {
        EXPECT_EQ(ClickAt(27, 2, down, up), 1) << std::hex << down;
        EXPECT_EQ(GetCapture(), nullptr) << std::hex << down;
    }
}

class LinkToShell : public ::testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        record_ = std::string(temp) + "tnwk_link_" + std::to_string(GetCurrentProcessId()) + ".txt";
        DeleteFileA(record_.c_str());
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, sizeof self);
        const std::string command = std::string(1, '"').append(self).append("\" ").append(kRecordSwitch) +
                                    " \"" + record_ + "\" \"%1\"";
        for (const char* scheme : {"mailto", "http"}) {
            const std::string key = std::string(scheme) + "\\shell\\open\\command";
            saved_.push_back(Value(key));
            RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, command.c_str(),
                         static_cast<DWORD>(command.size()));
        }
        form_ = std::make_unique<TForm>(nullptr);
        form_->SetClientSize(300, 100);
    }
    void TearDown() override {
        const char* schemes[] = {"mailto", "http"};
        for (std::size_t i = 0; i < saved_.size(); ++i) {
            const std::string key = std::string(schemes[i]) + "\\shell\\open\\command";
            if (saved_[i].empty()) // the prefix had no handler for the scheme
                RegDeleteTreeA(HKEY_CLASSES_ROOT, schemes[i]);
            else
                RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, saved_[i].c_str(),
                             static_cast<DWORD>(saved_[i].size()));
        }
        DeleteFileA(record_.c_str());
    }
    static std::string Value(const std::string& key) {
        char value[512] = {};
        LONG size = sizeof value;
        return RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), value, &size) == ERROR_SUCCESS ? value : "";
    }
    std::string Recorded() const {
        for (int i = 0; i < 300; ++i) {
            const std::string text = support::ReadFileBytes(record_);
            if (!text.empty())
                return text;
            Sleep(50);
        }
        return {};
    }
    std::unique_ptr<TForm> form_;
    std::string record_;
    std::vector<std::string> saved_;
};

TEST_F(LinkToShell, AClickOpensPrefixAndCaptionWithTheHandPointer) {
    struct Row {
        TLabelType type;
        const char* caption;
        const char* expected;
    };
    for (const Row& row : std::vector<Row>{
             {TLabelType::hmMAIL, "tarnwick@wrenworks.org", "mailto:tarnwick@wrenworks.org\n"},
             {TLabelType::hmHTTP, "www.wrenworks.org", "http:\\\\www.wrenworks.org\n"},
         }) {
        DeleteFileA(record_.c_str());
        TURLLabel link(form_.get(), form_.get(), 10, 10, row.caption);
        link.SetLabelType(row.type);
        ASSERT_NE(link.Cursor(), nullptr);
        SendMessageA(link.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link.Handle()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), link.Cursor());
        EXPECT_EQ(SendMessageA(link.Handle(), WM_NCHITTEST, 0, 0), HTCLIENT);
        // With the link effect the text is underlined in red only while the mouse is over it.
        link.SetEffect98(true);
        SendMessageA(link.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        EXPECT_EQ(link.Font().Desc().color, clRed);
        EXPECT_EQ(link.Font().Desc().style, FontStyleBit(TFontStyle::fsUnderline));
        SendMessageA(link.Handle(), WM_MOUSELEAVE, 0, 0);
        EXPECT_EQ(link.Font().Desc().color, clBlue);
        EXPECT_EQ(link.Font().Desc().style, 0u);
        int clicks = 0;
        link.OnClick = [&](TComponent*) { ++clicks; };
        SendMessageA(link.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        EXPECT_EQ(link.Font().Desc().color, clRed); // pressed
        SendMessageA(link.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        EXPECT_EQ(link.Font().Desc().color, clBlue);
        EXPECT_EQ(clicks, 1);
        EXPECT_EQ(Recorded(), row.expected);
    }
}

TEST_F(LinkToShell, ADoubleClickIsOneClick) {
    TURLLabel link(form_.get(), form_.get(), 10, 10, "www.wrenworks.org");
    int clicks = 0;
    link.OnClick = [&](TComponent*) { ++clicks; };
    // The system's order for a double-click; the link's OnClick comes with each shell call. The second
    // press still shows the pressed colour.
    for (const UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
        SendMessageA(link.Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(2, 2));
        if (msg == WM_LBUTTONDBLCLK) {
            EXPECT_EQ(link.Font().Desc().color, clRed);
        }
    }
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Recorded(), "http:\\\\www.wrenworks.org\n");
}
