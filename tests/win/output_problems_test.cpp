// The output window's problems in-process: the caption's counts after a load, the first error selected,
// and each problem line painted with the band of its severity across the memo while plain lines keep
// the memo's colour.
#include "output/ProblemMarks_core.h"
#include "output/output.h"
#include "support/Painting.h"
#include "win/standin_harness.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

namespace {

// A colour value as the painted pixels give it: 0xRRGGBB.
std::uint32_t Rgb(COLORREF colour) {
    return static_cast<std::uint32_t>(GetRValue(colour)) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
}

TEST(OutputProblems, CountsInTheCaptionFirstErrorSelectedAndBandsBySeverity) {
    standin_harness::TempFolder folder;
    standin_harness::writeFile(folder / "output.txt",
                               "Tarnwick\r\na.pas(2) Warning: w\r\nb.pas(3,1): Error E2003: e\r\n"
                               "c.pas(4) Hint: h\r\nFatal: f\r\n");
    auto form = std::make_unique<TOpForm>(nullptr);
    form->LoadOutputFile(folder / "output.txt");
    EXPECT_EQ(form->Caption(), "Compiler output. 2 errors, 1 warning, 1 hint");
    const TTextBuffer& buffer = form->Memo1->Model().Buffer();
    EXPECT_EQ(form->Memo1->SelStart(), buffer.LineStart(2));
    EXPECT_EQ(form->Memo1->SelLength(), buffer.LineEnd(2) - buffer.LineStart(2));

    form->Memo1->SetSelection(0, 0);
    TMemo& memo = *form->Memo1;
    const support::PaintedPixels painted(memo.ClientWidth(), memo.ClientHeight(), [&memo](HDC dc) {
        SendMessageA(memo.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });
    const auto rightOf = [&](int line) {
        return painted.At(memo.ClientWidth() - 3,
                          memo.Model().LineTop(line) + memo.Model().Metrics().lineHeight / 2);
    };
    const COLORREF background = ColorToRGB(memo.Color());
    const auto band = [background](problems::TSeverity severity) {
        return Rgb(problems::MarkColors(severity, background).band);
    };
    using problems::TSeverity;
    EXPECT_EQ(rightOf(0), Rgb(background));
    EXPECT_EQ(rightOf(1), band(TSeverity::Warning));
    EXPECT_EQ(rightOf(2), band(TSeverity::Error));
    EXPECT_EQ(rightOf(3), band(TSeverity::Hint));
    EXPECT_EQ(rightOf(4), band(TSeverity::Fatal));
    EXPECT_EQ(rightOf(6), Rgb(background));

    // After an edit the counts follow the text.
    form->Memo1->SetText("d.pas(1) Hint: h");
    const support::PaintedPixels again(memo.ClientWidth(), memo.ClientHeight(), [&memo](HDC dc) {
        SendMessageA(memo.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });
    EXPECT_EQ(form->Caption(), "Compiler output. 1 hint");
}

} // namespace
